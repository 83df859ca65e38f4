#pragma once
// What a disk check may run on, and the refusals that keep it off anything
// else. A check unmounts a file system and rewrites its tables, so it runs
// only on a FAT image file nobody has attached, or on the partition (or
// whole medium) of a removable card: never on a loop or device-mapper
// device, a device something else is stacked on, a disk that holds a system
// file system or swap, or anything over 2 TiB. A card folder leads to its
// device through the mount table. Every rule reads sysfs, the mount table
// and the swap table given at construction, so tests run on fake trees.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Volumes.h"

enum class DiskCheckRefusal {
  kNone,
  kNotFound,          // nothing at the path
  kNotDeviceOrImage,  // a folder not on a block device, a character device, ...
  kVirtualDevice,     // loop, device-mapper, or something stacked on the device
  kNotRemovable,
  kSystemDisk,   // the disk holds /, /boot, /usr, /var, /home or swap
  kNoMedium,     // a reader slot without a card
  kTooLarge,     // more than a card can be
  kPartitioned,  // a disk with several partitions: which one is meant?
  kImageInUse,   // the image is attached to a loop device
};

enum class DiskCheckKind { kDevice, kImage };

struct DiskCheckTarget {
  DiskCheckRefusal refusal = DiskCheckRefusal::kNotFound;
  DiskCheckKind kind = DiskCheckKind::kDevice;
  std::filesystem::path path;        // "/dev/sdb1" or the image file
  std::filesystem::path mountPoint;  // where the device is mounted now; empty when it is not

  bool Refused() const { return refusal != DiskCheckRefusal::kNone; }
};

// One line saying why, naming what was given.
std::string DiskCheckRefusalText(DiskCheckRefusal refusal, std::string_view given);

class DiskCheckTargets {
 public:
  static constexpr uint64_t kMaxBytes = uint64_t{2} << 40;

  // volumes: its mount table and sysfs root are the ones read here.
  // swaps: the swap table (/proc/swaps).
  DiskCheckTargets(const Volumes& volumes, std::filesystem::path swaps = "/proc/swaps");

  // A device node ("/dev/sdb1", or a link to one), a folder on a mounted
  // card, or a FAT image file.
  DiskCheckTarget Resolve(const std::filesystem::path& given) const;

  // Where the device is mounted now (every mount of it); for the check that
  // an unmount really took it away.
  std::vector<std::filesystem::path> MountPointsOf(const std::filesystem::path& device) const;

 private:
  DiskCheckTarget ResolveDevice(const std::filesystem::path& node) const;
  DiskCheckTarget ResolveImage(const std::filesystem::path& file) const;
  DiskCheckTarget ResolveFolder(const std::filesystem::path& folder) const;
  DiskCheckRefusal DeviceRefusal(const std::filesystem::path& deviceFolder) const;
  bool HoldsSystem(const std::filesystem::path& diskFolder) const;
  bool IsOnDisk(const std::filesystem::path& deviceFolder, const std::filesystem::path& diskFolder) const;
  std::filesystem::path DeviceFolderOfNode(const std::filesystem::path& node) const;

  const Volumes& volumes_;
  std::filesystem::path swaps_;
};
