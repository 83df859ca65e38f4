#include "tools/CardFormatter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "tools/CardMount.h"
#include "tools/FormatParams.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kMkfs = "mkfs.fat";
constexpr int kDonePercent = 100;

class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Sets the word when the time is up, unless it is stopped first.
class Deadline {
 public:
  Deadline(std::chrono::seconds wait, std::atomic<bool>& word)
      : thread_([this, wait, &word] {
          std::unique_lock lock(mutex_);
          if (!ended_.wait_for(lock, wait, [this] { return stopped_; })) word = true;
        }) {}
  ~Deadline() {
    {
      std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    ended_.notify_all();
    thread_.join();
  }
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable ended_;
  bool stopped_ = false;
  std::thread thread_;
};

bool AllZero(const std::vector<char>& chunk, size_t length) {
  return std::all_of(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(length),
                     [](char byte) { return byte == 0; });
}

}  // namespace

MkfsCardFormatter::MkfsCardFormatter(ChildRunner& runner, const DiskCheckTargets& targets)
    : runner_(runner), targets_(targets) {}

FormatOutcome MkfsCardFormatter::Format(const FormatRequest& request, const FormatProgress& progress,
                                        const std::atomic<bool>& cancel) {
  FormatOutcome outcome;
  const FormatTarget& target = request.target;
  if (target.Refused()) {
    outcome.detail = DiskCheckRefusalText(target.where.refusal, target.where.path.string());
    return outcome;
  }
  if (!target.writable) {
    outcome.detail = NoWriteRightText(target.where.path);
    return outcome;
  }
  const bool device = !target.IsImage();
  CardMount mount(target.where.path, runner_, targets_);
  if (device && !mount.Unmount(outcome.detail)) {
    outcome.detail += "; not formatted";
    outcome.wasMounted = true;
    outcome.mountedAt = mount.MountAgain(mount.FormerMountPoint());
    return outcome;
  }
  outcome.wasMounted = mount.WasMounted();
  if (progress) progress(0);
  if (!request.quick) outcome.result = WriteZeros(target, progress, cancel, outcome.detail);
  if (request.quick || outcome.result == FormatResult::kOk) {
    outcome.result = cancel.load() ? FormatResult::kCancel : MakeFileSystem(request, outcome.detail);
  }
  if (outcome.result == FormatResult::kOk && progress) progress(kDonePercent);
  // A card freshly formatted is mounted even when it was not before: the
  // initialisation goes on in its folder.
  if (device && (outcome.wasMounted || outcome.result == FormatResult::kOk)) {
    outcome.mountedAt = mount.MountAgain(mount.FormerMountPoint());
  }
  return outcome;
}

FormatResult MkfsCardFormatter::WriteZeros(const FormatTarget& target, const FormatProgress& progress,
                                           const std::atomic<bool>& cancel, std::string& detail) {
  const std::string path = target.where.path.string();
  // An image is read first so that its holes stay holes; a card is written,
  // opened exclusively so that the kernel refuses while anything still has
  // it mounted.
  const bool image = target.IsImage();
  const FileHandle file(::open(path.c_str(), (image ? O_RDWR : O_WRONLY | O_EXCL) | O_CLOEXEC));
  if (file.Get() < 0) {
    detail = "cannot open " + path + ": " + std::strerror(errno);
    return FormatResult::kFail;
  }
  const off_t end = ::lseek(file.Get(), 0, SEEK_END);
  if (end <= 0) {
    detail = "cannot read the size of " + path;
    return FormatResult::kFail;
  }
  const auto total = static_cast<uint64_t>(end);
  std::vector<char> zeros(kZeroChunkBytes, 0);
  std::vector<char> read(image ? kZeroChunkBytes : 0);
  int shown = 0;
  for (uint64_t done = 0; done < total;) {
    if (cancel.load()) return FormatResult::kCancel;
    const size_t length = static_cast<size_t>(std::min<uint64_t>(kZeroChunkBytes, total - done));
    const auto at = static_cast<off_t>(done);
    const bool alreadyZero =
        image && ::pread(file.Get(), read.data(), length, at) == static_cast<ssize_t>(length) && AllZero(read, length);
    if (!alreadyZero && ::pwrite(file.Get(), zeros.data(), length, at) != static_cast<ssize_t>(length)) {
      detail = "writing zeros to " + path + " failed: " + std::strerror(errno);
      return FormatResult::kFail;
    }
    done += length;
    const int percent = static_cast<int>(done * kZeroPassPercent / total);
    if (percent != shown && progress) progress(percent);
    shown = percent;
  }
  if (::fsync(file.Get()) != 0) {
    detail = "flushing " + path + " failed: " + std::strerror(errno);
    return FormatResult::kFail;
  }
  return FormatResult::kOk;
}

FormatResult MkfsCardFormatter::MakeFileSystem(const FormatRequest& request, std::string& detail) {
  const FormatTarget& target = request.target;
  std::vector<std::string> argv = {kMkfs,
                                   "-F",
                                   "32",
                                   "-n",
                                   std::string(kFormatVolumeLabel),
                                   "-S",
                                   std::to_string(kFormatSectorBytes),
                                   "-s",
                                   std::to_string(SectorsPerCluster(request.clusterBytes))};
  // A card without partition table keeps that layout, the recorder's own.
  if (target.wholeDevice) argv.emplace_back("-I");
  argv.push_back(target.where.path.string());
  std::atomic<bool> timeUp{false};
  std::string lastLine;
  ChildResult run;
  {
    const Deadline deadline(kQuickFormatWait, timeUp);
    run = runner_.Run(
        {argv, {}},
        [&lastLine](std::string_view line) {
          if (!line.empty()) lastLine = line;
        },
        &timeUp);
  }
  if (run.ExitedWith(0)) return FormatResult::kOk;
  if (run.end == ChildEnd::kNotStarted) {
    detail = std::string(kMkfs) + " could not be run (dosfstools installed?)";
  } else if (run.end == ChildEnd::kCancelled) {
    detail = std::string(kMkfs) + " did not end within a minute";
  } else {
    detail = std::string(kMkfs) + " failed: " + lastLine;
  }
  return FormatResult::kFail;
}
