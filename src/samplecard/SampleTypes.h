#pragma once
// What the sample card generator writes, described field by field, so that a
// test can set a reader's output beside the values that went into the files.
// Values are kept exactly as they were written (rounded, clamped, formatted
// and parsed back), never as the smooth values they were made from.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/DateTime.h"

// The car signal bits of a frame and a log record. The lamps follow the
// viewer's car-signal display: bit 0 or 1 light both lamps as brake or hazard
// lights, bit 2 is the right turn lamp and bit 3 the left one.
struct SampleSignalBits {
  uint8_t brake;
  uint8_t emergency;
  uint8_t rightTurn;
  uint8_t leftTurn;
};
constexpr SampleSignalBits kSampleSignalBits{0x01, 0x02, 0x04, 0x08};

enum class SampleVideoKind : uint8_t { kEvent, kNormal };

// How the frame index file ends (or whether there is one at all).
enum class SampleIndexVariant : uint8_t {
  kTrailer92,  // the current 92-byte trailer; identityFlag says whether its identity part is filled
  kTrailer26,  // the older 26-byte trailer
  kNoTrailer,  // index records only
  kNoIndex,    // no index file: only the data file is written
};

// A deliberate fault in one index record, so that a reader has to fall back
// to scanning the data file.
enum class SampleIndexDamage : uint8_t {
  kNone,
  kBadMagic,  // the record magic does not match the one the trailer selects
  kMonth13,   // the record's month is 13
};

// The recorder's G-sensor mounting: installation angle in degrees and the raw
// calibration offsets in thousandths of 1 g, as the trailer and log header
// carry them.
struct SampleCalibration {
  int8_t angle = 0;
  int16_t offsetX = 0;
  int16_t offsetY = 0;
  int16_t offsetZ = 0;
};

// One video frame: its place in the data file and everything its index
// record and its comment block carry (both hold the same values).
struct SampleFrame {
  uint32_t offset = 0;      // of the JPEG picture in the data file
  uint32_t size = 0;        // its byte count
  DateTime time;            // local; milliseconds follow from frameNumber
  uint8_t frameNumber = 0;  // within the second, in 1/30 s (0..30)
  uint16_t frameRate = 0;   // the recording's frames per second
  uint8_t kind = 0;         // 1 normal, 2 before the trigger, 3 from the trigger on
  int16_t gX = 0;           // raw, thousandths of 1 g
  int16_t gY = 0;
  int16_t gZ = 0;
  bool gpsValid = false;
  double latitude = 0;    // signed ddmm.mmmm, four decimals
  double longitude = 0;   // signed dddmm.mmmm, four decimals
  uint16_t speed = 0;     // GPS speed, km/h (below 256: the comment block holds one byte)
  uint16_t altitude = 0;  // metres
  uint16_t course = 0;    // degrees, 0..359
  uint8_t signal = 0;     // car signal bits, see SampleSignalBits
  uint16_t pulse = 0;     // speed pulses
  uint8_t eventBits = 0;
  // What the picture shows; not stored in the files.
  double sceneDistance = 0;   // metres driven since the drive began
  double sceneHeading = 0;    // degrees, unwrapped
  double sceneCurvature = 0;  // 1/m, positive to the right
  double sceneSpeed = 0;      // km/h, also while the GPS has no fix
};

struct SampleVideo {
  SampleVideoKind kind = SampleVideoKind::kEvent;
  int number = 1;                   // running number in the file name
  std::string dataSuffix;           // "" or "_" + 7 characters, on the data file's name only
  std::filesystem::path dataPath;   // .vdd
  std::filesystem::path indexPath;  // .vdx; empty for kNoIndex
  SampleIndexVariant variant = SampleIndexVariant::kTrailer92;
  SampleIndexDamage damage = SampleIndexDamage::kNone;
  int damagedRecord = -1;    // index of the damaged record, -1 when none
  uint32_t recordSize = 66;  // 66 (version byte 1) or 69 (version byte 2)
  uint8_t recordFormat = 1;  // 2 selects the record magic 0xDD0000A2, else 0xEE0000A1
  uint8_t identityFlag = 1;  // trailer byte 5
  uint8_t attributeA = 0;    // trailer byte 6
  uint8_t eventCode = 0;     // trailer byte 7 and every frame's event bits
  uint8_t attributeB = 1;    // trailer byte 9
  uint8_t extendedCode = 0;  // trailer byte 86
  uint8_t attributeC = 0;    // trailer byte 87
  uint8_t attributeD = 0;    // trailer byte 88
  std::string drid;          // full text written (readers keep the first 10 characters)
  std::string sdid;
  SampleCalibration calibration;  // as written in the trailer
  int width = 0;                  // of the pictures as stored
  int height = 0;                 // half of the full height for half-height recordings
  bool halfHeight = false;
  bool app1 = false;  // an APP1 segment sits before the comment segment
  int fps = 0;
  int triggerFrame = -1;  // first frame of kind 3; -1 for normal recordings
  std::vector<SampleFrame> frames;
  uint64_t dataBytes = 0;
  uint64_t indexBytes = 0;
};

// One log record (one second) with the values as the log's lines carry them.
struct SampleLogRecord {
  int64_t localSeconds = 0;  // the data sentence's local time, seconds since 1970 UTC of that local time
  DateTime utc;              // what $GPRMC carries
  int sequence = 0;          // data sentence field 1
  int valueA = 0;            // data sentence field 2
  int gX = 0;                // raw, thousandths of 1 g
  int gY = 0;
  int gZ = 0;
  bool gpsValid = false;
  double latitudeDdmm = 0;  // as written, ddmm.mmmm (0 without a fix)
  double longitudeDdmm = 0;
  double latitude = 0;   // decimal degrees from the written fields, negative south
  double longitude = 0;  // negative west
  double speedKnots = 0;
  double course = 0;
  int satsUsed = 0;
  double hdop = 0;
  double altitude = 0;
  int satsInView = 0;
  uint8_t signal = 0;
  uint16_t pulse = 0;
};

struct SampleLog {
  int number = 1;
  std::filesystem::path path;
  bool byteOrderMark = false;
  int headerValue = 3;
  std::string drid;
  std::string sdid;
  SampleCalibration calibration;
  std::vector<SampleLogRecord> records;
  uint64_t bytes = 0;
};
