#pragma once
// An export's output file, written under a temporary name beside its target
// and renamed onto it only when the whole file is there. A cancelled or
// failed export, a full disk or a crash never leaves half a file under the
// target's name, and an existing file is replaced in one step.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class OutputFile {
 public:
  OutputFile() = default;
  // Discards the temporary file unless Commit succeeded.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the temporary file for target in target's folder; false (with
  // the reason in Error()) when the folder does not accept it.
  bool Open(const std::string& target);

  // Buffered; a failed write is remembered and fails Commit.
  void Write(std::string_view bytes);
  void Write(const unsigned char* bytes, size_t count);

  // Writes out the buffer, closes the file and renames it onto the target.
  // False when anything failed since Open; the temporary file is then gone.
  bool Commit();
  // Closes and deletes the temporary file.
  void Discard();

  bool IsOpen() const { return fd_ >= 0; }
  bool Failed() const { return errno_ != 0; }
  // The system error number of the first failure; 0 when none.
  int ErrorNumber() const { return errno_; }
  // "<target>: <system error text>" of the first failure.
  std::string Error() const;
  const std::string& Target() const { return target_; }

 private:
  bool Flush();
  void Fail(int error);

  int fd_ = -1;
  int errno_ = 0;
  std::string target_;
  std::string temp_;
  std::vector<unsigned char> buffer_;
  size_t used_ = 0;
};

// ".<name>.part-<pid>-<n>" beside the target: hidden, never a name an
// export writes, and new for every call.
std::string TemporaryOutputName(const std::string& target);

// Whether a file system entry of that path exists (a dangling link counts).
bool OutputExists(const std::string& path);
