#pragma once
// Opening files that something else may stand in for. A FIFO in place of a
// settings file blocks an ordinary open until a writer comes, and a device
// such as /dev/zero never ends, so a reader that trusts the name can hang or
// run out of memory. These open without blocking, refuse anything that is
// not a regular file, and read only up to a size the caller names.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// A read-only descriptor of the regular file at path (links are followed),
// or -1 when there is none or it cannot be opened. The caller closes it.
int OpenRegularFile(const std::filesystem::path& path);
// The same, also giving the file's length as the open found it, so that a
// caller who needs it does not ask the file again. The path is taken as the
// text it is: the readers that open a card's files one after another do not
// form a path object for each.
int OpenRegularFile(const std::string& path, int64_t& size);
// The same for name relative to the open folder folderFd (AT_FDCWD: the
// working folder).
int OpenRegularFileAt(int folderFd, const char* name, int64_t& size);

// Whether path is a regular file that can be opened for reading.
bool RegularFileOpens(const std::filesystem::path& path);

enum class FileReadError {
  kCannotOpen,  // missing or unreadable
  kNotRegular,  // a folder, FIFO, device or socket
  kTooLarge,    // longer than the caller's limit
  kReadFailed,
};

struct WholeFile {
  std::optional<std::string> content;  // set when the file was read
  FileReadError error = FileReadError::kCannotOpen;
};

// The whole content of a regular file of at most maxBytes bytes. A file that
// grows past the limit while it is read counts as too large.
WholeFile ReadRegularFile(const std::filesystem::path& path, uint64_t maxBytes);
