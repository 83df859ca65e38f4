#include <gtest/gtest.h>

#include <cstdio>

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

TEST_F(CheckFilesPassTest, OnlyTheDeletedFilesOwnIndexGoes) {
  // Empty stems and stems that begin another recording's name: a prefix
  // search would hand each of them the full recording's index.
  Put("ch1/event/.vdd", 5);
  Put("ch1/event/_1234567.vdd", 5);
  Put("ch1/event/0002.vdd", 5);
  const std::string full = Put("ch1/event/00021234.vdd", 500);
  const std::string fullIndex = Put("ch1/event/00021234.vdx", 6992);
  // A recording whose data file is not (or not yet) there.
  const std::string orphanIndex = Put("ch1/event/00020000.vdx", 6992);
  // The own partner goes, found in any letter case.
  Put("ch1/normal/0003_1234567.vdd", 5);
  const std::string ownIndex = Put("ch1/normal/0003.VDX", 200);
  // An index that still serves another data file of the same stem stays.
  Put("ch1/normal/0004.vdd", 5);
  const std::string suffixed = Put("ch1/normal/0004_7654321.vdd", 500);
  const std::string sharedIndex = Put("ch1/normal/0004.vdx", 200);

  CheckFilesPass pass(dir_.path().string(), 7);
  RunPass(pass);
  EXPECT_EQ(fs::file_size(fullIndex), 6992u);
  EXPECT_EQ(fs::file_size(orphanIndex), 6992u);
  EXPECT_EQ(pass.EventPaths(), Paths{full});
  EXPECT_FALSE(fs::exists(ownIndex));
  EXPECT_TRUE(fs::exists(sharedIndex));
  EXPECT_EQ(pass.NormalPaths(), Paths{suffixed});
  EXPECT_EQ(pass.Deleted().size(), 6u);
  EXPECT_EQ(pass.Crashed(), 0);
}

TEST_F(CheckFilesPassTest, NothingIsDeletedThroughALink) {
  // The card's event folder leads to a folder elsewhere.
  TempDir elsewhere;
  const std::string outsideData = elsewhere.Write("0001.vdd", Filler(10)).string();
  const std::string outsideIndex = elsewhere.Write("0001.vdx", Filler(5)).string();
  fs::remove(dir_ / "ch1/event");
  fs::create_directory_symlink(elsewhere.path(), dir_ / "ch1/event");
  // A linked file in a real folder of the card, and a tiny index beside a
  // data file, each pointing out of the card.
  const std::string outsideLog = elsewhere.Write("0002.log", Filler(10)).string();
  fs::create_symlink(outsideLog, dir_ / "log/0002.log");
  const std::string outsideShortIndex = elsewhere.Write("short.vdx", Filler(3)).string();
  const std::string data = Put("ch1/normal/0003.vdd", 100);
  fs::create_symlink(outsideShortIndex, dir_ / "ch1/normal/0003.vdx");
  // The card's own files are still cleaned.
  const std::string shortData = Put("ch1/normal/0004.vdd", 10);

  CheckFilesPass pass(dir_.path().string(), 4);
  RunPass(pass);
  for (const std::string& kept : {outsideData, outsideIndex, outsideLog, outsideShortIndex}) {
    EXPECT_TRUE(fs::exists(kept)) << kept;
  }
  EXPECT_TRUE(fs::is_symlink(dir_ / "log/0002.log"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "ch1/normal/0003.vdx"));
  EXPECT_EQ(pass.Deleted(), Paths{shortData});
  // What could not be deleted is still there, and listed as such.
  EXPECT_EQ(pass.EventPaths(), Paths{PathOf("ch1/event/0001.vdd")});
  EXPECT_EQ(pass.NormalPaths(), Paths{data});
  EXPECT_EQ(pass.LogPaths(), Paths{PathOf("log/0002.log")});
}

TEST_F(CheckFilesPassTest, ManyEmptyPairsAreAllRemoved) {
  constexpr int kPairs = 300;
  Paths kept;
  for (int i = 0; i < kPairs; ++i) {
    char stem[16];
    std::snprintf(stem, sizeof stem, "%05d", i);
    Put("ch1/event/" + std::string(stem) + ".vdd", i % 3 == 0 ? 100 : 29);
    Put("ch1/event/" + std::string(stem) + ".vdx", 100);
    if (i % 3 == 0) kept.push_back(PathOf("ch1/event/" + std::string(stem) + ".vdd"));
  }
  CheckFilesPass pass(dir_.path().string(), kPairs);
  RunPass(pass);
  EXPECT_EQ(pass.EventPaths(), kept);
  EXPECT_EQ(pass.Deleted().size(), 2u * (kPairs - kept.size()));
  size_t left = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_ / "ch1/event")) ++left;
  EXPECT_EQ(left, 2 * kept.size());
}

TEST_F(CheckFilesPassTest, EachRecordingsIndexIsTheOneTheCardHoldsAfterThePass) {
  // "000" finds "0001"'s index by prefix until "0001" goes with it; "0002"
  // loses its tiny index to the pass and then has none.
  const std::string prefixed = Put("ch1/event/000.vdd", 100);
  Put("ch1/event/0001.vdd", 5);
  Put("ch1/event/0001.vdx", 200);
  const std::string lostIndex = Put("ch1/event/0002.vdd", 100);
  Put("ch1/event/0002.vdx", 5);
  const std::string own = Put("ch1/normal/0003_1234567.vdd", 100);
  const std::string ownIndex = Put("ch1/normal/0003.VDX", 200);
  for (const bool verify : {true, false}) {
    SCOPED_TRACE(verify ? "verified" : "not verified");
    CheckFilesPass pass(dir_.path().string(), 4);
    pass.SetVerify(verify);
    RunPass(pass);
    EXPECT_EQ(pass.EventPaths(), (Paths{prefixed, lostIndex}));
    EXPECT_EQ(pass.EventIndexPaths(), (Paths{"", ""}));
    EXPECT_EQ(pass.NormalIndexPaths(), Paths{ownIndex});
  }
}

TEST_F(CheckFilesPassTest, RunsOnlyOnce) {
  Put("ch1/event/0001.vdd", 100);
  CheckFilesPass pass(dir_.path().string(), 1);
  RunPass(pass);
  EXPECT_FALSE(pass.Start(ui_, {}));
  EXPECT_EQ(pass.Progress(), 1);
}

}  // namespace
