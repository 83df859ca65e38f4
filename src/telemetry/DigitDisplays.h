#pragma once
// The digit displays of the back panel as models: the values each keeps,
// the changed-value test of its setter, and the cells it paints. A setter
// that changes nothing asks for no repaint.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/DateTime.h"
#include "recording/FrameInfoVideo.h"
#include "telemetry/CourseText.h"
#include "telemetry/DigitCells.h"
#include "telemetry/SpeedSource.h"
#include "telemetry/TelemetryViews.h"

class DigitDisplays {
 public:
  static constexpr int kAxisCount = 3;

  void SetView(DigitDisplayView* view) { view_ = view; }

  // Every value 0 and the date and time now; repaints every display.
  void Reset(const DateTime& now);

  // Year, month, day of week, day, hour, minute and second (milliseconds are
  // not shown).
  bool SetDateTime(const DateTime& time);
  // Axis 0..2 = X, Y, Z; kNoGValue shows dashes. False for another axis.
  bool SetGValue(int axis, float value);
  // A cleared GPS flag takes the GPS speed as 0; a negative pulse speed as 0.
  bool SetSpeed(int pulseKmh, uint8_t gpsValid, uint16_t gpsSpeed);
  // The validity, latitude and longitude parts of the block.
  bool SetPosition(const GpsBlock& gps);
  bool SetCarSignal(uint8_t signal);
  // Set by loading, cleared by the file-list command.
  bool SetHasData(bool hasData);
  // The speed source changed: the speed display is redrawn.
  void RedrawSpeed();

  const DateTime& ShownDateTime() const { return dateTime_; }
  float GValue(int axis) const;
  int PulseSpeed() const { return pulseSpeed_; }
  uint16_t GpsSpeed() const { return gpsSpeed_; }
  const GpsBlock& Position() const { return position_; }
  uint8_t CarSignal() const { return signal_; }
  bool HasData() const { return hasData_; }

  std::vector<DigitCell> DateTimeCells() const;
  std::vector<DigitCell> GValueCells(int axis) const;
  SpeedReadout SpeedCells(const SpeedSource& source) const;
  std::vector<DigitCell> PositionCells() const;
  std::vector<DigitCell> CarSignalCells(int width) const;

 private:
  bool Changed(bool changed, DigitDisplayId display);

  DigitDisplayView* view_ = nullptr;
  DateTime dateTime_;
  std::array<float, kAxisCount> gValues_{};
  uint16_t pulseSpeed_ = 0;
  uint8_t gpsValid_ = 0;
  uint16_t gpsSpeed_ = 0;
  GpsBlock position_ = GpsBlock::NoPositionYet();
  uint8_t signal_ = 0;
  bool hasData_ = false;
};
