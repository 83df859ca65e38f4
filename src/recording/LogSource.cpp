#include "recording/LogSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

LogSource::~LogSource() { Close(); }

void LogSource::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  held_ = false;
  bytes_.clear();
  size_ = 0;
}

void LogSource::OpenBytes(std::string bytes) {
  Close();
  held_ = true;
  bytes_ = std::move(bytes);
  size_ = bytes_.size();
}

bool LogSource::Open(const std::filesystem::path& path) {
  Close();
  // Non-blocking so that opening a FIFO cannot wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return false;
  }
  fd_ = fd;
  size_ = static_cast<uint64_t>(st.st_size);
  modified_ = st.st_mtim;
  return true;
}

bool LogSource::ReadAt(uint64_t offset, char* out, size_t count) const {
  if (held_) {
    if (offset > size_ || count > size_ - offset) return false;
    if (count > 0) std::memcpy(out, bytes_.data() + offset, count);
    return true;
  }
  if (fd_ < 0) return false;
  size_t done = 0;
  while (done < count) {
    const ssize_t got = pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

bool LogSource::ReadAll(std::string& out) const {
  out.clear();
  if (!IsOpen() || size_ == 0 || size_ > kMaxWholeBytes) return false;
  if (held_) {
    out = bytes_;
    return true;
  }
  try {
    out.resize(static_cast<size_t>(size_));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!ReadAt(0, out.data(), out.size())) {
    out.clear();
    return false;
  }
  // One byte past the size must be the end: the file did not grow meanwhile.
  char extra = 0;
  const bool grew = pread(fd_, &extra, 1, static_cast<off_t>(size_)) > 0;
  if (grew || !Unchanged()) {
    out.clear();
    return false;
  }
  return true;
}

bool LogSource::Unchanged() const {
  struct stat st {};
  if (fstat(fd_, &st) != 0) return false;
  return static_cast<uint64_t>(st.st_size) == size_ && st.st_mtim.tv_sec == modified_.tv_sec &&
         st.st_mtim.tv_nsec == modified_.tv_nsec;
}
