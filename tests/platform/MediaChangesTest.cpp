#include <gtest/gtest.h>

#include "platform/MediaChanges.h"

namespace {

std::vector<MountEntry> Mounts(std::initializer_list<const char*> points) {
  std::vector<MountEntry> mounts;
  for (const char* point : points) mounts.push_back(MountEntry{"8:1", point, "vfat", "/dev/sdb1"});
  return mounts;
}

TEST(MediaChangesTest, DiffFindsRemovedAndAddedMountsCountingRepeats) {
  const MediaChanges changes =
      DiffMounts(Mounts({"/", "/media/u/CARD", "/mnt/x", "/mnt/x"}), Mounts({"/", "/mnt/x", "/media/u/STICK"}));
  EXPECT_EQ(changes.removed, (std::vector<std::string>{"/media/u/CARD", "/mnt/x"}));
  EXPECT_EQ(changes.added, (std::vector<std::string>{"/media/u/STICK"}));
  EXPECT_TRUE(DiffMounts(Mounts({"/", "/a"}), Mounts({"/a", "/"})).Empty());
}

TEST(MediaChangesTest, RootOnMediumComparesWholePathComponents) {
  EXPECT_TRUE(IsOnRemovedMedium("/media/u/CARD", "/media/u/CARD"));
  EXPECT_TRUE(IsOnRemovedMedium("/media/u/CARD/", "/media/u/CARD"));
  EXPECT_TRUE(IsOnRemovedMedium("/media/u/CARD/backup/2026", "/media/u/CARD/"));
  // A sibling whose name merely starts the same is another medium.
  EXPECT_FALSE(IsOnRemovedMedium("/media/u/CARD2", "/media/u/CARD"));
  EXPECT_FALSE(IsOnRemovedMedium("/media/u", "/media/u/CARD"));
  EXPECT_FALSE(IsOnRemovedMedium("/home/u/backup", "/"));
  EXPECT_FALSE(IsOnRemovedMedium("", "/media/u/CARD"));
}

}  // namespace
