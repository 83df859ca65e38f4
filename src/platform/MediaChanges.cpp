#include "platform/MediaChanges.h"

#include <algorithm>
#include <set>

namespace {

std::multiset<std::string> MountPoints(const std::vector<MountEntry>& mounts) {
  std::multiset<std::string> points;
  for (const MountEntry& mount : mounts) points.insert(mount.mountPoint);
  return points;
}

// Entries of from whose mount point occurs fewer times in other: a point
// mounted twice and unmounted once is still a change.
std::vector<std::string> Missing(const std::vector<MountEntry>& from, std::multiset<std::string> other) {
  std::vector<std::string> missing;
  for (const MountEntry& mount : from) {
    auto found = other.find(mount.mountPoint);
    if (found != other.end()) {
      other.erase(found);
      continue;
    }
    missing.push_back(mount.mountPoint);
  }
  return missing;
}

}  // namespace

MediaChanges DiffMounts(const std::vector<MountEntry>& before, const std::vector<MountEntry>& after) {
  MediaChanges changes;
  changes.removed = Missing(before, MountPoints(after));
  changes.added = Missing(after, MountPoints(before));
  return changes;
}

bool IsOnRemovedMedium(const std::filesystem::path& root, const std::filesystem::path& mountPoint) {
  if (root.empty() || mountPoint.empty()) return false;
  const std::filesystem::path mount = mountPoint.lexically_normal();
  if (mount == mount.root_path()) return false;
  const std::filesystem::path folder = root.lexically_normal();
  auto m = mount.begin();
  auto f = folder.begin();
  for (; m != mount.end(); ++m, ++f) {
    // A trailing separator normalises to an empty last element.
    if (m->empty()) continue;
    if (f == folder.end() || *f != *m) return false;
  }
  return true;
}
