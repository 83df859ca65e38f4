#include "platform/Volumes.h"

#include <sys/statvfs.h>

#include <array>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kMountInfo = "/proc/self/mountinfo";
constexpr const char* kSysRoot = "/sys";
constexpr std::array kMediaRoots = {"/media", "/run/media"};
constexpr std::string_view kDeviceFolder = "/dev";
constexpr std::string_view kOpticalFsType = "iso9660";
constexpr std::string_view kScsiTypeRom = "5";
constexpr std::array<std::string_view, 6> kNetworkFsTypes = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs"};
constexpr std::streamsize kMountInfoMaxBytes = 16 * 1024 * 1024;
constexpr std::streamsize kSysValueMaxBytes = 64;

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t pos = 0;
  while (pos < line.size()) {
    const size_t start = line.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    size_t end = line.find(' ', start);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(start, end - start));
    pos = end;
  }
  return fields;
}

// One sysfs attribute, without its line end; empty when it cannot be read.
std::string ReadSysValue(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::string value(kSysValueMaxBytes, '\0');
  in.read(value.data(), kSysValueMaxBytes);
  value.resize(static_cast<size_t>(in.gcount()));
  while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) value.pop_back();
  return value;
}

// Absolute, with "." and ".." and symbolic links resolved as far as the path
// exists, and without a trailing separator.
fs::path NormalizePath(const fs::path& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(path, error);
  if (error) return {};
  fs::path resolved = fs::weakly_canonical(absolute, error);
  if (error) resolved = absolute.lexically_normal();
  if (!resolved.has_filename() && resolved != resolved.root_path()) resolved = resolved.parent_path();
  return resolved;
}

// Whether path is root itself or lies below it.
bool IsWithin(const fs::path& path, const fs::path& root) {
  const std::string& p = path.native();
  const std::string& r = root.native();
  if (r == "/") return !p.empty() && p.front() == '/';
  return p == r || (p.size() > r.size() && p.compare(0, r.size(), r) == 0 && p[r.size()] == '/');
}

bool IsNetworkFs(std::string_view type) {
  for (std::string_view network : kNetworkFsTypes) {
    if (type == network) return true;
  }
  return false;
}

}  // namespace

std::string UnescapeMountField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
        IsOctal(field[i + 3])) {
      out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
      i += 3;
      continue;
    }
    out += field[i];
  }
  return out;
}

// "id parent major:minor root mountpoint options [optional...] - type source superoptions"
std::vector<MountEntry> ParseMountInfo(std::string_view content) {
  constexpr size_t kFieldsBeforeSeparator = 6;
  std::vector<MountEntry> entries;
  size_t pos = 0;
  while (pos < content.size()) {
    size_t end = content.find('\n', pos);
    if (end == std::string_view::npos) end = content.size();
    const std::vector<std::string_view> fields = SplitFields(content.substr(pos, end - pos));
    pos = end + 1;
    size_t separator = kFieldsBeforeSeparator;
    while (separator < fields.size() && fields[separator] != "-") ++separator;
    if (separator + 1 >= fields.size()) continue;  // no "-" or no type after it
    MountEntry entry;
    entry.deviceNumber = std::string(fields[2]);
    entry.mountPoint = UnescapeMountField(fields[4]);
    entry.fsType = UnescapeMountField(fields[separator + 1]);
    entry.source = separator + 2 < fields.size() ? UnescapeMountField(fields[separator + 2]) : std::string();
    if (entry.mountPoint.empty() || entry.mountPoint.front() != '/') continue;
    entries.push_back(std::move(entry));
  }
  return entries;
}

Volumes::Volumes() : Volumes(kMountInfo, kSysRoot, {kMediaRoots.begin(), kMediaRoots.end()}) {}

Volumes::Volumes(fs::path mountInfo, fs::path sysRoot, std::vector<fs::path> mediaRoots)
    : mountInfo_(std::move(mountInfo)), sysRoot_(std::move(sysRoot)), mediaRoots_(std::move(mediaRoots)) {
  for (fs::path& root : mediaRoots_) root = NormalizePath(root);
}

std::vector<MountEntry> Volumes::ReadTable() const {
  std::ifstream in(mountInfo_, std::ios::binary);
  if (!in) return {};
  // The proc file has no size to ask for; read it in pieces up to a bound.
  std::string content;
  std::array<char, 65536> chunk;
  while (in && static_cast<std::streamsize>(content.size()) < kMountInfoMaxBytes) {
    in.read(chunk.data(), chunk.size());
    content.append(chunk.data(), static_cast<size_t>(in.gcount()));
  }
  return ParseMountInfo(content);
}

std::optional<MountEntry> Volumes::MountOf(const fs::path& path, const std::vector<MountEntry>& table) const {
  if (path.empty() || !path.is_absolute()) return std::nullopt;
  const MountEntry* best = nullptr;
  for (const MountEntry& entry : table) {
    if (!IsWithin(path, entry.mountPoint)) continue;
    // Equal length means the same point mounted over: the later one is on top.
    if (!best || entry.mountPoint.size() >= best->mountPoint.size()) best = &entry;
  }
  if (!best) return std::nullopt;
  return *best;
}

std::optional<MountEntry> Volumes::MountOf(const fs::path& path) const {
  if (!path.is_absolute()) return std::nullopt;
  return MountOf(NormalizePath(path), ReadTable());
}

fs::path Volumes::MountPointOf(const fs::path& path) const {
  const std::optional<MountEntry> mount = MountOf(path);
  return mount ? fs::path(mount->mountPoint) : fs::path();
}

fs::path Volumes::BlockDeviceFolderByName(std::string_view name) const {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) return {};
  const fs::path entry = sysRoot_ / "class" / "block" / name;
  std::error_code error;
  if (!fs::exists(entry, error)) return {};
  const fs::path resolved = fs::canonical(entry, error);
  return error ? entry : resolved;
}

fs::path Volumes::BlockDeviceFolder(const MountEntry& mount) const {
  std::error_code error;
  // The device number finds the device whatever name the source was mounted
  // under (/dev/mapper/..., /dev/disk/by-uuid/...).
  if (!mount.deviceNumber.empty() && mount.deviceNumber.find('/') == std::string::npos) {
    const fs::path byNumber = sysRoot_ / "dev" / "block" / mount.deviceNumber;
    if (fs::exists(byNumber, error)) {
      const fs::path resolved = fs::canonical(byNumber, error);
      if (!error) return resolved;
    }
  }
  const fs::path source(mount.source);
  if (!IsWithin(source, kDeviceFolder)) return {};
  return BlockDeviceFolderByName(source.filename().native());
}

fs::path Volumes::DeviceNodeFolder(const fs::path& normal) const {
  if (normal.parent_path() != kDeviceFolder) return {};
  return BlockDeviceFolderByName(normal.filename().native());
}

bool Volumes::IsRemovableDevice(const fs::path& deviceFolder) const {
  if (deviceFolder.empty()) return false;
  if (ReadSysValue(deviceFolder / "removable") == "1") return true;
  std::error_code error;
  // A partition carries no flag of its own; its disk does.
  if (fs::exists(deviceFolder / "partition", error) && ReadSysValue(deviceFolder.parent_path() / "removable") == "1") {
    return true;
  }
  // Many card readers and USB disks report fixed media; the bus tells.
  fs::path root = fs::canonical(sysRoot_, error);
  if (error) root = sysRoot_;
  for (const fs::path& part : deviceFolder.lexically_relative(root)) {
    const std::string& name = part.native();
    if (name.starts_with("usb") || name.starts_with("mmc")) return true;
  }
  return false;
}

bool Volumes::IsOpticalDevice(const fs::path& deviceFolder) const {
  if (deviceFolder.empty()) return false;
  const std::string name = deviceFolder.filename().native();
  if (name.size() > 2 && name.starts_with("sr") && name.find_first_not_of("0123456789", 2) == std::string::npos) {
    return true;
  }
  return ReadSysValue(deviceFolder / "device" / "type") == kScsiTypeRom;
}

bool Volumes::IsInMediaRoot(const fs::path& path) const {
  for (const fs::path& root : mediaRoots_) {
    if (path != root && IsWithin(path, root)) return true;
  }
  return false;
}

std::optional<MountEntry> Volumes::MountOfDevice(const fs::path& deviceFolder,
                                                 const std::vector<MountEntry>& table) const {
  for (const MountEntry& entry : table) {
    const fs::path folder = BlockDeviceFolder(entry);
    if (!folder.empty() && (folder == deviceFolder || folder.parent_path() == deviceFolder)) return entry;
  }
  return std::nullopt;
}

DriveKind Volumes::ClassifyDeviceNode(const fs::path& device) const {
  if (IsOpticalDevice(device)) return DriveKind::kOpticalRoot;
  if (!IsRemovableDevice(device)) return DriveKind::kFullPath;
  // A reader slot without a card reports a size of 0 sectors.
  const std::string sectors = ReadSysValue(device / "size");
  return sectors == "0" ? DriveKind::kEmptySlot : DriveKind::kRemovableRoot;
}

DriveKind Volumes::Classify(const fs::path& path) const {
  if (path.empty()) return DriveKind::kFullPath;
  const fs::path normal = NormalizePath(path);
  if (const fs::path device = DeviceNodeFolder(normal); !device.empty()) return ClassifyDeviceNode(device);
  const std::optional<MountEntry> mount = MountOf(normal, ReadTable());
  if (!mount) return DriveKind::kFullPath;
  if (normal == mount->mountPoint) {
    const fs::path device = BlockDeviceFolder(*mount);
    if (mount->fsType == kOpticalFsType || IsOpticalDevice(device)) return DriveKind::kOpticalRoot;
    if (IsRemovableDevice(device) || IsNetworkFs(mount->fsType)) return DriveKind::kRemovableRoot;
    return DriveKind::kFullPath;
  }
  // A folder where media get mounted that lies on the system's own disk is a
  // mount folder left without its medium.
  if (IsInMediaRoot(normal) && !IsInMediaRoot(mount->mountPoint)) return DriveKind::kEmptySlot;
  return DriveKind::kFullPath;
}

std::optional<fs::path> Volumes::MediumRoot(const fs::path& path) const {
  const fs::path normal = NormalizePath(path);
  if (normal.empty()) return std::nullopt;
  const std::vector<MountEntry> table = ReadTable();
  if (const fs::path device = DeviceNodeFolder(normal); !device.empty()) {
    const std::optional<MountEntry> mount = MountOfDevice(device, table);
    if (!mount) return std::nullopt;
    return fs::path(mount->mountPoint);
  }
  const std::optional<MountEntry> mount = MountOf(normal, table);
  if (!mount || normal != mount->mountPoint) return std::nullopt;
  return normal;
}

bool Volumes::IsBareDrive(const fs::path& path) const { return Classify(path) != DriveKind::kFullPath; }

bool Volumes::IsRemovableDrive(const fs::path& path) const {
  const fs::path normal = NormalizePath(path);
  if (normal.empty()) return false;
  if (const fs::path device = DeviceNodeFolder(normal); !device.empty()) return IsRemovableDevice(device);
  const std::optional<MountEntry> mount = MountOf(normal, ReadTable());
  return mount && IsRemovableDevice(BlockDeviceFolder(*mount));
}

bool Volumes::IsOpticalDrive(const fs::path& path) const {
  const fs::path normal = NormalizePath(path);
  if (normal.empty()) return false;
  if (const fs::path device = DeviceNodeFolder(normal); !device.empty()) return IsOpticalDevice(device);
  const std::optional<MountEntry> mount = MountOf(normal, ReadTable());
  return mount && (mount->fsType == kOpticalFsType || IsOpticalDevice(BlockDeviceFolder(*mount)));
}

std::optional<uint64_t> Volumes::VolumeSizeBytes(const fs::path& path) {
  struct statvfs info {};
  if (::statvfs(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<uint64_t>(info.f_blocks) * info.f_frsize;
}

std::optional<uint64_t> Volumes::VolumeFreeBytes(const fs::path& path) {
  struct statvfs info {};
  if (::statvfs(path.c_str(), &info) != 0) return std::nullopt;
  // What the user may fill, not what root still could.
  return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
}
