#pragma once
// The digit displays of the back panel, each painting the cells its part of
// the display model names. They add no signals to the shared base.
#include <functional>

#include "telemetry/SpeedSource.h"
#include "telemetry/ui/VxDigitDisplay.h"

class CVxDigitDateTime : public CVxDigitDisplay {
 public:
  CVxDigitDateTime(const DigitDisplays& model, QWidget* parent);

 protected:
  void PaintCells(QPainter& painter) override;
};

class CVxDigitSpeed : public CVxDigitDisplay {
 public:
  // The source is asked on every paint, so a changed setting shows at the
  // next repaint.
  CVxDigitSpeed(const DigitDisplays& model, std::function<SpeedSource()> source, QWidget* parent);

 protected:
  void PaintCells(QPainter& painter) override;

 private:
  std::function<SpeedSource()> source_;
};

class CVxDigitGVal : public CVxDigitDisplay {
 public:
  // axis 0..2: X, Y, Z.
  CVxDigitGVal(const DigitDisplays& model, int axis, QWidget* parent);
  int Axis() const { return axis_; }

 protected:
  void PaintCells(QPainter& painter) override;

 private:
  int axis_;
};

class CVxDigitGps : public CVxDigitDisplay {
 public:
  CVxDigitGps(const DigitDisplays& model, QWidget* parent);

 protected:
  void PaintCells(QPainter& painter) override;
};

// The two lamps; its background is the skin's colour, set by the back panel.
class CVxCarSignal : public CVxDigitDisplay {
 public:
  CVxCarSignal(const DigitDisplays& model, QWidget* parent);

 protected:
  void PaintCells(QPainter& painter) override;
};
