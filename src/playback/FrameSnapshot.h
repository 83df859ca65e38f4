#pragma once
// The telemetry of the frame now shown, as the display update last pushed
// it: what the map asks for the current position, what the info panels
// paint, and where single-view play starts from.

#include <cstdint>

#include "platform/DateTime.h"
#include "recording/FrameInfoVideo.h"

struct FrameSnapshot {
  DateTime time;
  float gX = 0;
  float gY = 0;
  float gZ = 0;
  uint8_t signal = 0;
  uint16_t pulse = 0;
  int recording = -1;
  int frame = -1;
  GpsBlock gps = GpsBlock::NoPositionYet();
};
