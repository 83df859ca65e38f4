#include "recording/RecordingLocation.h"

#include <string>
#include <string_view>

#include "recording/CardFolders.h"
#include "recording/CardLayout.h"
#include "recording/VideoIndexPath.h"

namespace fs = std::filesystem;

namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool IsVideoFile(const fs::path& file) {
  const std::string extension = file.extension().string();
  return SameNoCase(extension, kDataFileExtension) || SameNoCase(extension, kVideoIndexExtension);
}

}  // namespace

std::optional<RecordingLocation> LocateRecording(const fs::path& file) {
  std::error_code error;
  const fs::path absolute = fs::absolute(file, error);
  if (error || !IsVideoFile(absolute) || !fs::is_regular_file(absolute, error)) return std::nullopt;
  const fs::path listFolder = absolute.parent_path();
  const fs::path channel = listFolder.parent_path();
  if (!SameNoCase(channel.filename().string(), kChannelFolderName)) return std::nullopt;
  RecordingLocation location{channel.parent_path(), FileListKind::kEvent, absolute};
  if (SameNoCase(absolute.extension().string(), kVideoIndexExtension)) {
    location.dataFile = VideoDataPathForIndex(absolute.string());
    if (location.dataFile.empty()) return std::nullopt;
  }
  const std::string list = listFolder.filename().string();
  if (SameNoCase(list, kNormalFolderName)) {
    location.kind = FileListKind::kNormal;
  } else if (!SameNoCase(list, kEventFolderName)) {
    return std::nullopt;
  }
  if (!HasCardLayout(location.root)) return std::nullopt;
  return location;
}
