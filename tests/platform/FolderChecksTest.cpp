// The target-folder checks on the real file system.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FolderChecks.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

size_t EntryCount(const fs::path& folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
  return count;
}

TEST(FolderChecks, AvailableExactlyWhenTheFolderExists) {
  TempDir dir;
  EXPECT_TRUE(IsFolderAvailable(dir.path().string()));
  EXPECT_FALSE(IsFolderAvailable((dir / "missing").string()));
  EXPECT_FALSE(IsFolderAvailable(""));
}

TEST(FolderChecks, WritableFolderLeavesNothingBehind) {
  TempDir dir;
  EXPECT_TRUE(IsWritableFolder(dir.path().string()));
  EXPECT_EQ(EntryCount(dir.path()), 0u);
  EXPECT_FALSE(IsWritableFolder((dir / "missing").string()));
  EXPECT_FALSE(IsWritableFolder(dir.Write("plain-file", "x").string())) << "a file is no folder";
  EXPECT_FALSE(IsWritableFolder(""));
  EXPECT_FALSE(IsWritableFolder("/proc")) << "refuses new files even to root";
}

TEST(FolderChecks, UsersOwnTestDatSurvives) {
  TempDir dir;
  const fs::path mine = dir.Write("test.dat", "the user's own data");
  EXPECT_TRUE(IsWritableFolder(dir.path().string()));
  EXPECT_EQ(TempDir::Read(mine), "the user's own data");
  EXPECT_EQ(EntryCount(dir.path()), 1u) << "the probe under another name is gone again";
  // Not even a link named test.dat is followed into somebody else's file.
  const fs::path target = dir.Write("elsewhere/target", "keep");
  fs::remove(mine);
  fs::create_symlink(target, mine);
  EXPECT_TRUE(IsWritableFolder(dir.path().string()));
  EXPECT_EQ(TempDir::Read(target), "keep");
  EXPECT_TRUE(fs::is_symlink(mine));
}

TEST(FolderChecks, ReadOnlyFolderIsNotWritable) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  TempDir dir;
  const fs::path locked = dir / "locked";
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_TRUE(IsFolderAvailable(locked.string()));
  EXPECT_FALSE(IsWritableFolder(locked.string()));
  fs::permissions(locked, fs::perms::owner_all);
}

}  // namespace
