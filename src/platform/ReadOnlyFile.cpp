#include "platform/ReadOnlyFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/RegularFile.h"

ReadOnlyFile::~ReadOnlyFile() { Close(); }

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), openedSize_(std::exchange(other.openedSize_, -1)) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    openedSize_ = std::exchange(other.openedSize_, -1);
  }
  return *this;
}

bool ReadOnlyFile::Open(const std::string& path) {
  Close();
  int64_t size = -1;
  fd_ = OpenRegularFile(path, size);
  if (fd_ < 0) return false;
  openedSize_ = size;
  return true;
}

bool ReadOnlyFile::Open(const std::string& path, const OpenFolder& folder) {
  Close();
  const OpenFolder::Place place = folder.PlaceOf(path);
  int64_t size = -1;
  fd_ = OpenRegularFileAt(place.folderFd, place.name, size);
  if (fd_ < 0) return false;
  openedSize_ = size;
  return true;
}

void ReadOnlyFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  openedSize_ = -1;
}

int64_t ReadOnlyFile::Size() const {
  struct stat info {};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

size_t ReadOnlyFile::ReadAt(uint64_t offset, void* buffer, size_t size) const {
  if (fd_ < 0) return 0;
  auto* out = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}
