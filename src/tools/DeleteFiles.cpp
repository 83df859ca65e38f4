#include "tools/DeleteFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Trace.h"
#include "recording/CardFolders.h"
#include "recording/CardLayout.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
constexpr int kNothingHalf = 50;
constexpr int kNothingFull = 100;

class FolderFd {
 public:
  explicit FolderFd(int fd) : fd_(fd) {}
  FolderFd(const FolderFd&) = delete;
  FolderFd& operator=(const FolderFd&) = delete;
  ~FolderFd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// root/names, each name matched without regard to case and each step opened
// without following a link; -1 when a step is missing or a link.
int OpenCardFolder(const fs::path& root, std::initializer_list<std::string_view> names) {
  int fd = open(root.c_str(), kFolderFlags);
  fs::path at = root;
  for (std::string_view name : names) {
    if (fd < 0) return -1;
    const fs::path child = FindChildNoCase(at, name);
    const int next = child.empty() ? -1 : openat(fd, child.filename().c_str(), kFolderFlags | O_NOFOLLOW);
    close(fd);
    fd = next;
    at = child;
  }
  return fd;
}

// A regular file, or a link to anything but a folder (a link to a folder
// counts as a subfolder and stays).
bool IsDeletable(int folder, const char* name) {
  struct stat info {};
  if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISREG(info.st_mode)) return true;
  if (!S_ISLNK(info.st_mode)) return false;
  return fstatat(folder, name, &info, 0) != 0 || !S_ISDIR(info.st_mode);
}

// The names of the files to delete in folder, sorted.
std::vector<std::string> DeletableNames(int folder) {
  std::vector<std::string> names;
  const int listing = dup(folder);
  if (listing < 0) return names;
  DIR* dir = fdopendir(listing);
  if (!dir) {
    close(listing);
    return names;
  }
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (IsDeletable(folder, entry->d_name)) names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

DeleteFilesJob::DeleteFilesJob(fs::path root, bool deleteVideo, bool deleteLogs)
    : root_(std::move(root)), video_(deleteVideo), logs_(deleteLogs) {}

bool DeleteFilesJob::OnCard() const { return HasCardLayout(root_); }

template <typename Visit>
void DeleteFilesJob::ForEachFolder(Visit visit) const {
  if (!OnCard()) return;
  const auto visitFolder = [&](std::initializer_list<std::string_view> names) {
    const FolderFd folder(OpenCardFolder(root_, names));
    if (folder.get() >= 0) visit(folder.get());
  };
  if (video_) {
    visitFolder({kChannelFolderName, kEventFolderName});
    visitFolder({kChannelFolderName, kNormalFolderName});
  }
  if (logs_) visitFolder({kLogFolderName});
}

int DeleteFilesJob::Count() const {
  int total = 0;
  ForEachFolder([&](int folder) { total += static_cast<int>(DeletableNames(folder).size()); });
  return total;
}

int DeleteFilesJob::Run(int total, const DeleteProgress& progress) const {
  if (total == 0) {
    // Nothing to delete still shows that the work was done.
    if (progress.range) progress.range(0, kNothingFull);
    for (int shown : {kNothingHalf, kNothingFull}) {
      if (progress.position) progress.position(shown);
      if (progress.pause) progress.pause(kDeleteNothingPauseMs);
    }
  }
  int position = total == 0 ? kNothingFull : 0;
  int deleted = 0;
  ForEachFolder([&](int folder) {
    for (const std::string& name : DeletableNames(folder)) {
      // unlinkat without AT_REMOVEDIR never removes a folder put in the
      // file's place since the listing, and never follows a link.
      if (unlinkat(folder, name.c_str(), 0) == 0) {
        ++deleted;
      } else {
        KTRACE("Cannot delete %s", name.c_str());
      }
      if (progress.position) progress.position(++position);
    }
  });
  return deleted;
}
