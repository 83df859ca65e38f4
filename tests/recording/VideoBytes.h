#pragma once
// Exact bytes of video recordings for the tests: index records, trailers and
// JPEG-shaped pictures with a frame comment block. The pictures are not
// decodable; the reader only walks their markers.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"

using Bytes = std::vector<uint8_t>;

inline void PutU8(Bytes& b, size_t at, uint8_t v) { b.at(at) = v; }
inline void PutLe16(Bytes& b, size_t at, uint16_t v) {
  b.at(at) = static_cast<uint8_t>(v);
  b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}
inline void PutLe32(Bytes& b, size_t at, uint32_t v) {
  for (size_t i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutF64(Bytes& b, size_t at, double v) {
  uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  for (size_t i = 0; i < 8; ++i) b.at(at + i) = static_cast<uint8_t>(bits >> (8 * i));
}
inline void PutText(Bytes& b, size_t at, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) b.at(at + i) = static_cast<uint8_t>(text[i]);
}
inline void Append(Bytes& to, const Bytes& from) { to.insert(to.end(), from.begin(), from.end()); }
inline std::string_view AsText(const Bytes& b) {
  return std::string_view(reinterpret_cast<const char*>(b.data()), b.size());
}

struct TestRecord {
  uint32_t magic = 0xEE0000A1;
  uint8_t version = 1;
  uint32_t offset = 0;
  uint32_t size = 0;
  DateTime time{2024, 5, 5, 17, 12, 30, 15, 0};
  uint8_t valid = 1;
  uint8_t kind = 0;
  int16_t gx = 0;
  int16_t gy = 0;
  int16_t gz = 1000;
  uint8_t gpsValid = 1;
  double latitude = 3725.1234;
  double longitude = 12701.5678;
  uint16_t speed = 50;
  uint16_t altitude = 30;
  uint16_t course = 90;
  uint8_t signal = 0;
  uint8_t eventBits = 0;
  uint16_t pulse = 0;
};

inline Bytes EncodeRecord(const TestRecord& r, size_t recordSize) {
  Bytes b(recordSize, 0);
  PutLe32(b, 0, r.magic);
  PutU8(b, 4, r.version);
  PutLe32(b, 5, r.offset);
  PutLe32(b, 9, r.size);
  const uint16_t fields[8] = {r.time.year, r.time.month,  r.time.dayOfWeek, r.time.day,
                              r.time.hour, r.time.minute, r.time.second,    r.time.milliseconds};
  for (size_t i = 0; i < 8; ++i) PutLe16(b, 13 + 2 * i, fields[i]);
  PutU8(b, 29, r.valid);
  PutU8(b, 30, r.kind);
  PutLe16(b, 31, static_cast<uint16_t>(r.gx));
  PutLe16(b, 33, static_cast<uint16_t>(r.gy));
  PutLe16(b, 35, static_cast<uint16_t>(r.gz));
  PutU8(b, 37, r.gpsValid);
  PutF64(b, 38, r.latitude);
  PutF64(b, 46, r.longitude);
  PutLe16(b, 54, r.speed);
  PutLe16(b, 56, r.altitude);
  PutLe16(b, 58, r.course);
  PutU8(b, 60, r.signal);
  PutU8(b, 62, r.eventBits);
  PutLe16(b, 64, r.pulse);
  return b;
}

struct TestTrailer {
  uint32_t magic = 0xFF0000A0;
  uint8_t identity = 1;
  uint8_t attrA = 7;
  uint8_t eventCode = 1;
  uint8_t recordFormat = 1;
  uint8_t attrB = 9;
  uint32_t frameCount = 0;
  int8_t angle = 0;
  int16_t ox = 0;
  int16_t oy = 0;
  int16_t oz = 0;
  std::string drid = "DR-0001";
  std::string sdid = "SD-0001";
  uint8_t ext = 0;
  uint8_t attrC = 0;
  uint8_t attrD = 0;
};

// The 92-byte trailer; an older recorder's is its first 26 bytes.
inline Bytes EncodeTrailer(const TestTrailer& t) {
  Bytes b(92, 0);
  PutLe32(b, 0, t.magic);
  PutU8(b, 5, t.identity);
  PutU8(b, 6, t.attrA);
  PutU8(b, 7, t.eventCode);
  PutU8(b, 8, t.recordFormat);
  PutU8(b, 9, t.attrB);
  PutLe32(b, 10, t.frameCount);
  PutU8(b, 14, static_cast<uint8_t>(t.angle));
  PutLe16(b, 16, static_cast<uint16_t>(t.ox));
  PutLe16(b, 18, static_cast<uint16_t>(t.oy));
  PutLe16(b, 20, static_cast<uint16_t>(t.oz));
  PutText(b, 26, t.drid.substr(0, 30));
  PutText(b, 56, t.sdid.substr(0, 30));
  PutU8(b, 86, t.ext);
  PutU8(b, 87, t.attrC);
  PutU8(b, 88, t.attrD);
  return b;
}

struct TestComment {
  uint8_t stamp[7] = {24, 5, 12, 10, 20, 30, 0};
  uint16_t pulse = 12;
  uint8_t kind = 0;
  uint8_t gpsValid = 1;
  double latitude = 3725.1234;
  double longitude = -12701.5678;
  uint16_t altitude = 120;
  uint8_t speed = 77;
  uint16_t course = 270;
  uint8_t signal = 5;
  uint8_t event = 2;
  int16_t gx = 100;
  int16_t gy = -200;
  int16_t gz = 980;
};

inline Bytes EncodeComment(const TestComment& c) {
  Bytes b(59, 0);
  for (size_t i = 0; i < 7; ++i) PutU8(b, i, c.stamp[i]);
  PutLe16(b, 9, c.pulse);
  PutU8(b, 11, c.kind);
  PutU8(b, 12, c.gpsValid);
  PutF64(b, 21, c.latitude);
  PutF64(b, 29, c.longitude);
  PutLe16(b, 37, c.altitude);
  PutU8(b, 39, c.speed);
  PutLe16(b, 40, c.course);
  PutU8(b, 42, c.signal);
  PutU8(b, 44, c.event);
  PutLe16(b, 45, static_cast<uint16_t>(c.gx));
  PutLe16(b, 47, static_cast<uint16_t>(c.gy));
  PutLe16(b, 49, static_cast<uint16_t>(c.gz));
  return b;
}

// FF D8, an APP0 segment, the comment segment (when a block is given), image
// bytes padding the picture to totalSize, FF D9. Image bytes never hold FF.
inline Bytes EncodePicture(const Bytes* block, size_t totalSize = 0) {
  Bytes b = {0xFF, 0xD8};
  const Bytes app0 = {0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  Append(b, app0);
  if (block != nullptr) {
    const size_t length = block->size() + 2;
    Append(b, {0xFF, 0xFE, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
    Append(b, *block);
  }
  Append(b, {0xFF, 0xDA, 0x00, 0x02});
  for (size_t i = 0; b.size() + 2 < totalSize; ++i) b.push_back(static_cast<uint8_t>(i % 251));
  Append(b, {0xFF, 0xD9});
  return b;
}

inline Bytes CommentPicture(const TestComment& c, size_t totalSize = 0) {
  const Bytes block = EncodeComment(c);
  return EncodePicture(&block, totalSize);
}
