#include "platform/FolderChecks.h"

#include <filesystem>

#include "platform/OutputFile.h"
#include "platform/Volumes.h"

namespace fs = std::filesystem;

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

bool IsWritableFolder(const std::string& path) { return !path.empty() && FolderTakesNewFile(path); }
