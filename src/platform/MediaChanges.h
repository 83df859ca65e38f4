#pragma once
// What changed between two readings of the mount table: the mount points
// that went away (a card pulled or unmounted) and those that came. The
// window's media watcher reads the table when the kernel says it changed and
// asks these questions.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Volumes.h"

struct MediaChanges {
  std::vector<std::string> removed;
  std::vector<std::string> added;
  bool Empty() const { return removed.empty() && added.empty(); }
};

// Mount points in before but not in after, and the reverse, in table order.
MediaChanges DiffMounts(const std::vector<MountEntry>& before, const std::vector<MountEntry>& after);

// Whether the data folder root lives on the medium mounted at mountPoint:
// the root is the mount point or lies below it. The root file system never
// counts, since its removal is not something a viewer outlives; nor does an
// empty root.
bool IsOnRemovedMedium(const std::filesystem::path& root, const std::filesystem::path& mountPoint);
