#include "telemetry/ui/DigitStrips.h"

#include <QPainter>

namespace {

DigitStrip SharedStrip(DigitStrip strip) {
  if (strip == DigitStrip::kPosDigit) return DigitStrip::kGDigit;
  if (strip == DigitStrip::kPosPoint) return DigitStrip::kGPoint;
  return strip;
}

}  // namespace

const SkinStrip& DigitStrips::Of(DigitStrip strip) const {
  const SkinStrip& own = strips[static_cast<size_t>(strip)];
  if (!own.IsNull()) return own;
  return strips[static_cast<size_t>(SharedStrip(strip))];
}

void DrawDigitCells(QPainter& painter, const DigitStrips& strips, const std::vector<DigitCell>& cells, QPoint origin) {
  for (const DigitCell& cell : cells) strips.Of(cell.strip).Draw(painter, origin + QPoint(cell.x, cell.y), cell.cell);
}

void DrawDigitCellsBottomAligned(QPainter& painter, const DigitStrips& strips, const std::vector<DigitCell>& cells,
                                 int height) {
  for (const DigitCell& cell : cells) {
    const SkinStrip& strip = strips.Of(cell.strip);
    strip.Draw(painter, QPoint(cell.x, height - strip.CellHeight()), cell.cell);
  }
}

void DrawSpeedCaption(QPainter& painter, const DigitStrips& strips, const SpeedReadout& readout, QPoint captionAt,
                      QPoint indicatorAt) {
  strips.Of(DigitStrip::kSpeedCaption).Draw(painter, captionAt, readout.captionCell);
  strips.Of(DigitStrip::kSpeedIndicator).Draw(painter, indicatorAt, readout.captionCell);
}
