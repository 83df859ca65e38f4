#include "telemetry/ui/VxDigitDisplay.h"

#include <QPainter>

CVxDigitDisplay::CVxDigitDisplay(const DigitDisplays& model, QColor background, QWidget* parent)
    : QWidget(parent), model_(model), background_(background) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CVxDigitDisplay::SetStrips(const DigitStrips& strips) {
  strips_ = strips;
  update();
}

void CVxDigitDisplay::SetBackground(const QColor& background) {
  background_ = background;
  update();
}

void CVxDigitDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  PaintCells(painter);
}
