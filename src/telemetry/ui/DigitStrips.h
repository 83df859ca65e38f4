#pragma once
// The skin strips the digit displays cut their cells from, one per
// DigitStrip. The position display shares the G display's digits and
// decimal point: its own entries may stay empty.
#include <QPoint>
#include <array>
#include <cstddef>
#include <vector>

#include "skin/ui/SkinStrip.h"
#include "telemetry/DigitCells.h"

class QPainter;

struct DigitStrips {
  static constexpr size_t kCount = static_cast<size_t>(DigitStrip::kRightLamp) + 1;

  std::array<SkinStrip, kCount> strips;

  const SkinStrip& Of(DigitStrip strip) const;
  SkinStrip& Of(DigitStrip strip) { return strips[static_cast<size_t>(strip)]; }
};

// Draws the cells at their own size, offset by origin. Bottom-aligned cells
// stand on the bottom of a box height pixels high, whatever their y.
void DrawDigitCells(QPainter& painter, const DigitStrips& strips, const std::vector<DigitCell>& cells,
                    QPoint origin = {});
void DrawDigitCellsBottomAligned(QPainter& painter, const DigitStrips& strips, const std::vector<DigitCell>& cells,
                                 int height);

// The speed caption and its indicator beside the speed display, in the
// variant the read-out names.
void DrawSpeedCaption(QPainter& painter, const DigitStrips& strips, const SpeedReadout& readout, QPoint captionAt,
                      QPoint indicatorAt);
