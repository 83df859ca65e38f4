// What the disk check may run on, against a fake sysfs, mount table and
// swap table: a USB card reader with a card, the system's fixed disk, a
// USB disk holding swap, another holding /boot, loop and device-mapper
// devices, a card under dm-crypt, a disk with two partitions, an empty
// reader slot and a disk too large to be a card.
#include <gtest/gtest.h>

#include "support/FakeBlockDevices.h"
#include "support/TempDir.h"
#include "tools/DiskCheckTarget.h"

namespace fs = std::filesystem;

namespace {

class DiskCheckTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::canonical(dir_.path());
    sys_ = root_ / "sys";
    const fs::path pci = sys_ / "devices/pci0000:00";
    const fs::path usb = pci / "0000:00:14.0/usb2";
    AddDisk(pci / "0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "0", "500000", {"sda1", "sda2"});
    AddDisk(usb / "2-1/host6/target6:0:0/6:0:0:0/block/sdb", "0", "62333952", {"sdb1"});
    AddDisk(usb / "2-2/host7/target7:0:0/7:0:0:0/block/sdc", "0", "62333952", {"sdc1", "sdc2"});
    AddDisk(usb / "2-3/host8/target8:0:0/8:0:0:0/block/sdd", "1", "62333952", {"sdd1"});
    AddDisk(usb / "2-4/host9/target9:0:0/9:0:0:0/block/sde", "0", "62333952", {"sde1"});
    AddDisk(usb / "2-5/host10/target10:0:0/10:0:0:0/block/sdf", "0", "8589934592", {});  // 4 TiB
    AddDisk(pci / "0000:00:1c.0/mmc_host/mmc0/mmc0:0001/block/mmcblk0", "0", "0", {});
    AddDisk(sys_ / "devices/virtual/block/loop0", "0", "131072", {});
    AddDisk(sys_ / "devices/virtual/block/dm-0", "0", "131072", {});
    dir_.Write(Rel(sys_ / "devices/virtual/block/dm-0/dm/name"), "cryptcard\n");
    dir_.Write(Rel(usb / "2-4/host9/target9:0:0/9:0:0:0/block/sde/sde1/holders/dm-0"), "");
    image_ = dir_.Write("card.img", "not really FAT, but a file");
    dir_.Write(Rel(sys_ / "devices/virtual/block/loop0/loop/backing_file"), image_.string() + "\n");

    card_ = root_ / "media/user/CARD";
    fs::create_directories(card_ / "CH1");
    fs::create_directories(root_ / "tmpfs");
    const std::string table =
        "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "23 22 8:2 / /home rw - ext4 /dev/sda2 rw\n"
        "24 22 8:49 / /boot/efi rw - vfat /dev/sdd1 rw\n"
        "25 22 0:40 / " +
        (root_ / "tmpfs").string() +
        " rw - tmpfs tmpfs rw\n"
        "40 22 8:17 / " +
        card_.string() + " rw - vfat /dev/sdb1 rw\n";
    mountInfo_ = dir_.Write("mountinfo", table);
    swaps_ = dir_.Write("swaps",
                        "Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n"
                        "/dev/sdc2                               partition\t1048572\t\t0\t\t-2\n");
  }

  std::string Rel(const fs::path& path) const { return fs::relative(path, root_).string(); }

  void AddDisk(const fs::path& disk, const char* removable, const char* size,
               std::initializer_list<const char*> partitions) const {
    AddFakeDisk(sys_, disk, removable, size, partitions, "1000000");
  }

  DiskCheckTarget Resolve(const fs::path& given) const {
    const Volumes volumes(mountInfo_, sys_, {root_ / "media"});
    return DiskCheckTargets(volumes, swaps_).Resolve(given);
  }

  DiskCheckRefusal RefusalOf(const fs::path& given) const { return Resolve(given).refusal; }

  TempDir dir_;
  fs::path root_, sys_, mountInfo_, swaps_, card_, image_;
};

TEST_F(DiskCheckTargetTest, ACardFolderLeadsToItsPartitionAndWhereItIsMounted) {
  for (const fs::path& given : {card_, card_ / "CH1", fs::path("/dev/sdb1"), fs::path("/dev/sdb")}) {
    const DiskCheckTarget target = Resolve(given);
    EXPECT_FALSE(target.Refused()) << given << ": " << DiskCheckRefusalText(target.refusal, given.string());
    EXPECT_EQ(target.kind, DiskCheckKind::kDevice);
    EXPECT_EQ(target.path, "/dev/sdb1") << given << " names the card, whose file system is on its one partition";
    EXPECT_EQ(target.mountPoint, card_) << given;
  }
}

TEST_F(DiskCheckTargetTest, TheSystemsDisksAreRefusedWhateverNamesThem) {
  EXPECT_EQ(RefusalOf("/dev/sda1"), DiskCheckRefusal::kSystemDisk);
  EXPECT_EQ(RefusalOf(root_ / "tmpfs/.."), DiskCheckRefusal::kSystemDisk) << "a folder on the root file system";
  EXPECT_EQ(RefusalOf("/dev/sdc1"), DiskCheckRefusal::kSystemDisk) << "its disk holds swap on sdc2";
  EXPECT_EQ(RefusalOf("/dev/sdd1"), DiskCheckRefusal::kSystemDisk) << "removable, but mounted at /boot/efi";
}

TEST_F(DiskCheckTargetTest, VirtualStackedEmptyAndOversizedDevicesAreRefused) {
  EXPECT_EQ(RefusalOf("/dev/loop0"), DiskCheckRefusal::kVirtualDevice);
  EXPECT_EQ(RefusalOf("/dev/dm-0"), DiskCheckRefusal::kVirtualDevice);
  EXPECT_EQ(RefusalOf("/dev/sde1"), DiskCheckRefusal::kVirtualDevice) << "dm-crypt sits on it";
  EXPECT_EQ(RefusalOf("/dev/sde"), DiskCheckRefusal::kVirtualDevice);
  EXPECT_EQ(RefusalOf("/dev/mmcblk0"), DiskCheckRefusal::kNoMedium);
  EXPECT_EQ(RefusalOf("/dev/sdf"), DiskCheckRefusal::kTooLarge);
}

TEST_F(DiskCheckTargetTest, SomethingThatIsNoCardDeviceNorImageIsRefused) {
  EXPECT_EQ(RefusalOf("/dev/null"), DiskCheckRefusal::kNotDeviceOrImage) << "no block device of that name";
  EXPECT_EQ(RefusalOf("/dev/../dev/sdz9"), DiskCheckRefusal::kNotDeviceOrImage);
  EXPECT_EQ(RefusalOf(root_ / "tmpfs"), DiskCheckRefusal::kNotDeviceOrImage) << "a mount without a block device";
  EXPECT_EQ(RefusalOf(root_ / "nothing/here"), DiskCheckRefusal::kNotFound);
  EXPECT_EQ(RefusalOf(""), DiskCheckRefusal::kNotFound);
}

TEST_F(DiskCheckTargetTest, AnImageIsCheckedUnlessALoopDeviceHasItAttached) {
  EXPECT_EQ(RefusalOf(image_), DiskCheckRefusal::kImageInUse);
  const fs::path spare = dir_.Write("spare.img", "x");
  const DiskCheckTarget target = Resolve(spare);
  EXPECT_FALSE(target.Refused());
  EXPECT_EQ(target.kind, DiskCheckKind::kImage);
  EXPECT_EQ(target.path, spare);
  EXPECT_TRUE(target.mountPoint.empty());
}

TEST_F(DiskCheckTargetTest, ADiskWithSeveralPartitionsNeedsTheOneNamed) {
  // sdc is refused for its swap anyway; the partition count is looked at first.
  EXPECT_EQ(RefusalOf("/dev/sdc"), DiskCheckRefusal::kPartitioned);
  EXPECT_EQ(RefusalOf("/dev/sda"), DiskCheckRefusal::kPartitioned);
}

TEST_F(DiskCheckTargetTest, MountPointsOfADeviceAreAllItsMounts) {
  dir_.Write("mountinfo",
             TempDir::Read(mountInfo_) + "41 22 8:17 / " + (root_ / "again").string() + " rw - vfat /dev/sdb1 rw\n");
  const Volumes volumes(mountInfo_, sys_, {root_ / "media"});
  const DiskCheckTargets targets(volumes, swaps_);
  EXPECT_EQ(targets.MountPointsOf("/dev/sdb1"), (std::vector<fs::path>{card_, root_ / "again"}));
  EXPECT_TRUE(targets.MountPointsOf("/dev/sde1").empty());
}

}  // namespace
