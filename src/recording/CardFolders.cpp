#include "recording/CardFolders.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
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

// Calls take(name, which) for every file of folder that is regular (links to
// regular files count) and whose name ends in extensions[which], in the
// folder's own order, until take returns false. The folder is read entry by
// entry without forming a path for each: a card folder holds thousands of
// files. The error is why the folder could not be opened or read; none when
// it was read to its end (or take stopped it).
template <typename Take>
std::error_code WalkCardFiles(const fs::path& folder, std::initializer_list<std::string_view> extensions, Take take) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return {errno, std::generic_category()};
  std::error_code error;
  while (true) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      if (errno != 0) error.assign(errno, std::generic_category());
      break;
    }
    const std::string_view name(entry->d_name);
    size_t which = 0;
    for (std::string_view extension : extensions) {
      if (EndsWithNoCase(name, extension)) break;
      ++which;
    }
    if (which == extensions.size()) continue;
    // A link, or a file system that does not say, is asked what the name
    // leads to.
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat info {};
      regular = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    }
    if (regular && !take(name, which)) break;
  }
  ::closedir(dir);
  return error;
}

// The names in the order std::sort with < gives them. A folder of the
// recorder's names sorts by their first eight bytes almost alone, so those
// are compared as one number and the whole names only where they tie; a
// folder that comes in order (a FAT card's) is left as it is.
void SortNames(std::vector<std::string>& names) {
  if (std::is_sorted(names.begin(), names.end())) return;
  struct Keyed {
    uint64_t head;  // the first eight bytes, big-endian, zeros past the end
    size_t at;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    uint64_t head = 0;
    for (size_t k = 0; k < sizeof head; ++k) {
      head = head << 8 | (k < names[i].size() ? static_cast<unsigned char>(names[i][k]) : 0u);
    }
    keyed.push_back({head, i});
  }
  std::sort(keyed.begin(), keyed.end(), [&names](const Keyed& a, const Keyed& b) {
    if (a.head != b.head) return a.head < b.head;
    return names[a.at] < names[b.at];
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (const Keyed& k : keyed) sorted.push_back(std::move(names[k.at]));
  names = std::move(sorted);
}

}  // namespace

CardFolderNames ReadCardFileNames(const fs::path& folder, std::initializer_list<std::string_view> extensions) {
  CardFolderNames read;
  read.names.resize(extensions.size());
  read.error = WalkCardFiles(folder, extensions, [&read](std::string_view name, size_t which) {
    read.names[which].emplace_back(name);
    return true;
  });
  // A FAT card lists a folder in the order its entries were made, which for
  // the recorder's numbered, time-stamped names is their name order. Other
  // file systems (and copies of a card) list in an order of their own, so
  // the name order is made here to keep the lists the same everywhere.
  for (std::vector<std::string>& names : read.names) SortNames(names);
  return read;
}

std::vector<std::string> ListCardFileNames(const fs::path& folder, std::string_view extension) {
  return std::move(ReadCardFileNames(folder, {extension}).names.front());
}

std::vector<std::string> JoinToFolder(const fs::path& folder, const std::vector<std::string>& names) {
  // What joining each name to folder gives, formed once.
  const std::string prefix = (folder / "").string();
  std::vector<std::string> files;
  files.reserve(names.size());
  for (const std::string& name : names) {
    std::string& file = files.emplace_back();
    file.reserve(prefix.size() + name.size());
    file.append(prefix).append(name);
  }
  return files;
}

std::vector<std::string> ListCardFiles(const fs::path& folder, std::string_view extension) {
  return JoinToFolder(folder, ListCardFileNames(folder, extension));
}

int CountCardFilesIn(const fs::path& folder, std::string_view extension) {
  int count = 0;
  WalkCardFiles(folder, {extension}, [&count](std::string_view, size_t) {
    ++count;
    return true;
  });
  return count;
}

bool HasCardFiles(const fs::path& folder, std::string_view extension) {
  bool found = false;
  WalkCardFiles(folder, {extension}, [&found](std::string_view, size_t) {
    found = true;
    return false;
  });
  return found;
}
