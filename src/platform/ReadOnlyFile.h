#pragma once
// A file opened read-only, read by position. Reads never move a shared file
// position, so frame reads from different threads cannot disturb each other,
// and a file that shrinks underneath only gives short reads.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/OpenFolder.h"

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  ReadOnlyFile(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;

  // Opens a regular file; false (and closed) otherwise.
  bool Open(const std::string& path);
  // The same file, opened by its name when it lies directly in folder.
  bool Open(const std::string& path, const OpenFolder& folder);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }

  // The length now, or -1 when it cannot be learnt.
  int64_t Size() const;
  // The length Open found, without asking the file again; -1 when closed.
  int64_t OpenedSize() const { return openedSize_; }

  // Reads up to size bytes at offset; returns how many came back (fewer at
  // the end of the file or on an error).
  size_t ReadAt(uint64_t offset, void* buffer, size_t size) const;

 private:
  int fd_ = -1;
  int64_t openedSize_ = -1;
};
