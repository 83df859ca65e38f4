#pragma once
// The moments of a drive the trip figures are made of: one per video frame
// or per log second, in time order, with where it came from.
#include <cstdint>
#include <span>
#include <vector>

#include "recording/FrameInfoLog.h"
#include "recording/FrameInfoVideo.h"

struct TripFrame {
  int64_t timeMs = 0;  // time key
  double gX = 0;       // g as displayed: rotated and calibrated
  double gY = 0;
  bool fix = false;
  double latitude = 0;  // decimal degrees, negative south
  double longitude = 0;
  double speedKmh = 0;  // GPS speed
  int recording = 0;    // which of the given recordings
  int frame = 0;        // its frame or record
};

void AppendTripFrames(std::span<const FRAMEINFOVIDEO> frames, int recording, std::vector<TripFrame>& out);
void AppendTripFrames(std::span<const FRAMEINFOLOG> records, int recording, std::vector<TripFrame>& out);
