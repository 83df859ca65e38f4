#pragma once
// The sentences of a log file from its first line on, read in chunks so a
// probe that needs only the first few lines reads only those. Lines follow
// the rules of LogLine.h; a byte-order mark before the first line is skipped.

#include <cstdint>
#include <string_view>
#include <vector>

#include "recording/LogSource.h"

class LogLineReader {
 public:
  explicit LogLineReader(const LogSource& source);

  // The next line's sentence (empty for an empty or over-long line); false
  // at the end of the file or when it cannot be read. The view lasts until
  // the next call.
  bool Next(std::string_view& sentence);

 private:
  bool Refill();

  const LogSource& source_;
  std::vector<char> buffer_;
  size_t begin_ = 0;  // first unread byte in buffer_
  size_t end_ = 0;    // end of the bytes in buffer_
  uint64_t filePos_ = 0;
  bool overLong_ = false;  // the bytes now in buffer_ continue a line that was too long
  bool failed_ = false;
};
