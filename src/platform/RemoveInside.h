#pragma once
// Deleting a file that must lie inside a given folder. The path is walked
// from that folder down with every step opened as what it is, never
// followed: a folder or file on the way that is a symbolic link (wherever
// it points, even back inside) stops the delete, so a link on a card can
// never make a clean-up remove files outside it.

#include <filesystem>
#include <string>

struct RemoveResult {
  bool removed = false;
  std::string reason;  // why not, in words; empty when removed
};

// Removes file, a regular file below root. root itself may be reached
// through links (a mount point often is).
RemoveResult RemoveFileInside(const std::filesystem::path& root, const std::filesystem::path& file);
