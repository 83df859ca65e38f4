#pragma once
// The telemetry of a loaded video recording or log as one track point per
// frame or record, the common ground of the track writers (KML, GPX, CSV).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/DateTime.h"
#include "recording/FrameInfoVideo.h"

class CInfoEventFile;
class CInfoLogFile;

struct TrackPoint {
  bool hasTime = false;  // false for a frame recorded before the recorder's clock was set
  int64_t timeKey = 0;   // milliseconds, local time (time-key scale)
  bool fix = false;
  double latitude = 0;   // decimal degrees, negative south
  double longitude = 0;  // negative west
  double gpsSpeed = 0;   // km/h
  double course = 0;     // degrees
  float gX = 0;          // in g, as the recording was loaded
  float gY = 0;
  float gZ = 0;
  int lamps = 0;                  // car signal lamp bits
  std::optional<int> pulseSpeed;  // km/h; none when the card's pulse type is unknown
};

// pulseType is the card's speed-pulse type (kUnknownPulseType: no pulse
// speeds).
TrackPoint TrackPointOf(const FRAMEINFOVIDEO& frame, int pulseType);
std::vector<TrackPoint> TrackPointsOf(const CInfoEventFile& recording, int pulseType);
std::vector<TrackPoint> TrackPointsOf(const CInfoLogFile& log, int pulseType);

// "2024-06-14T09:30:00.000+02:00": the local time with the offset from UTC
// in force at that moment.
std::string IsoLocalTime(int64_t timeKey);
