// Drives in Linux terms, on a fake sysfs and mount table: a USB card reader
// with a card, an internal reader slot without one, a fixed disk, a DVD and
// a network share.
#include <gtest/gtest.h>

#include "platform/FolderChecks.h"
#include "platform/Volumes.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(MountInfo, UnescapesOctalAndKeepsStrayBackslashes) {
  EXPECT_EQ(UnescapeMountField("/media/user/MY\\040CARD"), "/media/user/MY CARD");
  EXPECT_EQ(UnescapeMountField("a\\011b\\012c\\134d"), "a\tb\nc\\d");
  EXPECT_EQ(UnescapeMountField("tail\\04"), "tail\\04") << "a cut-off escape stays as written";
  EXPECT_EQ(UnescapeMountField("\\9xy"), "\\9xy");
}

TEST(MountInfo, ReadsFieldsAfterTheOptionalOnesAndSkipsBrokenLines) {
  const std::string table =
      "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
      "40 22 8:17 / /media/u/MY\\040CARD rw shared:50 master:3 - vfat /dev/sdb1 rw,uid=1000\n"
      "garbage line\n"
      "41 22 0:44 / /mnt/x rw no-separator here at all\n"
      "42 22 0:45 / relative rw - tmpfs tmpfs rw\n"
      "43 22 0:46 / /srv rw - nfs4\n";
  const std::vector<MountEntry> entries = ParseMountInfo(table);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].deviceNumber, "8:17");
  EXPECT_EQ(entries[1].mountPoint, "/media/u/MY CARD");
  EXPECT_EQ(entries[1].fsType, "vfat");
  EXPECT_EQ(entries[1].source, "/dev/sdb1");
  EXPECT_EQ(entries[2].fsType, "nfs4");
  EXPECT_EQ(entries[2].source, "") << "a line cut after the type still names its mount";
}

// A small machine: sda fixed, sdb a USB reader with a card (reporting fixed
// media, as many do), sdc an internal reader slot flagged removable and
// empty, sr0 a DVD drive.
class VolumesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::canonical(dir_.path());
    sys_ = root_ / "sys";
    const fs::path pci = sys_ / "devices/pci0000:00";
    AddDisk(pci / "0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "0", "500000", {"sda2"});
    AddDisk(pci / "0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb", "0", "62333952", {"sdb1"});
    AddDisk(pci / "0000:00:1c.0/0000:02:00.0/host3/target3:0:0/3:0:0:0/block/sdc", "1", "0", {});
    const fs::path dvd = pci / "0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/block/sr0";
    AddDisk(dvd, "1", "4000000", {});
    dir_.Write(fs::relative(dvd / "device/type", root_).string(), "5\n");

    card_ = root_ / "media/user/MY CARD";
    dvdMount_ = root_ / "media/user/DVD";
    share_ = root_ / "net/share";
    fs::create_directories(card_ / "DCIM");
    fs::create_directories(dvdMount_);
    fs::create_directories(root_ / "media/user/OLDCARD");  // left behind by a card pulled out
    fs::create_directories(share_);
    const std::string table =
        "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
        "40 22 8:17 / " +
        Escaped(card_) +
        " rw shared:50 - vfat /dev/sdb1 rw\n"
        "41 22 11:0 / " +
        dvdMount_.string() +
        " ro - iso9660 /dev/sr0 ro\n"
        "42 22 0:50 / " +
        share_.string() +
        " rw - nfs4 host:/export rw\n"
        "43 22 0:51 / " +
        (root_ / "gone").string() + " rw - cifs //host/gone rw\n";
    mountInfo_ = dir_.Write("mountinfo", table);
  }

  static std::string Escaped(const fs::path& path) {
    std::string out;
    for (char c : path.string()) out += c == ' ' ? std::string("\\040") : std::string(1, c);
    return out;
  }

  void AddDisk(const fs::path& disk, const char* removable, const char* size,
               std::initializer_list<const char*> partitions) {
    const std::string rel = fs::relative(disk, root_).string();
    dir_.Write(rel + "/removable", std::string(removable) + "\n");
    dir_.Write(rel + "/size", std::string(size) + "\n");
    fs::create_directories(sys_ / "class/block");
    fs::create_symlink(disk, sys_ / "class/block" / disk.filename());
    for (const char* partition : partitions) {
      dir_.Write(rel + "/" + partition + "/partition", "1\n");
      dir_.Write(rel + "/" + partition + "/size", "1000\n");
      fs::create_symlink(disk / partition, sys_ / "class/block" / partition);
    }
  }

  Volumes Make() const { return Volumes(mountInfo_, sys_, {root_ / "media", root_ / "run/media"}); }

  TempDir dir_;
  fs::path root_, sys_, mountInfo_, card_, dvdMount_, share_;
};

TEST_F(VolumesTest, LongestMountPointHoldsThePath) {
  const Volumes volumes = Make();
  EXPECT_EQ(volumes.MountPointOf(card_ / "DCIM"), card_);
  EXPECT_EQ(volumes.MountPointOf(card_), card_);
  EXPECT_EQ(volumes.MountPointOf(card_.string() + "/"), card_);
  EXPECT_EQ(volumes.MountPointOf(root_ / "media/user/MY CARDX"), "/") << "a name that only starts alike is not inside";
  EXPECT_EQ(volumes.MountPointOf(card_ / "DCIM/../../OLDCARD"), "/");
  EXPECT_EQ(volumes.MountPointOf("relative/path"), "");
  EXPECT_EQ(Volumes(root_ / "no-table", sys_, {}).MountPointOf(card_), "");
}

TEST_F(VolumesTest, LaterMountOverTheSamePointWins) {
  dir_.Write("mountinfo", TempDir::Read(mountInfo_) + "44 40 0:60 / " + Escaped(card_) + " rw - tmpfs tmpfs rw\n");
  const auto mount = Make().MountOf(card_ / "DCIM");
  ASSERT_TRUE(mount.has_value());
  EXPECT_EQ(mount->fsType, "tmpfs");
}

TEST_F(VolumesTest, RemovableFromTheDiskFlagOrTheBus) {
  const Volumes volumes = Make();
  EXPECT_TRUE(volumes.IsRemovableDrive(card_ / "DCIM")) << "USB reader reporting fixed media";
  EXPECT_FALSE(volumes.IsRemovableDrive(root_ / "media/user/OLDCARD")) << "on the fixed system disk";
  EXPECT_TRUE(volumes.IsRemovableDrive("/dev/sdc")) << "flagged removable";
  EXPECT_FALSE(volumes.IsRemovableDrive("/dev/sda"));
  EXPECT_FALSE(volumes.IsRemovableDrive(share_)) << "no block device behind a network share";
  EXPECT_TRUE(volumes.IsOpticalDrive(dvdMount_));
  EXPECT_TRUE(volumes.IsOpticalDrive("/dev/sr0"));
  EXPECT_FALSE(volumes.IsOpticalDrive(card_));
}

TEST_F(VolumesTest, ClassifiesBareDrivesAndOrdinaryPaths) {
  const Volumes volumes = Make();
  EXPECT_EQ(volumes.Classify(card_), DriveKind::kRemovableRoot);
  EXPECT_EQ(volumes.Classify(card_ / "DCIM"), DriveKind::kFullPath);
  EXPECT_EQ(volumes.Classify(root_ / "media/user/OLDCARD"), DriveKind::kEmptySlot);
  EXPECT_EQ(volumes.Classify(dvdMount_), DriveKind::kOpticalRoot);
  EXPECT_EQ(volumes.Classify(share_), DriveKind::kRemovableRoot);
  EXPECT_EQ(volumes.Classify(root_ / "data"), DriveKind::kFullPath);
  EXPECT_EQ(volumes.Classify("/"), DriveKind::kFullPath) << "the fixed system disk";
  EXPECT_EQ(volumes.Classify("/dev/sdc"), DriveKind::kEmptySlot);
  EXPECT_EQ(volumes.Classify("/dev/sdb"), DriveKind::kRemovableRoot);
  EXPECT_EQ(volumes.Classify("/dev/sda"), DriveKind::kFullPath);
  EXPECT_TRUE(volumes.IsBareDrive(card_));
  EXPECT_FALSE(volumes.IsBareDrive(card_ / "DCIM"));
  EXPECT_EQ(volumes.MediumRoot("/dev/sdb"), card_) << "the card's partition is mounted";
  EXPECT_FALSE(volumes.MediumRoot("/dev/sdc").has_value());
}

TEST_F(VolumesTest, FolderAvailableOnlyWithAReadableMedium) {
  const Volumes volumes = Make();
  EXPECT_TRUE(IsFolderAvailable(card_.string(), volumes));
  EXPECT_TRUE(IsFolderAvailable((card_ / "DCIM").string(), volumes));
  EXPECT_FALSE(IsFolderAvailable((card_ / "MISSING").string(), volumes));
  EXPECT_FALSE(IsFolderAvailable((root_ / "media/user/OLDCARD").string(), volumes)) << "reader without a card";
  EXPECT_FALSE(IsFolderAvailable("/dev/sdc", volumes)) << "empty reader slot";
  EXPECT_TRUE(IsFolderAvailable("/dev/sdb", volumes));
  EXPECT_FALSE(IsFolderAvailable(dvdMount_.string(), volumes)) << "never onto a CD/DVD";
  EXPECT_TRUE(IsFolderAvailable(share_.string(), volumes));
  EXPECT_FALSE(IsFolderAvailable((root_ / "gone").string(), volumes)) << "a share whose volume cannot be read";
  EXPECT_FALSE(IsFolderAvailable("", volumes));
}

TEST(VolumeSpace, StatvfsOfAnExistingFolderOnly) {
  TempDir dir;
  const auto size = Volumes::VolumeSizeBytes(dir.path());
  const auto free = Volumes::VolumeFreeBytes(dir.path());
  ASSERT_TRUE(size.has_value());
  ASSERT_TRUE(free.has_value());
  EXPECT_GT(*size, 0u);
  EXPECT_LE(*free, *size);
  EXPECT_FALSE(Volumes::VolumeSizeBytes(dir / "missing").has_value());
}

}  // namespace
