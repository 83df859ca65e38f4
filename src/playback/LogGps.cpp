#include "playback/LogGps.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxWord = 65535.0;

uint16_t ToWord(double value) {
  if (!(value > 0)) return 0;  // also NaN
  return static_cast<uint16_t>(std::min(value, kMaxWord));
}

// Signed decimal degrees as the recorder's signed ddmm.mmmm.
double ToDegreesMinutes(double degrees) {
  const double magnitude = std::fabs(degrees);
  const double whole = std::floor(magnitude);
  const double value = whole * 100.0 + (magnitude - whole) * 60.0;
  return degrees < 0 ? -value : value;
}

}  // namespace

uint16_t LogSpeedKmh(float speed) { return ToWord(std::floor(static_cast<double>(speed) + 0.5)); }

GpsBlock GpsBlockOfLogRecord(const FRAMEINFOLOG& record) {
  GpsBlock gps;
  const bool finite = std::isfinite(record.lat) && std::isfinite(record.lon);
  const double lat = finite ? record.lat : 0.0;
  const double lon = finite ? record.lon : 0.0;
  FillGpsPosition(gps, record.gpsValid != 0 && finite ? 1 : 0, ToDegreesMinutes(lat), ToDegreesMinutes(lon));
  gps.speed = LogSpeedKmh(record.speed);
  gps.altitude = ToWord(std::floor(static_cast<double>(record.altitude) + 0.5));
  gps.course = ToWord(std::floor(static_cast<double>(record.course)));  // stays below 360
  return gps;
}
