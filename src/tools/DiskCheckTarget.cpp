#include "tools/DiskCheckTarget.h"

#include <array>
#include <fstream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDeviceFolder = "/dev";
constexpr uint64_t kSectorBytes = 512;  // sysfs counts sizes in these, whatever the device's own
constexpr std::array<std::string_view, 5> kSystemMounts = {"/boot", "/usr", "/var", "/home", "/"};
constexpr std::array<std::string_view, 2> kVirtualPrefixes = {"loop", "dm-"};
constexpr std::string_view kDeletedSuffix = " (deleted)";

std::string ReadLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return line;
}

bool IsSystemMountPoint(std::string_view mountPoint) {
  for (std::string_view system : kSystemMounts) {
    if (mountPoint == system) return true;
    if (system != "/" && mountPoint.starts_with(system) && mountPoint.size() > system.size() &&
        mountPoint[system.size()] == '/') {
      return true;
    }
  }
  return false;
}

bool IsPartition(const fs::path& deviceFolder) {
  std::error_code error;
  return fs::exists(deviceFolder / "partition", error);
}

fs::path DiskOf(const fs::path& deviceFolder) {
  return IsPartition(deviceFolder) ? deviceFolder.parent_path() : deviceFolder;
}

bool HasHolders(const fs::path& deviceFolder) {
  std::error_code error;
  fs::directory_iterator holders(deviceFolder / "holders", error);
  return !error && holders != fs::directory_iterator();
}

std::vector<fs::path> PartitionsOf(const fs::path& deviceFolder) {
  std::vector<fs::path> partitions;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(deviceFolder, error)) {
    if (IsPartition(entry.path())) partitions.push_back(entry.path());
  }
  return partitions;
}

// The disk itself or any of its partitions has something stacked on it
// (device-mapper, RAID): what sits there is out of our sight.
bool AnyHolders(const fs::path& diskFolder) {
  if (HasHolders(diskFolder)) return true;
  for (const fs::path& partition : PartitionsOf(diskFolder)) {
    if (HasHolders(partition)) return true;
  }
  return false;
}

bool IsVirtualName(std::string_view name) {
  for (std::string_view prefix : kVirtualPrefixes) {
    if (name.starts_with(prefix)) return true;
  }
  return false;
}

std::optional<uint64_t> SizeBytes(const fs::path& deviceFolder) {
  const std::string sectors = ReadLine(deviceFolder / "size");
  if (sectors.empty() || sectors.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  try {
    return std::stoull(sectors) * kSectorBytes;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// The first field of each line after the header, unescaped.
std::vector<std::string> SwapDevices(const fs::path& swaps) {
  std::ifstream in(swaps);
  std::vector<std::string> devices;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name;
    if (fields >> name) devices.push_back(UnescapeMountField(name));
  }
  return devices;
}

}  // namespace

std::string DiskCheckRefusalText(DiskCheckRefusal refusal, std::string_view given) {
  const std::string what(given);
  switch (refusal) {
    case DiskCheckRefusal::kNone:
      return {};
    case DiskCheckRefusal::kNotFound:
      return what + ": no such file or device";
    case DiskCheckRefusal::kNotDeviceOrImage:
      return what + ": not a card's device, a folder on a mounted card, or a FAT image file";
    case DiskCheckRefusal::kVirtualDevice:
      return what + ": a loop or device-mapper device, or one something else is stacked on; not checked";
    case DiskCheckRefusal::kNotRemovable:
      return what + ": not a removable card; not checked";
    case DiskCheckRefusal::kSystemDisk:
      return what + ": the disk holds a system file system or swap; not checked";
    case DiskCheckRefusal::kNoMedium:
      return what + ": no card in the reader";
    case DiskCheckRefusal::kTooLarge:
      return what + ": larger than 2 TiB, not a card; not checked";
    case DiskCheckRefusal::kPartitioned:
      return what + ": the card has several partitions; name the one to check";
    case DiskCheckRefusal::kImageInUse:
      return what + ": the image is attached to a loop device; detach it first";
  }
  return what + ": not checked";
}

DiskCheckTargets::DiskCheckTargets(const Volumes& volumes, fs::path swaps)
    : volumes_(volumes), swaps_(std::move(swaps)) {}

DiskCheckTarget DiskCheckTargets::Resolve(const fs::path& given) const {
  DiskCheckTarget refused;
  if (given.empty()) return refused;
  std::error_code error;
  const fs::path absolute = fs::absolute(given, error);
  if (error) return refused;
  fs::path normal = fs::weakly_canonical(absolute, error);
  if (error) normal = absolute.lexically_normal();
  if (normal.parent_path() == kDeviceFolder) return ResolveDevice(normal);
  const fs::file_status status = fs::status(normal, error);
  if (!fs::exists(status)) return refused;
  if (fs::is_regular_file(status)) return ResolveImage(normal);
  if (fs::is_directory(status)) return ResolveFolder(normal);
  refused.refusal = DiskCheckRefusal::kNotDeviceOrImage;
  return refused;
}

fs::path DiskCheckTargets::DeviceFolderOfNode(const fs::path& node) const {
  if (node.parent_path() != kDeviceFolder) return {};
  return volumes_.BlockDeviceFolderByName(node.filename().native());
}

DiskCheckTarget DiskCheckTargets::ResolveDevice(const fs::path& node) const {
  DiskCheckTarget target;
  target.kind = DiskCheckKind::kDevice;
  target.path = node;
  fs::path folder = DeviceFolderOfNode(node);
  if (folder.empty()) {
    target.refusal = DiskCheckRefusal::kNotDeviceOrImage;
    return target;
  }
  // A card is named by its disk more often than by its partition; the file
  // system is on the partition, and checking the disk beside a mounted
  // partition would be unsafe.
  const std::vector<fs::path> partitions = PartitionsOf(folder);
  if (partitions.size() > 1) {
    target.refusal = DiskCheckRefusal::kPartitioned;
    return target;
  }
  if (partitions.size() == 1) {
    folder = partitions.front();
    target.path = fs::path(kDeviceFolder) / folder.filename();
  }
  target.refusal = DeviceRefusal(folder);
  const std::vector<fs::path> mounts = MountPointsOf(target.path);
  if (!mounts.empty()) target.mountPoint = mounts.front();
  return target;
}

DiskCheckTarget DiskCheckTargets::ResolveFolder(const fs::path& folder) const {
  DiskCheckTarget target;
  target.refusal = DiskCheckRefusal::kNotDeviceOrImage;
  const std::optional<MountEntry> mount = volumes_.MountOf(folder);
  if (!mount) return target;
  const fs::path deviceFolder = volumes_.BlockDeviceFolder(*mount);
  if (deviceFolder.empty()) return target;
  target = ResolveDevice(fs::path(kDeviceFolder) / deviceFolder.filename());
  target.mountPoint = mount->mountPoint;
  return target;
}

DiskCheckTarget DiskCheckTargets::ResolveImage(const fs::path& file) const {
  DiskCheckTarget target;
  target.kind = DiskCheckKind::kImage;
  target.path = file;
  target.refusal = DiskCheckRefusal::kNone;
  // fsck.fat beside a mounted loop device would undo what the kernel writes.
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(volumes_.SysRoot() / "class" / "block", error)) {
    if (!entry.path().filename().native().starts_with("loop")) continue;
    std::string backing = ReadLine(entry.path() / "loop" / "backing_file");
    if (backing.ends_with(kDeletedSuffix)) backing.resize(backing.size() - kDeletedSuffix.size());
    if (!backing.empty() && fs::path(backing) == file) target.refusal = DiskCheckRefusal::kImageInUse;
  }
  return target;
}

DiskCheckRefusal DiskCheckTargets::DeviceRefusal(const fs::path& deviceFolder) const {
  std::error_code error;
  const fs::path disk = DiskOf(deviceFolder);
  if (IsVirtualName(disk.filename().native()) || fs::exists(disk / "dm", error) || fs::exists(disk / "loop", error) ||
      AnyHolders(disk)) {
    return DiskCheckRefusal::kVirtualDevice;
  }
  if (HoldsSystem(disk)) return DiskCheckRefusal::kSystemDisk;
  if (!volumes_.IsRemovableDevice(deviceFolder)) return DiskCheckRefusal::kNotRemovable;
  const std::optional<uint64_t> size = SizeBytes(deviceFolder);
  if (!size || *size == 0 || SizeBytes(disk).value_or(0) == 0) return DiskCheckRefusal::kNoMedium;
  if (*size > kMaxBytes) return DiskCheckRefusal::kTooLarge;
  return DiskCheckRefusal::kNone;
}

bool DiskCheckTargets::IsOnDisk(const fs::path& deviceFolder, const fs::path& diskFolder) const {
  return !deviceFolder.empty() && (deviceFolder == diskFolder || deviceFolder.parent_path() == diskFolder);
}

bool DiskCheckTargets::HoldsSystem(const fs::path& diskFolder) const {
  for (const MountEntry& mount : volumes_.ReadTable()) {
    if (IsSystemMountPoint(mount.mountPoint) && IsOnDisk(volumes_.BlockDeviceFolder(mount), diskFolder)) return true;
  }
  for (const std::string& swap : SwapDevices(swaps_)) {
    std::error_code error;
    fs::path node = fs::weakly_canonical(swap, error);
    if (error) node = swap;
    if (IsOnDisk(DeviceFolderOfNode(node), diskFolder)) return true;
  }
  return false;
}

std::vector<fs::path> DiskCheckTargets::MountPointsOf(const fs::path& device) const {
  std::vector<fs::path> points;
  const fs::path folder = DeviceFolderOfNode(device);
  if (folder.empty()) return points;
  for (const MountEntry& mount : volumes_.ReadTable()) {
    if (volumes_.BlockDeviceFolder(mount) == folder) points.emplace_back(mount.mountPoint);
  }
  return points;
}
