#pragma once
// A log file opened for reading. The reader takes it whole; the per-file
// probes of the file lists read only the pieces they need. The bytes may
// also be in memory already, and are then read the same way.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

class LogSource {
 public:
  // No recorder writes a log anywhere near this; a larger file is refused
  // rather than pulled into memory.
  static constexpr uint64_t kMaxWholeBytes = 64ull * 1024 * 1024;

  LogSource() = default;
  ~LogSource();
  LogSource(const LogSource&) = delete;
  LogSource& operator=(const LogSource&) = delete;

  // Regular files only: a folder or a pipe is not a log and must not block.
  bool Open(const std::filesystem::path& path);
  // A log held in memory, as a file of those bytes that does not change.
  void OpenBytes(std::string bytes);
  bool IsOpen() const { return fd_ >= 0 || held_; }
  uint64_t Size() const { return size_; }

  // Exactly count bytes at offset; false on a short read or an error.
  bool ReadAt(uint64_t offset, char* out, size_t count) const;

  // The whole file. False when it is empty, larger than kMaxWholeBytes, or
  // cannot be read whole, and when it changed while it was read (its size or
  // modification time moved): a half-written log is a failed load, not a
  // shorter one.
  bool ReadAll(std::string& out) const;

 private:
  bool Unchanged() const;
  void Close();

  bool held_ = false;
  std::string bytes_;
  int fd_ = -1;
  uint64_t size_ = 0;
  timespec modified_{};
};
