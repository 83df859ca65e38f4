#pragma once
// The program's single-instance lock: an advisory lock on a file in the
// user's runtime folder, held while the object lives. The system lets it go
// when the process ends however it ends, so no lock is ever stale, and taking
// it writes nothing: start-up does not wait for the disk.

#include <filesystem>

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // False when another process holds the lock or the file cannot be made;
  // the caller decides what that means.
  bool Take(const std::filesystem::path& file);
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};
