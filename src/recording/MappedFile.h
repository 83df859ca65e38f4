#pragma once
// A whole file mapped read-only. Its length is learnt once, when it is
// mapped; reads of the mapping must run under RunWithSigbusGuard because
// the file may still shrink afterwards.

#include <cstddef>
#include <cstdint>

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the open file fd; false for an empty file or when mapping fails.
  bool Map(int fd);
  void Release();

  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
