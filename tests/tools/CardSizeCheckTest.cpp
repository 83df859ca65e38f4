// The card-size rule against a fake sysfs and mount table: a card reader's
// card is measured by its partition, a folder on the system's fixed disk is
// never measured, and the limit is whole MiB of the total size.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "support/TempDir.h"
#include "tools/CardSizeCheck.h"

namespace {

namespace fs = std::filesystem;

constexpr uint64_t kSectorsPerMiB = 2048;

class CardSizeCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::canonical(dir_.path());
    sys_ = root_ / "sys";
    card_ = root_ / "media/user/CARD";
    backup_ = root_ / "home/user/backup";
    fs::create_directories(card_ / "CH1");
    fs::create_directories(backup_);
    AddDisk("devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "0", "sda2", 1000);
    AddDisk("devices/pci0000:00/0000:00:14.0/usb2/2-1/host6/target6:0:0/6:0:0:0/block/sdb", "1", "sdb1", 0);
    dir_.Write("mountinfo",
               "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
               "40 22 8:17 / " +
                   card_.string() + " rw - vfat /dev/sdb1 rw\n");
  }

  void AddDisk(const std::string& disk, const char* removable, const std::string& partition, uint64_t sectors) {
    dir_.Write("sys/" + disk + "/removable", std::string(removable) + "\n");
    dir_.Write("sys/" + disk + "/size", "999999999\n");
    dir_.Write("sys/" + disk + "/" + partition + "/partition", "1\n");
    SetSectors(disk + "/" + partition, sectors);
    fs::create_directories(sys_ / "class/block");
    fs::create_symlink(sys_ / disk / partition, sys_ / "class/block" / partition);
    partitions_[partition] = disk + "/" + partition;
  }

  void SetSectors(const std::string& partitionFolder, uint64_t sectors) const {
    dir_.Write("sys/" + partitionFolder + "/size", std::to_string(sectors) + "\n");
  }

  void CardOfSectors(uint64_t sectors) { SetSectors(partitions_["sdb1"], sectors); }

  Volumes Drives() const { return Volumes(root_ / "mountinfo", sys_, {root_ / "media"}); }

  TempDir dir_;
  fs::path root_, sys_, card_, backup_;
  std::map<std::string, std::string> partitions_;
};

TEST_F(CardSizeCheckTest, TheLimitIsFifteenHundredWholeMiB) {
  CardOfSectors(1499 * kSectorsPerMiB);
  EXPECT_TRUE(IsUnsupportedCardSize(Drives(), card_));
  CardOfSectors(1500 * kSectorsPerMiB - 1);
  EXPECT_TRUE(IsUnsupportedCardSize(Drives(), card_));
  CardOfSectors(1500 * kSectorsPerMiB);
  EXPECT_FALSE(IsUnsupportedCardSize(Drives(), card_));
  EXPECT_EQ(RemovableCardBytes(Drives(), card_), uint64_t{1500} << 20);
}

TEST_F(CardSizeCheckTest, AFolderOnTheCardIsMeasuredByTheCard) {
  CardOfSectors(1024 * kSectorsPerMiB);
  EXPECT_TRUE(IsUnsupportedCardSize(Drives(), card_ / "CH1"));
}

TEST_F(CardSizeCheckTest, AFolderOnAFixedDiskIsNeverMeasured) {
  EXPECT_FALSE(RemovableCardBytes(Drives(), backup_).has_value());
  EXPECT_FALSE(IsUnsupportedCardSize(Drives(), backup_));
}

}  // namespace
