#pragma once
// The two reads every user of an index file starts with: the trailer at its
// end (the current 92-byte one, or the older 26-byte one an earlier recorder
// wrote) and the first record, whose version byte sets every record's size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/ReadOnlyFile.h"
#include "recording/VideoFormat.h"

using TrailerBytes = std::array<uint8_t, kTrailerSize>;

// The last 92 bytes of an index of size bytes; false when it is shorter or
// they cannot all be read.
bool ReadTrailerBytes(const ReadOnlyFile& index, int64_t size, TrailerBytes& bytes);

enum class IndexTail { kUnreadable, kNoTrailer, kTrailer };

// The older 26-byte trailer at the end of an index's last 92 bytes (tail),
// read through the current layout with its missing part zero; nothing when
// it does not begin with the trailer magic.
std::optional<VdxTrailer> ParseOlderTrailer(ByteSpan tail);

// The trailer of an index of size bytes: the last 92 bytes when they begin
// with the trailer magic, else the older trailer in their last 26 bytes
// (read through the same layout, its missing part zero).
IndexTail ReadIndexTrailer(const ReadOnlyFile& index, int64_t size, VdxTrailer& trailer);
// The same from an index's last 92 bytes already read (fewer: unreadable).
IndexTail ParseIndexTrailer(ByteSpan tail, VdxTrailer& trailer);

struct IndexFirstRecord {
  uint32_t magic = 0;
  size_t recordSize = 0;  // what its version byte selects for every record
};

// Nothing when the index is shorter than one long record.
std::optional<IndexFirstRecord> ReadFirstRecord(const ReadOnlyFile& index);
