// korvane-cli backup on a generated card: what it copies, what it prints and
// the exit statuses scripts rely on.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

class CliBackupTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    SampleCardOptions options;
    options.seed = 5;
    options.events = 2;
    options.normals = 1;
    options.logs = 1;
    options.width = 96;
    options.height = 64;
    card_ = new SampleCard;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(*dir_ / "card", options, card_, &error)) << error;
  }
  static void TearDownTestSuite() {
    delete card_;
    delete dir_;
  }

  void SetUp() override {
    target_ = *dir_ / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::create_directories(target_);
  }

  static Outcome Cli(const std::string& args) {
    const fs::path err = *dir_ / "stderr.txt";
    const std::string command = "env HOME=" + ShellQuote((*dir_ / "home").string()) +
                                " XDG_CONFIG_HOME=" + ShellQuote((*dir_ / "cfg").string()) +
                                " KORVANE_DATA_DIR=" + ShellQuote((*dir_ / "data").string()) + " " +
                                ShellQuote(KORVANE_CLI_PATH) + " backup " + args + " 2>" + ShellQuote(err.string());
    const CliRun run = RunShell(command);
    return {run.exitStatus, run.out, TempDir::Read(err)};
  }

  std::string CardAndTarget() const {
    return ShellQuote((*dir_ / "card").string()) + " " + ShellQuote(target_.string());
  }

  // An event recording whose index is named like its data file.
  static const SampleVideo& PlainEvent() {
    for (const SampleVideo& video : card_->videos) {
      if (video.kind == SampleVideoKind::kEvent && video.dataSuffix.empty() && !video.indexPath.empty()) return video;
    }
    return card_->videos.front();
  }
  static std::string EventName() { return PlainEvent().dataPath.stem().string(); }

  static TempDir* dir_;
  static SampleCard* card_;
  fs::path target_;
};

TempDir* CliBackupTest::dir_ = nullptr;
SampleCard* CliBackupTest::card_ = nullptr;

TEST_F(CliBackupTest, SelectedEventIsCopiedAndReportedAsJson) {
  const Outcome run = Cli(CardAndTarget() + " --event " + ShellQuote(EventName()) + " --json");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const nlohmann::json result = nlohmann::json::parse(run.out);
  EXPECT_EQ(result["failed"], 0);
  EXPECT_EQ(result["message"], "Backup OK");
  EXPECT_TRUE(result["size_label"].get<std::string>().starts_with("Backup Data Size : "));
  const fs::path copy = target_ / "CH1/event" / (EventName() + ".vdd");
  EXPECT_EQ(TempDir::Read(copy), TempDir::Read(PlainEvent().dataPath));
  EXPECT_TRUE(fs::exists(target_ / "config/set.ini"));
  EXPECT_GE(result["bytes"].get<uint64_t>(), fs::file_size(copy));
}

TEST_F(CliBackupTest, ExistingTargetStopsWithoutYesAndIsReplacedWithIt) {
  ASSERT_EQ(Cli(CardAndTarget() + " --all").exitStatus, 0);
  const Outcome again = Cli(CardAndTarget() + " --all");
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_NE(again.err.find("exists"), std::string::npos) << again.err;
  EXPECT_EQ(std::count(again.err.begin(), again.err.end(), '\n'), 1);

  const Outcome forced = Cli(CardAndTarget() + " --all --yes");
  EXPECT_EQ(forced.exitStatus, 0) << forced.err;
  EXPECT_NE(forced.out.find("Backup Data Size : "), std::string::npos);
  EXPECT_NE(forced.out.find("Backup OK"), std::string::npos);
}

TEST_F(CliBackupTest, FailuresAndBadRequestsAreNotSuccess) {
  const Outcome missing = Cli(CardAndTarget() + " --log 19990101_000000");
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_NE(missing.out.find("1 file(s) could not be copied"), std::string::npos) << missing.out;

  EXPECT_EQ(Cli(CardAndTarget()).exitStatus, 2);  // nothing chosen
  EXPECT_EQ(Cli(CardAndTarget() + " --all --event x").exitStatus, 2);
  const Outcome noFolder =
      Cli(ShellQuote((*dir_ / "card").string()) + " " + ShellQuote((target_ / "nowhere").string()) + " --all");
  EXPECT_EQ(noFolder.exitStatus, 1);
  EXPECT_NE(noFolder.err.find("Folder does not exist"), std::string::npos) << noFolder.err;
}

}  // namespace
