#pragma once
// What every digit display shares: its background colour, the strips it
// blits from and a paint that fills the background before the cells.
#include <QColor>
#include <QWidget>

#include "telemetry/ui/DigitStrips.h"

class DigitDisplays;

class CVxDigitDisplay : public QWidget {
  Q_OBJECT

 public:
  CVxDigitDisplay(const DigitDisplays& model, QColor background, QWidget* parent);

  void SetStrips(const DigitStrips& strips);
  void SetBackground(const QColor& background);
  const QColor& Background() const { return background_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  virtual void PaintCells(QPainter& painter) = 0;

  const DigitDisplays& model_;
  DigitStrips strips_;

 private:
  QColor background_;
};
