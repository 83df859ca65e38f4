#pragma once
// Which speed the speed read-outs show: the recorder model and the speed
// source setting, handed in by the caller (the settings are read per call).

#include "base/DisplaySpeed.h"
#include "base/ModelTable.h"

struct SpeedSource {
  int currentModel = 0;
  int displaySpeed = kDisplaySpeedGps;

  // The car-pulse speed is shown only on the model that has the input.
  bool UsesPulse() const { return IsMxHModel(currentModel) && displaySpeed == kDisplaySpeedPulse; }
};
