#include "platform/OutputFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/Trace.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kBufferSize = 256 * 1024;
constexpr int kNameAttempts = 100;
// Files come out as the user's umask allows, like any program's output.
constexpr mode_t kFileMode = 0666;
constexpr std::string_view kTempPrefix = ".korvane-";
constexpr std::string_view kTempSuffix = ".tmp";

std::atomic<unsigned> gTempCounter{0};

std::string FolderOf(const std::string& target) {
  const fs::path folder = fs::path(target).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

// Short whatever the target's name, so that a target name as long as the
// file system allows still leaves room for it. The process's start time
// beside its id tells a writer from a later process that got the same id.
std::string TemporaryNameIn(const std::string& folder) {
  std::string name(kTempPrefix);
  name += std::to_string(::getpid());
  name += '-';
  static const uint64_t start = ProcessStartTime(::getpid());
  name += std::to_string(start);
  name += '-';
  name += std::to_string(gTempCounter.fetch_add(1));
  name += kTempSuffix;
  return (fs::path(folder) / name).string();
}

// The numbers of a temporary's name: its writer's id, the writer's start
// time (absent in the names of earlier versions), its count.
struct TemporaryName {
  pid_t pid = 0;
  std::optional<uint64_t> start;
};

std::optional<TemporaryName> ParseTemporary(std::string_view name) {
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return std::nullopt;
  name.remove_prefix(kTempPrefix.size());
  name.remove_suffix(kTempSuffix.size());
  std::vector<uint64_t> numbers;
  while (true) {
    uint64_t number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error != std::errc() || end == name.data()) return std::nullopt;
    numbers.push_back(number);
    name.remove_prefix(static_cast<size_t>(end - name.data()));
    if (name.empty()) break;
    if (name.front() != '-') return std::nullopt;
    name.remove_prefix(1);
  }
  if (numbers.size() != 2 && numbers.size() != 3) return std::nullopt;
  if (numbers[0] == 0 || numbers[0] > static_cast<uint64_t>(std::numeric_limits<pid_t>::max())) return std::nullopt;
  TemporaryName parsed;
  parsed.pid = static_cast<pid_t>(numbers[0]);
  if (numbers.size() == 3) parsed.start = numbers[1];
  return parsed;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool IsOneOf(const struct stat& file, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    struct stat other {};
    if (!path.empty() && ::stat(path.c_str(), &other) == 0 && SameFile(file, other)) return true;
  }
  return false;
}

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

// The rename is only on the disk once the folder is.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Names temp as target unless something has that name meanwhile. File
// systems without an exclusive rename (RENAME_NOREPLACE) get a hard link;
// FAT has neither, and there the last look before the rename has to do.
int RenameWithoutReplacing(const std::string& temp, const std::string& target) {
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (::link(temp.c_str(), target.c_str()) == 0) {
    ::unlink(temp.c_str());
    return 0;
  }
  if (errno != EPERM && errno != EOPNOTSUPP) return errno;
  if (OutputExists(target)) return EEXIST;
  return ::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
}

// A name the folder's file system will not take fails at once, not after
// the whole file has been written under the short temporary name.
bool NameFits(const std::string& folder, const std::string& target) {
  const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return longest <= 0 || fs::path(target).filename().string().size() <= static_cast<size_t>(longest);
}

// Process ids come round again (often within one long build), so a
// writer is only running when the process of that id started when it did.
bool IsRunning(const TemporaryName& writer) {
  if (::kill(writer.pid, 0) != 0 && errno == ESRCH) return false;
  if (!writer.start) return true;
  const uint64_t start = ProcessStartTime(writer.pid);
  return start == 0 || start == *writer.start;
}

}  // namespace

OutputRefusal CheckOutput(const std::string& target, const OutputGuard& guard, Overwrite overwrite) {
  struct stat followed {};
  const bool reaches = ::stat(target.c_str(), &followed) == 0;
  if (reaches && IsOneOf(followed, guard.inputs)) return OutputRefusal::kAnInput;
  struct stat folder {};
  if (::stat(FolderOf(target).c_str(), &folder) == 0 && IsOneOf(folder, guard.folders))
    return OutputRefusal::kProtectedFolder;
  struct stat entry {};
  if (::lstat(target.c_str(), &entry) != 0) return OutputRefusal::kNone;
  // A link is judged by what it leads to; the rename replaces the link.
  if (!reaches || !S_ISREG(followed.st_mode)) return OutputRefusal::kNotAFile;
  return overwrite == Overwrite::kReplace ? OutputRefusal::kNone : OutputRefusal::kExists;
}

std::string RefusalText(const std::string& target, OutputRefusal refusal) {
  switch (refusal) {
    case OutputRefusal::kNone:
      return {};
    case OutputRefusal::kAnInput:
      return target + " is one of the inputs; it is left as it is";
    case OutputRefusal::kProtectedFolder:
      return target + " lies in a card's recording folder; nothing is written there";
    case OutputRefusal::kNotAFile:
      return target + " exists and is not a regular file; it is not replaced";
    case OutputRefusal::kExists:
      return target + " exists; it is not replaced";
  }
  return {};
}

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Refuse(OutputRefusal refusal) {
  refusal_ = refusal;
  // A name taken stops this file; a forbidden input or folder stops every
  // file an export would write there.
  const bool nameTaken = refusal == OutputRefusal::kExists || refusal == OutputRefusal::kNotAFile;
  Fail(nameTaken ? EEXIST : EPERM);
  return false;
}

bool OutputFile::Open(const std::string& target, Overwrite overwrite, const OutputGuard& guard) {
  Discard();
  errno_ = 0;
  refusal_ = OutputRefusal::kNone;
  target_ = target;
  overwrite_ = overwrite;
  guard_ = guard;
  if (const OutputRefusal refusal = CheckOutput(target, guard, overwrite); refusal != OutputRefusal::kNone)
    return Refuse(refusal);
  const std::string folder = FolderOf(target);
  if (!NameFits(folder, target)) {
    Fail(ENAMETOOLONG);
    return false;
  }
  RemoveStaleTemporaries(folder);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temp_ = TemporaryNameIn(folder);
    fd_ = ::open(temp_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) {
    Fail(errno != 0 ? errno : EEXIST);
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
  // An empty piece may come without bytes at all (an empty string_view).
  if (fd_ < 0 || errno_ != 0 || count == 0) return;
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

bool OutputFile::RenameIntoPlace() {
  // What the target is may have changed while the file was written.
  if (const OutputRefusal refusal = CheckOutput(target_, guard_, overwrite_); refusal != OutputRefusal::kNone)
    return Refuse(refusal);
  const int error = overwrite_ == Overwrite::kReplace ? (::rename(temp_.c_str(), target_.c_str()) == 0 ? 0 : errno)
                                                      : RenameWithoutReplacing(temp_, target_);
  if (error == EEXIST) return Refuse(OutputRefusal::kExists);
  if (error != 0) {
    Fail(error);
    return false;
  }
  SyncFolder(FolderOf(target_));
  return true;
}

bool OutputFile::Commit() {
  if (fd_ < 0) return false;
  if (errno_ == 0) Flush();
  if (errno_ == 0 && ::fsync(fd_) != 0) Fail(errno);
  if (::close(fd_) != 0) Fail(errno);
  fd_ = -1;
  if (errno_ == 0) RenameIntoPlace();
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
  if (refusal_ != OutputRefusal::kNone) return RefusalText(target_, refusal_);
  if (errno_ == 0) return {};
  return target_ + ": " + std::strerror(errno_);
}

bool WriteWholeFile(const std::string& target, std::string_view content, Overwrite overwrite, const OutputGuard& guard,
                    std::string* error) {
  OutputFile file;
  if (file.Open(target, overwrite, guard)) {
    file.Write(content);
    if (file.Commit()) return true;
  }
  if (error) *error = file.Error();
  return false;
}

pid_t WriterOfTemporary(std::string_view name) {
  const std::optional<TemporaryName> parsed = ParseTemporary(name);
  return parsed ? parsed->pid : 0;
}

uint64_t ProcessStartTime(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // The command name in parentheses may hold spaces and parentheses itself.
  const size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return 0;
  std::istringstream fields(stat.substr(nameEnd + 1));
  constexpr int kFieldsBeforeStart = 19;  // state .. itrealvalue
  std::string skipped;
  for (int i = 0; i < kFieldsBeforeStart; ++i)
    if (!(fields >> skipped)) return 0;
  uint64_t start = 0;
  return fields >> start ? start : 0;
}

void RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::optional<TemporaryName> writer = ParseTemporary(entry->d_name);
    if (!writer || IsRunning(*writer)) continue;
    struct stat info {};
    // Only files we could have made: never a link or a folder of that name.
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) continue;
    if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0)
      KTRACE("Removed %s/%s, left by a process that ended", folder.c_str(), entry->d_name);
  }
  ::closedir(dir);
}

bool FolderTakesNewFile(const std::string& folder) {
  const std::string probe = TemporaryNameIn(folder);
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

bool OutputExists(const std::string& path) {
  struct stat s {};
  return ::lstat(path.c_str(), &s) == 0;
}
