#include "platform/OpenFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <utility>

OpenFolder::OpenFolder(std::string folder)
    : prefix_(std::move(folder)),
      // Without its "/" the names would not follow the folder as they do.
      fd_(prefix_.empty() || prefix_.back() != '/' ? -1 : ::open(prefix_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
}

OpenFolder::~OpenFolder() {
  if (fd_ >= 0) ::close(fd_);
}

OpenFolder::Place OpenFolder::PlaceOf(const std::string& path) const {
  const bool inFolder = fd_ >= 0 && path.size() > prefix_.size() && path.compare(0, prefix_.size(), prefix_) == 0 &&
                        path.find('/', prefix_.size()) == std::string::npos;
  if (!inFolder) return {AT_FDCWD, path.c_str()};
  return {fd_, path.c_str() + prefix_.size()};
}
