#include <gtest/gtest.h>

#include "platform/ManualPorts.h"
#include "recording/CardTestFiles.h"
#include "recording/CheckFilesPass.h"

namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

class CheckFilesPassTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeCardFolders(dir_.path()); }

  std::string Put(const std::string& name, size_t size) { return dir_.Write(name, Filler(size)).string(); }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  // Runs the pass on its worker; the completion arrives through the queue.
  void RunPass(CheckFilesPass& pass) {
    int completions = 0;
    ASSERT_TRUE(pass.Start(ui_, [&completions] { ++completions; }));
    for (int waited = 0; completions == 0 && waited < 100; ++waited) ui_.WaitAndDrain(100);
    pass.Join();
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(pass.IsDone());
  }

  TempDir dir_;
  ManualUiQueue ui_;
};

TEST_F(CheckFilesPassTest, FilesTooShortAreRemovedAndTheRestListed) {
  const std::string shortData = Put("ch1/event/0001.vdd", 29);
  const std::string itsIndex = Put("ch1/event/0001.vdx", 200);
  const std::string longData = Put("ch1/event/0002.vdd", 30);
  Put("ch1/event/0002.vdx", 200);
  const std::string withShortIndex = Put("ch1/normal/0003.vdd", 100);
  const std::string shortIndex = Put("ch1/normal/0003.vdx", 9);
  const std::string withoutIndex = Put("ch1/normal/0004.vdd", 100);
  const std::string shortLog = Put("log/0005.log", 29);
  const std::string log = Put("log/0006.log", 30);

  CheckFilesPass pass(dir_.path().string(), 6);
  RunPass(pass);
  EXPECT_EQ(pass.EventPaths(), Paths{longData});
  EXPECT_EQ(pass.NormalPaths(), (Paths{withShortIndex, withoutIndex}));
  EXPECT_EQ(pass.LogPaths(), Paths{log});
  EXPECT_TRUE(pass.HasLogs());
  EXPECT_EQ(pass.Crashed(), 0);
  EXPECT_EQ(pass.Progress(), 6);
  EXPECT_EQ(pass.Deleted(), (Paths{shortData, itsIndex, shortIndex, shortLog}));
  for (const std::string& gone : pass.Deleted()) EXPECT_FALSE(fs::exists(gone)) << gone;
  EXPECT_TRUE(fs::exists(PathOf("ch1/event/0002.vdx")));
}

TEST_F(CheckFilesPassTest, WithoutVerifyNothingIsTouchedAndEverythingListed) {
  const std::string a = Put("ch1/event/0001.vdd", 0);
  Put("ch1/event/0001.vdx", 3);
  const std::string b = Put("log/0002.log", 1);
  CheckFilesPass pass(dir_.path().string(), 2);
  pass.SetVerify(false);
  RunPass(pass);
  EXPECT_EQ(pass.EventPaths(), Paths{a});
  EXPECT_EQ(pass.LogPaths(), Paths{b});
  EXPECT_TRUE(pass.Deleted().empty());
  EXPECT_EQ(fs::file_size(PathOf("ch1/event/0001.vdx")), 3u);

  // The checks on their own say the same.
  EXPECT_TRUE(pass.CheckDataFile(a, false).ok);
  EXPECT_FALSE(pass.CheckDataFile(a, false).deleted);
  EXPECT_TRUE(pass.CheckIndexFile(PathOf("ch1/event/0001.vdx"), false));
  EXPECT_TRUE(fs::exists(a));
}

TEST_F(CheckFilesPassTest, UnreadableFilesAreCrashedAndLeftOut) {
  if (!MakeUnreadableFile(dir_ / "ch1/event/0001.vdd")) GTEST_SKIP() << "no unreadable file can be made here";
  const std::string readable = Put("ch1/event/0002.vdd", 100);
  // An index that cannot be opened counts as none: the data file loads.
  const std::string withClosedIndex = Put("ch1/normal/0003.vdd", 100);
  ASSERT_TRUE(MakeUnreadableFile(dir_ / "ch1/normal/0003.vdx"));
  ASSERT_TRUE(MakeUnreadableFile(dir_ / "log/0004.log"));

  CheckFilesPass pass(dir_.path().string(), 3);
  RunPass(pass);
  EXPECT_EQ(pass.Crashed(), 1);
  EXPECT_EQ(pass.EventPaths(), Paths{readable});
  EXPECT_EQ(pass.NormalPaths(), Paths{withClosedIndex});
  EXPECT_TRUE(pass.LogPaths().empty());
  EXPECT_FALSE(pass.HasLogs());
  EXPECT_TRUE(pass.Deleted().empty());

  // A missing data file cannot be opened; a missing index is no damage.
  EXPECT_FALSE(pass.CheckDataFile(PathOf("ch1/event/gone.vdd"), true).ok);
  EXPECT_TRUE(pass.CheckIndexFile("", true));
}

TEST_F(CheckFilesPassTest, AnIndexClaimedByAnotherRecordingStays) {
  // "0001" has no index of its own; the prefix rule would hand it 00011's.
  const std::string empty = Put("ch1/event/0001.vdd", 10);
  const std::string other = Put("ch1/event/00011.vdd", 100);
  const std::string otherIndex = Put("ch1/event/00011.vdx", 100);
  CheckFilesPass pass(dir_.path().string(), 2);
  RunPass(pass);
  EXPECT_EQ(pass.Deleted(), Paths{empty});
  EXPECT_TRUE(fs::exists(otherIndex));
  EXPECT_EQ(pass.EventPaths(), Paths{other});
}

TEST_F(CheckFilesPassTest, RunsOnlyOnce) {
  Put("ch1/event/0001.vdd", 100);
  CheckFilesPass pass(dir_.path().string(), 1);
  RunPass(pass);
  EXPECT_FALSE(pass.Start(ui_, {}));
  EXPECT_EQ(pass.Progress(), 1);
}

}  // namespace
