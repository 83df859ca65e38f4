#pragma once
// Writing a whole file so that neither its readers nor a crash nor kill -9
// ever find half of it. The bytes go into an unnamed file in the target's
// folder, which gets its name only once it is complete and on the disk; a
// write cut short leaves nothing behind. Where the file system has no
// unnamed files (FAT cards), a temporary name beside the target stands in.

#include <filesystem>
#include <string_view>

enum class WriteMode {
  kReplace,     // put the content in place of the file, or create it
  kCreateOnly,  // create the file; false when something is there already
};

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content, WriteMode mode);

// Removes the temporary files beside file that a process left when it died
// before it could name its copy ("<name>.tmp-<pid>", and "<name>.seed-<pid>"
// of the first-run copy). Those of processes still running are theirs.
void RemoveStaleTemporaries(const std::filesystem::path& file);
