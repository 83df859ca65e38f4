// Whole-file writes that are named only once complete, and the clean-up of
// temporaries left by processes that died during a write.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "platform/AtomicWrite.h"
#include "support/EndedProcess.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(AtomicWrite, ReplacesOrCreatesAndLeavesNothingElse) {
  TempDir dir;
  const auto file = dir / "kelbrin.ini";
  ASSERT_TRUE(WriteFileAtomically(file, "first", WriteMode::kCreateOnly));
  EXPECT_FALSE(WriteFileAtomically(file, "second", WriteMode::kCreateOnly)) << "never over an existing file";
  EXPECT_EQ(TempDir::Read(file), "first");
  ASSERT_TRUE(WriteFileAtomically(file, "third", WriteMode::kReplace));
  EXPECT_EQ(TempDir::Read(file), "third");
  ASSERT_TRUE(WriteFileAtomically(dir / "new.ini", "", WriteMode::kReplace));
  EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"kelbrin.ini", "new.ini"}));
  EXPECT_FALSE(WriteFileAtomically(dir / "missing/x.ini", "x", WriteMode::kReplace));
}

TEST(AtomicWrite, ACreateNeverReplacesALinkOrWhatItPointsAt) {
  TempDir dir;
  fs::create_symlink(dir / "elsewhere.ini", dir / "kelbrin.ini");
  EXPECT_FALSE(WriteFileAtomically(dir / "kelbrin.ini", "x", WriteMode::kCreateOnly));
  EXPECT_TRUE(fs::is_symlink(dir / "kelbrin.ini"));
  EXPECT_FALSE(fs::exists(dir / "elsewhere.ini"));
}

TEST(AtomicWrite, OnlyTheTemporariesOfEndedWritersAreRemoved) {
  TempDir dir;
  const std::string ended = std::to_string(EndedProcessId());
  const std::string running = std::to_string(::getpid());
  dir.Write("kelbrin.ini", "[GUI]");
  dir.Write("kelbrin.ini.tmp-" + ended, "[G");
  dir.Write("kelbrin.ini.seed-" + ended, "[R");
  dir.Write("kelbrin.ini.tmp-" + running, "");
  dir.Write("kelbrin.ini.tmp-" + ended + "x", "");
  dir.Write("set.ini.tmp-" + ended, "");
  fs::create_directory(dir / ("kelbrin.ini.seed-" + ended + "0"));
  RemoveStaleTemporaries(dir / "kelbrin.ini");
  std::vector<std::string> kept{"kelbrin.ini", "kelbrin.ini.seed-" + ended + "0", "kelbrin.ini.tmp-" + ended + "x",
                                "kelbrin.ini.tmp-" + running, "set.ini.tmp-" + ended};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(NamesIn(dir.path()), kept);
}

}  // namespace
