#pragma once
// The seven digit displays of the back panel, made together as children of
// the panel and repainted one by one when the display model says a value
// changed. They start with no size; the back panel places them.
#include <array>
#include <functional>

#include "telemetry/SpeedSource.h"
#include "telemetry/TelemetryViews.h"
#include "telemetry/ui/DigitStrips.h"
#include "telemetry/ui/VxDigitDisplays.h"

class DigitDisplays;
class QWidget;

class CDigitDisplayWidgets : public DigitDisplayView {
 public:
  CDigitDisplayWidgets(const DigitDisplays& model, std::function<SpeedSource()> speedSource, QWidget* parent);

  // Hands every display the strips and repaints them.
  void SetStrips(const DigitStrips& strips);

  CVxDigitDateTime* DateTime() const { return dateTime_; }
  CVxDigitSpeed* Speed() const { return speed_; }
  // Axis 0..2 (X, Y, Z); null for another axis.
  CVxDigitGVal* GValue(int axis) const;
  CVxDigitGps* Gps() const { return gps_; }
  CVxCarSignal* CarSignal() const { return carSignal_; }

  void RepaintDisplay(DigitDisplayId display) override;

 private:
  static constexpr size_t kDisplayCount = static_cast<size_t>(DigitDisplayId::kCarSignal) + 1;

  CVxDigitDateTime* dateTime_;
  CVxDigitSpeed* speed_;
  CVxDigitGVal* gValues_[3];
  CVxDigitGps* gps_;
  CVxCarSignal* carSignal_;
  // The same widgets, indexed by DigitDisplayId.
  std::array<CVxDigitDisplay*, kDisplayCount> byId_;
};
