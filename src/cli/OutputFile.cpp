#include "cli/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// What a new file gets before the process's umask, as fopen would give it.
constexpr mode_t kNewFileMode = 0666;

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(done));
  }
  return true;
}

std::string Because(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

bool IsOneOfInputs(const std::string& output, const std::vector<std::string>& inputs) {
  struct stat out {};
  if (stat(output.c_str(), &out) != 0) return false;
  for (const std::string& input : inputs) {
    struct stat in {};
    if (!input.empty() && stat(input.c_str(), &in) == 0 && SameFile(out, in)) return true;
  }
  return false;
}

bool WriteOutputFile(const std::string& path, std::string_view header, std::string_view body, std::string* error) {
  const std::filesystem::path target(path);
  // Appended rather than "." + string: GCC 12 reports a false -Wrestrict
  // overlap for a literal prepended to a temporary string.
  const std::string hiddenName = std::string(".").append(target.filename().string()).append(".XXXXXX");
  std::string temporary = (target.parent_path() / hiddenName).string();
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    *error = Because("cannot create a file beside " + path);
    return false;
  }
  bool ok = fchmod(fd, kNewFileMode & ~CurrentUmask()) == 0 && WriteAll(fd, header) && WriteAll(fd, body);
  if (!ok) *error = Because("cannot write " + temporary);
  if (close(fd) != 0 && ok) {
    ok = false;
    *error = Because("cannot write " + temporary);
  }
  if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    *error = Because("cannot replace " + path);
  }
  if (!ok) unlink(temporary.c_str());
  return ok;
}
