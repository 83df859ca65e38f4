#pragma once
// The sentences of a log file from its last line backwards, read in chunks
// from the end, so the end of a long log is found without reading it all.
// Lines follow the rules of LogLine.h.

#include <cstdint>
#include <string_view>
#include <vector>

#include "recording/LogSource.h"

class LogTailReader {
 public:
  explicit LogTailReader(const LogSource& source);

  // The sentence of the line before the one returned last (the last line at
  // first); empty for an empty or over-long line. False at the beginning of
  // the file or when it cannot be read. The view lasts until the next call.
  bool Next(std::string_view& sentence);

 private:
  bool Extend();

  const LogSource& source_;
  std::vector<char> buffer_;  // the file's bytes from bufferStart_ on
  uint64_t bufferStart_ = 0;
  uint64_t lineEnd_ = 0;   // end of the line to return next
  uint64_t searchTo_ = 0;  // its start is after the last LF before this
  bool overLong_ = false;  // that line is too long and its bytes were let go
};
