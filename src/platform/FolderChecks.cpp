#include "platform/FolderChecks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/Volumes.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kProbeName = "test.dat";
constexpr const char* kUniqueProbePattern = ".test.dat-XXXXXX";

// Creates a file that did not exist before, so that nothing of the user's is
// ever truncated or deleted; -1 when the folder does not accept it.
int CreateFreshProbe(const fs::path& folder, std::string& createdPath) {
  createdPath = (folder / kProbeName).string();
  const int fd = ::open(createdPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0 || errno != EEXIST) return fd;
  createdPath = (folder / kUniqueProbePattern).string();
  return ::mkostemp(createdPath.data(), O_CLOEXEC);
}

}  // namespace

bool IsFolderAvailable(const std::string& path, const Volumes& volumes) {
  if (path.empty()) return false;
  switch (volumes.Classify(path)) {
    case DriveKind::kOpticalRoot:
    case DriveKind::kEmptySlot:
      return false;
    case DriveKind::kRemovableRoot: {
      const auto root = volumes.MediumRoot(path);
      return root && Volumes::VolumeSizeBytes(*root).has_value();
    }
    case DriveKind::kFullPath:
      break;
  }
  std::error_code error;
  return fs::exists(path, error);
}

bool IsFolderAvailable(const std::string& path) { return IsFolderAvailable(path, Volumes()); }

bool IsWritableFolder(const std::string& path) {
  if (path.empty()) return false;
  std::string probe;
  const int fd = CreateFreshProbe(path, probe);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}
