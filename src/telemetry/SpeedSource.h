#pragma once
// Which speed the speed read-outs show and in which unit: the recorder
// model, the speed source and the speed unit settings, handed in by the
// caller (the settings are read per call).

#include "base/DisplaySpeed.h"
#include "base/ModelTable.h"
#include "telemetry/SpeedUnit.h"

class CAppSetting;

struct SpeedSource {
  int currentModel = 0;
  int displaySpeed = kDisplaySpeedGps;
  SpeedUnit unit = SpeedUnit::kKmh;

  // The car-pulse speed is shown only on the model that has the input.
  bool UsesPulse() const { return IsMxHModel(currentModel) && displaySpeed == kDisplaySpeedPulse; }
};

// The three settings as they are now.
SpeedSource SpeedSourceOf(const CAppSetting& settings);
// The speed unit setting; anything but "mph" is km/h.
SpeedUnit SpeedUnitOf(const CAppSetting& settings);
