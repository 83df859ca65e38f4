#include "export/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr size_t kBufferSize = 256 * 1024;
constexpr int kNameAttempts = 100;
// Files come out as the user's umask allows, like any program's output.
constexpr mode_t kFileMode = 0666;

std::atomic<unsigned> gTempCounter{0};

}  // namespace

std::string TemporaryOutputName(const std::string& targetPath) {
  const fs::path target(targetPath);
  const unsigned n = gTempCounter.fetch_add(1);
  // Appended rather than "." + string: GCC 12 reports a false -Wrestrict
  // overlap for a literal prepended to a temporary string.
  const std::string name = std::string(".")
                               .append(target.filename().string())
                               .append(".part-")
                               .append(std::to_string(::getpid()))
                               .append("-")
                               .append(std::to_string(n));
  return (target.parent_path() / name).string();
}

namespace {

bool WriteAll(int fd, const unsigned char* bytes, size_t count, int& error) {
  while (count > 0) {
    const ssize_t n = ::write(fd, bytes, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    bytes += n;
    count -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Open(const std::string& target) {
  Discard();
  errno_ = 0;
  target_ = target;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temp_ = TemporaryOutputName(target);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd_ >= 0) break;
    if (errno != EEXIST) break;
  }
  if (fd_ < 0) {
    errno_ = errno != 0 ? errno : EEXIST;
    temp_.clear();
    return false;
  }
  buffer_.resize(kBufferSize);
  used_ = 0;
  return true;
}

void OutputFile::Write(std::string_view bytes) {
  Write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

void OutputFile::Write(const unsigned char* bytes, size_t count) {
  if (fd_ < 0 || errno_ != 0) return;
  if (used_ + count > buffer_.size()) {
    if (!Flush()) return;
    if (count >= buffer_.size()) {
      int error = 0;
      if (!WriteAll(fd_, bytes, count, error)) Fail(error);
      return;
    }
  }
  std::memcpy(buffer_.data() + used_, bytes, count);
  used_ += count;
}

bool OutputFile::Flush() {
  int error = 0;
  if (used_ > 0 && !WriteAll(fd_, buffer_.data(), used_, error)) {
    Fail(error);
    return false;
  }
  used_ = 0;
  return true;
}

void OutputFile::Fail(int error) {
  if (errno_ == 0) errno_ = error;
}

bool OutputFile::Commit() {
  if (fd_ < 0) return false;
  if (errno_ == 0) Flush();
  if (::close(fd_) != 0) Fail(errno);
  fd_ = -1;
  if (errno_ == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) Fail(errno);
  if (errno_ != 0) {
    ::unlink(temp_.c_str());
    temp_.clear();
    return false;
  }
  temp_.clear();
  return true;
}

void OutputFile::Discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
  used_ = 0;
}

std::string OutputFile::Error() const {
  if (errno_ == 0) return {};
  return target_ + ": " + std::strerror(errno_);
}

bool OutputExists(const std::string& path) {
  struct stat s {};
  return ::lstat(path.c_str(), &s) == 0;
}
