// What a format may run on, against a fake sysfs, mount table and swap
// table: a USB card reader and an SD slot are accepted; the root disk, an
// NVMe system disk, a USB disk holding /home, a loop device and a 4 TiB
// disk are refused. And what the confirmation tells about the card.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/FakeBlockDevices.h"
#include "support/TempDir.h"
#include "tools/CardFormatter.h"
#include "tools/FormatTarget.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kEightGiBSectors = "15523840";

class FormatTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::canonical(dir_.path());
    sys_ = root_ / "sys";
    const fs::path pci = sys_ / "devices/pci0000:00";
    const fs::path usb = pci / "0000:00:14.0/usb2";
    reader_ = usb / "2-1/host6/target6:0:0/6:0:0:0/block/sdb";
    AddDisk(pci / "0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "0", "500000000", {"sda1"});
    AddDisk(pci / "0000:00:1d.0/nvme/nvme0/nvme0n1", "0", "1000000000", {"nvme0n1p1", "nvme0n1p2"});
    AddDisk(reader_, "1", kEightGiBSectors, {"sdb1"});
    AddDisk(usb / "2-2/host7/target7:0:0/7:0:0:0/block/sdc", "0", "976773168", {"sdc1"});
    AddDisk(usb / "2-5/host10/target10:0:0/10:0:0:0/block/sdf", "0", "8589934592", {});  // 4 TiB
    AddDisk(pci / "0000:00:1c.0/mmc_host/mmc0/mmc0:0001/block/mmcblk0", "0", "3842048", {});
    AddDisk(sys_ / "devices/virtual/block/loop0", "0", "131072", {});
    dir_.Write(Rel(reader_ / "device/model"), "Card  Reader    \n");
    dir_.Write(Rel(pci / "0000:00:1c.0/mmc_host/mmc0/mmc0:0001/block/mmcblk0/device/name"), "SD04G\n");

    card_ = root_ / "media/user/CARD";
    fs::create_directories(card_);
    mountInfo_ = dir_.Write("mountinfo",
                            "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                            "23 22 259:2 / /usr rw - ext4 /dev/nvme0n1p2 rw\n"
                            "24 22 8:33 / /home rw - ext4 /dev/sdc1 rw\n"
                            "40 22 8:17 / " +
                                card_.string() + " rw - vfat /dev/sdb1 rw\n");
    swaps_ = dir_.Write("swaps", "Filename\tType\tSize\tUsed\tPriority\n");
    volumes_ = std::make_unique<Volumes>(mountInfo_, sys_, std::vector<fs::path>{root_ / "media"});
    checks_ = std::make_unique<DiskCheckTargets>(*volumes_, swaps_);
    targets_ = std::make_unique<FormatTargets>(*volumes_, *checks_, root_ / "by-label");
  }

  std::string Rel(const fs::path& path) const { return fs::relative(path, root_).string(); }

  void AddDisk(const fs::path& disk, const char* removable, const char* size,
               std::initializer_list<const char*> partitions) const {
    AddFakeDisk(sys_, disk, removable, size, partitions, size);
  }

  TempDir dir_;
  fs::path root_, sys_, reader_, card_, mountInfo_, swaps_;
  std::unique_ptr<Volumes> volumes_;
  std::unique_ptr<DiskCheckTargets> checks_;
  std::unique_ptr<FormatTargets> targets_;
};

TEST_F(FormatTargetTest, ACardReaderAndAnSdSlotMayBeFormatted) {
  const FormatTarget reader = targets_->Resolve(card_);
  ASSERT_FALSE(reader.Refused()) << DiskCheckRefusalText(reader.where.refusal, card_.string());
  EXPECT_EQ(reader.where.path, "/dev/sdb1");
  EXPECT_FALSE(reader.wholeDevice) << "the card's partition is formatted, its table kept";
  EXPECT_EQ(reader.sizeBytes, uint64_t{15523840} * 512);
  EXPECT_EQ(reader.model, "Card  Reader");
  EXPECT_EQ(targets_->Resolve("/dev/sdb").where.path, "/dev/sdb1");

  const FormatTarget slot = targets_->Resolve("/dev/mmcblk0");
  ASSERT_FALSE(slot.Refused());
  EXPECT_TRUE(slot.wholeDevice) << "a card without partition table stays so";
  EXPECT_EQ(slot.model, "SD04G");
}

TEST_F(FormatTargetTest, SystemDisksLoopDevicesAndHugeDisksAreRefused) {
  EXPECT_EQ(targets_->Resolve("/dev/sda").where.refusal, DiskCheckRefusal::kSystemDisk);
  EXPECT_EQ(targets_->Resolve("/dev/sda1").where.refusal, DiskCheckRefusal::kSystemDisk);
  EXPECT_TRUE(targets_->Resolve("/dev/nvme0n1p1").Refused()) << "the NVMe disk holds /usr";
  EXPECT_EQ(targets_->Resolve("/dev/sdc").where.refusal, DiskCheckRefusal::kSystemDisk) << "USB disk with /home";
  EXPECT_EQ(targets_->Resolve("/dev/loop0").where.refusal, DiskCheckRefusal::kVirtualDevice);
  EXPECT_EQ(targets_->Resolve("/dev/sdf").where.refusal, DiskCheckRefusal::kTooLarge);
  EXPECT_TRUE(targets_->Resolve(root_ / "media").Refused()) << "a folder on the system disk";
}

TEST_F(FormatTargetTest, TheDescriptionNamesDeviceSizeModelAndLabel) {
  fs::create_directories(root_ / "by-label");
  fs::create_symlink("/dev/sdb1", root_ / "by-label/OLD\\x20CARD");
  FormatTarget reader = targets_->Resolve(card_);
  EXPECT_EQ(DescribeFormatTarget(reader), "/dev/sdb1, 7.4 GiB, model \"Card  Reader\", label \"OLD CARD\"");
  reader.label.clear();
  reader.model.clear();
  reader.sizeBytes.reset();
  EXPECT_EQ(DescribeFormatTarget(reader), "/dev/sdb1, size unknown, no label");
}

TEST_F(FormatTargetTest, ADeviceNodeThisUserMayNotWriteIsNotTouched) {
  // The fake tree's /dev/sdb1 is no node here, so it cannot be written.
  const FormatTarget reader = targets_->Resolve(card_);
  ASSERT_FALSE(reader.writable);
  struct NothingRuns final : ChildRunner {
    ChildResult Run(const ChildCommand& command, const ChildLineSink&, const std::atomic<bool>*) override {
      ADD_FAILURE() << command.argv.front() << " ran";
      return {};
    }
  } runner;
  MkfsCardFormatter formatter(runner, *checks_);
  const std::atomic<bool> cancel{false};
  const FormatOutcome outcome = formatter.Format({reader, 16384, true}, {}, cancel);
  EXPECT_EQ(outcome.result, FormatResult::kFail);
  EXPECT_NE(outcome.detail.find("/dev/sdb1"), std::string::npos) << outcome.detail;
  EXPECT_NE(outcome.detail.find("\"disk\""), std::string::npos) << outcome.detail;
}

// The runner of a system where the card's device exists: udisksctl edits
// the fake mount table, mkfs.fat succeeds; nothing is really run.
class CardSystemRunner final : public ChildRunner {
 public:
  CardSystemRunner(fs::path mountInfo, std::string before, std::string after)
      : mountInfo_(std::move(mountInfo)), before_(std::move(before)), after_(std::move(after)) {}

  ChildResult Run(const ChildCommand& command, const ChildLineSink&, const std::atomic<bool>*) override {
    std::string line;
    for (const std::string& arg : command.argv) line += (line.empty() ? "" : " ") + arg;
    calls.push_back(line);
    if (line.starts_with("udisksctl unmount")) {
      if (!unmountWorks) return {ChildEnd::kExited, 1};
      std::ofstream(mountInfo_, std::ios::trunc) << before_;
    } else if (line.starts_with("udisksctl mount")) {
      std::ofstream(mountInfo_, std::ios::trunc) << before_ << after_;
    } else if (!line.starts_with("mkfs.fat")) {
      return {ChildEnd::kExited, 32};
    }
    return {ChildEnd::kExited, 0};
  }

  std::vector<std::string> calls;
  bool unmountWorks = true;

 private:
  fs::path mountInfo_;
  std::string before_;
  std::string after_;
};

TEST_F(FormatTargetTest, ACardIsUnmountedFormattedOnItsPartitionAndMountedWhereTheSystemPutsIt) {
  std::ifstream table(mountInfo_);
  std::string all(std::istreambuf_iterator<char>(table), {});
  const std::string system = all.substr(0, all.find("40 22"));
  const fs::path newFolder = root_ / "media/user/ZIDOVORI1";
  CardSystemRunner runner(mountInfo_, system, "41 22 8:17 / " + newFolder.string() + " rw - vfat /dev/sdb1 rw\n");
  FormatTarget reader = targets_->Resolve(card_);
  reader.writable = true;  // as for a member of the group "disk"
  MkfsCardFormatter formatter(runner, *checks_);
  const std::atomic<bool> cancel{false};
  const FormatOutcome outcome = formatter.Format({reader, 32768, true}, {}, cancel);
  ASSERT_EQ(outcome.result, FormatResult::kOk) << outcome.detail;
  EXPECT_TRUE(outcome.wasMounted);
  EXPECT_EQ(outcome.mountedAt, newFolder);
  EXPECT_EQ(runner.calls, (std::vector<std::string>{"udisksctl unmount -b /dev/sdb1",
                                                    "mkfs.fat -F 32 -n ZIDOVORI1 -S 512 -s 64 /dev/sdb1",
                                                    "udisksctl mount -b /dev/sdb1"}));
}

TEST_F(FormatTargetTest, ACardWithoutPartitionTableIsFormattedWholeAndOneThatStaysMountedNotAtAll) {
  std::ifstream table(mountInfo_);
  const std::string all(std::istreambuf_iterator<char>(table), {});
  CardSystemRunner runner(mountInfo_, all, "");
  FormatTarget slot = targets_->Resolve("/dev/mmcblk0");
  slot.writable = true;
  MkfsCardFormatter formatter(runner, *checks_);
  const std::atomic<bool> cancel{false};
  ASSERT_EQ(formatter.Format({slot, 16384, true}, {}, cancel).result, FormatResult::kOk);
  EXPECT_NE(
      std::find(runner.calls.begin(), runner.calls.end(), "mkfs.fat -F 32 -n ZIDOVORI1 -S 512 -s 32 -I /dev/mmcblk0"),
      runner.calls.end());

  CardSystemRunner stuck(mountInfo_, all, "");
  stuck.unmountWorks = false;
  FormatTarget reader = targets_->Resolve(card_);
  reader.writable = true;
  MkfsCardFormatter stuckFormatter(stuck, *checks_);
  const FormatOutcome outcome = stuckFormatter.Format({reader, 32768, true}, {}, cancel);
  EXPECT_EQ(outcome.result, FormatResult::kFail);
  EXPECT_NE(outcome.detail.find("still mounted"), std::string::npos) << outcome.detail;
  EXPECT_EQ(outcome.mountedAt, card_);
  for (const std::string& call : stuck.calls) EXPECT_FALSE(call.starts_with("mkfs.fat")) << call;
}

TEST(BootSectorLabel, ReadsFat32AndFat16LabelsAndIgnoresTheRest) {
  std::string sector(512, '\0');
  EXPECT_EQ(BootSectorLabel(sector), "");
  sector.replace(82, 8, "FAT32   ");
  sector.replace(71, 11, "ZIDOVORI1  ");
  EXPECT_EQ(BootSectorLabel(sector), "ZIDOVORI1");
  sector.replace(71, 11, "NO NAME    ");
  EXPECT_EQ(BootSectorLabel(sector), "");
  std::string fat16(512, '\0');
  fat16.replace(54, 8, "FAT16   ");
  fat16.replace(43, 11, "CARD       ");
  EXPECT_EQ(BootSectorLabel(fat16), "CARD");
  EXPECT_EQ(BootSectorLabel(fat16.substr(0, 100)), "") << "a short read";
}

}  // namespace
