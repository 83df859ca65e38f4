#pragma once
// A folder held open while many of its files are opened one after another.
// Each file is then opened by its name alone, so the system looks up one
// name instead of walking the whole path again for every file: opening a
// card opens a few thousand files in the same two folders. A folder that
// cannot be opened changes nothing: its files are opened by their paths.

#include <string>

class OpenFolder {
 public:
  // folder: a path up to and with its last "/", as the paths of its files
  // begin.
  explicit OpenFolder(std::string folder);
  ~OpenFolder();
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;

  // Where path is opened from: this folder and the file's name when path
  // names a file directly in it, else the working folder and path itself.
  struct Place {
    int folderFd;
    const char* name;
  };
  Place PlaceOf(const std::string& path) const;

 private:
  std::string prefix_;
  int fd_;
};
