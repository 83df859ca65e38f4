#include "recording/VideoIndexEnds.h"

#include <algorithm>
#include <cstring>

#include "platform/ReadOnlyFile.h"

bool VideoIndexEnds::Read(const std::string& indexPath) {
  ReadOnlyFile file;
  file.Open(indexPath);
  return ReadOpened(indexPath, file);
}

bool VideoIndexEnds::Read(const std::string& indexPath, const OpenFolder& folder) {
  ReadOnlyFile file;
  file.Open(indexPath, folder);
  return ReadOpened(indexPath, file);
}

bool VideoIndexEnds::ReadOpened(const std::string& indexPath, const ReadOnlyFile& file) {
  path_ = indexPath;
  size_ = -1;
  endAt_ = 0;
  endLength_ = 0;
  firstLength_ = 0;
  current_.reset();
  if (!file.IsOpen()) return false;
  size_ = file.OpenedSize();

  std::array<uint8_t, kEndBytes> window{};
  const size_t take = static_cast<size_t>(std::min<int64_t>(size_, kEndBytes));
  const uint64_t windowAt = static_cast<uint64_t>(size_) - take;
  const size_t got = file.ReadAt(windowAt, window.data(), take);
  // A file that shrank since it was opened has no trailer where it was.
  if (got == take && size_ >= static_cast<int64_t>(kTrailerSize)) {
    current_ = ParseTrailer(ByteSpan(window.data() + take - kTrailerSize, kTrailerSize));
  }

  const size_t firstWanted = std::min(static_cast<size_t>(size_), first_.size());
  if (windowAt == 0 && got >= firstWanted) {
    std::memcpy(first_.data(), window.data(), firstWanted);
    firstLength_ = firstWanted;
  } else {
    firstLength_ = file.ReadAt(0, first_.data(), firstWanted);
  }

  endLength_ = std::min(got, end_.size());
  endAt_ = windowAt + (got - endLength_);
  std::memcpy(end_.data(), window.data() + (got - endLength_), endLength_);
  return true;
}

size_t VideoIndexEnds::RecordBytes(uint64_t at, size_t size, uint8_t* out) const {
  if (at == 0 && size <= firstLength_) {
    std::memcpy(out, first_.data(), size);
    return size;
  }
  if (at >= endAt_ && at - endAt_ + size <= endLength_) {
    std::memcpy(out, end_.data() + (at - endAt_), size);
    return size;
  }
  ReadOnlyFile file;
  if (!file.Open(path_)) return 0;
  return file.ReadAt(at, out, size);
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
