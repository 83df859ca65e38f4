#include "recording/VideoIndexTail.h"

#include <cstring>

bool ReadTrailerBytes(const ReadOnlyFile& index, int64_t size, TrailerBytes& bytes) {
  if (size < static_cast<int64_t>(kTrailerSize)) return false;
  const uint64_t at = static_cast<uint64_t>(size) - kTrailerSize;
  return index.ReadAt(at, bytes.data(), bytes.size()) == bytes.size();
}

std::optional<VdxTrailer> ParseOlderTrailer(ByteSpan tail) {
  if (tail.size() != kTrailerSize) return std::nullopt;
  TrailerBytes older{};
  std::memcpy(older.data(), tail.data() + kTrailerSize - kOldTrailerSize, kOldTrailerSize);
  if (ReadLe32(older, 0) != kTrailerMagic) return std::nullopt;
  return ParseTrailer(older);
}

IndexTail ReadIndexTrailer(const ReadOnlyFile& index, int64_t size, VdxTrailer& trailer) {
  TrailerBytes tail{};
  if (!ReadTrailerBytes(index, size, tail)) return IndexTail::kUnreadable;
  return ParseIndexTrailer(tail, trailer);
}

IndexTail ParseIndexTrailer(ByteSpan tail, VdxTrailer& trailer) {
  if (tail.size() != kTrailerSize) return IndexTail::kUnreadable;
  if (ReadLe32(tail, 0) == kTrailerMagic) {
    trailer = ParseTrailer(tail);
    return IndexTail::kTrailer;
  }
  const std::optional<VdxTrailer> older = ParseOlderTrailer(tail);
  if (!older) return IndexTail::kNoTrailer;
  trailer = *older;
  return IndexTail::kTrailer;
}

std::optional<IndexFirstRecord> ReadFirstRecord(const ReadOnlyFile& index) {
  std::array<uint8_t, kLongRecordSize> first{};
  if (index.ReadAt(0, first.data(), first.size()) < first.size()) return std::nullopt;
  return IndexFirstRecord{ReadLe32(first, 0), RecordSizeFor(ReadU8(first, 4))};
}
