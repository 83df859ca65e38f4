#pragma once
// The files of a card that a whole-card backup copies: everything under the
// root except the recorder's own config, zaza and program folders.

#include <cstdint>
#include <filesystem>
#include <vector>

struct CardFiles {
  std::vector<std::filesystem::path> paths;  // full paths, sorted
  uint64_t totalBytes = 0;
  // What the walk found but cannot copy: a folder it could not list, a
  // pipe, device or link where a file belongs. Each counts as a file that
  // could not be copied, so a backup never calls itself complete without
  // them.
  std::vector<std::filesystem::path> uncopiable;
};

CardFiles WalkCardFiles(const std::filesystem::path& root);
