#include "recording/VideoSpanProbe.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/ReadOnlyFile.h"
#include "platform/TimeKey.h"
#include "recording/FrameInfoVideo.h"
#include "recording/VideoFormat.h"
#include "recording/VideoIndexPath.h"
#include "recording/VideoIndexTail.h"

namespace {

// The pictures are looked for in a window at the start or the end of the
// data file that grows until it holds one; a recorder picture is at most
// FRAMEDATA_MAXSIZE bytes, so the largest window always holds a whole one.
constexpr size_t kFirstWindow = 64 * 1024;
constexpr size_t kLargestWindow = 4 * FRAMEDATA_MAXSIZE;
constexpr size_t kWindowGrowth = 4;

// ---- the index ----------------------------------------------------------

struct IndexLayout {
  uint64_t recordCount = 0;
  size_t recordSize = 0;
  uint32_t magic = 0;
};

// The trailer's record count and magic, or for an index without trailer
// the records the file holds and the first record's magic; as the loader
// reads them.
bool ReadIndexLayout(const ReadOnlyFile& index, int64_t size, IndexLayout& layout) {
  const std::optional<IndexFirstRecord> first = ReadFirstRecord(index);
  if (!first) return false;
  layout.recordSize = first->recordSize;

  VdxTrailer trailer;
  const IndexTail tail = ReadIndexTrailer(index, size, trailer);
  if (tail == IndexTail::kUnreadable) return false;
  if (tail == IndexTail::kTrailer) {
    layout.recordCount = trailer.frameCount;
    layout.magic = RecordMagicFor(trailer.recordFormat);
    return true;
  }
  layout.recordCount = static_cast<uint64_t>(size) / layout.recordSize;
  layout.magic = first->magic;
  return layout.magic == kRecordMagicA1 || layout.magic == kRecordMagicA2;
}

bool ReadUsableRecord(const ReadOnlyFile& index, uint64_t at, const IndexLayout& layout, VdxRecord& record) {
  std::array<uint8_t, kLongRecordSize> bytes{};
  if (index.ReadAt(at, bytes.data(), layout.recordSize) != layout.recordSize) return false;
  record = ParseRecord(ByteSpan(bytes.data(), layout.recordSize));
  return IsUsableRecord(record, layout.magic);
}

std::optional<VideoFrameSpan> SpanFromIndex(const std::string& indexPath) {
  ReadOnlyFile index;
  if (indexPath.empty() || !index.Open(indexPath)) return std::nullopt;
  const int64_t size = index.Size();
  // The loader reads the data file instead of an index this short.
  if (size < static_cast<int64_t>(kTrailerSize)) return std::nullopt;
  IndexLayout layout;
  if (!ReadIndexLayout(index, size, layout) || layout.recordCount == 0) return std::nullopt;
  // A count the file cannot hold is not trusted.
  if (layout.recordCount > static_cast<uint64_t>(size) / layout.recordSize) return std::nullopt;

  VdxRecord first;
  VdxRecord last;
  if (!ReadUsableRecord(index, 0, layout, first)) return std::nullopt;
  if (!ReadUsableRecord(index, (layout.recordCount - 1) * layout.recordSize, layout, last)) return std::nullopt;
  return VideoFrameSpan{first.time, last.time};
}

// ---- the data file ------------------------------------------------------

enum class Look { kFound, kNone, kNeedMore };

// Where the first FF D9 at or after from lies in bytes; npos when none.
size_t FindEndOfImage(ByteSpan bytes, size_t from) {
  while (from + 1 < bytes.size()) {
    const auto* marker =
        static_cast<const uint8_t*>(std::memchr(bytes.data() + from, kJpegMarker, bytes.size() - from));
    if (marker == nullptr) break;
    const auto at = static_cast<size_t>(marker - bytes.data());
    if (at + 1 < bytes.size() && bytes[at + 1] == kJpegEndOfImage) return at;
    from = at + 1;
  }
  return std::string::npos;
}

bool IsStartOfImage(ByteSpan bytes, size_t at) {
  return at + 1 < bytes.size() && bytes[at] == kJpegMarker && bytes[at + 1] == kJpegStartOfImage;
}

// The time of the picture that starts at bytes[at], when it ends inside
// bytes and carries a comment block.
Look PictureTime(ByteSpan bytes, size_t at, size_t& end, DateTime& time) {
  const size_t endMarker = FindEndOfImage(bytes, at + 2);
  if (endMarker == std::string::npos) return Look::kNeedMore;
  end = endMarker + 2;
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

template <typename Finder>
bool FindInWindows(const ReadOnlyFile& data, uint64_t size, bool fromEnd, Finder find, DateTime& time) {
  std::vector<uint8_t> window;
  for (size_t length = kFirstWindow;; length *= kWindowGrowth) {
    const size_t take = static_cast<size_t>(std::min<uint64_t>(length, size));
    const uint64_t at = fromEnd ? size - take : 0;
    window.resize(take);
    window.resize(data.ReadAt(at, window.data(), take));
    const Look look = find(ByteSpan(window), time);
    if (look == Look::kFound) return true;
    const bool wholeFileSeen = take == size || window.size() < take;
    if (look == Look::kNone || wholeFileSeen || length >= kLargestWindow) return false;
  }
}

std::optional<VideoFrameSpan> SpanFromData(const std::string& dataPath) {
  ReadOnlyFile data;
  if (!data.Open(dataPath)) return std::nullopt;
  const int64_t size = data.Size();
  if (size <= 0) return std::nullopt;
  VideoFrameSpan span;
  if (!FindInWindows(data, static_cast<uint64_t>(size), false, FirstPictureTime, span.first)) return std::nullopt;
  if (!FindInWindows(data, static_cast<uint64_t>(size), true, LastPictureTime, span.last)) return std::nullopt;
  return span;
}

}  // namespace

std::optional<VideoFrameSpan> ReadVideoFrameSpan(const std::string& dataPath) {
  return ReadVideoFrameSpan(dataPath, VideoIndexPath(dataPath));
}

std::optional<VideoFrameSpan> ReadVideoFrameSpan(const std::string& dataPath, const std::string& indexPath) {
  if (auto span = SpanFromIndex(indexPath)) return span;
  return SpanFromData(dataPath);
}

std::optional<int64_t> ReadVideoSpanSeconds(const std::string& dataPath) {
  return ReadVideoSpanSeconds(dataPath, VideoIndexPath(dataPath));
}

std::optional<int64_t> ReadVideoSpanSeconds(const std::string& dataPath, const std::string& indexPath) {
  const std::optional<VideoFrameSpan> span = ReadVideoFrameSpan(dataPath, indexPath);
  if (!span) return std::nullopt;
  return (MakeTimeKey(span->last) - MakeTimeKey(span->first)) / 1000;
}
