// The recorder's settings files on a card made in the test: each family's
// defaults written into a set.ini that holds other keys, the dialogs' save
// with the values a family cannot choose, the companions byte for byte,
// set.ini surviving a writer killed at random moments, and a clock file that
// cannot be read left as it is.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "platform/ProfileFile.h"
#include "support/Fifo.h"
#include "support/TempDir.h"
#include "tools/DeviceSettingModel.h"
#include "tools/DeviceSettingsFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMxA = 0;
constexpr int kMxE = 4;
constexpr int kMxG = 6;
constexpr int kMxH = 9;

// A set.ini as a recorder leaves it: a key of its own, a section of its own,
// and a key the defaults overwrite.
constexpr std::string_view kRecorderSetIni = "[SET]\r\nFIRMWARE=7\r\nRECMOD=1\r\n[OTHER]\r\nKEEP=yes\r\n";

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text.append(line).append("\r\n");
  return text;
}

class DeviceSettingsFileTest : public ::testing::Test {
 protected:
  TempDir card;
  fs::path SetIni() const { return card / "config/set.ini"; }
};

TEST_F(DeviceSettingsFileTest, FamilyDefaultsGoInTheirOrderAndKeepTheRecordersOwnKeys) {
  struct Case {
    int model;
    std::string expected;
  };
  const Case cases[] = {
      {kMxA, Lines({"[SET]", "FIRMWARE=7", "RECMOD=2", "POSTFIELD1=4", "POSTRECINT1=30", "POSTSIZE1=64", "TRGSET=3",
                    "ACCSEN=5", "ACCSENX=2", "ACCSENY=2", "ACCSENZ=2", "RECINGMODE1=2", "PRERECTIME1=15",
                    "POSTRECTIME1=5", "PRERECINT1=30", "PRESIZE1=64", "PREFIELD1=4", "[OTHER]", "KEEP=yes"})},
      {kMxE, Lines({"[SET]",
                    "FIRMWARE=7",
                    "RECMOD=2",
                    "POSTFIELD1=4",
                    "POSTRECINT1=30",
                    "PRERECINT1=30",
                    "POSTSIZE1=64",
                    "TRGSET=34",
                    "ACCSEN=5",
                    "ACCSENX=2",
                    "ACCSENY=2",
                    "ACCSENZ=2",
                    "BEEPRECORD=1",
                    "SDFORMAT=1",
                    "EVENTRECPER=100",
                    "RECINGMODE1=2",
                    "PRERECTIME1=15",
                    "POSTRECTIME1=5",
                    "PRESIZE1=64",
                    "PREFIELD1=4",
                    "SEN1X=03,00,00,00,00",
                    "SEN1Y=03,00,00,00,00",
                    "SEN1Z=03,00,00,00,00",
                    "[OTHER]",
                    "KEEP=yes",
                    "[SDINFO]",
                    "VERSIONID=1"})},
      {kMxG,
       Lines({"[SET]",        "FIRMWARE=7",  "RECMOD=2",        "POSTFIELD1=4",  "POSTRECINT1=30", "PRERECINT1=30",
              "POSTSIZE1=64", "TRGSET=3",    "ACCSEN=5",        "ACCSENX=2",     "ACCSENY=2",      "ACCSENZ=2",
              "BEEPRECORD=1", "SDFORMAT=1",  "EVENTRECPER=100", "RECINGMODE1=2", "PRERECTIME1=15", "POSTRECTIME1=5",
              "PRESIZE1=64",  "PREFIELD1=4", "[OTHER]",         "KEEP=yes",      "[SDINFO]",       "VERSIONID=2"})},
      {kMxH, Lines({"[SET]",
                    "FIRMWARE=7",
                    "RECMOD=2",
                    "POSTFIELD1=4",
                    "POSTRECINT1=30",
                    "PRERECINT1=30",
                    "POSTSIZE1=64",
                    "TRGSET=34",
                    "ACCSEN=5",
                    "ACCSENX=2",
                    "ACCSENY=2",
                    "ACCSENZ=2",
                    "BEEPRECORD=1",
                    "SDFORMAT=0",
                    "EVENTRECPER=100",
                    "RECINGMODE1=2",
                    "PRERECTIME1=15",
                    "POSTRECTIME1=5",
                    "PRESIZE1=64",
                    "PREFIELD1=4",
                    "SEN1X=03,00,00,00,00",
                    "SEN1Y=03,00,00,00,00",
                    "SEN1Z=03,00,00,00,00",
                    "CARPULSETYPE=-1",
                    "[OTHER]",
                    "KEEP=yes",
                    "[SDINFO]",
                    "VERSIONID=3"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    card.Write("config/set.ini", kRecorderSetIni);
    ASSERT_TRUE(WriteDefaultSettings(card.path(), c.model));
    EXPECT_EQ(TempDir::Read(SetIni()), c.expected);
  }
}

TEST_F(DeviceSettingsFileTest, DefaultsMakeTheConfigFolderAndAnIdOutsideTheTableWritesNothing) {
  EXPECT_TRUE(WriteDefaultSettings(card.path(), 7));
  EXPECT_FALSE(fs::exists(card / "config"));
  ASSERT_TRUE(WriteDefaultSettings(card.path(), kMxH));
  const DeviceSettings read = ReadDeviceSettings(card.path());
  EXPECT_EQ(read.versionId, 3);
  EXPECT_EQ(read.sdFormat, 0);
  EXPECT_EQ(read.trgSet, 34);
}

TEST_F(DeviceSettingsFileTest, SaveReplacesTheFileWithTheFamilysKeysAndItsFixedValues) {
  card.Write("config/set.ini", "[SET]\r\nFIRMWARE=7\r\nSDFORMAT=1\r\nTRGSET=1\r\n[SDINFO]\r\nMODELID=9\r\n");
  DeviceSettings chosen;
  chosen.recingMode = 3;
  chosen.postField = 2;
  chosen.postRecInt = 15;
  chosen.postSize = 20;
  chosen.recMod = 1;
  chosen.trgSet = 1;
  chosen.accSen = 6;
  chosen.accSenX = 0;
  chosen.accSenY = 4;
  chosen.accSenZ = 1;
  chosen.preRecTime = 18;
  chosen.postRecTime = 12;
  chosen.beepRecord = 0;
  chosen.sdFormat = 1;
  chosen.eventRecPer = 30;
  chosen.carPulseType = 3;
  ASSERT_TRUE(WriteDeviceSettings(card.path(), SettingsFamily::kD, chosen));
  EXPECT_EQ(TempDir::Read(SetIni()), Lines({"[SET]",
                                            "RECINGMODE1=3",
                                            "POSTFIELD1=2",
                                            "POSTRECINT1=15",
                                            "POSTSIZE1=20",
                                            "RECMOD=1",
                                            "TRGSET=34",
                                            "ACCSEN=6",
                                            "ACCSENX=0",
                                            "ACCSENY=4",
                                            "ACCSENZ=1",
                                            "PRERECTIME1=18",
                                            "POSTRECTIME1=12",
                                            "PRERECINT1=15",
                                            "PRESIZE1=20",
                                            "PREFIELD1=2",
                                            "BEEPRECORD=0",
                                            "SDFORMAT=0",
                                            "EVENTRECPER=30",
                                            "SEN1X=01,00,00,00,00",
                                            "SEN1Y=05,00,00,00,00",
                                            "SEN1Z=02,00,00,00,00",
                                            "CARPULSETYPE=3",
                                            "[SDINFO]",
                                            "VERSIONID=3"}));

  // Family A records events only, 15 s before and 5 s after, whatever it is given.
  ASSERT_TRUE(WriteDeviceSettings(card.path(), SettingsFamily::kA, chosen));
  EXPECT_EQ(TempDir::Read(SetIni()),
            Lines({"[SET]", "RECINGMODE1=2", "POSTFIELD1=2", "POSTRECINT1=15", "POSTSIZE1=20", "RECMOD=1", "TRGSET=3",
                   "ACCSEN=6", "ACCSENX=0", "ACCSENY=4", "ACCSENZ=1", "PRERECTIME1=15", "POSTRECTIME1=5",
                   "PRERECINT1=15", "PRESIZE1=20", "PREFIELD1=2"}));

  ASSERT_TRUE(WriteDeviceSettings(card.path(), SettingsFamily::kC, chosen));
  const DeviceSettings c = ReadDeviceSettings(card.path());
  EXPECT_EQ(c.trgSet, 3);
  EXPECT_EQ(c.sdFormat, 1);
  EXPECT_EQ(c.versionId, 2);
  EXPECT_EQ(ReadProfileString(SetIni(), "SET", "SEN1X", "none"), "none");
}

TEST_F(DeviceSettingsFileTest, MissingFileAndKeysReadAsTheDialogsDefaults) {
  const DeviceSettings none = ReadDeviceSettings(card.path());
  EXPECT_EQ(none.recingMode, 2);
  EXPECT_EQ(none.postRecInt, 30);
  EXPECT_EQ(none.preRecTime, 15);
  EXPECT_EQ(none.carPulseType, -1);
  EXPECT_EQ(none.versionId, 0);
  card.Write("config/set.ini", "[SET]\nRECINGMODE1=1\nSEN1Y=05,00,00,00,00\n[SDINFO]\nVERSIONID=1\n");
  const DeviceSettings some = ReadDeviceSettings(card.path());
  EXPECT_EQ(some.recingMode, 1);
  EXPECT_EQ(some.postField, 4);
  EXPECT_EQ(some.versionId, 1);
  EXPECT_EQ(Sen1Level(some.sen1x), 2);
  EXPECT_EQ(Sen1Level(some.sen1y), 4);
}

TEST(Sen1Text, LevelsMapToTheFirstByteAndBack) {
  EXPECT_EQ(Sen1Text(0), "01,00,00,00,00");
  EXPECT_EQ(Sen1Text(4), "05,00,00,00,00");
  for (int level = 0; level <= 4; ++level) EXPECT_EQ(Sen1Level(Sen1Text(level)), level);
  EXPECT_EQ(Sen1Level("0b,11,00,00,00"), 2);  // only the low three bits count
  EXPECT_EQ(Sen1Level(""), 2);
  EXPECT_EQ(Sen1Level("zz,00"), 2);
  EXPECT_EQ(Sen1Level("00,00,00,00,00"), 0);  // no level below the slider's end
  EXPECT_EQ(Sen1Level("07,00,00,00,00"), 4);
}

TEST_F(DeviceSettingsFileTest, SdIdIsWrittenWithByteOrderMarkAndNoLineEndAndReadTrimmed) {
  ASSERT_TRUE(WriteSdId(card.path(), "Fleet 07"));
  EXPECT_EQ(TempDir::Read(card / "config/sdid.ini"), "\xEF\xBB\xBFsdid=Fleet 07");
  EXPECT_EQ(ReadSdId(card.path()), "Fleet 07");

  card.Write("config/sdid.ini", "  sdid=  Ölstraße-Nord-12 \r\n");
  EXPECT_EQ(ReadSdId(card.path()), "Ölstraße-N");
  card.Write("config/sdid.ini", "something else");
  EXPECT_EQ(ReadSdId(card.path()), "");
  // Cut inside the text, the ID keeps no white space at its end either: one
  // the dialog would refuse to save as it shows it.
  card.Write("config/sdid.ini", "sdid=CARD-0042\n[SET]\r\n");
  EXPECT_EQ(ReadSdId(card.path()), "CARD-0042");

  ASSERT_TRUE(WriteSdId(card.path(), ""));
  EXPECT_FALSE(fs::exists(card / "config/sdid.ini"));
  EXPECT_EQ(ReadSdId(card.path()), "");
  EXPECT_TRUE(WriteSdId(card.path(), ""));  // already gone is no failure
}

TEST_F(DeviceSettingsFileTest, CompanionsComeAndGo) {
  ASSERT_TRUE(SetSelfAdjust(card.path(), true));
  EXPECT_TRUE(HasSelfAdjust(card.path()));
  EXPECT_EQ(fs::file_size(card / "config/selfadj.ini"), 0u);
  ASSERT_TRUE(SetSelfAdjust(card.path(), false));
  EXPECT_FALSE(HasSelfAdjust(card.path()));

  EXPECT_FALSE(ReadRecorderClock(card.path()));
  ASSERT_TRUE(WriteRecorderClock(card.path(), RecorderClock{2026, 3, 7, 8, 5, 9}));
  EXPECT_EQ(TempDir::Read(card / "config/time.ini"), "[SET]\r\nLOCALTIME=2026.03.07;08:05:09\r\n");
  const std::optional<RecorderClock> clock = ReadRecorderClock(card.path());
  ASSERT_TRUE(clock);
  EXPECT_EQ(clock->day, 7);
  EXPECT_EQ(clock->second, 9);
  card.Write("config/time.ini", "[SET]\r\nLOCALTIME=\r\n");
  EXPECT_TRUE(HasRecorderClockFile(card.path()));
  EXPECT_FALSE(ReadRecorderClock(card.path()));
  ASSERT_TRUE(WriteRecorderClock(card.path(), std::nullopt));
  EXPECT_FALSE(HasRecorderClockFile(card.path()));

  card.Write("config/wgs84.dat", "x");
  EXPECT_TRUE(DeleteWgs84(card.path()));
  EXPECT_FALSE(fs::exists(card / "config/wgs84.dat"));
}

// A time.ini that is not read (here a FIFO) still means manual time, but no
// LOCALTIME can be set in it: a save with a clock fails there and leaves it
// as it is while the other files are written; a save without one deletes it.
TEST_F(DeviceSettingsFileTest, AClockFileThatIsNotReadStaysAndFailsASaveWithAClock) {
  ASSERT_TRUE(MakeFifo(card / "config/time.ini"));
  const SettingsCard read = ReadSettingsCard(card.path());
  EXPECT_TRUE(read.clockFile);
  EXPECT_FALSE(read.clock);
  SettingsToSave save{read.values, false, "CARD-1", RecorderClock{2026, 3, 7, 8, 5, 9}};
  EXPECT_FALSE(WriteSettingsToCard(card.path(), SettingsFamily::kB, save));
  EXPECT_EQ(fs::symlink_status(card / "config/time.ini").type(), fs::file_type::fifo);
  EXPECT_EQ(ReadSdId(card.path()), "CARD-1");
  save.clock.reset();
  EXPECT_TRUE(WriteSettingsToCard(card.path(), SettingsFamily::kB, save));
  EXPECT_FALSE(HasRecorderClockFile(card.path()));
}

TEST_F(DeviceSettingsFileTest, ModelAndVersionIdsGoUnderSdInfoBesideTheRest) {
  card.Write("config/set.ini", kRecorderSetIni);
  ASSERT_TRUE(WriteVersionId(card.path(), 1));
  ASSERT_TRUE(WriteModelId(card.path(), 4));
  EXPECT_EQ(TempDir::Read(SetIni()), std::string(kRecorderSetIni) + "[SDINFO]\r\nVERSIONID=1\r\nMODELID=4\r\n");
}

// A writer killed at any moment leaves the old set.ini or the new one,
// whole: never a missing file, a half file or one without the recorder's keys.
TEST_F(DeviceSettingsFileTest, KillDuringSaveLeavesTheOldOrTheNewFileWhole) {
  DeviceSettings first;
  DeviceSettings second;
  second.recingMode = 3;
  second.postRecInt = 15;
  second.preRecTime = 20;
  ASSERT_TRUE(WriteDeviceSettings(card.path(), SettingsFamily::kD, first));
  const std::string firstText = TempDir::Read(SetIni());
  ASSERT_TRUE(WriteDeviceSettings(card.path(), SettingsFamily::kD, second));
  const std::string secondText = TempDir::Read(SetIni());
  ASSERT_NE(firstText, secondText);

  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> delayUs(0, 3000);
  for (int run = 0; run < 100; ++run) {
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      for (int i = 0;; ++i) WriteDeviceSettings(card.path(), SettingsFamily::kD, i % 2 ? first : second);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    const std::string left = TempDir::Read(SetIni());
    ASSERT_TRUE(left == firstText || left == secondText) << "run " << run << ":\n" << left;
  }
}

}  // namespace
