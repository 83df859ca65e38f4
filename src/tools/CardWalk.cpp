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

}  // namespace

CardFiles WalkCardFiles(const fs::path& root) {
  CardFiles files;
  std::error_code error;
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
  if (error) {
    KTRACE("Card walk failed: %s", error.message().c_str());
    return files;
  }
  for (; it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (error) {
      KTRACE("Card walk stopped: %s", error.message().c_str());
      break;
    }
    const fs::directory_entry& entry = *it;
    const fs::file_status status = entry.symlink_status(error);
    if (error) continue;
    if (fs::is_directory(status)) {
      if (it.depth() == 0 && IsSkippedTopFolder(entry.path().filename())) it.disable_recursion_pending();
      continue;
    }
    // Links, pipes and devices hold no recording; a card has none of them.
    if (!fs::is_regular_file(status)) continue;
    files.paths.push_back(entry.path());
    const uintmax_t size = entry.file_size(error);
    if (!error) files.totalBytes += size;
  }
  // Folder order differs between file systems; a run goes the same way on each.
  std::sort(files.paths.begin(), files.paths.end());
  return files;
}
