#pragma once
// Drives in Linux terms. A "drive" of the recorder's world is a mounted file
// system here: the mount table tells which mount holds a path, and sysfs
// tells whether the block device behind it is a card reader, a USB stick or
// an optical drive. The mount table, the sysfs root and the folders where
// removable media get mounted are given at construction, so tests can build
// fake trees.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One line of /proc/self/mountinfo, the fields we use.
struct MountEntry {
  std::string deviceNumber;  // "major:minor"
  std::string mountPoint;    // unescaped
  std::string fsType;
  std::string source;  // the mounted device, e.g. "/dev/sdb1"
};

// What a path is, as far as the drive checks care.
enum class DriveKind {
  kFullPath,       // an ordinary folder path (on whatever disk)
  kRemovableRoot,  // the mount point of a removable medium or a network share
  kEmptySlot,      // a removable device's mount folder with nothing mounted, or such a device without medium
  kOpticalRoot,    // the mount point of a CD/DVD, or an optical drive's device
};

// "\040" and the other octal escapes of the mount table, resolved.
std::string UnescapeMountField(std::string_view field);

// The entries of a mountinfo text in table order; malformed lines are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view content);

class Volumes {
 public:
  Volumes();  // the running system
  Volumes(std::filesystem::path mountInfo, std::filesystem::path sysRoot,
          std::vector<std::filesystem::path> mediaRoots);

  // The mount holding path (the longest mount point that contains it; a later
  // mount over the same point wins). Nothing when the table cannot be read or
  // the path is not absolute.
  std::optional<MountEntry> MountOf(const std::filesystem::path& path) const;
  std::filesystem::path MountPointOf(const std::filesystem::path& path) const;

  // Whether the block device behind the mount holding path is removable, or
  // sits on a USB or MMC bus (card readers that report fixed media).
  bool IsRemovableDrive(const std::filesystem::path& path) const;
  // Whether the mount holding path is a CD/DVD.
  bool IsOpticalDrive(const std::filesystem::path& path) const;
  // The mount point of a removable medium, or a reader slot without one.
  bool IsBareDrive(const std::filesystem::path& path) const;
  DriveKind Classify(const std::filesystem::path& path) const;
  // Where the medium behind a bare drive can be read: the mount point itself,
  // or for a device node the mount point of the device or of one of its
  // partitions. Nothing when no medium is mounted.
  std::optional<std::filesystem::path> MediumRoot(const std::filesystem::path& path) const;

  // Size and free space of the file system holding path (statvfs); nothing
  // when it cannot be queried.
  static std::optional<uint64_t> VolumeSizeBytes(const std::filesystem::path& path);
  static std::optional<uint64_t> VolumeFreeBytes(const std::filesystem::path& path);

  // The pieces the card tools' device checks are built from.
  std::vector<MountEntry> ReadTable() const;
  // The block device's folder under sysfs for a mount; empty when the mount
  // is not backed by a block device.
  std::filesystem::path BlockDeviceFolder(const MountEntry& mount) const;
  std::filesystem::path BlockDeviceFolderByName(std::string_view name) const;
  bool IsRemovableDevice(const std::filesystem::path& deviceFolder) const;
  const std::filesystem::path& SysRoot() const { return sysRoot_; }

 private:
  bool IsOpticalDevice(const std::filesystem::path& deviceFolder) const;
  bool IsInMediaRoot(const std::filesystem::path& path) const;
  std::optional<MountEntry> MountOf(const std::filesystem::path& path, const std::vector<MountEntry>& table) const;
  // For "/dev/<name>" of a block device, its sysfs folder; else empty.
  std::filesystem::path DeviceNodeFolder(const std::filesystem::path& normal) const;
  DriveKind ClassifyDeviceNode(const std::filesystem::path& deviceFolder) const;
  std::optional<MountEntry> MountOfDevice(const std::filesystem::path& deviceFolder,
                                          const std::vector<MountEntry>& table) const;

  std::filesystem::path mountInfo_;
  std::filesystem::path sysRoot_;
  std::vector<std::filesystem::path> mediaRoots_;
};
