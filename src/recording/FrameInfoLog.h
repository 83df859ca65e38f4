#pragma once
// One second of a log recording: the GPS sentences of that second and the
// recorder's data sentence that closed it. Copied by value.

#include <cstdint>

#include "platform/DateTime.h"

struct FRAMEINFOLOG {
  int64_t time = 0;      // local date and time of the data sentence, milliseconds (time-key scale)
  uint8_t gpsValid = 0;  // last "$GPRMC" status was "A" and the position is in range
  double lat = 0.0;      // decimal degrees, negative south
  double lon = 0.0;      // decimal degrees, negative west
  float altitude = 0.0f;
  float speed = 0.0f;   // km/h
  float course = 0.0f;  // degrees
  uint8_t satsUsed = 0;
  float dop = 0.0f;
  uint8_t satsInView = 0;
  DateTime gpsTime;    // UTC as received; all zero when the receiver sent no date or time
  uint8_t valueA = 0;  // carried unchanged
  float gX = 0.0f;     // g, rotated by the installation angle and calibrated
  float gY = 0.0f;
  float gZ = 0.0f;
  uint8_t signal = 0;  // car signal lamp bits
  uint16_t pulse = 0;  // speed pulse count of that second
};
