#pragma once
// What a format may run on: the disk check's targets and refusals (a card's
// partition, or the whole card when it has no partition table, or a FAT
// image file), with what the user is shown before anything is erased: the
// device, its size, its model and its current label. The size is the one of
// what gets formatted, read from sysfs or from the image file's length.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "tools/DiskCheckTarget.h"

struct FormatTarget {
  DiskCheckTarget where;
  bool wholeDevice = false;  // a card without partition table: mkfs.fat must be told so
  std::optional<uint64_t> sizeBytes;
  std::string model;  // empty when the device names none
  std::string label;  // the current volume label; empty when none can be read
  bool writable = false;

  bool Refused() const { return where.Refused(); }
  bool IsImage() const { return where.kind == DiskCheckKind::kImage; }
};

class FormatTargets {
 public:
  // labelLinks: the folder of the system's links by volume label.
  FormatTargets(const Volumes& volumes, const DiskCheckTargets& targets,
                std::filesystem::path labelLinks = "/dev/disk/by-label");

  FormatTarget Resolve(const std::filesystem::path& given) const;
  const DiskCheckTargets& Targets() const { return targets_; }

 private:
  void DescribeDevice(FormatTarget& target) const;
  std::string LabelFromLinks(const std::filesystem::path& node) const;

  const Volumes& volumes_;
  const DiskCheckTargets& targets_;
  std::filesystem::path labelLinks_;
};

// "/dev/sdb1, 7.5 GiB, model \"Card Reader\", label \"CARD\"".
std::string DescribeFormatTarget(const FormatTarget& target);

// The volume label in a FAT boot sector (FAT12/16 or FAT32); empty when the
// sector holds no FAT or no label.
std::string BootSectorLabel(std::string_view sector);

// Why a device node cannot be formatted by this user, naming the right that
// is missing.
std::string NoWriteRightText(const std::filesystem::path& device);
