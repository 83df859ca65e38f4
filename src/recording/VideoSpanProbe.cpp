#include "recording/VideoSpanProbe.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ReadOnlyFile.h"
#include "platform/TimeKey.h"
#include "recording/FrameInfoVideo.h"
#include "recording/VideoDataScan.h"
#include "recording/VideoFormat.h"
#include "recording/VideoIndexPath.h"

namespace {

// The pictures are looked for in a window at the start or the end of the
// data file that grows until it holds one; a recorder picture is at most
// FRAMEDATA_MAXSIZE bytes, so the largest window always holds a whole one.
constexpr size_t kFirstWindow = 64 * 1024;
constexpr size_t kLargestWindow = 4 * FRAMEDATA_MAXSIZE;
constexpr size_t kWindowGrowth = 4;

enum class Look { kFound, kNone, kNeedMore };

bool IsStartOfImage(ByteSpan bytes, size_t at) {
  return at + 1 < bytes.size() && bytes[at] == kJpegMarker && bytes[at + 1] == kJpegStartOfImage;
}

// The time of the picture that starts at bytes[at], when it ends inside
// bytes and carries a comment block.
Look PictureTime(ByteSpan bytes, size_t at, size_t& end, DateTime& time) {
  // Where the scan ends it: an FF D9 inside the comment block does not.
  end = FindPictureEnd(bytes.data(), bytes.size(), at);
  if (end == 0) return Look::kNeedMore;
  const ByteSpan picture = bytes.subspan(at, end - at);
  CommentBlock comment;
  if (!ReadPictureComment(picture, comment)) return Look::kNone;
  time = PackedStampToDateTime(comment.stamp);
  return Look::kFound;
}

// The first picture with a comment block, walking pictures back to back
// from the file's start as the data-file scan does.
Look FirstPictureTime(ByteSpan head, DateTime& time) {
  size_t p = 0;
  while (p < head.size()) {
    if (!IsStartOfImage(head, p)) return p + 1 >= head.size() ? Look::kNeedMore : Look::kNone;
    size_t end = 0;
    const Look look = PictureTime(head, p, end, time);
    if (look != Look::kNone) return look;
    p = end;
  }
  return Look::kNeedMore;
}

// The last picture with a comment block: the latest start marker from
// which a picture with a block ends inside the window.
Look LastPictureTime(ByteSpan tail, DateTime& time) {
  if (tail.size() < 2) return Look::kNeedMore;
  for (size_t q = tail.size() - 1; q-- > 0;) {
    size_t end = 0;
    if (IsStartOfImage(tail, q) && PictureTime(tail, q, end, time) == Look::kFound) return Look::kFound;
  }
  return Look::kNeedMore;
}

// A window on the data file, at its start or at its end, that grows until
// it holds a picture. Growing reads only the bytes it does not hold yet.
class DataWindow {
 public:
  DataWindow(const ReadOnlyFile& data, uint64_t size, bool atEnd) : data_(data), size_(size), atEnd_(atEnd) {}

  // Grows to length bytes, or to the whole file when that is shorter.
  void Grow(size_t length) {
    const size_t take = static_cast<size_t>(std::min<uint64_t>(length, size_));
    const size_t held = bytes_.size();
    if (take <= held) return;
    const size_t more = take - held;
    size_t got = 0;
    if (atEnd_) {
      bytes_.insert(bytes_.begin(), more, 0);
      got = data_.ReadAt(size_ - take, bytes_.data(), more);
      // What did come is kept only when it joins the bytes held.
      if (got < more) bytes_.resize(got);
    } else {
      bytes_.resize(take);
      got = data_.ReadAt(held, bytes_.data() + held, more);
      bytes_.resize(held + got);
    }
    wholeFile_ = got == more && take == size_;
    ended_ = got < more || take == size_;
  }

  ByteSpan Bytes() const { return ByteSpan(bytes_); }
  // Whether the window holds all of the file.
  bool HoldsWholeFile() const { return wholeFile_; }
  // Whether growing can bring no more: the whole file is held, or a read
  // came back short.
  bool Ended() const { return ended_; }

 private:
  const ReadOnlyFile& data_;
  uint64_t size_;
  bool atEnd_;
  std::vector<uint8_t> bytes_;
  bool wholeFile_ = false;
  bool ended_ = false;
};

template <typename Finder>
bool FindInWindow(DataWindow& window, Finder find, DateTime& time) {
  for (size_t length = kFirstWindow;; length *= kWindowGrowth) {
    window.Grow(length);
    const Look look = find(window.Bytes(), time);
    if (look == Look::kFound) return true;
    if (look == Look::kNone || window.Ended() || length >= kLargestWindow) return false;
  }
}

std::optional<VideoFrameSpan> SpanFromData(const std::string& dataPath) {
  ReadOnlyFile data;
  if (!data.Open(dataPath)) return std::nullopt;
  const int64_t size = data.OpenedSize();
  if (size <= 0) return std::nullopt;
  VideoFrameSpan span;
  DataWindow head(data, static_cast<uint64_t>(size), false);
  if (!FindInWindow(head, FirstPictureTime, span.first)) return std::nullopt;
  // A short recording came whole with its first picture.
  if (head.HoldsWholeFile()) {
    if (LastPictureTime(head.Bytes(), span.last) != Look::kFound) return std::nullopt;
    return span;
  }
  DataWindow tail(data, static_cast<uint64_t>(size), true);
  if (!FindInWindow(tail, LastPictureTime, span.last)) return std::nullopt;
  return span;
}

}  // namespace

std::optional<VideoFrameSpan> ReadVideoFrameSpan(const std::string& dataPath) {
  VideoIndexEnds index;
  index.Read(VideoIndexPath(dataPath));
  return ReadVideoFrameSpan(dataPath, index);
}

std::optional<VideoFrameSpan> ReadVideoFrameSpan(const std::string& dataPath, const VideoIndexEnds& index) {
  if (auto span = index.FrameSpan()) return span;
  return SpanFromData(dataPath);
}

std::optional<int64_t> SpanSeconds(const std::optional<VideoFrameSpan>& span) {
  if (!span) return std::nullopt;
  return (MakeTimeKey(span->last) - MakeTimeKey(span->first)) / 1000;
}

std::optional<int64_t> SpanSeconds(const std::optional<VideoFrameSpan>& span, LocalTimeKeys& keys) {
  if (!span) return std::nullopt;
  return (keys.Key(span->last) - keys.Key(span->first)) / 1000;
}

std::optional<int64_t> ReadVideoSpanSeconds(const std::string& dataPath) {
  return SpanSeconds(ReadVideoFrameSpan(dataPath));
}
