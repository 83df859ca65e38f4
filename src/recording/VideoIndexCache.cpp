#include "recording/VideoIndexCache.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/Utf8.h"
#include "recording/CardFolders.h"
#include "recording/VideoIndexPath.h"

namespace {

// Where the file name of path begins: just after its last "/". The folder
// part before it (with that "/") is the folder's key, and the folder part
// joined to an index name is the index's path, as the rule forms it.
size_t NameStart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

VideoIndexCache::Folder VideoIndexCache::MakeFolder(std::vector<std::string> names) {
  Folder folder;
  folder.reserve(names.size());
  for (std::string& name : names) {
    std::string lower = AsciiLower(name);
    folder.push_back({std::move(lower), std::move(name)});
  }
  const auto byLower = [](const IndexName& a, const IndexName& b) { return a.lower < b.lower; };
  // The names come sorted as spelt; the recorder's (digits, commas, "_")
  // sort the same in lower case, so a card's folder rarely needs sorting.
  if (!std::is_sorted(folder.begin(), folder.end(), byLower)) std::sort(folder.begin(), folder.end(), byLower);
  return folder;
}

VideoIndexCache::Folder& VideoIndexCache::FolderOf(std::string_view folder) {
  const auto known = folders_.find(folder);
  if (known != folders_.end()) return known->second;
  const std::string key(folder);
  return folders_[key] = MakeFolder(ListCardFileNames(key.empty() ? "." : key, kVideoIndexExtension));
}

void VideoIndexCache::AddFolder(const std::string& folder, std::vector<std::string> names) {
  folders_.insert_or_assign(folder, MakeFolder(std::move(names)));
}

std::string VideoIndexCache::IndexPathFor(const std::string& dataPath) {
  const size_t nameAt = NameStart(dataPath);
  if (nameAt == dataPath.size()) return {};
  const std::string_view path(dataPath);
  const std::string stem = AsciiLower(VideoIndexStem(path.substr(nameAt)));
  const Folder& names = FolderOf(path.substr(0, nameAt));

  // The names that start with the stem lie together in the lower-case order;
  // of those the rule takes the least by the folder's own spelling.
  const std::string* best = nullptr;
  auto it = std::lower_bound(names.begin(), names.end(), stem,
                             [](const IndexName& a, const std::string& key) { return a.lower < key; });
  for (; it != names.end() && it->lower.compare(0, stem.size(), stem) == 0; ++it) {
    if (it->name.size() < stem.size() + kVideoIndexExtension.size()) continue;
    if (best == nullptr || it->name < *best) best = &it->name;
  }
  if (best == nullptr) return {};
  std::string indexPath;
  indexPath.reserve(nameAt + best->size());
  return indexPath.append(path.substr(0, nameAt)).append(*best);
}

std::string VideoIndexCache::OwnIndexPathFor(const std::string& dataPath) {
  const size_t nameAt = NameStart(dataPath);
  if (nameAt == dataPath.size()) return {};
  const std::string_view path(dataPath);
  const std::string stem = AsciiLower(VideoIndexStem(path.substr(nameAt)));
  if (stem.empty()) return {};
  const std::string wanted = stem + std::string(kVideoIndexExtension);
  std::string folder(path.substr(0, nameAt));
  const Folder& names = FolderOf(folder);
  auto it = std::lower_bound(names.begin(), names.end(), wanted,
                             [](const IndexName& a, const std::string& key) { return a.lower < key; });
  const std::string* best = nullptr;
  for (; it != names.end() && it->lower == wanted; ++it) {
    if (best == nullptr || it->name < *best) best = &it->name;
  }
  return best == nullptr ? std::string() : folder.append(*best);
}

void VideoIndexCache::KeepEnds(const std::string& indexPath, VideoIndexEnds ends) {
  kept_.insert_or_assign(indexPath, std::move(ends));
}

std::optional<VideoIndexEnds> VideoIndexCache::TakeEnds(const std::string& indexPath) {
  auto node = kept_.extract(indexPath);
  if (node.empty()) return std::nullopt;
  return std::move(node.mapped());
}

void VideoIndexCache::Forget(const std::string& indexPath) {
  kept_.erase(indexPath);
  const size_t nameAt = NameStart(indexPath);
  const auto folder = folders_.find(std::string_view(indexPath).substr(0, nameAt));
  if (folder == folders_.end()) return;
  const std::string_view name = std::string_view(indexPath).substr(nameAt);
  std::erase_if(folder->second, [name](const IndexName& entry) { return entry.name == name; });
}
