#pragma once
// One frame of a loaded video recording and its GPS sub-record. Both are
// plain records copied by value between the reader, the play controller,
// the displays, the map and the exports.

#include <cstddef>
#include <cstdint>

#include "platform/DateTime.h"

// The largest picture a frame may have; the frame buffer of the recording
// store holds exactly this many bytes.
constexpr size_t FRAMEDATA_MAXSIZE = 500000;

struct GpsBlock {
  uint8_t valid = 0;  // non-zero = fix
  char latHemi = 0;   // 'N' or 'S'
  uint16_t latDeg = 0;
  uint16_t latMin = 0;  // whole minutes
  float latSec = 0;
  char lonHemi = 0;  // 'E' or 'W'
  uint16_t lonDeg = 0;
  uint16_t lonMin = 0;
  float lonSec = 0;
  uint16_t speed = 0;     // km/h
  uint16_t altitude = 0;  // whole metres
  uint16_t course = 0;    // whole degrees

  // Decimal degrees, negative for south and west.
  double LatitudeDegrees() const;
  double LongitudeDegrees() const;

  // What shows before any position is known: no fix, but the hemisphere
  // letters of the recorder's home (north, east), so that the position
  // display and the info panel agree before the first frame.
  static constexpr GpsBlock NoPositionYet() {
    GpsBlock gps;
    gps.latHemi = 'N';
    gps.lonHemi = 'E';
    return gps;
  }
};
static_assert(sizeof(GpsBlock) == 32);

struct FRAMEINFOVIDEO {
  uint32_t dataOffset = 0;  // where the JPEG picture begins in the data file
  uint32_t dataSize = 0;    // its byte count
  DateTime time;            // local date and time of the frame
  uint8_t recordValid = 0;  // 1 for every stored frame
  uint8_t frameKind = 0;    // kTriggerFrameKind marks the event's trigger frame
  float gX = 0;             // in g
  float gY = 0;
  float gZ = 0;
  GpsBlock gps;
  uint8_t signal = 0;  // car signal lamp bits
  uint16_t pulse = 0;  // speed pulse count
  uint8_t eventBits = 0;
};

constexpr uint8_t kTriggerFrameKind = 3;

// Fills the position part of gps from a latitude in ddmm.mmmm and a
// longitude in dddmm.mmmm (signed, negative = south / west). Both are first
// rounded to four decimals as the recorder's own software printed them; the
// fix flag is kept only while the values lie within +-9000 and +-18000.
void FillGpsPosition(GpsBlock& gps, uint8_t validFlag, double latitude, double longitude);
