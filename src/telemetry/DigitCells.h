#pragma once
// The cells the digit displays blit: which strip, which cell of it, and
// where. The painter only draws what these functions return; bottom
// alignment and the strips' pictures are its part.

#include <cstdint>
#include <vector>

#include "platform/DateTime.h"
#include "recording/FrameInfoVideo.h"
#include "skin/SkinWords.h"
#include "telemetry/SpeedSource.h"

enum class DigitStrip : uint8_t {
  kDateSmall,       // 8 x 12 digits
  kDateLarge,       // 11 x 15 digits
  kDateSeparator,   // 6 x 15: date separator, colon
  kWeekday,         // 27 x 12: Sunday .. Saturday
  kSpeedDigit,      // 18 x 27 digits, cell 10 = dash
  kGDigit,          // 12 x 17 digits, cell 10 = dash / minus
  kGPoint,          // 4 x 17 decimal point
  kPosDigit,        // 12 x 17 digits, cell 10 = dash
  kPosPoint,        // 4 x 17 decimal point
  kPosSymbol,       // 7 x 17: degree, minute, second
  kHemisphere,      // 13 x 16: N, S, E, W
  kSpeedCaption,    // 42 x 12: pulse, GPS
  kSpeedIndicator,  // 11 x 11: pulse, GPS
  kLeftLamp,        // four lamp cells
  kRightLamp,
};

struct DigitCell {
  DigitStrip strip = DigitStrip::kGDigit;
  int cell = 0;
  int x = 0;
  int y = 0;
  friend bool operator==(const DigitCell&, const DigitCell&) = default;
};

constexpr int kDashCell = 10;
constexpr int kSeparatorDateCell = 0;
constexpr int kSeparatorColonCell = 1;
constexpr int kSymbolDegreeCell = 0;
constexpr int kSymbolMinuteCell = 1;
constexpr int kSymbolSecondCell = 2;
constexpr int kHemisphereNorthCell = 0;
constexpr int kHemisphereSouthCell = 1;
constexpr int kHemisphereEastCell = 2;
constexpr int kHemisphereWestCell = 3;
constexpr int kSpeedCaptionPulseCell = 0;
constexpr int kSpeedCaptionGpsCell = 1;

// The G display's no-value mark.
constexpr float kNoGValue = 9999.0f;

std::vector<DigitCell> DateTimeCellsOf(const DateTime& time);
std::vector<DigitCell> GValueCellsOf(float value);

// What the speed display and its caption show.
struct SpeedReadout {
  int captionCell = kSpeedCaptionGpsCell;  // of the caption and of the indicator
  std::vector<DigitCell> digits;           // empty without data
};
// The word of the caption the read-out names.
SkinWord SpeedCaptionWord(const SpeedReadout& readout);
SpeedReadout SpeedCellsOf(int pulseKmh, uint8_t gpsValid, int gpsSpeed, bool hasData, const SpeedSource& source);

std::vector<DigitCell> PositionCellsOf(const GpsBlock& gps);

// The lamp cell (0..3) for a signal byte and the lamp's own bit.
int LampCell(uint8_t signal, uint8_t lampBit);
constexpr uint8_t kLeftLampBit = 0x08;
constexpr uint8_t kRightLampBit = 0x04;
// Both lamps in a display width pixels wide; each lamp is LampWidth wide.
constexpr int LampWidth(int displayWidth) { return displayWidth / 2 - 10; }
std::vector<DigitCell> CarSignalCellsOf(uint8_t signal, int width);
