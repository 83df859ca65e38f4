#include "recording/LogLineReader.h"

#include <algorithm>
#include <cstring>

#include "recording/LogLine.h"

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

// A short log needs no more room than it has bytes: the file lists probe
// thousands of them. Never none, so the buffer always has an address.
LogLineReader::LogLineReader(const LogSource& source)
    : source_(source), buffer_(static_cast<size_t>(std::clamp<uint64_t>(source.Size(), 1, kChunk))) {
  if (Refill() && std::string_view(buffer_.data(), end_).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    begin_ = kByteOrderMark.size();
  }
}

bool LogLineReader::Refill() {
  std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  const uint64_t left = source_.Size() - filePos_;
  const size_t want = static_cast<size_t>(std::min<uint64_t>(left, buffer_.size() - end_));
  if (want == 0) return false;
  if (!source_.ReadAt(filePos_, buffer_.data() + end_, want)) {
    failed_ = true;
    return false;
  }
  filePos_ += want;
  end_ += want;
  return true;
}

bool LogLineReader::Next(std::string_view& sentence) {
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const void* lf = std::memchr(start, '\n', end_ - begin_);
    if (lf != nullptr) {
      const size_t length = static_cast<size_t>(static_cast<const char*>(lf) - start) + 1;
      const std::string_view line(start, length);
      begin_ += length;
      const bool wasOverLong = overLong_;
      overLong_ = false;
      if (wasOverLong) continue;
      sentence = LogLineSentence(line);
      return true;
    }
    // No line end in sight: a line already longer than allowed is dropped
    // piece by piece, so the buffer never has to hold it.
    if (end_ - begin_ > kLogLineMax) {
      overLong_ = true;
      begin_ = end_;
    }
    if (Refill()) continue;
    if (failed_ || begin_ == end_) return false;
    const std::string_view last(buffer_.data() + begin_, end_ - begin_);  // the last line has no LF
    begin_ = end_;
    if (overLong_) return false;
    sentence = LogLineSentence(last);
    return true;
  }
}
