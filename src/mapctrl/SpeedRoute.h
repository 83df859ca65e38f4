#pragma once
// The loaded run's route as the map draws it coloured by speed: a point per
// second of each recording with a fix, the band of its GPS speed, and the
// marks of the hard moments. The page gets the route in pieces, each
// within the size the page's server takes of a request, so no script call
// grows with the length of a drive.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "telemetry/SpeedUnit.h"
#include "telemetry/TripFigures.h"
#include "telemetry/TripFrames.h"

// The lower ends of the speed bands in km/h, slowest first; the colours go
// with them.
inline constexpr double kSpeedBandFromKmh[] = {0, 20, 50, 80, 110};
inline constexpr const char* kSpeedBandColours[] = {"#3b6fd8", "#1fb0b5", "#4cb83a", "#f0a020", "#e0301e"};
inline constexpr int kSpeedBandCount = 5;
// One route point per this much recorded time; a recording's last fix is
// always one.
inline constexpr int64_t kSpeedRouteStepMs = 1000;

// The band of a speed: the last whose lower end it reaches.
int SpeedBand(double kmh);

struct SpeedRoutePoint {
  double latitude = 0;
  double longitude = 0;
  int band = 0;
  double speed = 0;  // in the unit, as the speed display rounds it
  int recording = 0;
  int frame = 0;
  int64_t timeMs = 0;
  // The line is broken before this point: it does not follow the one
  // before by the trip rule (another drive, or back in time).
  bool breaks = false;
};

// Over the frames of the loaded recordings in load order.
std::vector<SpeedRoutePoint> MakeSpeedRoute(std::span<const TripFrame> frames, SpeedUnit unit);

// The points as texts for the page, "lat,lng,band,speed,recording,frame,
// seconds,breaks" joined by ";", cut at points into pieces of at most
// maxChars characters each.
std::vector<std::string> SpeedRoutePieces(std::span<const SpeedRoutePoint> points, size_t maxChars);

// The legend: the unit and each band's colour and range, as JSON.
std::string SpeedLegendJson(SpeedUnit unit);

// Where a hard moment is marked: its peak frame, or the nearest frame with
// a fix of the same recording; none without any.
struct HardMark {
  double latitude = 0;
  double longitude = 0;
  HardMoment moment;
};
std::vector<HardMark> MakeHardMarks(std::span<const TripFrame> frames, std::span<const HardMoment> moments);
