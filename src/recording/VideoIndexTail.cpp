#include "recording/VideoIndexTail.h"

#include <cstring>

bool ReadTrailerBytes(const ReadOnlyFile& index, int64_t size, TrailerBytes& bytes) {
  if (size < static_cast<int64_t>(kTrailerSize)) return false;
  const uint64_t at = static_cast<uint64_t>(size) - kTrailerSize;
  return index.ReadAt(at, bytes.data(), bytes.size()) == bytes.size();
}

IndexTail ReadIndexTrailer(const ReadOnlyFile& index, int64_t size, VdxTrailer& trailer) {
  TrailerBytes tail{};
  if (!ReadTrailerBytes(index, size, tail)) return IndexTail::kUnreadable;
  if (ReadLe32(tail, 0) != kTrailerMagic) {
    std::memmove(tail.data(), tail.data() + kTrailerSize - kOldTrailerSize, kOldTrailerSize);
    std::memset(tail.data() + kOldTrailerSize, 0, kTrailerSize - kOldTrailerSize);
    if (ReadLe32(tail, 0) != kTrailerMagic) return IndexTail::kNoTrailer;
  }
  trailer = ParseTrailer(tail);
  return IndexTail::kTrailer;
}

std::optional<IndexFirstRecord> ReadFirstRecord(const ReadOnlyFile& index) {
  std::array<uint8_t, kLongRecordSize> first{};
  if (index.ReadAt(0, first.data(), first.size()) < first.size()) return std::nullopt;
  return IndexFirstRecord{ReadLe32(first, 0), RecordSizeFor(ReadU8(first, 4))};
}
