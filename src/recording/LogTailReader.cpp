#include "recording/LogTailReader.h"

#include <algorithm>
#include <cstring>

#include "recording/LogLine.h"

namespace {

constexpr uint64_t kChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LogTailReader::LogTailReader(const LogSource& source)
    : source_(source), bufferStart_(source.Size()), lineEnd_(source.Size()) {
  // The last byte is the line's own LF (or its last character): never a start.
  searchTo_ = lineEnd_ > 0 ? lineEnd_ - 1 : 0;
}

bool LogTailReader::Next(std::string_view& sentence) {
  while (lineEnd_ > 0) {
    const size_t span = searchTo_ > bufferStart_ ? static_cast<size_t>(searchTo_ - bufferStart_) : 0;
    const void* lf = span > 0 ? memrchr(buffer_.data(), '\n', span) : nullptr;
    if (lf == nullptr && bufferStart_ > 0) {
      if (!Extend()) return false;
      continue;
    }
    const uint64_t start =
        lf == nullptr ? 0 : bufferStart_ + static_cast<uint64_t>(static_cast<const char*>(lf) - buffer_.data()) + 1;
    std::string_view line;
    if (!overLong_) {
      line = std::string_view(buffer_.data() + (start - bufferStart_), static_cast<size_t>(lineEnd_ - start));
      if (start == 0 && line.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        line.remove_prefix(kByteOrderMark.size());
      }
    }
    sentence = overLong_ ? std::string_view{} : LogLineSentence(line);
    lineEnd_ = start;
    searchTo_ = start > 0 ? start - 1 : 0;
    overLong_ = false;
    return true;
  }
  return false;
}

bool LogTailReader::Extend() {
  const uint64_t oldStart = bufferStart_;
  const uint64_t newStart = oldStart > kChunk ? oldStart - kChunk : 0;
  const size_t chunk = static_cast<size_t>(oldStart - newStart);
  // The part of the wanted line already read is kept while it can still be
  // a sentence; a longer one is only walked past.
  size_t keep = 0;
  if (!overLong_ && lineEnd_ - oldStart <= kLogLineMax) {
    keep = static_cast<size_t>(lineEnd_ - oldStart);
  } else {
    overLong_ = true;
  }
  std::vector<char> grown(chunk + keep);
  if (!source_.ReadAt(newStart, grown.data(), chunk)) return false;
  std::copy_n(buffer_.begin(), keep, grown.begin() + static_cast<std::ptrdiff_t>(chunk));
  buffer_.swap(grown);
  bufferStart_ = newStart;
  searchTo_ = std::min(searchTo_, oldStart);
  return true;
}
