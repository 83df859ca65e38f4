#include "platform/RemoveInside.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// The names from root down to file; empty when file is not below root.
std::vector<std::string> StepsBelow(const fs::path& root, const fs::path& file) {
  const fs::path relative = file.lexically_normal().lexically_relative(root.lexically_normal());
  std::vector<std::string> steps;
  for (const fs::path& part : relative) {
    const std::string name = part.string();
    if (name.empty()) continue;
    if (name == "." || name == "..") return {};
    steps.push_back(name);
  }
  return steps;
}

RemoveResult Refused(std::string reason) { return {false, std::move(reason)}; }

RemoveResult FromErrno(const char* what) { return Refused(std::string(what) + ": " + std::strerror(errno)); }

}  // namespace

RemoveResult RemoveFileInside(const fs::path& root, const fs::path& file) {
  const std::vector<std::string> steps = StepsBelow(root, file);
  if (steps.empty()) return Refused("not inside " + root.string());

  int folder = ::open(root.c_str(), kFolderFlags);
  if (folder < 0) return FromErrno("cannot open the folder");
  for (size_t i = 0; i + 1 < steps.size(); ++i) {
    const int next = ::openat(folder, steps[i].c_str(), kFolderFlags | O_NOFOLLOW);
    const int openError = errno;
    ::close(folder);
    if (next < 0) {
      errno = openError;
      if (errno == ELOOP || errno == ENOTDIR) return Refused("reached through a link");
      return FromErrno("cannot open the folder");
    }
    folder = next;
  }

  const char* name = steps.back().c_str();
  struct stat info {};
  RemoveResult result;
  if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
    result = FromErrno("cannot look at it");
  } else if (S_ISLNK(info.st_mode)) {
    result = Refused("it is a link");
  } else if (!S_ISREG(info.st_mode)) {
    result = Refused("not a regular file");
  } else if (::unlinkat(folder, name, 0) != 0) {
    result = FromErrno("cannot delete");
  } else {
    result.removed = true;
  }
  ::close(folder);
  return result;
}
