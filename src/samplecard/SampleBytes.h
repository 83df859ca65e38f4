#pragma once
// Field stores into a fixed-size record, in the recorder's little-endian
// order. The record layouts name every offset; these only place the bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

using SampleByteSpan = std::span<uint8_t>;

// Every store checks that the field fits, so a wrong offset writes nothing
// rather than past the record.
inline bool SampleFits(SampleByteSpan b, size_t at, size_t size) { return at <= b.size() && size <= b.size() - at; }

inline void StoreU8(SampleByteSpan b, size_t at, uint8_t v) {
  if (SampleFits(b, at, 1)) b[at] = v;
}

inline void StoreLe16(SampleByteSpan b, size_t at, uint16_t v) {
  if (!SampleFits(b, at, 2)) return;
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline void StoreLeS16(SampleByteSpan b, size_t at, int16_t v) { StoreLe16(b, at, static_cast<uint16_t>(v)); }

inline void StoreLe32(SampleByteSpan b, size_t at, uint32_t v) {
  if (!SampleFits(b, at, 4)) return;
  for (size_t i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void StoreLeF64(SampleByteSpan b, size_t at, double v) {
  if (!SampleFits(b, at, 8)) return;
  uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  for (size_t i = 0; i < 8; ++i) b[at + i] = static_cast<uint8_t>(bits >> (8 * i));
}

inline void StoreBe16(SampleByteSpan b, size_t at, uint16_t v) {
  if (!SampleFits(b, at, 2)) return;
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}

// text cut to size bytes, the rest NUL.
inline void StoreText(SampleByteSpan b, size_t at, size_t size, std::string_view text) {
  if (!SampleFits(b, at, size)) return;
  std::memset(b.data() + at, 0, size);
  std::memcpy(b.data() + at, text.data(), text.size() < size ? text.size() : size);
}
