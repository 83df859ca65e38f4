#pragma once
// Card trees for the store tests: the recorder's folders, files of a given
// size, and files that cannot be read even by root.

#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

// A file that the card lists as a regular file but that cannot be opened:
// for an ordinary user a file without permissions; root reads any file, so
// for root a link to a kernel attribute that can only be written. False
// when neither is possible here.
inline bool MakeUnreadableFile(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  if (geteuid() != 0) {
    std::ofstream(path, std::ios::binary) << std::string(100, 'x');
    std::filesystem::permissions(path, std::filesystem::perms::none, error);
    return !error;
  }
  const std::filesystem::path writeOnly = "/sys/bus/pci/rescan";
  if (!std::filesystem::is_regular_file(writeOnly, error)) return false;
  std::filesystem::create_symlink(writeOnly, path, error);
  return !error;
}

// The recorder's folders under root, in the spelling given.
inline void MakeCardFolders(const std::filesystem::path& root, const std::string& channel = "ch1",
                            const std::string& event = "event", const std::string& normal = "normal",
                            const std::string& log = "log") {
  std::filesystem::create_directories(root / channel / event);
  if (!normal.empty()) std::filesystem::create_directories(root / channel / normal);
  if (!log.empty()) std::filesystem::create_directories(root / log);
}

// size bytes of filler; the first byte is a JPEG-like FF.
inline std::string Filler(size_t size) {
  std::string bytes(size, '\x11');
  if (size > 0) bytes[0] = '\xFF';
  return bytes;
}
