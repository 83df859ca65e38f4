#include "recording/VideoFormat.h"

#include <algorithm>

#include "platform/TimeKey.h"
#include "platform/Utf8.h"
#include "recording/FrameInfoVideo.h"

namespace {

constexpr size_t kIdentityTextSize = 30;
constexpr int kFramesPerSecond = 30;

std::string IdentityText(ByteSpan bytes, size_t at) {
  if (!Fits(bytes, at, kIdentityTextSize)) return {};
  const auto* first = reinterpret_cast<const char*>(bytes.data() + at);
  return std::string(UntilNul(std::string_view(first, kIdentityTextSize)));
}

DateTime ReadDateTime(ByteSpan b, size_t at) {
  DateTime t;
  t.year = ReadLe16(b, at);
  t.month = ReadLe16(b, at + 2);
  t.dayOfWeek = ReadLe16(b, at + 4);
  t.day = ReadLe16(b, at + 6);
  t.hour = ReadLe16(b, at + 8);
  t.minute = ReadLe16(b, at + 10);
  t.second = ReadLe16(b, at + 12);
  t.milliseconds = ReadLe16(b, at + 14);
  return t;
}

}  // namespace

VdxTrailer ParseTrailer(ByteSpan b) {
  VdxTrailer t;
  t.magic = ReadLe32(b, 0);
  t.identityFlag = ReadU8(b, 5);
  t.attrA = ReadU8(b, 6);
  t.eventCode = ReadU8(b, 7);
  t.recordFormat = ReadU8(b, 8);
  t.attrB = ReadU8(b, 9);
  t.frameCount = ReadLe32(b, 10);
  t.angle = static_cast<int8_t>(ReadU8(b, 14));
  t.offsetX = ReadLeS16(b, 16);
  t.offsetY = ReadLeS16(b, 18);
  t.offsetZ = ReadLeS16(b, 20);
  t.drid = IdentityText(b, 26);
  t.sdid = IdentityText(b, 56);
  t.extEventCode = ReadU8(b, 86);
  t.attrC = ReadU8(b, 87);
  t.attrD = ReadU8(b, 88);
  return t;
}

VdxRecord ParseRecord(ByteSpan b) {
  VdxRecord r;
  r.magic = ReadLe32(b, 0);
  r.version = ReadU8(b, 4);
  r.dataOffset = ReadLe32(b, 5);
  r.dataSize = ReadLe32(b, 9);
  r.time = ReadDateTime(b, 13);
  r.valid = ReadU8(b, 29);
  r.frameKind = ReadU8(b, 30);
  r.gX = ReadLeS16(b, 31);
  r.gY = ReadLeS16(b, 33);
  r.gZ = ReadLeS16(b, 35);
  r.gpsValid = ReadU8(b, 37);
  r.latitude = ReadLeF64(b, 38);
  r.longitude = ReadLeF64(b, 46);
  r.gpsSpeed = ReadLe16(b, 54);
  r.altitude = ReadLe16(b, 56);
  r.course = ReadLe16(b, 58);
  r.signal = ReadU8(b, 60);
  r.eventBits = ReadU8(b, 62);
  r.pulse = ReadLe16(b, 64);
  return r;
}

size_t RecordSizeFor(uint8_t firstVersion) {
  return firstVersion >= kLongRecordVersion ? kLongRecordSize : kShortRecordSize;
}

uint32_t RecordMagicFor(uint8_t recordFormat) {
  return recordFormat == kRecordFormatA2 ? kRecordMagicA2 : kRecordMagicA1;
}

bool IsUsableRecord(const VdxRecord& r, uint32_t expectedMagic) {
  if (r.magic != expectedMagic) return false;
  if (r.dataSize > FRAMEDATA_MAXSIZE) return false;
  if (r.time.month < 1 || r.time.month > 12) return false;
  if (r.time.day < 1 || r.time.day > 31) return false;
  if (r.time.hour > 23 || r.time.minute > 59 || r.time.second > 59) return false;
  return r.valid == 1;
}

CommentBlock ParseCommentBlock(ByteSpan b) {
  CommentBlock c;
  for (size_t i = 0; i < 7; ++i) c.stamp[i] = ReadU8(b, i);
  c.pulse = ReadLe16(b, 9);
  c.frameKind = ReadU8(b, 11);
  c.gpsValid = ReadU8(b, 12);
  c.latitude = ReadLeF64(b, 21);
  c.longitude = ReadLeF64(b, 29);
  c.altitude = ReadLe16(b, 37);
  c.gpsSpeed = ReadU8(b, 39);
  c.course = ReadLe16(b, 40);
  c.signal = ReadU8(b, 42);
  c.eventCode = ReadU8(b, kCommentEventCodeAt);
  c.gX = ReadLeS16(b, 45);
  c.gY = ReadLeS16(b, 47);
  c.gZ = ReadLeS16(b, 49);
  return c;
}

uint16_t StampMilliseconds(uint8_t frameNumber) {
  const int frame = std::min<int>(frameNumber, kFramesPerSecond);
  return static_cast<uint16_t>(frame * 1000 / kFramesPerSecond);
}

DateTime PackedStampToDateTime(const uint8_t stamp[7]) {
  const int month = stamp[1] == 0 ? 1 : stamp[1];
  const int day = stamp[2] == 0 ? 1 : stamp[2];
  return NormalizeLocal(stamp[0] + 2000, month, day, stamp[3], stamp[4], stamp[5], StampMilliseconds(stamp[6]));
}

size_t FindCommentBlock(ByteSpan picture, size_t walkEnd, size_t blockBytes) {
  constexpr uint8_t kApp0 = 0xE0;
  constexpr uint8_t kApp1 = 0xE1;
  constexpr uint8_t kComment = 0xFE;
  walkEnd = std::min(walkEnd, picture.size() > 0 ? picture.size() - 1 : 0);
  size_t q = 0;
  while (q < walkEnd) {
    const uint8_t kind = picture[q + 1];
    if (picture[q] != kJpegMarker || (kind != kApp0 && kind != kApp1 && kind != kComment)) {
      ++q;
      continue;
    }
    // The length counts its own two bytes.
    const size_t length = ReadBe16(picture, q + 2);
    const size_t block = q + 4;
    if (kind == kComment && length >= 2 + blockBytes && Fits(picture, block, blockBytes)) return block;
    q += 2 + length;
  }
  return kNoCommentBlock;
}

bool ReadPictureComment(ByteSpan picture, CommentBlock& comment) {
  constexpr size_t kWalkTail = 4;
  const size_t walkEnd = picture.size() > kWalkTail ? picture.size() - kWalkTail : 0;
  const size_t block = FindCommentBlock(picture, walkEnd, kCommentBlockSize);
  if (block == kNoCommentBlock) return false;
  comment = ParseCommentBlock(picture.subspan(block, kCommentBlockSize));
  return true;
}
