// Deleting below a folder without ever following a link out of it.
#include <gtest/gtest.h>

#include "platform/RemoveInside.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(RemoveInside, RemovesRegularFilesBelowTheRoot) {
  TempDir dir;
  const auto file = dir.Write("card/ch1/event/0001.vdd", "x");
  EXPECT_TRUE(RemoveFileInside(dir / "card", file).removed);
  EXPECT_FALSE(fs::exists(file));

  // The root itself may be reached through a link, and spelt with a slash.
  const auto again = dir.Write("card/ch1/event/0002.vdd", "x");
  fs::create_directory_symlink(dir / "card", dir / "mount");
  EXPECT_TRUE(RemoveFileInside((dir / "mount").string() + "/", dir / "mount/ch1/event/0002.vdd").removed);
  EXPECT_FALSE(fs::exists(again));

  const RemoveResult missing = RemoveFileInside(dir / "card", dir / "card/ch1/event/0003.vdd");
  EXPECT_FALSE(missing.removed);
  EXPECT_FALSE(missing.reason.empty());
}

TEST(RemoveInside, NeverThroughALinkNorOutsideTheRoot) {
  TempDir dir;
  const auto outside = dir.Write("elsewhere/0001.vdd", "x");
  fs::create_directories(dir / "card/ch1");
  fs::create_directory_symlink(dir / "elsewhere", dir / "card/ch1/event");
  fs::create_symlink(outside, dir / "card/0001.vdd");
  // Even a link that stays inside the card is not followed.
  dir.Write("card/real/0002.vdd", "x");
  fs::create_directory_symlink(dir / "card/real", dir / "card/alias");

  for (const fs::path& path : {dir / "card/ch1/event/0001.vdd", dir / "card/0001.vdd", dir / "card/alias/0002.vdd",
                               dir / "card/../elsewhere/0001.vdd", dir / "elsewhere/0001.vdd"}) {
    const RemoveResult result = RemoveFileInside(dir / "card", path);
    EXPECT_FALSE(result.removed) << path;
    EXPECT_FALSE(result.reason.empty()) << path;
  }
  EXPECT_TRUE(fs::exists(outside));
  EXPECT_TRUE(fs::is_symlink(dir / "card/0001.vdd"));
  EXPECT_TRUE(fs::exists(dir / "card/real/0002.vdd"));
  EXPECT_FALSE(RemoveFileInside(dir / "card", dir / "card").removed);
}

TEST(RemoveInside, OnlyRegularFiles) {
  TempDir dir;
  fs::create_directories(dir / "card/ch1/event/folder.vdd");
  ASSERT_TRUE(MakeFifo(dir / "card/ch1/event/fifo.vdd"));
  EXPECT_FALSE(RemoveFileInside(dir / "card", dir / "card/ch1/event/folder.vdd").removed);
  EXPECT_FALSE(RemoveFileInside(dir / "card", dir / "card/ch1/event/fifo.vdd").removed);
  EXPECT_TRUE(fs::exists(dir / "card/ch1/event/folder.vdd"));
  EXPECT_TRUE(fs::exists(dir / "card/ch1/event/fifo.vdd"));
}

}  // namespace
