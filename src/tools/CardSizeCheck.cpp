#include "tools/CardSizeCheck.h"

#include <fstream>
#include <string>

namespace {

constexpr uint64_t kSectorBytes = 512;  // sysfs counts sizes in these, whatever the device's own
constexpr int kMiBShift = 20;

std::optional<uint64_t> SysfsBytes(const std::filesystem::path& deviceFolder) {
  if (deviceFolder.empty()) return std::nullopt;
  std::ifstream in(deviceFolder / "size");
  uint64_t sectors = 0;
  if (!(in >> sectors) || sectors == 0) return std::nullopt;
  return sectors * kSectorBytes;
}

}  // namespace

std::optional<uint64_t> RemovableCardBytes(const Volumes& volumes, const std::filesystem::path& path) {
  if (!volumes.IsRemovableDrive(path)) return std::nullopt;
  const std::optional<MountEntry> mount = volumes.MountOf(path);
  if (mount)
    if (const std::optional<uint64_t> bytes = SysfsBytes(volumes.BlockDeviceFolder(*mount))) return bytes;
  return Volumes::VolumeSizeBytes(path);
}

bool IsUnsupportedCardSize(const Volumes& volumes, const std::filesystem::path& path) {
  const std::optional<uint64_t> bytes = RemovableCardBytes(volumes, path);
  return bytes && (*bytes >> kMiBShift) < kSmallestCardMiB;
}
