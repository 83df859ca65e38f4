#include "tools/CardWalk.h"

#include <array>
#include <string_view>
#include <system_error>

#include "platform/Trace.h"

namespace fs = std::filesystem;

namespace {

// The configuration files are copied on their own, first; the other two
// belong to the recorder and mean nothing in a backup.
constexpr std::array<std::string_view, 3> kSkippedFolders = {"config", "zaza", "program"};

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

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
    if (it.depth() == 0 && entry.is_directory(error) && IsSkippedTopFolder(entry.path().filename())) {
      it.disable_recursion_pending();
      continue;
    }
    if (entry.is_directory(error)) continue;
    files.paths.push_back(entry.path());
    const uintmax_t size = entry.file_size(error);
    if (!error) files.totalBytes += size;
  }
  return files;
}
