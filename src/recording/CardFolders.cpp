#include "recording/CardFolders.h"

#include <algorithm>
#include <system_error>

#include "platform/Utf8.h"

namespace fs = std::filesystem;

fs::path FindChildNoCase(const fs::path& folder, std::string_view name) {
  std::error_code error;
  const fs::path exact = folder / name;
  if (fs::exists(fs::symlink_status(exact, error))) return exact;

  std::string best;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string child = it->path().filename().string();
    if (EqualsNoCase(child, name) && (best.empty() || child < best)) best = child;
  }
  return best.empty() ? fs::path() : folder / best;
}

fs::path ResolveCardPath(const fs::path& root, std::initializer_list<std::string_view> names) {
  fs::path path = root;
  bool exists = true;
  for (std::string_view name : names) {
    const fs::path found = exists ? FindChildNoCase(path, name) : fs::path();
    exists = !found.empty();
    path = exists ? found : path / name;
  }
  return path;
}

fs::path EventFolderPath(const fs::path& root) { return ResolveCardPath(root, {kChannelFolderName, kEventFolderName}); }

fs::path NormalFolderPath(const fs::path& root) {
  return ResolveCardPath(root, {kChannelFolderName, kNormalFolderName});
}

fs::path LogFolderPath(const fs::path& root) { return ResolveCardPath(root, {kLogFolderName}); }

fs::path SettingsFilePath(const fs::path& root) {
  return ResolveCardPath(root, {kConfigFolderName, kSettingsFileName});
}

std::vector<std::string> ListCardFiles(const fs::path& folder, std::string_view extension) {
  std::vector<std::string> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    if (EndsWithNoCase(it->path().filename().string(), extension)) files.push_back(it->path().string());
  }
  // A FAT card lists a folder in the order its entries were made, which for
  // the recorder's numbered, time-stamped names is their name order. Other
  // file systems (and copies of a card) list in an order of their own, so
  // the name order is made here to keep the lists the same everywhere.
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<UnreadableFolder> UnreadableCardFolders(const fs::path& root) {
  std::vector<UnreadableFolder> unreadable;
  for (const fs::path& folder : {EventFolderPath(root), NormalFolderPath(root), LogFolderPath(root)}) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(folder, error))) continue;
    fs::directory_iterator listing(folder, error);
    if (error) unreadable.push_back({folder.string(), error.message()});
  }
  return unreadable;
}
