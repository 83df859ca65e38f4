#include "recording/VideoIndexPath.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/Utf8.h"

namespace {

constexpr std::string_view kDataExtension = ".vdd";
constexpr size_t kSuffixLength = 8;
constexpr char kSuffixMark = '_';

// The name part of the search pattern: the file name without its extension
// and without a "_xxxxxxx" suffix. The suffix is looked for in the file name
// only; a "_" in a folder name never shortens the path.
std::string StemName(std::string name, std::string_view extension) {
  if (EndsWithNoCase(name, extension)) name.erase(name.size() - extension.size());
  if (name.size() >= kSuffixLength && name[name.size() - kSuffixLength] == kSuffixMark) {
    name.erase(name.size() - kSuffixLength);
  }
  return name;
}

// FAT cards and their copies keep names in any case, so the match ignores
// case; several matches are decided by name order so the choice is stable.
std::string FindPartner(const std::string& path, std::string_view fromExtension, std::string_view toExtension) {
  namespace fs = std::filesystem;
  const fs::path given(path);
  if (!given.has_filename()) return {};
  const std::string stem = StemName(given.filename().string(), fromExtension);
  fs::path folder = given.parent_path();
  if (folder.empty()) folder = ".";

  std::vector<std::string> matches;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    const std::string name = it->path().filename().string();
    if (name.size() < stem.size() + toExtension.size()) continue;
    if (StartsWithNoCase(name, stem) && EndsWithNoCase(name, toExtension)) matches.push_back(name);
  }
  if (matches.empty()) return {};
  const std::string& first = *std::min_element(matches.begin(), matches.end());
  return (given.parent_path() / first).string();
}

}  // namespace

std::string VideoIndexPath(const std::string& dataPath) {
  return FindPartner(dataPath, kDataExtension, kVideoIndexExtension);
}

std::string VideoDataPathForIndex(const std::string& indexPath) {
  return FindPartner(indexPath, kVideoIndexExtension, kDataExtension);
}

std::string VideoIndexStem(const std::string& dataFileName) { return StemName(dataFileName, kDataExtension); }
