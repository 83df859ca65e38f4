#pragma once
// Every file the program writes goes through here: exports, printed PDFs,
// backup copies, settings files, skin packages. One set of rules for all:
//
// - an output is never one of the files it is made from, nor a file inside
//   a folder the caller protects (a card's recording folders);
// - an output never takes the place of something that is not a regular file
//   (a device, a FIFO, a socket, a folder, a link to nowhere);
// - an existing file is replaced only when the caller says it may be, and
//   the final rename itself refuses to replace one that appeared meanwhile;
// - the bytes go to a short temporary name in the target's folder, are
//   flushed to the disk and only then renamed onto the target, so the target
//   name holds the old file or the whole new one, never a part. The short
//   name leaves room for any target name the file system takes, and it
//   works on FAT cards, which have no unnamed files;
// - the temporary name carries the writer's process id, so the leftovers of
//   a run that was killed are recognised and removed the next time anything
//   is written into that folder.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What an output must not be.
struct OutputGuard {
  // Files the output must not be under any name (device and inode, links
  // followed): the recordings and index files it is made from.
  std::vector<std::string> inputs;
  // Folders nothing is written into.
  std::vector<std::string> folders;
};

// Whether an existing file at the target may be replaced: the answer to the
// overwrite question.
enum class Overwrite { kKeep, kReplace };

enum class OutputRefusal {
  kNone,
  kAnInput,          // the target is one of the guard's inputs
  kProtectedFolder,  // the target lies in one of the guard's folders
  kNotAFile,         // something other than a regular file has the name
  kExists,           // a file has the name and may not be replaced
};

// Why target may not be written, kNone when it may.
OutputRefusal CheckOutput(const std::string& target, const OutputGuard& guard, Overwrite overwrite);

// One line that names the target and the reason.
std::string RefusalText(const std::string& target, OutputRefusal refusal);

class OutputFile {
 public:
  OutputFile() = default;
  // Discards the temporary file unless Commit succeeded.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Checks the target against the rules, clears the folder of temporaries
  // that ended writers left, and creates the temporary file. False (with
  // Refusal() or ErrorNumber(), and Error()) when it may not or cannot.
  bool Open(const std::string& target, Overwrite overwrite, const OutputGuard& guard = {});

  // Buffered; a failed write is remembered and fails Commit.
  void Write(std::string_view bytes);
  void Write(const unsigned char* bytes, size_t count);

  // The temporary file itself, open for reading and writing, for a writer
  // that seeks (the AVI muxer). Such a writer uses the descriptor instead
  // of Write, and reports its own failures through Fail.
  int Descriptor() const { return fd_; }
  void Fail(int error);

  // Writes out the buffer, flushes the file to the disk, closes it and
  // renames it onto the target. False when anything failed since Open; the
  // temporary file is then gone.
  bool Commit();
  // Closes and deletes the temporary file.
  void Discard();

  bool IsOpen() const { return fd_ >= 0; }
  bool Failed() const { return errno_ != 0; }
  // The system error number of the first failure; 0 when none.
  int ErrorNumber() const { return errno_; }
  OutputRefusal Refusal() const { return refusal_; }
  // The refusal's line, or "<target>: <system error text>"; empty when none.
  std::string Error() const;
  const std::string& Target() const { return target_; }

 private:
  bool Flush();
  bool Refuse(OutputRefusal refusal);
  bool RenameIntoPlace();

  int fd_ = -1;
  int errno_ = 0;
  OutputRefusal refusal_ = OutputRefusal::kNone;
  Overwrite overwrite_ = Overwrite::kKeep;
  OutputGuard guard_;
  std::string target_;
  std::string temp_;
  std::vector<unsigned char> buffer_;
  size_t used_ = 0;
};

// Writes content as the whole file target under the rules above; on
// failure target is untouched and error (when given) says why.
bool WriteWholeFile(const std::string& target, std::string_view content, Overwrite overwrite,
                    const OutputGuard& guard = {}, std::string* error = nullptr);

// The process that wrote name when it is one of our temporary names
// (".korvane-<pid>-<start>-<n>.tmp", or ".korvane-<pid>-<n>.tmp" as
// earlier versions wrote them); 0 otherwise.
pid_t WriterOfTemporary(std::string_view name);

// When process pid started, in clock ticks since boot; 0 when it cannot be
// told (no such process).
uint64_t ProcessStartTime(pid_t pid);

// Removes the temporary files in folder whose writer has ended. Those of
// running processes are theirs.
void RemoveStaleTemporaries(const std::string& folder);

// Whether folder accepts a new file: one is made under a temporary name and
// removed again, so that even a run killed meanwhile leaves nothing the next
// writer there does not clear.
bool FolderTakesNewFile(const std::string& folder);

// Whether a file system entry of that path exists (a dangling link counts).
bool OutputExists(const std::string& path);
