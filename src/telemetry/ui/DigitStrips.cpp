#include "telemetry/ui/DigitStrips.h"

#include <QPainter>

#include "skin/SkinWords.h"
#include "skin/ui/SkinText.h"

namespace {

DigitStrip SharedStrip(DigitStrip strip) {
  if (strip == DigitStrip::kPosDigit) return DigitStrip::kGDigit;
  if (strip == DigitStrip::kPosPoint) return DigitStrip::kGPoint;
  return strip;
}

// The words on the displays and beside them, in the displays' inks.
constexpr int kWeekdayPixels = 10;
constexpr int kCaptionPixels = 10;
const QColor kWeekdayInk(240, 245, 255);
const QColor kSundayInk(255, 150, 140);
const QColor kCaptionInk(236, 239, 242);

void DrawWeekday(QPainter& painter, const QRect& cell, int dayOfWeek) {
  SkinTextLook look;
  look.pixelSize = kWeekdayPixels;
  look.weight = QFont::Bold;
  look.colour = dayOfWeek == 0 ? kSundayInk : kWeekdayInk;
  look.alignment = Qt::AlignHCenter | Qt::AlignBottom;
  DrawSkinText(painter, cell, QString::fromStdString(WeekdayWord(dayOfWeek)), look);
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
    const QPoint at(cell.x, height - strip.CellHeight());
    strip.Draw(painter, at, cell.cell);
    if (cell.strip == DigitStrip::kWeekday) DrawWeekday(painter, QRect(at, strip.CellSize()), cell.cell);
  }
}

void DrawSpeedCaption(QPainter& painter, const DigitStrips& strips, const SpeedReadout& readout, QPoint captionAt,
                      QPoint indicatorAt) {
  const SkinStrip& caption = strips.Of(DigitStrip::kSpeedCaption);
  caption.Draw(painter, captionAt, readout.captionCell);
  strips.Of(DigitStrip::kSpeedIndicator).Draw(painter, indicatorAt, readout.captionCell);
  SkinTextLook look;
  look.pixelSize = kCaptionPixels;
  look.weight = QFont::Bold;
  look.colour = kCaptionInk;
  DrawSkinText(painter, QRect(captionAt, caption.CellSize()),
               QString::fromStdString(SkinWordText(SpeedCaptionWord(readout))), look);
}
