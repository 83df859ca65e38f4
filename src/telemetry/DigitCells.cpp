#include "telemetry/DigitCells.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Date-time display, left to right.
constexpr int kYearX[] = {5, 15, 25, 35};
constexpr int kYearMonthSeparatorX = 45;
constexpr int kMonthX[] = {53, 63};
constexpr int kMonthDaySeparatorX = 73;
constexpr int kDayX[] = {81, 91};
constexpr int kWeekdayX = 104;
constexpr int kHourX[] = {136, 149};
constexpr int kColonX = 162;
constexpr int kMinuteX[] = {170, 183};
constexpr int kMinuteSecondSeparatorX = 196;
constexpr int kSecondX[] = {204, 214};
constexpr int kWeekdays = 7;

// G-value display.
constexpr int kGMinusX = 2;
constexpr int kGDigitX = 16;
constexpr int kGPointX = 30;
constexpr int kGDecimalX[] = {36, 50};

// Speed display.
constexpr int kSpeedX[] = {2, 22, 42};  // hundreds, tens, units
constexpr int kSpeedShownMax = 999;

// Position display: the latitude row, then the longitude row below it.
struct PositionRow {
  int y;
  int degreeCount;
  int degreeX[3];
  int degreeSymbolX;
  int minuteX[2];
  int minuteSymbolX;
  int secondX[2];
  int pointX;
  int decimalX[2];
  int secondSymbolX;
  int hemisphereX;
};
constexpr PositionRow kLatitudeRow = {3, 2, {15, 29, 0}, 42, {49, 63}, 76, {83, 97}, 111, {117, 131}, 145, 154};
constexpr PositionRow kLongitudeRow = {23, 3, {0, 14, 28}, 41, {48, 62}, 75, {82, 96}, 110, {116, 130}, 144, 153};

constexpr int kLampGap = 10;

int Digit(int value, int place) { return (value / place) % 10; }

int DigitOfChar(char c) { return c - '0'; }

// The two digits before and the two after the point of "%05.2f"; false when
// the value does not print that way (negative, too large, not a number).
bool SecondsDigits(float value, int digits[4]) {
  char text[64];
  std::snprintf(text, sizeof text, "%05.2f", static_cast<double>(value));
  if (std::strlen(text) != 5 || text[2] != '.') return false;
  const char picked[4] = {text[0], text[1], text[3], text[4]};
  for (int i = 0; i < 4; ++i) {
    if (picked[i] < '0' || picked[i] > '9') return false;
    digits[i] = DigitOfChar(picked[i]);
  }
  return true;
}

void AddPositionRow(std::vector<DigitCell>& cells, const PositionRow& row, bool valid, int degrees, int minutes,
                    float seconds, int hemisphereCell) {
  int secondDigits[4] = {0, 0, 0, 0};
  const bool digitsShown = valid && SecondsDigits(seconds, secondDigits);
  auto digit = [&](int x, int value) {
    cells.push_back({DigitStrip::kPosDigit, digitsShown ? value : kDashCell, x, row.y});
  };
  int place = row.degreeCount == 3 ? 100 : 10;
  for (int i = 0; i < row.degreeCount; ++i, place /= 10) digit(row.degreeX[i], Digit(degrees, place));
  cells.push_back({DigitStrip::kPosSymbol, kSymbolDegreeCell, row.degreeSymbolX, row.y});
  digit(row.minuteX[0], Digit(minutes, 10));
  digit(row.minuteX[1], Digit(minutes, 1));
  cells.push_back({DigitStrip::kPosSymbol, kSymbolMinuteCell, row.minuteSymbolX, row.y});
  digit(row.secondX[0], secondDigits[0]);
  digit(row.secondX[1], secondDigits[1]);
  cells.push_back({DigitStrip::kPosPoint, 0, row.pointX, row.y});
  digit(row.decimalX[0], secondDigits[2]);
  digit(row.decimalX[1], secondDigits[3]);
  cells.push_back({DigitStrip::kPosSymbol, kSymbolSecondCell, row.secondSymbolX, row.y});
  cells.push_back({DigitStrip::kHemisphere, hemisphereCell, row.hemisphereX, row.y});
}

}  // namespace

std::vector<DigitCell> DateTimeCellsOf(const DateTime& time) {
  std::vector<DigitCell> cells;
  auto small = [&](int x, int d) { cells.push_back({DigitStrip::kDateSmall, d, x, 0}); };
  auto large = [&](int x, int d) { cells.push_back({DigitStrip::kDateLarge, d, x, 0}); };
  auto separator = [&](int x, int cell) { cells.push_back({DigitStrip::kDateSeparator, cell, x, 0}); };

  for (int i = 0, place = 1000; i < 4; ++i, place /= 10) small(kYearX[i], Digit(time.year, place));
  separator(kYearMonthSeparatorX, kSeparatorDateCell);
  small(kMonthX[0], Digit(time.month, 10));
  small(kMonthX[1], Digit(time.month, 1));
  separator(kMonthDaySeparatorX, kSeparatorDateCell);
  small(kDayX[0], Digit(time.day, 10));
  small(kDayX[1], Digit(time.day, 1));
  // A day of week the strip has no glyph for is left out.
  if (time.dayOfWeek < kWeekdays) cells.push_back({DigitStrip::kWeekday, time.dayOfWeek, kWeekdayX, 0});
  large(kHourX[0], Digit(time.hour, 10));
  large(kHourX[1], Digit(time.hour, 1));
  separator(kColonX, kSeparatorColonCell);
  large(kMinuteX[0], Digit(time.minute, 10));
  large(kMinuteX[1], Digit(time.minute, 1));
  separator(kMinuteSecondSeparatorX, kSeparatorDateCell);
  small(kSecondX[0], Digit(time.second, 10));
  small(kSecondX[1], Digit(time.second, 1));
  return cells;
}

std::vector<DigitCell> GValueCellsOf(float value) {
  const DigitCell point{DigitStrip::kGPoint, 0, kGPointX, 0};
  char text[64] = "";
  if (value != kNoGValue && std::isfinite(value))
    std::snprintf(text, sizeof text, "%05.2f", std::fabs(static_cast<double>(value)));
  const char* dot = std::strchr(text, '.');
  // The no-value mark, and anything that does not print as digits.
  if (dot == nullptr || dot == text || dot[1] == '\0' || dot[2] == '\0') {
    return {{DigitStrip::kGDigit, kDashCell, kGDigitX, 0},
            point,
            {DigitStrip::kGDigit, kDashCell, kGDecimalX[0], 0},
            {DigitStrip::kGDigit, kDashCell, kGDecimalX[1], 0}};
  }
  std::vector<DigitCell> cells;
  if (value < 0) cells.push_back({DigitStrip::kGDigit, kDashCell, kGMinusX, 0});
  cells.push_back({DigitStrip::kGDigit, DigitOfChar(dot[-1]), kGDigitX, 0});
  cells.push_back(point);
  cells.push_back({DigitStrip::kGDigit, DigitOfChar(dot[1]), kGDecimalX[0], 0});
  cells.push_back({DigitStrip::kGDigit, DigitOfChar(dot[2]), kGDecimalX[1], 0});
  return cells;
}

SpeedReadout SpeedCellsOf(int pulseKmh, uint8_t gpsValid, int gpsSpeed, bool hasData, const SpeedSource& source) {
  SpeedReadout readout;
  const bool pulse = source.UsesPulse();
  readout.captionCell = pulse ? kSpeedCaptionPulseCell : kSpeedCaptionGpsCell;
  if (!hasData) return readout;
  if (!pulse && !gpsValid) {
    readout.digits.push_back({DigitStrip::kSpeedDigit, kDashCell, kSpeedX[2], 0});
    return readout;
  }
  const int value = std::clamp(WholeSpeed(source.unit, pulse ? pulseKmh : gpsSpeed), 0, kSpeedShownMax);
  const int hundreds = Digit(value, 100);
  const int tens = Digit(value, 10);
  if (hundreds != 0) readout.digits.push_back({DigitStrip::kSpeedDigit, hundreds, kSpeedX[0], 0});
  if (hundreds != 0 || tens != 0) readout.digits.push_back({DigitStrip::kSpeedDigit, tens, kSpeedX[1], 0});
  readout.digits.push_back({DigitStrip::kSpeedDigit, Digit(value, 1), kSpeedX[2], 0});
  return readout;
}

std::vector<DigitCell> PositionCellsOf(const GpsBlock& gps) {
  std::vector<DigitCell> cells;
  const bool valid = gps.valid != 0;
  AddPositionRow(cells, kLatitudeRow, valid, gps.latDeg, gps.latMin, gps.latSec,
                 gps.latHemi == 'N' ? kHemisphereNorthCell : kHemisphereSouthCell);
  AddPositionRow(cells, kLongitudeRow, valid, gps.lonDeg, gps.lonMin, gps.lonSec,
                 gps.lonHemi == 'E' ? kHemisphereEastCell : kHemisphereWestCell);
  return cells;
}

int LampCell(uint8_t signal, uint8_t lampBit) {
  const bool turning = (signal & 0x03) != 0;
  const bool own = (signal & lampBit) != 0;
  if (own) return turning ? 0 : 2;
  return turning ? 3 : 1;
}

std::vector<DigitCell> CarSignalCellsOf(uint8_t signal, int width) {
  const int middle = width / 2;
  return {{DigitStrip::kLeftLamp, LampCell(signal, kLeftLampBit), 0, 0},
          {DigitStrip::kRightLamp, LampCell(signal, kRightLampBit), middle + kLampGap, 0}};
}

SkinWord SpeedCaptionWord(const SpeedReadout& readout) {
  return readout.captionCell == kSpeedCaptionPulseCell ? SkinWord::kSpeedPulse : SkinWord::kSpeedGps;
}
