#include "recording/ExportGuard.h"

#include <filesystem>
#include <system_error>

#include "platform/Utf8.h"
#include "recording/CardFolders.h"
#include "recording/VideoIndexPath.h"

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

// A card proves itself by its layout: an event folder under ch1 and a log
// folder, in any letter case.
bool IsCardRoot(const fs::path& root) { return IsFolder(EventFolderPath(root)) && IsFolder(LogFolderPath(root)); }

// The card root folder is a recording folder of: its parent for a log
// folder, its grandparent for ch1's event and normal folders; empty when
// the names say it is none.
fs::path RootOfRecordingFolder(const fs::path& folder) {
  const std::string name = folder.filename().string();
  if (EqualsNoCase(name, kLogFolderName)) return folder.parent_path();
  const bool channelChild = EqualsNoCase(name, kEventFolderName) || EqualsNoCase(name, kNormalFolderName);
  if (channelChild && EqualsNoCase(folder.parent_path().filename().string(), kChannelFolderName))
    return folder.parent_path().parent_path();
  return {};
}

void AddCardFoldersAround(const fs::path& folder, std::vector<std::string>& folders) {
  std::error_code error;
  fs::path whole = fs::absolute(folder.empty() ? fs::path(".") : folder, error).lexically_normal();
  if (!whole.has_filename()) whole = whole.parent_path();
  const fs::path root = RootOfRecordingFolder(whole);
  if (root.empty() || !IsCardRoot(root)) return;
  for (const fs::path& recordings : {EventFolderPath(root), NormalFolderPath(root), LogFolderPath(root)}) {
    if (IsFolder(recordings)) folders.push_back(recordings.string());
  }
}

}  // namespace

OutputGuard ExportGuard(const std::vector<std::string>& sources, const std::string& targetFolder) {
  OutputGuard guard;
  for (const std::string& source : sources) {
    if (source.empty()) continue;
    guard.inputs.push_back(source);
    if (EndsWithNoCase(source, kDataFileExtension)) guard.inputs.push_back(VideoIndexPath(source));
    if (EndsWithNoCase(source, kVideoIndexExtension)) guard.inputs.push_back(VideoDataPathForIndex(source));
    AddCardFoldersAround(fs::path(source).parent_path(), guard.folders);
  }
  AddCardFoldersAround(targetFolder, guard.folders);
  return guard;
}
