#include "recording/VideoIndexCache.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "platform/Utf8.h"
#include "recording/CardFolders.h"
#include "recording/VideoIndexPath.h"

namespace fs = std::filesystem;

VideoIndexCache::Folder& VideoIndexCache::FolderOf(const std::string& folder) {
  const auto known = folders_.find(folder);
  if (known != folders_.end()) return known->second;
  Folder& names = folders_[folder];
  for (const std::string& file : ListCardFiles(folder.empty() ? "." : folder, kVideoIndexExtension)) {
    std::string name = fs::path(file).filename().string();
    names.push_back({AsciiLower(name), std::move(name)});
  }
  std::sort(names.begin(), names.end(), [](const IndexName& a, const IndexName& b) { return a.lower < b.lower; });
  return names;
}

std::string VideoIndexCache::IndexPathFor(const std::string& dataPath) {
  const fs::path given(dataPath);
  if (!given.has_filename()) return {};
  const std::string stem = AsciiLower(VideoIndexStem(given.filename().string()));
  const Folder& names = FolderOf(given.parent_path().string());

  // The names that start with the stem lie together in the lower-case order;
  // of those the rule takes the least by the folder's own spelling.
  const std::string* best = nullptr;
  auto it = std::lower_bound(names.begin(), names.end(), stem,
                             [](const IndexName& a, const std::string& key) { return a.lower < key; });
  for (; it != names.end() && it->lower.compare(0, stem.size(), stem) == 0; ++it) {
    if (it->name.size() < stem.size() + kVideoIndexExtension.size()) continue;
    if (best == nullptr || it->name < *best) best = &it->name;
  }
  return best == nullptr ? std::string() : (given.parent_path() / *best).string();
}

std::string VideoIndexCache::OwnIndexPathFor(const std::string& dataPath) {
  const fs::path given(dataPath);
  if (!given.has_filename()) return {};
  const std::string stem = AsciiLower(VideoIndexStem(given.filename().string()));
  if (stem.empty()) return {};
  const std::string wanted = stem + std::string(kVideoIndexExtension);
  const Folder& names = FolderOf(given.parent_path().string());
  auto it = std::lower_bound(names.begin(), names.end(), wanted,
                             [](const IndexName& a, const std::string& key) { return a.lower < key; });
  const std::string* best = nullptr;
  for (; it != names.end() && it->lower == wanted; ++it) {
    if (best == nullptr || it->name < *best) best = &it->name;
  }
  return best == nullptr ? std::string() : (given.parent_path() / *best).string();
}

void VideoIndexCache::Forget(const std::string& indexPath) {
  const fs::path path(indexPath);
  const auto folder = folders_.find(path.parent_path().string());
  if (folder == folders_.end()) return;
  const std::string name = path.filename().string();
  std::erase_if(folder->second, [&name](const IndexName& entry) { return entry.name == name; });
}
