// The backup of generated cards: the target's folders keep one spelling
// whatever the card's, an index keeps its own name, a target inside the card
// is not copied into itself, one in the card's own folders is refused, and
// what cannot be read is not copied and says so.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"
#include "tools/BackupJob.h"
#include "tools/BackupStartCheck.h"
#include "tools/BackupTask.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class BackupCardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.events = 6;  // the sixth carries a suffix on its data file's name only
    options.normals = 1;
    options.logs = 1;
    options.width = 64;
    options.height = 48;
    options.eventSeconds = 2;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card_, options, &written_, &error)) << error;
    fs::create_directories(target_);
  }

  BackupResult Run(BackupJob& job) { return job.Run(target_, prompt_, cancel_, {}); }

  TempDir dir_;
  fs::path card_ = dir_ / "card";
  fs::path target_ = dir_ / "target";
  SampleCard written_;
  ScriptedPrompt prompt_;
  std::atomic<bool> cancel_{false};
};

TEST_F(BackupCardTest, BackupAllOfALowerCaseCardFillsTheOneLayoutOfTheTarget) {
  BackupJob job(card_);
  job.SelectAll();
  const BackupResult result = Run(job);
  ASSERT_EQ(result.failed, 0);
  // The card spells "ch1"; the target gets "CH1" alone, not an empty one beside a full one.
  EXPECT_EQ(Entries(target_), (std::set<std::string>{"CH1", "config", "log"}));
  EXPECT_EQ(Entries(target_ / "CH1"), (std::set<std::string>{"event", "normal"}));
  for (const SampleVideo& video : written_.videos) {
    const std::string kind = video.kind == SampleVideoKind::kEvent ? "event" : "normal";
    const fs::path copy = target_ / "CH1" / kind / video.dataPath.filename();
    EXPECT_TRUE(TempDir::Read(copy) == TempDir::Read(video.dataPath)) << copy;
  }
  // A target that already holds "ch1" is filled there on the next run.
  fs::rename(target_ / "CH1", target_ / "ch1");
  prompt_.QueueAnswer(PromptAnswer::Yes);
  job.SelectAll();
  EXPECT_EQ(Run(job).failed, 0);
  EXPECT_EQ(Entries(target_), (std::set<std::string>{"ch1", "config", "log"}));
}

TEST_F(BackupCardTest, AnIndexNamedWithoutTheDataFilesSuffixKeepsItsName) {
  const SampleVideo& suffixed = written_.videos[5];
  ASSERT_FALSE(suffixed.dataSuffix.empty());
  BackupJob job(card_);
  job.Select(BackupSelectionFromPaths({suffixed.dataPath.string()}, {}, {}));
  EXPECT_EQ(Run(job).failed, 0);
  EXPECT_TRUE(TempDir::Read(target_ / "CH1/event" / suffixed.indexPath.filename()) ==
              TempDir::Read(suffixed.indexPath));
  EXPECT_EQ(Entries(target_ / "CH1/event").size(), 2u);
}

TEST_F(BackupCardTest, ATargetInsideTheCardIsNotCopiedIntoItself) {
  const fs::path inside = card_ / "backups";
  fs::create_directories(inside);
  BackupJob job(card_);
  job.SelectAll();
  ASSERT_EQ(job.Run(inside, prompt_, cancel_, {}).failed, 0);
  job.SelectAll();  // the walk now sees the first backup
  ASSERT_EQ(job.Run(inside, prompt_, cancel_, {}).failed, 0);
  EXPECT_FALSE(fs::exists(inside / "backups"));
  EXPECT_EQ(Entries(inside), (std::set<std::string>{"CH1", "config", "log"}));
}

TEST_F(BackupCardTest, WhatCannotBeReadIsNotCopiedAndCountsAsFailed) {
  ASSERT_EQ(mkfifo((card_ / "log/pipe.log").c_str(), 0600), 0);
  const fs::path outside = dir_.Write("outside.log", "not on the card");
  fs::create_symlink(outside, card_ / "log/linked.log");
  int unreadable = 2;
  // Root lists any folder, so only an ordinary user meets a closed one.
  if (::geteuid() != 0) {
    dir_.Write("card/ch1/closed/0009.vdd", "behind a closed door");
    fs::permissions(card_ / "ch1/closed", fs::perms::none);
    ++unreadable;
  }
  BackupJob job(card_);
  job.SelectAll();
  const uint64_t cardBytes = written_.totalBytes;
  EXPECT_LE(job.SizeBytes(), cardBytes);
  const BackupResult result = Run(job);  // a pipe opened for reading would hang here
  if (::geteuid() != 0) fs::permissions(card_ / "ch1/closed", fs::perms::owner_all);
  EXPECT_EQ(result.failed, unreadable);
  EXPECT_EQ(BackupFinalMessage(result),
            "Backup finished, but " + std::to_string(unreadable) + " file(s) could not be copied");
  EXPECT_EQ(Entries(target_ / "log"), (std::set<std::string>{written_.logs[0].path.filename().string()}));

  // Chosen by name, a linked log is refused rather than copied from outside.
  BackupJob chosen(card_);
  chosen.Select({{}, {}, {"linked", "pipe"}});
  EXPECT_EQ(Run(chosen).failed, 2);
  EXPECT_FALSE(fs::exists(target_ / "log/linked.log"));
}

TEST_F(BackupCardTest, ATargetThatIsTheCardOrInItsOwnFoldersIsRefusedAndNothingIsWritten) {
  fs::create_directories(card_ / "ch1/event/old");
  fs::create_directory_symlink(card_ / "log", dir_ / "log link");
  fs::create_directory_symlink(card_, dir_ / "card link");
  fs::create_directories(card_ / "backups");
  const auto tree = [this] {
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(card_)) entries.insert(entry.path().string());
    return entries;
  };
  const std::set<std::string> before = tree();
  for (const fs::path& target : {card_, card_ / "ch1", card_ / "ch1/event/old", card_ / "config",
                                 card_ / "backups/../log", dir_ / "log link", dir_ / "card link"}) {
    const std::optional<LangText> refusal = BackupStartRefusal(card_, true, {}, target.string());
    ASSERT_TRUE(refusal.has_value()) << target;
    EXPECT_EQ(refusal->key, kBackupMsgFolderInCard.key) << target;
    // Run refuses it too, whoever calls it: nothing is written, nothing is OK.
    BackupJob job(card_);
    job.SelectAll();
    const BackupResult result = job.Run(target, prompt_, cancel_, {});
    EXPECT_EQ(result.copied, 0) << target;
    EXPECT_GT(result.failed, 0) << target;
    EXPECT_EQ(tree(), before) << target;
  }
  // A folder of the card's own beside the recorder's is a place for backups.
  EXPECT_FALSE(BackupStartRefusal(card_, true, {}, (card_ / "backups").string()).has_value());
  EXPECT_FALSE(BackupStartRefusal(card_, true, {}, target_.string()).has_value());
  EXPECT_EQ(BackupStartRefusal(dir_ / "backups", true, {}, target_.string())->key, kBackupMsgInvalidCard.key);
}

// A prompt that notes the thread each question is asked on.
class ThreadNotingPrompt final : public Prompt {
 public:
  PromptAnswer Show(const std::string& text, const std::string&, PromptButtons) override {
    threads.push_back(std::this_thread::get_id());
    texts.push_back(text);
    return answer;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }

  PromptAnswer answer = PromptAnswer::Yes;
  std::vector<std::thread::id> threads;
  std::vector<std::string> texts;
};

TEST_F(BackupCardTest, TheTaskAsksOnTheUserInterfaceThreadAndEndsThere) {
  ManualUiQueue ui;
  ThreadNotingPrompt prompt;
  BackupTask task(ui, prompt);
  BackupJob job(card_);
  job.Select({{}, {}, {written_.logs[0].path.stem().string()}});
  std::optional<BackupResult> ended;
  std::thread::id endedOn;
  const auto onEnd = [&](const BackupResult& result) {
    ended = result;
    endedOn = std::this_thread::get_id();
  };

  ASSERT_TRUE(task.Start(job, target_, onEnd));
  EXPECT_FALSE(task.Start(job, target_, onEnd));  // one run at a time
  while (!ended) ui.WaitAndDrain(1000);
  EXPECT_EQ(ended->end, BackupEnd::Completed);
  EXPECT_EQ(endedOn, std::this_thread::get_id());
  EXPECT_EQ(task.OverallPosition(), 1);
  EXPECT_EQ(task.OverallRange(), 1);
  EXPECT_EQ(task.FilePercent(), 100);
  EXPECT_TRUE(prompt.threads.empty());

  // Again into the same folder: the question comes to this thread, and No stops the run.
  ended.reset();
  prompt.answer = PromptAnswer::No;
  ASSERT_TRUE(task.Start(job, target_, onEnd));
  while (!ended) ui.WaitAndDrain(1000);
  EXPECT_EQ(ended->end, BackupEnd::Stopped);
  ASSERT_EQ(prompt.threads.size(), 1u);
  EXPECT_EQ(prompt.threads[0], std::this_thread::get_id());
  EXPECT_EQ(prompt.texts[0].substr(0, prompt.texts[0].find('\n')), "Same file exists, Overwrite this file ?");
  EXPECT_FALSE(task.Running());
}

}  // namespace
