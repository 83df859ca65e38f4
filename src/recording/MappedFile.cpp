#include "recording/MappedFile.h"

#include <sys/mman.h>
#include <sys/stat.h>

MappedFile::~MappedFile() { Release(); }

bool MappedFile::Map(int fd) {
  Release();
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) return false;
  const auto size = static_cast<size_t>(info.st_size);
  void* view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
  if (view == MAP_FAILED) return false;
  // The scan walks the file once from front to back.
  ::madvise(view, size, MADV_SEQUENTIAL);
  data_ = static_cast<const uint8_t*>(view);
  size_ = size;
  return true;
}

void MappedFile::Release() {
  if (data_ != nullptr) ::munmap(const_cast<uint8_t*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}
