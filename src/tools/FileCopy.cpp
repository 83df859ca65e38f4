#include "tools/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/OutputFile.h"
#include "platform/Trace.h"

namespace fs = std::filesystem;

namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

CopyResult Failure(const std::string& what) { return {CopyOutcome::Failed, 0, what + ": " + std::strerror(errno)}; }

// copy_file_range is refused across some file systems and by some kernels;
// the plain loop always works.
bool KernelCopyUnsupported(int error) {
  return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP;
}

ssize_t ReadWriteChunk(int in, int out, size_t length, std::vector<char>& buffer) {
  buffer.resize(kCopyChunkBytes);
  const ssize_t got = read(in, buffer.data(), std::min(length, buffer.size()));
  if (got <= 0) return got;
  for (ssize_t written = 0; written < got;) {
    const ssize_t put = write(out, buffer.data() + written, static_cast<size_t>(got - written));
    if (put < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    written += put;
  }
  return got;
}

// Copies the bytes; Copied, Failed (errno set) or Cancelled.
CopyOutcome CopyBytes(int in, int out, uint64_t total, const std::atomic<bool>& cancel, const CopyProgress& progress,
                      uint64_t& done) {
  bool kernelCopy = true;
  std::vector<char> buffer;
  while (true) {
    if (cancel.load()) return CopyOutcome::Cancelled;
    ssize_t moved = -1;
    if (kernelCopy) {
      moved = copy_file_range(in, nullptr, out, nullptr, kCopyChunkBytes, 0);
      if (moved < 0 && done == 0 && KernelCopyUnsupported(errno)) {
        kernelCopy = false;
        continue;
      }
    } else {
      moved = ReadWriteChunk(in, out, kCopyChunkBytes, buffer);
    }
    if (moved < 0 && errno == EINTR) continue;
    if (moved < 0) return CopyOutcome::Failed;
    if (moved == 0) {
      if (done == 0 && progress) progress(0, 0);  // an empty file is done at once
      return CopyOutcome::Copied;
    }
    done += static_cast<uint64_t>(moved);
    if (progress) progress(done, std::max(total, done));
  }
}

}  // namespace

CopyResult CopyFileSafely(const fs::path& source, const fs::path& target, const std::atomic<bool>& cancel,
                          const CopyProgress& progress) {
  // Not blocking, so that a pipe in the source's place cannot hold the run;
  // not following, so that a link is not copied as what it points to.
  Fd in(open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (in.get() < 0) return Failure("open " + source.string());
  struct stat info {};
  if (fstat(in.get(), &info) != 0) return Failure("stat " + source.string());
  if (!S_ISREG(info.st_mode)) {
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return Failure(source.string());
  }

  OutputFile out;
  if (!out.Open(target.string(), Overwrite::kReplace, OutputGuard{{source.string()}, {}}))
    return {CopyOutcome::Failed, 0, out.Error()};
  uint64_t done = 0;
  const CopyOutcome copied =
      CopyBytes(in.get(), out.Descriptor(), static_cast<uint64_t>(info.st_size), cancel, progress, done);
  if (copied == CopyOutcome::Cancelled) return {CopyOutcome::Cancelled, 0, {}};
  if (copied == CopyOutcome::Failed) return Failure("copy " + source.string());
  // A FAT stick refuses most modes and some shares refuse times; the bytes
  // are what the backup is for, so neither fails the copy.
  const struct timespec times[2] = {info.st_atim, info.st_mtim};
  if (fchmod(out.Descriptor(), info.st_mode & 0777) != 0) KTRACE("Mode not kept on %s", target.c_str());
  if (futimens(out.Descriptor(), times) != 0) KTRACE("Time not kept on %s", target.c_str());
  if (!out.Commit()) return {CopyOutcome::Failed, 0, out.Error()};
  return {CopyOutcome::Copied, done, {}};
}
