#include "telemetry/ui/VxDigitDisplays.h"

#include <QPainter>

#include "skin/ui/SkinImages.h"
#include "telemetry/DigitDisplays.h"

namespace {

const QColor kDateTimeBackground(23, 60, 141);
const QColor kReadoutBackground(60, 60, 60);

}  // namespace

CVxDigitDateTime::CVxDigitDateTime(const DigitDisplays& model, QWidget* parent)
    : CVxDigitDisplay(model, kDateTimeBackground, parent) {}

void CVxDigitDateTime::PaintCells(QPainter& painter) {
  DrawDigitCellsBottomAligned(painter, strips_, model_.DateTimeCells(), height());
}

CVxDigitSpeed::CVxDigitSpeed(const DigitDisplays& model, std::function<SpeedSource()> source, QWidget* parent)
    : CVxDigitDisplay(model, kReadoutBackground, parent), source_(std::move(source)) {}

void CVxDigitSpeed::PaintCells(QPainter& painter) {
  const SpeedSource source = source_ ? source_() : SpeedSource{};
  DrawDigitCells(painter, strips_, model_.SpeedCells(source).digits);
}

CVxDigitGVal::CVxDigitGVal(const DigitDisplays& model, int axis, QWidget* parent)
    : CVxDigitDisplay(model, kReadoutBackground, parent), axis_(axis) {}

void CVxDigitGVal::PaintCells(QPainter& painter) { DrawDigitCells(painter, strips_, model_.GValueCells(axis_)); }

CVxDigitGps::CVxDigitGps(const DigitDisplays& model, QWidget* parent)
    : CVxDigitDisplay(model, kReadoutBackground, parent) {}

void CVxDigitGps::PaintCells(QPainter& painter) { DrawDigitCells(painter, strips_, model_.PositionCells()); }

CVxCarSignal::CVxCarSignal(const DigitDisplays& model, QWidget* parent)
    : CVxDigitDisplay(model, kDefaultSkinPanel, parent) {}

// Each lamp fills its half less the gap, so a lamp picture of another size
// still lights the lamp's whole place.
void CVxCarSignal::PaintCells(QPainter& painter) {
  const int lampWidth = LampWidth(width());
  for (const DigitCell& cell : model_.CarSignalCells(width()))
    strips_.Of(cell.strip).DrawStretched(painter, QRect(cell.x, cell.y, lampWidth, height()), cell.cell);
}
