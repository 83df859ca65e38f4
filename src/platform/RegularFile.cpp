#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr size_t kReadChunk = 16 * 1024;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Non-blocking so that a FIFO cannot hang the open; it is refused just
// below, and regular files ignore the flag.
int OpenChecked(int folderFd, const char* path, FileReadError& error, int64_t* size = nullptr) {
  error = FileReadError::kCannotOpen;
  if (*path == '\0') return -1;
  const int fd = ::openat(folderFd, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    error = FileReadError::kNotRegular;
    return -1;
  }
  if (size != nullptr) *size = static_cast<int64_t>(info.st_size);
  return fd;
}

}  // namespace

int OpenRegularFile(const std::filesystem::path& path) {
  FileReadError ignored;
  return OpenChecked(AT_FDCWD, path.c_str(), ignored);
}

int OpenRegularFile(const std::string& path, int64_t& size) {
  FileReadError ignored;
  return OpenChecked(AT_FDCWD, path.c_str(), ignored, &size);
}

int OpenRegularFileAt(int folderFd, const char* name, int64_t& size) {
  FileReadError ignored;
  return OpenChecked(folderFd, name, ignored, &size);
}

bool RegularFileOpens(const std::filesystem::path& path) {
  const Descriptor file(OpenRegularFile(path));
  return file.Get() >= 0;
}

WholeFile ReadRegularFile(const std::filesystem::path& path, uint64_t maxBytes) {
  WholeFile result;
  const Descriptor file(OpenChecked(AT_FDCWD, path.c_str(), result.error));
  if (file.Get() < 0) return result;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) {
    result.error = FileReadError::kReadFailed;
    return result;
  }
  if (static_cast<uint64_t>(info.st_size) > maxBytes) {
    result.error = FileReadError::kTooLarge;
    return result;
  }
  // The size is only a hint: the file may grow or shrink while it is read.
  std::string content;
  char chunk[kReadChunk];
  for (;;) {
    const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.error = FileReadError::kReadFailed;
      return result;
    }
    if (got == 0) break;
    if (content.size() + static_cast<size_t>(got) > maxBytes) {
      result.error = FileReadError::kTooLarge;
      return result;
    }
    content.append(chunk, static_cast<size_t>(got));
  }
  result.content = std::move(content);
  return result;
}
