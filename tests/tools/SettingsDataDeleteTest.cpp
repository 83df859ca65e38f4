// Data Delete on generated cards: family A empties its event and log
// folders itself, the others hand both kinds to the delete-files step; the
// configuration reset leaves the read defaults on the card.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ScriptedPrompt.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"
#include "tools/SettingsDataDelete.h"

namespace {

namespace fs = std::filesystem;

const RecorderClock kNow{2025, 3, 9, 14, 5, 30};

int EntriesIn(const fs::path& folder) {
  std::error_code error;
  int count = 0;
  for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator(); ++it) ++count;
  return count;
}

class SettingsDataDeleteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 1;
    options.logs = 1;
    options.eventSeconds = 2;
    options.fps = 2;
    options.width = 32;
    options.height = 24;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card_, options, nullptr, &error)) << error;
    dir_.Write("card/config/set.ini", "[SET]\nRECINGMODE1=1\nPOSTRECINT1=5\nCARPULSETYPE=4\n");
    dir_.Write("card/config/sdid.ini", "\xEF\xBB\xBFsdid=MYCARD");
    ports_.releaseCard = [this] { steps_.push_back("release"); };
    ports_.deleteAllRecordings = [this] { steps_.push_back("delete all"); };
  }

  std::optional<CDeviceSettingModel> Run(SettingsFamily family, bool recordings, bool configuration) {
    return RunDataDelete(card_, family, {recordings, configuration}, prompt_, ports_, kNow);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompt_.ShownBoxes()) texts.push_back(shown.text);
    return texts;
  }

  TempDir dir_;
  fs::path card_ = dir_ / "card";
  ScriptedPrompt prompt_;
  DataDeletePorts ports_;
  std::vector<std::string> steps_;
};

TEST_F(SettingsDataDeleteTest, FamilyAEmptiesEventsAndLogsButKeepsTheFoldersAndNormalRecordings) {
  fs::create_directories(card_ / "ch1/event/sub");
  dir_.Write("card/ch1/event/sub/x.vdd", "x");
  const fs::path outside = dir_.Write("outside/keep.vdd", "keep");
  fs::create_directory_symlink(outside.parent_path(), card_ / "log/link");
  const int normals = EntriesIn(card_ / "ch1/normal");

  EXPECT_FALSE(Run(SettingsFamily::kA, true, false).has_value());
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"Do you want to delete all recorded data ?", "Data deletion is completed."}));
  EXPECT_EQ(prompt_.ShownBoxes()[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(steps_, std::vector<std::string>{"release"});
  EXPECT_TRUE(fs::is_directory(card_ / "ch1/event"));
  EXPECT_EQ(EntriesIn(card_ / "ch1/event"), 0);
  EXPECT_EQ(EntriesIn(card_ / "log"), 0);
  EXPECT_EQ(EntriesIn(card_ / "ch1/normal"), normals);
  EXPECT_TRUE(fs::exists(outside)) << "a link is removed, not followed";
  EXPECT_TRUE(fs::exists(card_ / "config/set.ini"));
}

TEST_F(SettingsDataDeleteTest, TheOtherFamiliesDeleteBothKindsThroughTheDeleteStep) {
  EXPECT_FALSE(Run(SettingsFamily::kC, true, false).has_value());
  EXPECT_EQ(steps_, (std::vector<std::string>{"release", "delete all"}));
  EXPECT_EQ(Texts().back(), "Data deletion is completed.");
}

TEST_F(SettingsDataDeleteTest, NoEndsItAllWithTheCardUntouched) {
  prompt_.QueueAnswer(PromptAnswer::No);
  EXPECT_FALSE(Run(SettingsFamily::kB, true, true).has_value());
  EXPECT_TRUE(steps_.empty());
  EXPECT_EQ(Texts().size(), 1u);
  EXPECT_EQ(ReadDeviceSettings(card_).carPulseType, 4);
  EXPECT_EQ(ReadSdId(card_), "MYCARD");
}

TEST_F(SettingsDataDeleteTest, InitialisingTheConfigurationWritesTheReadDefaultsBack) {
  const auto reloaded = Run(SettingsFamily::kD, false, true);
  ASSERT_TRUE(reloaded.has_value());
  EXPECT_EQ(Texts(), std::vector<std::string>{"Config data deletion is completed."});
  EXPECT_EQ(reloaded->List(SettingListId::kMethod).Value(), 2);
  EXPECT_EQ(reloaded->SdId(), "");
  const DeviceSettings written = ReadDeviceSettings(card_);
  EXPECT_EQ(written.recingMode, 2);
  EXPECT_EQ(written.postRecInt, 30);
  EXPECT_EQ(written.carPulseType, -1);
  EXPECT_EQ(written.versionId, 3);
  EXPECT_FALSE(fs::exists(card_ / "config/sdid.ini"));
  EXPECT_TRUE(steps_.empty());
}

TEST_F(SettingsDataDeleteTest, FamilyAWritesItsOwnDefaultsWithoutTheOtherFamiliesKeys) {
  const auto reloaded = Run(SettingsFamily::kA, false, true);
  ASSERT_TRUE(reloaded.has_value());
  const DeviceSettings written = ReadDeviceSettings(card_);
  EXPECT_EQ(written.recingMode, 2);
  EXPECT_EQ(written.postRecInt, 30);
  EXPECT_EQ(written.carPulseType, -1);
  EXPECT_EQ(written.versionId, 0);
  EXPECT_FALSE(fs::exists(card_ / "config/sdid.ini"));
}

TEST_F(SettingsDataDeleteTest, AFolderWithoutTheCardLayoutIsRefusedBeforeAnyQuestion) {
  // Shaped like /var: a log folder, but no recordings.
  dir_.Write("var/log/syslog", "kernel: up");
  dir_.Write("var/config/set.ini", "[SET]\nCARPULSETYPE=4\n");
  for (SettingsFamily family : {SettingsFamily::kA, SettingsFamily::kD}) {
    EXPECT_FALSE(RunDataDelete(dir_ / "var", family, {true, true}, prompt_, ports_, kNow).has_value());
  }
  EXPECT_EQ(Texts(), (std::vector<std::string>(2, "Invalid drive recorder folder.")));
  EXPECT_TRUE(steps_.empty());
  EXPECT_EQ(TempDir::Read(dir_ / "var/log/syslog"), "kernel: up");
  EXPECT_EQ(TempDir::Read(dir_ / "var/config/set.ini"), "[SET]\nCARPULSETYPE=4\n");
}

}  // namespace
