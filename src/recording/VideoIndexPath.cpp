#include "recording/VideoIndexPath.h"

#include <filesystem>
#include <string_view>

#include "platform/Utf8.h"
#include "recording/CardFolders.h"

namespace {

constexpr size_t kSuffixLength = 8;
constexpr char kSuffixMark = '_';

// The name part of the search pattern: the file name without its extension
// and without a "_xxxxxxx" suffix. The suffix is looked for in the file name
// only; a "_" in a folder name never shortens the path.
std::string_view StemName(std::string_view name, std::string_view extension) {
  if (EndsWithNoCase(name, extension)) name.remove_suffix(extension.size());
  if (name.size() >= kSuffixLength && name[name.size() - kSuffixLength] == kSuffixMark) {
    name.remove_suffix(kSuffixLength);
  }
  return name;
}

// FAT cards and their copies keep names in any case, so the match ignores
// case; several matches are decided by name order so the choice is stable.
std::string FindPartner(const std::string& path, std::string_view fromExtension, std::string_view toExtension) {
  namespace fs = std::filesystem;
  const fs::path given(path);
  if (!given.has_filename()) return {};
  const std::string givenName = given.filename().string();
  const std::string_view stem = StemName(givenName, fromExtension);
  const fs::path folder = given.parent_path();

  // The list comes in name order, so the first match is the least.
  for (const std::string& file : ListCardFiles(folder.empty() ? "." : folder, toExtension)) {
    const std::string name = fs::path(file).filename().string();
    if (name.size() < stem.size() + toExtension.size()) continue;
    if (StartsWithNoCase(name, stem)) return (folder / name).string();
  }
  return {};
}

}  // namespace

std::string VideoIndexPath(const std::string& dataPath) {
  return FindPartner(dataPath, kDataFileExtension, kVideoIndexExtension);
}

std::string VideoDataPathForIndex(const std::string& indexPath) {
  return FindPartner(indexPath, kVideoIndexExtension, kDataFileExtension);
}

std::string_view VideoIndexStem(std::string_view dataFileName) { return StemName(dataFileName, kDataFileExtension); }
