#pragma once
// Digit strips whose cells are solid colours, each cell of each strip its
// own, so a pixel tells which cell of which strip was drawn there.
#include <QColor>
#include <QImage>

#include "telemetry/ui/DigitStrips.h"

inline QColor SolidCellColour(DigitStrip strip, int cell) {
  return QColor(40 + 13 * static_cast<int>(strip), 30 + 20 * cell, 200 - 9 * static_cast<int>(strip));
}

inline SkinStrip SolidStrip(DigitStrip strip, int cellWidth, int cellHeight, int cells) {
  QImage image(cellWidth * cells, cellHeight, QImage::Format_RGB32);
  for (int c = 0; c < cells; ++c)
    for (int y = 0; y < cellHeight; ++y)
      for (int x = 0; x < cellWidth; ++x) image.setPixel(c * cellWidth + x, y, SolidCellColour(strip, c).rgb());
  return SkinStrip(image, cells);
}

// The strips at the skin's cell sizes; the position display's own digits
// and point are left empty, as the skin shares the G display's.
inline DigitStrips SolidStrips(int lampWidth = 40, int lampHeight = 20) {
  DigitStrips strips;
  auto set = [&](DigitStrip strip, int w, int h, int cells) { strips.Of(strip) = SolidStrip(strip, w, h, cells); };
  set(DigitStrip::kDateSmall, 8, 12, 11);
  set(DigitStrip::kDateLarge, 11, 15, 11);
  set(DigitStrip::kDateSeparator, 6, 15, 2);
  set(DigitStrip::kWeekday, 27, 12, 7);
  set(DigitStrip::kSpeedDigit, 18, 27, 11);
  set(DigitStrip::kGDigit, 12, 17, 11);
  set(DigitStrip::kGPoint, 4, 17, 1);
  set(DigitStrip::kPosSymbol, 7, 17, 3);
  set(DigitStrip::kHemisphere, 13, 16, 4);
  set(DigitStrip::kSpeedCaption, 42, 12, 2);
  set(DigitStrip::kSpeedIndicator, 11, 11, 2);
  set(DigitStrip::kLeftLamp, lampWidth, lampHeight, 4);
  set(DigitStrip::kRightLamp, lampWidth, lampHeight, 4);
  return strips;
}
