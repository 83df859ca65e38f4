#include "recording/CardFolders.h"

#include <dirent.h>
#include <sys/stat.h>

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

namespace {

// Calls take(name) for every file ListCardFiles lists, in the folder's own
// order, until take returns false. The folder is read entry by entry without forming a path for each:
// a card folder holds thousands of files, most of another extension, and
// the listing runs several times whenever a card is opened.
template <typename Take>
void WalkCardFiles(const fs::path& folder, std::string_view extension, Take take) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (!EndsWithNoCase(name, extension)) continue;
    // A link, or a file system that does not say, is asked what the name
    // leads to.
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat info {};
      regular = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    }
    if (regular && !take(name)) break;
  }
  ::closedir(dir);
}

}  // namespace

std::vector<std::string> ListCardFileNames(const fs::path& folder, std::string_view extension) {
  std::vector<std::string> names;
  WalkCardFiles(folder, extension, [&names](std::string_view name) {
    names.emplace_back(name);
    return true;
  });
  // A FAT card lists a folder in the order its entries were made, which for
  // the recorder's numbered, time-stamped names is their name order. Other
  // file systems (and copies of a card) list in an order of their own, so
  // the name order is made here to keep the lists the same everywhere.
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ListCardFiles(const fs::path& folder, std::string_view extension) {
  // What joining each name to folder gives, formed once.
  const std::string prefix = (folder / "").string();
  std::vector<std::string> files = ListCardFileNames(folder, extension);
  for (std::string& file : files) file.insert(0, prefix);
  return files;
}

int CountCardFilesIn(const fs::path& folder, std::string_view extension) {
  int count = 0;
  WalkCardFiles(folder, extension, [&count](std::string_view) {
    ++count;
    return true;
  });
  return count;
}

bool HasCardFiles(const fs::path& folder, std::string_view extension) {
  bool found = false;
  WalkCardFiles(folder, extension, [&found](std::string_view) {
    found = true;
    return false;
  });
  return found;
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
