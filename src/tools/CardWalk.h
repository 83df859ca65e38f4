#pragma once
// The files of a card that a whole-card backup copies: everything under the
// root except the recorder's own config, zaza and program folders.

#include <cstdint>
#include <filesystem>
#include <vector>

struct CardFiles {
  std::vector<std::filesystem::path> paths;  // full paths, in enumeration order
  uint64_t totalBytes = 0;
};

CardFiles WalkCardFiles(const std::filesystem::path& root);
