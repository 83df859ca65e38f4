#include "telemetry/DigitDisplays.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr DigitDisplayId kGDisplays[DigitDisplays::kAxisCount] = {DigitDisplayId::kGValueX, DigitDisplayId::kGValueY,
                                                                  DigitDisplayId::kGValueZ};

constexpr DigitDisplayId kAllDisplays[] = {
    DigitDisplayId::kDateTime, DigitDisplayId::kSpeed,    DigitDisplayId::kGValueX,  DigitDisplayId::kGValueY,
    DigitDisplayId::kGValueZ,  DigitDisplayId::kPosition, DigitDisplayId::kCarSignal};

bool ShownDateEqual(const DateTime& a, const DateTime& b) {
  return a.year == b.year && a.month == b.month && a.dayOfWeek == b.dayOfWeek && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

// Two values that are not numbers show alike, so they are not a change.
bool SameValue(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool SamePosition(const GpsBlock& a, const GpsBlock& b) {
  return a.valid == b.valid && a.latHemi == b.latHemi && a.latDeg == b.latDeg && a.latMin == b.latMin &&
         SameValue(a.latSec, b.latSec) && a.lonHemi == b.lonHemi && a.lonDeg == b.lonDeg && a.lonMin == b.lonMin &&
         SameValue(a.lonSec, b.lonSec);
}

}  // namespace

bool DigitDisplays::Changed(bool changed, DigitDisplayId display) {
  if (changed && view_) view_->RepaintDisplay(display);
  return changed;
}

void DigitDisplays::Reset(const DateTime& now) {
  dateTime_ = now;
  gValues_.fill(0.0f);
  pulseSpeed_ = 0;
  gpsValid_ = 0;
  gpsSpeed_ = 0;
  position_ = GpsBlock::NoPositionYet();
  signal_ = 0;
  for (DigitDisplayId display : kAllDisplays) Changed(true, display);
}

bool DigitDisplays::SetDateTime(const DateTime& time) {
  const bool changed = !ShownDateEqual(dateTime_, time);
  dateTime_ = time;
  return Changed(changed, DigitDisplayId::kDateTime);
}

bool DigitDisplays::SetGValue(int axis, float value) {
  if (axis < 0 || axis >= kAxisCount) return false;
  float& kept = gValues_[static_cast<size_t>(axis)];
  const bool changed = !SameValue(kept, value);
  kept = value;
  return Changed(changed, kGDisplays[axis]);
}

bool DigitDisplays::SetSpeed(int pulseKmh, uint8_t gpsValid, uint16_t gpsSpeed) {
  const auto pulse =
      static_cast<uint16_t>(std::clamp(pulseKmh, 0, static_cast<int>(std::numeric_limits<uint16_t>::max())));
  const uint16_t gps = gpsValid ? gpsSpeed : 0;
  const bool changed = pulse != pulseSpeed_ || gpsValid != gpsValid_ || gps != gpsSpeed_;
  pulseSpeed_ = pulse;
  gpsValid_ = gpsValid;
  gpsSpeed_ = gps;
  return Changed(changed, DigitDisplayId::kSpeed);
}

bool DigitDisplays::SetPosition(const GpsBlock& gps) {
  const bool changed = !SamePosition(position_, gps);
  position_ = gps;
  return Changed(changed, DigitDisplayId::kPosition);
}

bool DigitDisplays::SetCarSignal(uint8_t signal) {
  const bool changed = signal != signal_;
  signal_ = signal;
  return Changed(changed, DigitDisplayId::kCarSignal);
}

bool DigitDisplays::SetHasData(bool hasData) {
  const bool changed = hasData != hasData_;
  hasData_ = hasData;
  return Changed(changed, DigitDisplayId::kSpeed);
}

void DigitDisplays::RedrawSpeed() { Changed(true, DigitDisplayId::kSpeed); }

float DigitDisplays::GValue(int axis) const {
  if (axis < 0 || axis >= kAxisCount) return kNoGValue;
  return gValues_[static_cast<size_t>(axis)];
}

std::vector<DigitCell> DigitDisplays::DateTimeCells() const { return DateTimeCellsOf(dateTime_); }

std::vector<DigitCell> DigitDisplays::GValueCells(int axis) const { return GValueCellsOf(GValue(axis)); }

SpeedReadout DigitDisplays::SpeedCells(const SpeedSource& source) const {
  return SpeedCellsOf(pulseSpeed_, gpsValid_, gpsSpeed_, hasData_, source);
}

std::vector<DigitCell> DigitDisplays::PositionCells() const { return PositionCellsOf(position_); }

std::vector<DigitCell> DigitDisplays::CarSignalCells(int width) const { return CarSignalCellsOf(signal_, width); }
