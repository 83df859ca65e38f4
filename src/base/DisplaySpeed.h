#pragma once
// The speed source setting (RunParam / DisplaySpeed): which speed the speed
// displays and the AVI caption show.

constexpr int kDisplaySpeedGps = 0;
constexpr int kDisplaySpeedPulse = 1;
