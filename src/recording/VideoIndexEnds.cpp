#include "recording/VideoIndexEnds.h"

#include <algorithm>
#include <cstring>

bool VideoIndexEnds::Read(const std::string& indexPath) {
  size_ = -1;
  endAt_ = 0;
  endLength_ = 0;
  current_.reset();
  if (!file_.Open(indexPath)) return false;
  size_ = file_.OpenedSize();
  if (size_ < static_cast<int64_t>(kTrailerSize)) return true;

  const size_t take = static_cast<size_t>(std::min<int64_t>(size_, kEndBytes));
  endAt_ = static_cast<uint64_t>(size_) - take;
  endLength_ = file_.ReadAt(endAt_, end_.data(), take);
  // A file that shrank since it was opened has no trailer where it was.
  if (endLength_ == take) current_ = ParseTrailer(ByteSpan(end_.data() + take - kTrailerSize, kTrailerSize));
  return true;
}

size_t VideoIndexEnds::RecordBytes(uint64_t at, size_t size, uint8_t* out) const {
  if (at >= endAt_ && at - endAt_ + size <= endLength_) {
    std::memcpy(out, end_.data() + (at - endAt_), size);
    return size;
  }
  return file_.ReadAt(at, out, size);
}

std::optional<VideoFrameSpan> VideoIndexEnds::FrameSpan() const {
  // Without the last 92 bytes the loader reads the data file instead.
  if (!current_) return std::nullopt;
  std::array<uint8_t, kLongRecordSize> firstBytes{};
  if (RecordBytes(0, firstBytes.size(), firstBytes.data()) < firstBytes.size()) return std::nullopt;
  // Parsed from all 69 bytes, of which a short record's fields use only
  // its own 66.
  const VdxRecord first = ParseRecord(ByteSpan(firstBytes));
  const size_t recordSize = RecordSizeFor(first.version);

  // The trailer the loader goes by: the current one when its magic says
  // so, else an older one in the last 26 bytes.
  const std::optional<VdxTrailer> trailer =
      current_->magic == kTrailerMagic
          ? current_
          : ParseOlderTrailer(ByteSpan(end_.data() + endLength_ - kTrailerSize, kTrailerSize));
  uint64_t count = 0;
  uint32_t magic = 0;
  if (trailer) {
    count = trailer->frameCount;
    magic = RecordMagicFor(trailer->recordFormat);
  } else {
    count = static_cast<uint64_t>(size_) / recordSize;
    magic = first.magic;
    if (magic != kRecordMagicA1 && magic != kRecordMagicA2) return std::nullopt;
  }
  // A count the file cannot hold is not trusted.
  if (count == 0 || count > static_cast<uint64_t>(size_) / recordSize) return std::nullopt;
  if (!IsUsableRecord(first, magic)) return std::nullopt;
  if (count == 1) return VideoFrameSpan{first.time, first.time};

  std::array<uint8_t, kLongRecordSize> lastBytes{};
  if (RecordBytes((count - 1) * recordSize, recordSize, lastBytes.data()) < recordSize) return std::nullopt;
  const VdxRecord last = ParseRecord(ByteSpan(lastBytes.data(), recordSize));
  if (!IsUsableRecord(last, magic)) return std::nullopt;
  return VideoFrameSpan{first.time, last.time};
}
