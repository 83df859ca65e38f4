#include "platform/AtomicWrite.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>
#include <vector>

#include "platform/Trace.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempMark = ".tmp-";
constexpr std::string_view kSeedMark = ".seed-";
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask

enum class Outcome { kDone, kFailed, kNoUnnamedFiles };

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

fs::path TempNameFor(const fs::path& file) {
  return file.string() + std::string(kTempMark) + std::to_string(::getpid());
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<size_t>(written));
  }
  return ::fsync(fd) == 0;
}

// Through /proc, because naming the descriptor itself (AT_EMPTY_PATH) takes
// a privilege an ordinary user does not have.
bool NameUnnamed(int fd, const fs::path& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool Rename(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  ::unlink(from.c_str());
  return false;
}

Outcome WriteUnnamed(const fs::path& file, std::string_view content, WriteMode mode) {
  const int fd = ::open(FolderOf(file).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode);
  if (fd < 0) {
    // EISDIR: a kernel that predates unnamed files; the others: a file
    // system without them.
    const bool unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
    return unsupported ? Outcome::kNoUnnamedFiles : Outcome::kFailed;
  }
  if (!WriteAll(fd, content)) {
    ::close(fd);
    return Outcome::kFailed;
  }
  Outcome outcome = Outcome::kDone;
  const fs::path name = mode == WriteMode::kCreateOnly ? file : TempNameFor(file);
  if (mode == WriteMode::kReplace) ::unlink(name.c_str());
  if (!NameUnnamed(fd, name)) {
    // Taken: a create that must not replace. Otherwise the file cannot be
    // named this way (no /proc, say), and the named way may still work.
    outcome = errno == EEXIST ? Outcome::kFailed : Outcome::kNoUnnamedFiles;
  } else if (mode == WriteMode::kReplace && !Rename(name, file)) {
    outcome = Outcome::kFailed;
  }
  ::close(fd);
  return outcome;
}

bool WriteNamed(const fs::path& file, std::string_view content, WriteMode mode) {
  const fs::path temp = TempNameFor(file);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, content);
  const bool closed = ::close(fd) == 0;
  std::error_code error;
  const bool free = mode == WriteMode::kReplace || fs::symlink_status(file, error).type() == fs::file_type::not_found;
  if (written && closed && free) return Rename(temp, file);
  ::unlink(temp.c_str());
  return false;
}

// The process id after mark in name, or 0 when name is no such temporary.
pid_t WriterOf(std::string_view name, std::string_view base, std::string_view mark) {
  if (name.size() <= base.size() + mark.size() || name.substr(0, base.size()) != base) return 0;
  if (name.substr(base.size(), mark.size()) != mark) return 0;
  const std::string_view digits = name.substr(base.size() + mark.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  return error == std::errc() && end == digits.data() + digits.size() ? pid : 0;
}

bool IsRunning(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

}  // namespace

bool WriteFileAtomically(const fs::path& file, std::string_view content, WriteMode mode) {
  const Outcome outcome = WriteUnnamed(file, content, mode);
  if (outcome != Outcome::kNoUnnamedFiles) return outcome == Outcome::kDone;
  return WriteNamed(file, content, mode);
}

void RemoveStaleTemporaries(const fs::path& file) {
  const std::string base = file.filename().string();
  std::vector<fs::path> stale;
  std::error_code error;
  for (fs::directory_iterator it(FolderOf(file), error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    pid_t writer = WriterOf(name, base, kTempMark);
    if (writer == 0) writer = WriterOf(name, base, kSeedMark);
    if (writer <= 0 || IsRunning(writer)) continue;
    std::error_code typeError;
    if (it->is_symlink(typeError) || !it->is_regular_file(typeError)) continue;
    stale.push_back(it->path());
  }
  for (const fs::path& path : stale) {
    std::error_code removeError;
    if (fs::remove(path, removeError)) KTRACE("Removed %s, left by a process that ended", path.c_str());
  }
}
