// The OK button's procedure on cards in temporary folders: the checks and
// their messages in order, the backup offer when the method changes, which
// answers write and which leave the card as it was, and the recordings that
// go (videos) and stay (logs).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ScriptedPrompt.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"
#include "tools/DeleteFiles.h"
#include "tools/DeviceSettingSave.h"

namespace {

namespace fs = std::filesystem;
using Id = SettingListId;

const RecorderClock kNow{2025, 3, 9, 14, 5, 30};

int FilesIn(const fs::path& folder) {
  std::error_code error;
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder, error)) count += entry.is_regular_file() ? 1 : 0;
  return count;
}

class DeviceSettingSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 1;
    options.logs = 2;
    options.eventSeconds = 2;
    options.fps = 2;
    options.width = 32;
    options.height = 24;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card_, options, nullptr, &error)) << error;
    StoreSetIni("[SET]\nRECINGMODE1=2\nPOSTRECINT1=15\nPRERECTIME1=12\n");

    ports_.backupWholeCard = [this] {
      steps_.push_back("backup");
      return backupCompletes_;
    };
    ports_.releaseCard = [this] { steps_.push_back("release"); };
    ports_.deleteVideos = [this] {
      steps_.push_back("delete");
      DeleteFilesJob job(card_, true, false);
      job.Run(job.Count(), {});
    };
    ports_.pulseTypeSaved = [this](int type) { steps_.push_back("pulse " + std::to_string(type)); };
    ports_.unsupportedSize = [this](const fs::path&) { return tooSmall_; };
  }

  void StoreSetIni(const std::string& text) { setIni_ = dir_.Write("card/config/set.ini", text); }

  CDeviceSettingModel Model(int modelId) const { return *CDeviceSettingModel::ForCard(card_, modelId, kNow); }

  SaveOutcome Save(const CDeviceSettingModel& model) { return SaveDeviceSettings(card_, model, prompt_, ports_); }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompt_.ShownBoxes()) texts.push_back(shown.text);
    return texts;
  }

  TempDir dir_;
  fs::path card_ = dir_ / "card";
  fs::path setIni_;
  ScriptedPrompt prompt_;
  DeviceSettingSavePorts ports_;
  std::vector<std::string> steps_;
  bool backupCompletes_ = true;
  bool tooSmall_ = false;
};

TEST_F(DeviceSettingSaveTest, TheSameMethodAsksOnceAndWritesWithoutTouchingRecordings) {
  CDeviceSettingModel model = Model(4);
  ASSERT_TRUE(model.Select(Id::kEventTime, 15));
  EXPECT_EQ(Save(model), SaveOutcome::kSaved);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Save current setting ?"});
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Setting");
  EXPECT_EQ(prompt_.ShownBoxes()[0].buttons, PromptButtons::OkCancel);
  EXPECT_TRUE(steps_.empty());
  const DeviceSettings written = ReadDeviceSettings(card_);
  EXPECT_EQ(written.preRecTime, 15);
  EXPECT_EQ(written.postRecTime, 5);
  EXPECT_EQ(written.postRecInt, 15);
  EXPECT_EQ(written.versionId, 1);
  EXPECT_TRUE(fs::is_directory(card_ / "ch1/normal"));
  EXPECT_FALSE(fs::exists(card_ / "test.txt"));
}

TEST_F(DeviceSettingSaveTest, ANewMethodOffersABackupThenDeletesTheVideosButNotTheLogs) {
  const int logs = FilesIn(card_ / "log");
  ASSERT_GT(FilesIn(card_ / "ch1/event"), 0);
  CDeviceSettingModel model = Model(6);
  ASSERT_TRUE(model.Select(Id::kMethod, 3));
  prompt_.QueueAnswer(PromptAnswer::Ok);
  prompt_.QueueAnswer(PromptAnswer::Yes);
  EXPECT_EQ(Save(model), SaveOutcome::kSaved);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Save current setting ?",
                                               "The set is changed and removes a data, Do you want to backup data ?"}));
  EXPECT_EQ(prompt_.ShownBoxes()[1].buttons, PromptButtons::YesNoCancel);
  EXPECT_EQ(steps_, (std::vector<std::string>{"backup", "release", "delete"}));
  EXPECT_EQ(FilesIn(card_ / "ch1/event"), 0);
  EXPECT_EQ(FilesIn(card_ / "ch1/normal"), 0);
  EXPECT_EQ(FilesIn(card_ / "log"), logs);
  EXPECT_EQ(ReadDeviceSettings(card_).recingMode, 3);
}

TEST_F(DeviceSettingSaveTest, AnUnfinishedBackupAsksWhetherToDeleteAnywayAndNoLeavesAllAsItWas) {
  backupCompletes_ = false;
  const std::string before = TempDir::Read(setIni_);
  CDeviceSettingModel model = Model(9);
  ASSERT_TRUE(model.Select(Id::kMethod, 1));
  prompt_.QueueAnswer(PromptAnswer::Ok);
  prompt_.QueueAnswer(PromptAnswer::Yes);
  prompt_.QueueAnswer(PromptAnswer::No);
  EXPECT_EQ(Save(model), SaveOutcome::kStopped);
  ASSERT_EQ(Texts().size(), 3u);
  EXPECT_EQ(Texts()[2], "Record data will be deleted. continue anyway ?");
  EXPECT_EQ(prompt_.ShownBoxes()[2].buttons, PromptButtons::YesNo);
  EXPECT_EQ(steps_, std::vector<std::string>{"backup"});
  EXPECT_EQ(TempDir::Read(setIni_), before);
  EXPECT_GT(FilesIn(card_ / "ch1/event"), 0);
}

TEST_F(DeviceSettingSaveTest, DecliningTheBackupStillAsksBeforeDeleting) {
  CDeviceSettingModel model = Model(5);
  ASSERT_TRUE(model.Select(Id::kMethod, 1));
  prompt_.QueueAnswer(PromptAnswer::Ok);
  prompt_.QueueAnswer(PromptAnswer::No);
  prompt_.QueueAnswer(PromptAnswer::Yes);
  EXPECT_EQ(Save(model), SaveOutcome::kSaved);
  EXPECT_EQ(Texts().back(), "Record data will be deleted. continue anyway ?");
  EXPECT_EQ(steps_, (std::vector<std::string>{"release", "delete"}));
  EXPECT_EQ(ReadDeviceSettings(card_).recingMode, 1);
}

TEST_F(DeviceSettingSaveTest, CancelAtEitherQuestionWritesNothing) {
  const std::string before = TempDir::Read(setIni_);
  CDeviceSettingModel model = Model(4);
  ASSERT_TRUE(model.Select(Id::kMethod, 3));
  prompt_.QueueAnswer(PromptAnswer::Cancel);
  EXPECT_EQ(Save(model), SaveOutcome::kStopped);
  prompt_.QueueAnswer(PromptAnswer::Ok);
  prompt_.QueueAnswer(PromptAnswer::Cancel);
  EXPECT_EQ(Save(model), SaveOutcome::kStopped);
  EXPECT_EQ(Texts().size(), 3u);
  EXPECT_TRUE(steps_.empty());
  EXPECT_EQ(TempDir::Read(setIni_), before);
}

TEST_F(DeviceSettingSaveTest, FamilyAWritesItsOwnMethodAndDropsTheCompanionsItsRecorderLacks) {
  StoreSetIni("[SET]\nRECINGMODE1=3\n");
  dir_.Write("card/config/sdid.ini", "\xEF\xBB\xBFsdid=OLD");
  dir_.Write("card/config/selfadj.ini", "");
  dir_.Write("card/config/wgs84.dat", "x");
  EXPECT_EQ(Save(Model(0)), SaveOutcome::kSaved);
  // Family A's fixed method differs from the card's: the recordings go.
  EXPECT_EQ(Texts().size(), 2u);
  EXPECT_EQ(steps_, (std::vector<std::string>{"backup", "release", "delete"}));
  EXPECT_EQ(ReadDeviceSettings(card_).recingMode, 2);
  EXPECT_FALSE(fs::exists(card_ / "config/sdid.ini"));
  EXPECT_FALSE(fs::exists(card_ / "config/selfadj.ini"));
  EXPECT_FALSE(fs::exists(card_ / "config/wgs84.dat"));
}

TEST_F(DeviceSettingSaveTest, TheCardIdIsCheckedBeforeAnyQuestion) {
  CDeviceSettingModel model = Model(6);
  model.SetSdId("ABCDEFGHIJK");
  EXPECT_EQ(Save(model), SaveOutcome::kInvalidSdId);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Invalid SD Card ID"});

  model.SetSdId(" ABCDEFGHIJ");
  EXPECT_EQ(Save(model), SaveOutcome::kSaved);
  EXPECT_EQ(TempDir::Read(card_ / "config/sdid.ini"), "\xEF\xBB\xBFsdid=ABCDEFGHIJ");

  model.SetSdId("");
  EXPECT_EQ(Save(model), SaveOutcome::kSaved);
  EXPECT_FALSE(fs::exists(card_ / "config/sdid.ini"));
}

TEST_F(DeviceSettingSaveTest, AMissingCardIsNoCardAndNoCardAtAllSaysSo) {
  CDeviceSettingModel model = Model(4);
  EXPECT_EQ(SaveDeviceSettings(dir_ / "gone", model, prompt_, ports_), SaveOutcome::kStopped);
  EXPECT_EQ(SaveDeviceSettings("", model, prompt_, ports_), SaveOutcome::kStopped);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Invalid drive recorder folder.", "No selected SD Card"}));
  EXPECT_FALSE(fs::exists(dir_ / "gone"));
}

TEST_F(DeviceSettingSaveTest, ATooSmallCardIsRefusedBeforeTheQuestion) {
  tooSmall_ = true;
  EXPECT_EQ(Save(Model(4)), SaveOutcome::kStopped);
  EXPECT_EQ(Texts(), std::vector<std::string>{"SD Card of not supported size."});
}

TEST_F(DeviceSettingSaveTest, AFileTheUserKeepsUnderTheTestNameStays) {
  dir_.Write("card/test.txt", "mine");
  EXPECT_TRUE(CardAcceptsWrites(card_));
  EXPECT_EQ(TempDir::Read(card_ / "test.txt"), "mine");
  EXPECT_FALSE(CardAcceptsWrites(dir_ / "gone"));
}

TEST_F(DeviceSettingSaveTest, FamilyDHandsTheSavedPulseTypeOnAndOthersDoNot) {
  CDeviceSettingModel model = Model(9);
  ASSERT_TRUE(model.SelectIndex(Id::kPulseType, 2));
  EXPECT_EQ(Save(model), SaveOutcome::kSaved);
  EXPECT_EQ(steps_, std::vector<std::string>{"pulse 1"});
  const DeviceSettings written = ReadDeviceSettings(card_);
  EXPECT_EQ(written.carPulseType, 1);
  EXPECT_EQ(written.sdFormat, 0);
  EXPECT_EQ(written.trgSet, 34);
  steps_.clear();
  EXPECT_EQ(Save(Model(4)), SaveOutcome::kSaved);
  EXPECT_TRUE(steps_.empty());
}

TEST_F(DeviceSettingSaveTest, TheClockFileFollowsTheManualTimeBox) {
  // Untouched pickers give the moment of writing, not the model's load.
  ports_.clockNow = [] { return RecorderClock{2025, 3, 9, 14, 9, 41}; };
  CDeviceSettingModel model = Model(5);
  model.SetChecked(SettingCheck::kManualTime, true);
  ASSERT_EQ(Save(model), SaveOutcome::kSaved);
  ASSERT_TRUE(ReadRecorderClock(card_).has_value());
  EXPECT_EQ(ReadRecorderClock(card_)->minute, 9);
  EXPECT_EQ(ReadRecorderClock(card_)->second, 41);

  model.SetClock({2026, 12, 24, 18, 30, 0});
  ASSERT_EQ(Save(model), SaveOutcome::kSaved);
  const auto clock = ReadRecorderClock(card_);
  ASSERT_TRUE(clock.has_value());
  EXPECT_EQ(clock->day, 24);
  EXPECT_EQ(clock->minute, 30);

  CDeviceSettingModel reloaded = Model(5);
  EXPECT_TRUE(reloaded.Checked(SettingCheck::kManualTime));
  reloaded.SetChecked(SettingCheck::kManualTime, false);
  ASSERT_EQ(Save(reloaded), SaveOutcome::kSaved);
  EXPECT_FALSE(HasRecorderClockFile(card_));
}

}  // namespace
