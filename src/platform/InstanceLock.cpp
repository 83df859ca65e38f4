#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr mode_t kOwnerOnly = 0600;

}  // namespace

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::Take(const std::filesystem::path& file) {
  if (fd_ >= 0) return true;
  // No O_TRUNC and nothing written: the file only carries the lock.
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kOwnerOnly);
  if (fd < 0) return false;
  int taken = 0;
  do {
    taken = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (taken != 0 && errno == EINTR);
  if (taken != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}
