#include "tools/CardWalk.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

#include "platform/Trace.h"
#include "platform/Utf8.h"

namespace fs = std::filesystem;

namespace {

// The configuration files are copied on their own, first; the other two
// belong to the recorder and mean nothing in a backup.
constexpr std::array<std::string_view, 3> kSkippedFolders = {"config", "zaza", "program"};

bool IsSkippedTopFolder(const fs::path& name) {
  for (std::string_view skipped : kSkippedFolders) {
    if (EqualsNoCase(name.native(), skipped)) return true;
  }
  return false;
}

void Uncopiable(CardFiles& files, const fs::path& path, const std::error_code& error) {
  KTRACE("Cannot back up %s: %s", path.c_str(), error ? error.message().c_str() : "not a regular file");
  files.uncopiable.push_back(path);
}

void WalkFolder(const fs::path& folder, bool top, CardFiles& files) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) {
    Uncopiable(files, folder, error);
    return;
  }
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) {
      Uncopiable(files, folder, error);
      return;
    }
    const fs::directory_entry& entry = *it;
    const fs::file_status status = entry.symlink_status(error);
    if (error) {
      Uncopiable(files, entry.path(), error);
      continue;
    }
    if (fs::is_directory(status)) {
      if (!(top && IsSkippedTopFolder(entry.path().filename()))) WalkFolder(entry.path(), false, files);
      continue;
    }
    // A link is not followed out of the card, and a pipe or device holds no
    // recording: neither is copied, and the backup says so.
    if (!fs::is_regular_file(status)) {
      Uncopiable(files, entry.path(), {});
      continue;
    }
    files.paths.push_back(entry.path());
    const uintmax_t size = entry.file_size(error);
    if (!error) files.totalBytes += size;
  }
}

}  // namespace

CardFiles WalkCardFiles(const fs::path& root) {
  CardFiles files;
  WalkFolder(root, true, files);
  // Folder order differs between file systems; a run goes the same way on each.
  std::sort(files.paths.begin(), files.paths.end());
  return files;
}
