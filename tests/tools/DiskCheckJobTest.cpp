// The disk check run for real (fsck.fat, mtools) on FAT32 image files made
// here, and the unmount / check / mount order on a card, with a scripted
// runner and a fake mount table standing in for the system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>

#include "platform/ChildRunner.h"
#include "support/TempDir.h"
#include "tools/DiskCheckJob.h"
#include "tools/FsckProgress.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kImageSize = "64M";
constexpr uint32_t kEndOfChain = 0x0FFFFFFF;
constexpr uint32_t kStrayCluster = 100;
constexpr std::string_view kMtools = "MTOOLS_SKIP_CHECK=1";

bool Exec(const std::vector<std::string>& argv, std::vector<std::string>* lines = nullptr) {
  SpawnChildRunner runner;
  return runner
      .Run(
          {argv, {std::string(kMtools)}},
          [lines](std::string_view line) {
            if (lines) lines->emplace_back(line);
          },
          nullptr)
      .ExitedWith(0);
}

// fsck.fat's read-only verdict: 0 clean, 1 errors found.
int ReadOnlyVerdict(const fs::path& image) {
  SpawnChildRunner runner;
  return runner.Run({{"fsck.fat", "-n", image.string()}, {}}, {}, nullptr).status;
}

std::string Checksum(const fs::path& file) {
  std::vector<std::string> lines;
  Exec({"sha256sum", file.string()}, &lines);
  return lines.empty() ? std::string() : lines.front();
}

std::vector<std::string> RootEntries(const fs::path& image) {
  std::vector<std::string> lines;
  Exec({"mdir", "-b", "-i", image.string(), "::/"}, &lines);
  return lines;
}

// Marks a free cluster as used in the first FAT only: the two copies differ
// and a chain belongs to no file.
void DamageFat(const fs::path& image) {
  std::fstream file(image, std::ios::in | std::ios::out | std::ios::binary);
  unsigned char boot[512] = {};
  file.read(reinterpret_cast<char*>(boot), sizeof boot);
  const uint32_t sectorBytes = boot[11] | (boot[12] << 8);
  const uint32_t reservedSectors = boot[14] | (boot[15] << 8);
  file.seekp(static_cast<std::streamoff>(reservedSectors * sectorBytes + kStrayCluster * 4));
  const unsigned char entry[4] = {kEndOfChain & 0xFF, (kEndOfChain >> 8) & 0xFF, (kEndOfChain >> 16) & 0xFF,
                                  kEndOfChain >> 24};
  file.write(reinterpret_cast<const char*>(entry), sizeof entry);
}

class DiskCheckImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exec({"truncate", "-s", kImageSize, image_.string()}));
    ASSERT_TRUE(Exec({"mkfs.fat", "-F", "32", image_.string()}));
  }

  // Many entries, so that fsck.fat's listing outgrows the pipe and the
  // child is still at work when a cancel arrives.
  void AddManyFiles(int count) {
    const fs::path folder = dir_ / "MANY";
    fs::create_directories(folder);
    for (int k = 0; k < count; ++k) std::ofstream(folder / ("F" + std::to_string(k) + ".TXT"));
    ASSERT_TRUE(Exec({"mcopy", "-s", "-i", image_.string(), folder.string(), "::/"}));
  }

  DiskCheckOutcome Check(const std::function<void(int, std::atomic<bool>&)>& onPercent = {}) {
    const Volumes volumes(dir_ / "no-mountinfo", dir_ / "no-sys", {});
    const DiskCheckTargets targets(volumes, dir_ / "no-swaps");
    const DiskCheckTarget target = targets.Resolve(image_);
    EXPECT_FALSE(target.Refused());
    SpawnChildRunner runner;
    DiskCheckJob job(target, runner, targets);
    std::atomic<bool> cancel{false};
    return job.Run(
        [&](int percent) {
          percents_.push_back(percent);
          if (onPercent) onPercent(percent, cancel);
        },
        cancel);
  }

  TempDir dir_;
  fs::path image_ = dir_ / "card.img";
  std::vector<int> percents_;
};

TEST_F(DiskCheckImageTest, ACleanImageIsOkAndTheBarRisesToTheEnd) {
  AddManyFiles(20);
  const std::string before = Checksum(image_);
  const DiskCheckOutcome outcome = Check();
  EXPECT_EQ(outcome.state, DiskCheckState::kOk) << outcome.detail;
  EXPECT_EQ(Checksum(image_), before) << "nothing to repair, nothing written";
  ASSERT_FALSE(percents_.empty());
  EXPECT_TRUE(std::is_sorted(percents_.begin(), percents_.end()));
  EXPECT_EQ(percents_.back(), 100);
  // With the entries counted beforehand the bar moves with them, not only
  // from phase to phase.
  EXPECT_GT(std::count_if(percents_.begin(), percents_.end(),
                          [](int p) { return p > FsckProgress::kBootRead && p < FsckProgress::kEntriesDone; }),
            10);
}

TEST_F(DiskCheckImageTest, ADamagedFatIsRepairedAndFoundFoldersGo) {
  ASSERT_TRUE(Exec({"mmd", "-i", image_.string(), "::/FOUND.000", "::/found.001", "::/FOUNDER", "::/CH1"}));
  std::ofstream(dir_ / "frag.chk") << "fragment";
  ASSERT_TRUE(Exec({"mcopy", "-i", image_.string(), (dir_ / "frag.chk").string(), "::/FOUND.000/FILE0000.CHK"}));
  DamageFat(image_);
  ASSERT_EQ(ReadOnlyVerdict(image_), 1) << "the damage is seen";

  const DiskCheckOutcome outcome = Check();

  EXPECT_EQ(outcome.state, DiskCheckState::kOk) << outcome.detail;
  EXPECT_EQ(ReadOnlyVerdict(image_), 0) << "clean after the repair";
  std::vector<std::string> removed = outcome.removedFolders;
  std::sort(removed.begin(), removed.end());
  EXPECT_EQ(removed, (std::vector<std::string>{"FOUND.000", "found.001"}));
  const std::vector<std::string> left = RootEntries(image_);
  EXPECT_NE(std::find(left.begin(), left.end(), "::/CH1/"), left.end());
  EXPECT_NE(std::find(left.begin(), left.end(), "::/FOUNDER/"), left.end()) << "only FOUND.* folders go";
  EXPECT_EQ(std::count_if(left.begin(), left.end(), [](const std::string& e) { return e.find("FOUND.") != e.npos; }),
            0);
}

TEST_F(DiskCheckImageTest, CancelLeavesADamagedImageAsItWas) {
  AddManyFiles(3000);
  DamageFat(image_);
  const std::string before = Checksum(image_);
  const DiskCheckOutcome outcome = Check([](int percent, std::atomic<bool>& cancel) {
    if (percent > FsckProgress::kBootRead) cancel = true;
  });
  EXPECT_EQ(outcome.state, DiskCheckState::kCancel);
  EXPECT_EQ(Checksum(image_), before);
  EXPECT_EQ(ReadOnlyVerdict(image_), 1) << "still damaged: nothing was repaired";
  EXPECT_LT(percents_.back(), 100);
}

TEST_F(DiskCheckImageTest, AFileThatIsNoFatFileSystemFails) {
  std::ofstream(image_, std::ios::trunc) << "no boot sector here";
  const DiskCheckOutcome outcome = Check();
  EXPECT_EQ(outcome.state, DiskCheckState::kFail);
  EXPECT_FALSE(outcome.detail.empty());
  EXPECT_EQ(TempDir::Read(image_), "no boot sector here");
}

// ---- a card: the order of unmount, check and mount ----------------------

// Answers for the programs the check runs on a card, without touching a
// device: umount and mount edit the fake mount table; fsck.fat reports
// what the test sets.
class ScriptedRunner final : public ChildRunner {
 public:
  ScriptedRunner(fs::path mountInfo, std::string cardLine)
      : mountInfo_(std::move(mountInfo)), card_(std::move(cardLine)) {}

  ChildResult Run(const ChildCommand& command, const ChildLineSink& onLine, const std::atomic<bool>*) override {
    const std::string& program = command.argv.front();
    calls.push_back(program + (command.argv.size() > 1 ? " " + command.argv[1] : ""));
    if (program == "udisksctl") return {ChildEnd::kNotStarted, -1};
    if (program == "umount") {
      if (unmountWorks) std::ofstream(mountInfo_, std::ios::trunc) << "";
      return {ChildEnd::kExited, unmountWorks ? 0 : 32};
    }
    if (program == "mount") {
      std::ofstream(mountInfo_, std::ios::trunc) << card_;
      return {ChildEnd::kExited, 0};
    }
    if (program == "fsck.fat") {
      if (command.argv[1] == "-n") return {ChildEnd::kExited, 0};
      if (onLine) onLine("Checking free cluster summary.");
      return {ChildEnd::kExited, fsckStatus};
    }
    return {ChildEnd::kExited, 1};  // mtools: no such image
  }

  std::vector<std::string> calls;
  bool unmountWorks = true;
  int fsckStatus = 0;

 private:
  fs::path mountInfo_;
  std::string card_;
};

class DiskCheckCardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path disk = sys_ / "devices/pci0000:00/usb1/1-1/host6/block/sdb";
    dir_.Write(fs::relative(disk / "removable", dir_.path()).string(), "1\n");
    dir_.Write(fs::relative(disk / "size", dir_.path()).string(), "62333952\n");
    fs::create_directories(sys_ / "class/block");
    fs::create_symlink(disk, sys_ / "class/block/sdb");
    fs::create_directories(card_);
    cardLine_ = "40 22 8:16 / " + card_.string() + " rw - vfat /dev/sdb rw\n";
    mountInfo_ = dir_.Write("mountinfo", cardLine_);
  }

  DiskCheckOutcome Check(ScriptedRunner& runner) {
    const Volumes volumes(mountInfo_, sys_, {});
    const DiskCheckTargets targets(volumes, dir_ / "no-swaps");
    const DiskCheckTarget target = targets.Resolve(card_);
    EXPECT_FALSE(target.Refused()) << DiskCheckRefusalText(target.refusal, card_.string());
    DiskCheckJob job(target, runner, targets);
    std::atomic<bool> cancel{false};
    return job.Run({}, cancel);
  }

  TempDir dir_;
  fs::path sys_ = dir_ / "sys";
  fs::path card_ = dir_ / "media/CARD";
  fs::path mountInfo_;
  std::string cardLine_;
};

TEST_F(DiskCheckCardTest, TheCardIsUnmountedCheckedAndMountedAgain) {
  ScriptedRunner runner(mountInfo_, cardLine_);
  runner.fsckStatus = 1;  // corrected; the read-only run after it is clean too
  const DiskCheckOutcome outcome = Check(runner);
  EXPECT_EQ(outcome.state, DiskCheckState::kOk) << outcome.detail;
  EXPECT_TRUE(outcome.wasMounted);
  EXPECT_EQ(outcome.mountedAt, card_);
  const std::vector<std::string>& calls = runner.calls;
  const auto at = [&calls](const std::string& call) { return std::find(calls.begin(), calls.end(), call); };
  ASSERT_NE(at("fsck.fat -a"), calls.end());
  EXPECT_LT(at("umount /dev/sdb"), at("fsck.fat -a"));
  EXPECT_LT(at("udisksctl unmount"), at("umount /dev/sdb")) << "UDisks is asked first";
  EXPECT_GT(at("mount /dev/sdb"), at("fsck.fat -a"));
  EXPECT_NE(at("fsck.fat -n"), calls.end()) << "a repair is confirmed by a read-only run";
}

TEST_F(DiskCheckCardTest, ACardThatStaysMountedIsNotChecked) {
  ScriptedRunner runner(mountInfo_, cardLine_);
  runner.unmountWorks = false;
  const DiskCheckOutcome outcome = Check(runner);
  EXPECT_EQ(outcome.state, DiskCheckState::kFail);
  EXPECT_NE(outcome.detail.find("still mounted"), std::string::npos) << outcome.detail;
  EXPECT_EQ(std::count(runner.calls.begin(), runner.calls.end(), "fsck.fat -a"), 0);
  EXPECT_EQ(outcome.mountedAt, card_);
}

TEST_F(DiskCheckCardTest, AFailedCheckStillMountsTheCardAgain) {
  ScriptedRunner runner(mountInfo_, cardLine_);
  runner.fsckStatus = 4;
  const DiskCheckOutcome outcome = Check(runner);
  EXPECT_EQ(outcome.state, DiskCheckState::kFail);
  EXPECT_EQ(outcome.mountedAt, card_);
  EXPECT_EQ(runner.calls.back(), "mount /dev/sdb");
}

// ---- the child runner ----------------------------------------------------

TEST(SpawnChildRunner, HandsOverLinesAndStatusAndEndsAChildOnCancel) {
  SpawnChildRunner runner;
  std::vector<std::string> lines;
  const ChildResult said = runner.Run(
      {{"sh", "-c", "echo one; echo two >&2; printf three; exit 3"}, {}},
      [&](std::string_view line) { lines.emplace_back(line); }, nullptr);
  EXPECT_TRUE(said.ExitedWith(3));
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));

  EXPECT_EQ(runner.Run({{"korvane-no-such-program"}, {}}, {}, nullptr).end, ChildEnd::kNotStarted);

  std::atomic<bool> cancel{false};
  const ChildResult cancelled = runner.Run(
      {{"sh", "-c", "echo started; exec sleep 30"}, {}}, [&](std::string_view) { cancel = true; }, &cancel);
  EXPECT_EQ(cancelled.end, ChildEnd::kCancelled);

  lines.clear();
  runner.Run(
      {{"sh", "-c", "echo \"$LC_ALL $EXTRA\""}, {"EXTRA=given"}},
      [&](std::string_view line) { lines.emplace_back(line); }, nullptr);
  EXPECT_EQ(lines, std::vector<std::string>{"C given"});
}

}  // namespace
