#pragma once
// Field reads from a byte range, in the recorder's little-endian order (and
// the big-endian JPEG segment lengths). A field that does not fit inside the
// range reads as 0, so a reader can never step outside its buffer.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

using ByteSpan = std::span<const uint8_t>;

inline bool Fits(ByteSpan b, size_t at, size_t size) { return at <= b.size() && size <= b.size() - at; }

inline uint8_t ReadU8(ByteSpan b, size_t at) { return Fits(b, at, 1) ? b[at] : 0; }

inline uint16_t ReadLe16(ByteSpan b, size_t at) {
  if (!Fits(b, at, 2)) return 0;
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

inline int16_t ReadLeS16(ByteSpan b, size_t at) { return static_cast<int16_t>(ReadLe16(b, at)); }

inline uint32_t ReadLe32(ByteSpan b, size_t at) {
  if (!Fits(b, at, 4)) return 0;
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline double ReadLeF64(ByteSpan b, size_t at) {
  if (!Fits(b, at, 8)) return 0;
  uint64_t bits = 0;
  for (size_t i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(b[at + i]) << (8 * i);
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline uint16_t ReadBe16(ByteSpan b, size_t at) {
  if (!Fits(b, at, 2)) return 0;
  return static_cast<uint16_t>((b[at] << 8) | b[at + 1]);
}
