#include "recording/FrameInfoVideo.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kLatitudeLimit = 9000.0;
constexpr double kLongitudeLimit = 18000.0;

double Decimal(char hemi, char negativeHemi, uint16_t degrees, uint16_t minutes, float seconds) {
  const double value = degrees + (minutes + seconds / 60.0) / 60.0;
  return hemi == negativeHemi ? -value : value;
}

// Below this every ten-thousandth count is a whole number a double holds
// exactly.
constexpr double kLargestExactCount = 9007199254740992.0;
constexpr double kTenThousandths = 10000.0;
// How far from a half the exact remainder must lie for the count nearest
// the product to be the one "%.4f" picks.
constexpr double kClearOfHalf = 0.499;

// "%.4f" and back: the recorder's positions are compared and split after this
// rounding, so 0.00005 steps decide validity the way the recorder saw them.
// Every frame has two of them, so the text is made only where arithmetic
// cannot tell the nearest count for sure: the remainder value * 10^4 - n is
// exact through fma, and n / 10^4 is the double nearest that decimal, as
// strtod would read it.
double RoundToFourDecimals(double value) {
  if (!std::isfinite(value)) return value;
  const double count = std::nearbyint(value * kTenThousandths);
  if (std::fabs(count) < kLargestExactCount && std::fabs(std::fma(value, kTenThousandths, -count)) < kClearOfHalf) {
    return count / kTenThousandths;
  }
  char text[400];  // wide enough for the largest double printed in full
  std::snprintf(text, sizeof text, "%.4f", value);
  return std::strtod(text, nullptr);
}

// Out-of-range positions are still split (their fix flag is cleared), so
// the conversion must not overflow the 16-bit fields.
uint16_t SaturatedU16(double value) {
  if (!(value > 0)) return 0;
  if (value >= 65535.0) return 65535;
  return static_cast<uint16_t>(value);
}

void Split(double magnitude, uint16_t& degrees, uint16_t& minutes, float& seconds) {
  const double wholeDegrees = std::trunc(magnitude / 100.0);
  const double wholeMinutes = std::trunc(magnitude - wholeDegrees * 100.0);
  degrees = SaturatedU16(wholeDegrees);
  minutes = SaturatedU16(wholeMinutes);
  const double rest = (magnitude - (wholeDegrees * 100.0 + wholeMinutes)) * 60.0;
  seconds = std::isfinite(rest) ? static_cast<float>(rest) : 0.0f;
}

bool Within(double value, double limit) { return value >= -limit && value <= limit; }

}  // namespace

double GpsBlock::LatitudeDegrees() const { return Decimal(latHemi, 'S', latDeg, latMin, latSec); }

double GpsBlock::LongitudeDegrees() const { return Decimal(lonHemi, 'W', lonDeg, lonMin, lonSec); }

void FillGpsPosition(GpsBlock& gps, uint8_t validFlag, double latitude, double longitude) {
  const double v = RoundToFourDecimals(latitude);
  const double w = RoundToFourDecimals(longitude);
  gps.latHemi = v >= 0 ? 'N' : 'S';
  Split(std::fabs(v), gps.latDeg, gps.latMin, gps.latSec);
  gps.lonHemi = w >= 0 ? 'E' : 'W';
  Split(std::fabs(w), gps.lonDeg, gps.lonMin, gps.lonSec);
  gps.valid = validFlag;
  if (!Within(v, kLatitudeLimit) || !Within(w, kLongitudeLimit)) gps.valid = 0;
}
