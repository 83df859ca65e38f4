// The backup on card folders made in the test: what is copied where and in
// which order, what is left out, and that a stopped, cancelled or failed
// copy never leaves a partial file under a recording's name.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ScriptedPrompt.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"
#include "tools/BackupJob.h"
#include "tools/FileCopy.h"

namespace {

namespace fs = std::filesystem;

const std::string kEvent1 = "0001,20240614_093025";
const std::string kEvent2 = "0002,20240614_094000";
const std::string kLog = "20240614_093000";

class BackupJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    card_ = dir_ / "card";
    target_ = dir_ / "target";
    fs::create_directories(target_);
    for (const std::string& name : {kEvent1, kEvent2}) {
      dir_.Write("card/CH1/event/" + name + ".vdd", "data " + name);
      dir_.Write("card/CH1/event/" + name + ".vdx", "index " + name);
    }
    dir_.Write("card/CH1/normal/0003,20240614_100000.vdd", "normal");
    dir_.Write("card/CH1/normal/0003,20240614_100000.vdx", "normal index");
    dir_.Write("card/log/" + kLog + ".log", "log text");
    dir_.Write("card/config/set.ini", "set");
    dir_.Write("card/config/version.ini", "version");
    dir_.Write("card/config/time.ini", "time");
    dir_.Write("card/config/sdid.ini", "sdid");
    dir_.Write("card/Config/stray.bin", "never copied");
    dir_.Write("card/ZAZA/firmware.bin", "firmware");
    dir_.Write("card/Program/run.bin", "program");
    dir_.Write("card/other/Program/kept.bin", "kept");
  }

  BackupResult Run(BackupJob& job, std::vector<std::string>* order = nullptr) {
    std::vector<int> overall;
    BackupProgress progress;
    progress.overall = [&](int position, int range) {
      overall.push_back(position);
      range_ = range;
    };
    const BackupResult result = job.Run(target_, prompt_, cancel_, progress);
    if (order) {
      for (const auto& entry : fs::recursive_directory_iterator(target_)) {
        if (entry.is_regular_file()) order->push_back(entry.path().lexically_relative(target_).string());
      }
    }
    overall_ = overall;
    return result;
  }

  TempDir dir_;
  fs::path card_;
  fs::path target_;
  ScriptedPrompt prompt_;
  std::atomic<bool> cancel_{false};
  int range_ = -1;
  std::vector<int> overall_;
};

TEST_F(BackupJobTest, SelectedRecordingsGoIntoTheCardLayoutWithTheirIndexes) {
  BackupJob job(card_);
  job.Select({{kEvent1, kEvent2}, {}, {kLog}});
  const BackupResult result = Run(job);

  EXPECT_EQ(result.end, BackupEnd::Completed);
  EXPECT_EQ(result.failed, 0);
  EXPECT_EQ(range_, 5);  // two files per event, one per log
  EXPECT_EQ(overall_.back(), 5);
  EXPECT_EQ(TempDir::Read(target_ / "CH1/event" / (kEvent2 + ".vdx")), "index " + kEvent2);
  EXPECT_EQ(TempDir::Read(target_ / "log" / (kLog + ".log")), "log text");
  EXPECT_EQ(TempDir::Read(target_ / "config/set.ini"), "set");
  EXPECT_TRUE(fs::is_directory(target_ / "CH1/normal"));
  EXPECT_FALSE(fs::exists(target_ / "CH1/normal/0003,20240614_100000.vdd"));
  EXPECT_EQ(result.copied, 4 + 5);  // the four configuration files that exist, then the recordings
  EXPECT_EQ(BackupFinalMessage(result), "Backup OK");
}

TEST_F(BackupJobTest, ConfigurationFilesComeFirstInTheirOrder) {
  BackupJob job(card_);
  job.Select({{kEvent1}, {}, {}});
  std::vector<std::string> starts;
  BackupProgress progress;
  progress.file = [&](int percent) {
    if (percent == 100) {
      // The newest file in the target is the one just finished.
      for (const auto& entry : fs::recursive_directory_iterator(target_)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        if (std::find(starts.begin(), starts.end(), name) == starts.end() && name[0] != '.') starts.push_back(name);
      }
    }
  };
  job.Run(target_, prompt_, cancel_, progress);
  // Each file is found once, after its last chunk and before the next file starts.
  ASSERT_GE(starts.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(starts.begin(), starts.begin() + 4),
            (std::vector<std::string>{"set.ini", "version.ini", "time.ini", "sdid.ini"}));
}

TEST_F(BackupJobTest, BackupAllSkipsTheRecorderFoldersInAnyCase) {
  BackupJob job(card_);
  job.SelectAll();
  std::vector<std::string> copied;
  const BackupResult result = Run(job, &copied);

  EXPECT_EQ(result.failed, 0);
  EXPECT_EQ(range_, 8);  // 4 event + 2 normal + 1 log files + other/Program/kept.bin
  EXPECT_TRUE(fs::exists(target_ / "other/Program/kept.bin"));  // only the card root's folders are skipped
  EXPECT_FALSE(fs::exists(target_ / "ZAZA"));
  EXPECT_FALSE(fs::exists(target_ / "Program"));
  EXPECT_FALSE(fs::exists(target_ / "Config"));
  EXPECT_FALSE(fs::exists(target_ / "config/stray.bin"));
  EXPECT_EQ(TempDir::Read(target_ / "config/time.ini"), "time");
  EXPECT_EQ(TempDir::Read(target_ / "CH1/normal/0003,20240614_100000.vdx"), "normal index");
}

TEST_F(BackupJobTest, NoToTheOverwriteQuestionStopsAtOnceWithoutMessage) {
  dir_.Write("target/CH1/event/" + kEvent1 + ".vdx", "older index");
  prompt_.QueueAnswer(PromptAnswer::No);
  BackupJob job(card_);
  job.Select({{kEvent1, kEvent2}, {}, {}});
  const BackupResult result = Run(job);

  EXPECT_EQ(result.end, BackupEnd::Stopped);
  EXPECT_EQ(result.stoppedAt, target_ / "CH1/event" / (kEvent1 + ".vdx"));
  EXPECT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text,
            "Same file exists, Overwrite this file ?\n\n" + (target_ / "CH1/event" / (kEvent1 + ".vdx")).string());
  EXPECT_EQ(prompt_.ShownBoxes()[0].buttons, PromptButtons::YesYesToAllNo);
  EXPECT_EQ(TempDir::Read(target_ / "CH1/event" / (kEvent1 + ".vdx")), "older index");
  EXPECT_FALSE(fs::exists(target_ / "CH1/event" / (kEvent2 + ".vdd")));
  EXPECT_EQ(BackupFinalMessage(result), "");
}

TEST_F(BackupJobTest, YesReplacesTheExistingFileAndYesToAllEveryOneAfterIt) {
  dir_.Write("target/log/" + kLog + ".log", "older");
  BackupJob job(card_);
  job.Select({{}, {}, {kLog}});
  EXPECT_EQ(Run(job).end, BackupEnd::Completed);
  EXPECT_EQ(TempDir::Read(target_ / "log" / (kLog + ".log")), "log text");

  for (const std::string& name : {kEvent1, kEvent2}) dir_.Write("target/CH1/event/" + name + ".vdd", "older");
  prompt_.QueueAnswer(PromptAnswer::YesToAll);
  prompt_.QueueAnswer(PromptAnswer::No);  // never asked
  const size_t asked = prompt_.ShownBoxes().size();
  job.Select({{kEvent1, kEvent2}, {}, {}});
  EXPECT_EQ(Run(job).end, BackupEnd::Completed);
  EXPECT_EQ(prompt_.ShownBoxes().size(), asked + 1);
  EXPECT_EQ(TempDir::Read(target_ / "CH1/event" / (kEvent2 + ".vdd")), "data " + kEvent2);
}

TEST_F(BackupJobTest, UnreadableAndMissingSourcesAreCountedAndTheRunGoesOn) {
  fs::remove(card_ / "CH1/event" / (kEvent1 + ".vdd"));
  fs::create_directory(card_ / "CH1/event" / (kEvent1 + ".vdd"));  // cannot be read as a file
  BackupJob job(card_);
  job.Select({{kEvent1, "9999,missing"}, {}, {kLog}});
  const BackupResult result = Run(job);

  EXPECT_EQ(result.end, BackupEnd::Completed);
  EXPECT_EQ(result.failed, 3);
  EXPECT_EQ(overall_.back(), 5);
  EXPECT_TRUE(fs::exists(target_ / "log" / (kLog + ".log")));
  EXPECT_FALSE(fs::exists(target_ / "CH1/event" / (kEvent1 + ".vdd")));
  EXPECT_EQ(BackupFinalMessage(result), "Backup finished, but 3 file(s) could not be copied");
}

TEST_F(BackupJobTest, ATargetFolderThatIsGoneMakesNothingAndCountsEveryFile) {
  BackupJob job(card_);
  job.Select({{kEvent1}, {}, {kLog}});
  const fs::path gone = dir_ / "unplugged";
  const BackupResult result = job.Run(gone, prompt_, cancel_, {});
  EXPECT_EQ(result.failed, 3 + 4);  // the recordings' files and the configuration files there are
  EXPECT_FALSE(fs::exists(gone));
  EXPECT_EQ(BackupFinalMessage(result), "Backup finished, but 7 file(s) could not be copied");
}

TEST(BackupSizeText, IsMibWithOneDecimalRounded) {
  const struct {
    uint64_t bytes;
    const char* text;
  } rows[] = {
      {(15ull << 20) + (447ull << 10), "15.4 MB"},
      {(5ull << 20) + (512ull << 10), "5.5 MB"},
      {(5ull << 20) + (102ull << 10), "5.1 MB"},  // 0.0996: a tenth only by rounding
      {(1ull << 20) - 1, "1.0 MB"},               // the carry into the whole MiB
      {0, "0.0 MB"},
      {5000ull << 20, "5000.0 MB"},
  };
  for (const auto& row : rows) EXPECT_EQ(BackupSizeText(row.bytes), row.text) << row.bytes;
}

TEST_F(BackupJobTest, SizeLabelCountsTheSelectedFilesOrTheWholeCard) {
  BackupJob job(card_);
  job.Select({{}, {}, {kLog}});
  EXPECT_EQ(job.SizeBytes(), 8u);
  EXPECT_EQ(job.SizeLabel(), "Backup Data Size : 0.0 MB");
  job.SelectAll();
  EXPECT_EQ(job.SizeBytes(), 132u);  // the recordings and other/Program/kept.bin, none of config, zaza, program
}

class FileCopyTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(FileCopyTest, CopyIsByteIdenticalAndKeepsTheModificationTime) {
  std::string bytes(3 * kCopyChunkBytes + 17, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + i / 7);
  const fs::path source = dir_.Write("a.vdd", bytes);
  const struct timespec times[2] = {{1718350225, 0}, {1718350225, 123456789}};
  ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
  std::atomic<bool> cancel{false};
  std::vector<int> percents;
  const CopyResult result = CopyFileSafely(
      source, dir_ / "b.vdd", cancel, [&](uint64_t done, uint64_t total) { percents.push_back(done * 100 / total); });

  ASSERT_EQ(result.outcome, CopyOutcome::Copied) << result.error;
  EXPECT_EQ(result.bytes, bytes.size());
  EXPECT_EQ(TempDir::Read(dir_ / "b.vdd"), bytes);
  struct stat info {};
  ASSERT_EQ(stat((dir_ / "b.vdd").c_str(), &info), 0);
  EXPECT_EQ(info.st_mtim.tv_sec, 1718350225);
  EXPECT_EQ(info.st_mtim.tv_nsec, 123456789);
  ASSERT_GE(percents.size(), 2u);  // progress after every chunk, not once at the end
  EXPECT_EQ(percents.back(), 100);
}

TEST_F(FileCopyTest, CancelMidFileLeavesNeitherTheTargetNorATemporaryFile) {
  const fs::path source = dir_.Write("card/big.vdd", std::string(4 * kCopyChunkBytes, 'x'));
  fs::create_directories(dir_ / "out");
  dir_.Write("out/big.vdd", "the earlier complete copy");
  std::atomic<bool> cancel{false};
  const CopyResult result =
      CopyFileSafely(source, dir_ / "out/big.vdd", cancel, [&](uint64_t, uint64_t) { cancel = true; });

  EXPECT_EQ(result.outcome, CopyOutcome::Cancelled);
  EXPECT_EQ(TempDir::Read(dir_ / "out/big.vdd"), "the earlier complete copy");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator()), 1);
}

TEST_F(FileCopyTest, ATargetFolderThatCannotBeWrittenFailsWithoutLeftovers) {
  const fs::path source = dir_.Write("a.log", "text");
  std::atomic<bool> cancel{false};
  const CopyResult result = CopyFileSafely(source, dir_ / "missing/a.log", cancel, {});
  EXPECT_EQ(result.outcome, CopyOutcome::Failed);
  EXPECT_FALSE(result.error.empty());
}

TEST_F(BackupJobTest, CancelMidRunEndsWithBackupCancelAndNoPartialRecording) {
  dir_.Write("card/CH1/event/" + kEvent1 + ".vdd", std::string(3 * kCopyChunkBytes, 'e'));
  BackupJob job(card_);
  job.Select({{kEvent1, kEvent2}, {}, {}});
  BackupProgress progress;
  progress.file = [&](int percent) {
    if (percent > 0 && percent < 100) cancel_ = true;
  };
  const BackupResult result = job.Run(target_, prompt_, cancel_, progress);

  EXPECT_EQ(result.end, BackupEnd::Cancelled);
  EXPECT_EQ(BackupFinalMessage(result), "Backup Cancel");
  EXPECT_EQ(std::distance(fs::directory_iterator(target_ / "CH1/event"), fs::directory_iterator()), 0);
}

TEST(BackupOnSampleCard, EveryCopiedFileMatchesItsSource) {
  TempDir dir;
  SampleCardOptions options;
  options.events = 2;
  options.normals = 1;
  options.logs = 1;
  options.width = 96;
  options.height = 64;
  SampleCard card;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir / "card", options, &card, &error)) << error;
  fs::create_directories(dir / "target");
  BackupJob job(dir / "card");
  job.SelectAll();
  ScriptedPrompt prompt;
  std::atomic<bool> cancel{false};
  const BackupResult result = job.Run(dir / "target", prompt, cancel, {});
  EXPECT_EQ(result.failed, 0);
  for (const SampleVideo& video : card.videos) {
    const std::string kind = video.kind == SampleVideoKind::kEvent ? "event" : "normal";
    const fs::path copy = dir / "target/CH1" / kind / video.dataPath.filename();
    EXPECT_TRUE(TempDir::Read(copy) == TempDir::Read(video.dataPath)) << copy;
    EXPECT_EQ(fs::last_write_time(copy), fs::last_write_time(video.dataPath)) << copy;
  }
}

}  // namespace
