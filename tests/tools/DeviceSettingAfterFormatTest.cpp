// What a settings dialog's Init SD Card leaves on the formatted card: the
// read defaults as the dialog saves them, with the family's own version and
// no model id.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"
#include "tools/DeviceSettingAfterFormat.h"

namespace {

namespace fs = std::filesystem;

TEST(DeviceSettingAfterFormatTest, AFreshCardGetsTheDialogsSaveOfTheReadDefaults) {
  TempDir dir;
  const fs::path card = dir / "card";
  fs::create_directories(card);
  DialogSettingsAfterFormat settings({2025, 3, 9, 14, 5, 30});
  settings.WriteFresh(card, 9);
  const DeviceSettings written = ReadDeviceSettings(card);
  EXPECT_EQ(written.versionId, 3);
  EXPECT_EQ(written.sdFormat, 0);
  EXPECT_EQ(written.trgSet, 34);
  EXPECT_EQ(written.recingMode, 2);
  EXPECT_EQ(written.preRecTime, 15);
  EXPECT_EQ(written.postRecTime, 5);
  EXPECT_FALSE(fs::exists(card / "config/sdid.ini"));
  EXPECT_FALSE(HasRecorderClockFile(card));
}

TEST(DeviceSettingAfterFormatTest, ARestoreKeepsTheFamilysVersionAndNamesNoModel) {
  const DialogSettingsAfterFormat settings({2025, 3, 9, 14, 5, 30});
  EXPECT_EQ(settings.RestoredVersionId(0), 0);
  EXPECT_EQ(settings.RestoredVersionId(5), 1);
  EXPECT_EQ(settings.RestoredVersionId(6), 2);
  EXPECT_EQ(settings.RestoredVersionId(9), 3);
  EXPECT_FALSE(settings.WritesModelId());
}

TEST(DeviceSettingAfterFormatTest, AnIdOutsideTheTableWritesNothing) {
  TempDir dir;
  DialogSettingsAfterFormat settings({2025, 3, 9, 14, 5, 30});
  settings.WriteFresh(dir.path(), 7);
  EXPECT_FALSE(fs::exists(dir / "config/set.ini"));
}

}  // namespace
