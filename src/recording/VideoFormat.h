#pragma once
// The byte layout of a video recording: the index file (".vdx": fixed-size
// frame records, then a trailer) and the comment block that every picture
// of the data file (".vdd") carries. Each field is read once into a plain
// struct; the readers never look outside the bytes they are given.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/DateTime.h"
#include "recording/LittleEndian.h"

constexpr uint32_t kTrailerMagic = 0xFF0000A0;
constexpr uint32_t kRecordMagicA1 = 0xEE0000A1;
constexpr uint32_t kRecordMagicA2 = 0xDD0000A2;
// A trailer record format byte of this value selects kRecordMagicA2.
constexpr uint8_t kRecordFormatA2 = 2;

constexpr size_t kTrailerSize = 92;
constexpr size_t kOldTrailerSize = 26;
constexpr size_t kShortRecordSize = 66;
constexpr size_t kLongRecordSize = 69;
// A first record whose version byte is this or more makes every record long.
constexpr uint8_t kLongRecordVersion = 2;

// The JPEG markers the data file's pictures are found by.
constexpr uint8_t kJpegMarker = 0xFF;
constexpr uint8_t kJpegStartOfImage = 0xD8;
constexpr uint8_t kJpegEndOfImage = 0xD9;
constexpr uint8_t kJpegStartOfScan = 0xDA;

constexpr size_t kCommentBlockSize = 59;
constexpr size_t kCommentEventCodeAt = 44;

struct VdxTrailer {
  uint32_t magic = 0;
  uint8_t identityFlag = 0;
  uint8_t attrA = 0;
  uint8_t eventCode = 0;
  uint8_t recordFormat = 0;
  uint8_t attrB = 0;
  uint32_t frameCount = 0;
  int8_t angle = 0;
  int16_t offsetX = 0;  // thousandths of 1 g
  int16_t offsetY = 0;
  int16_t offsetZ = 0;
  std::string drid;  // raw UTF-8, up to its first NUL
  std::string sdid;
  uint8_t extEventCode = 0;
  uint8_t attrC = 0;
  uint8_t attrD = 0;
};

// The 92 bytes at the end of an index file (an older 26-byte trailer is
// read through the same layout, its missing part zero).
VdxTrailer ParseTrailer(ByteSpan bytes);

struct VdxRecord {
  uint32_t magic = 0;
  uint8_t version = 0;
  uint32_t dataOffset = 0;
  uint32_t dataSize = 0;
  DateTime time;
  uint8_t valid = 0;
  uint8_t frameKind = 0;
  int16_t gX = 0;  // thousandths of 1 g
  int16_t gY = 0;
  int16_t gZ = 0;
  uint8_t gpsValid = 0;
  double latitude = 0;   // ddmm.mmmm
  double longitude = 0;  // dddmm.mmmm
  uint16_t gpsSpeed = 0;
  uint16_t altitude = 0;
  uint16_t course = 0;
  uint8_t signal = 0;
  uint8_t eventBits = 0;
  uint16_t pulse = 0;
};

// One index record (66 or 69 bytes; the three extra bytes are not read).
VdxRecord ParseRecord(ByteSpan bytes);

// The record size that the first record's version byte selects.
size_t RecordSizeFor(uint8_t firstVersion);

// The record magic that the trailer's record format byte selects.
uint32_t RecordMagicFor(uint8_t recordFormat);

// Whether a record may become a frame: the expected magic, a picture that
// fits the frame buffer, a plausible date and time, and its valid flag.
bool IsUsableRecord(const VdxRecord& record, uint32_t expectedMagic);

struct CommentBlock {
  uint8_t stamp[7] = {};  // year - 2000, month, day, hour, minute, second, frame
  uint16_t pulse = 0;
  uint8_t frameKind = 0;
  uint8_t gpsValid = 0;
  double latitude = 0;
  double longitude = 0;
  uint16_t altitude = 0;
  uint8_t gpsSpeed = 0;
  uint16_t course = 0;
  uint8_t signal = 0;
  uint8_t eventCode = 0;
  int16_t gX = 0;
  int16_t gY = 0;
  int16_t gZ = 0;
};

// The 59 bytes that follow a comment segment's length field.
CommentBlock ParseCommentBlock(ByteSpan bytes);

// The milliseconds of a frame number within the second (30 and above give 1000).
uint16_t StampMilliseconds(uint8_t frameNumber);

// The local date and time of a packed comment time stamp.
DateTime PackedStampToDateTime(const uint8_t stamp[7]);

constexpr size_t kNoCommentBlock = static_cast<size_t>(-1);

// Walks the JPEG markers of a picture from its first byte, skipping APP0 and
// APP1 segments by their length, and returns where the first comment block
// begins (just after the segment's length field). Markers are looked for at
// positions below walkEnd; the block is taken only when its segment holds
// blockBytes bytes and they lie inside the picture. A comment segment too
// short for that is passed over like an APP segment.
size_t FindCommentBlock(ByteSpan picture, size_t walkEnd, size_t blockBytes);

// The comment block of a whole picture (from its FF D8 to its FF D9), its
// markers walked to 4 bytes before its end; false when it carries none.
bool ReadPictureComment(ByteSpan picture, CommentBlock& comment);
