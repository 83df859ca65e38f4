#pragma once
// What a drive amounts to: its span, the road it covered, its top speed and
// the moments its driver braked, accelerated or swerved hard.
#include <cstdint>
#include <span>
#include <vector>

#include "telemetry/TripFrames.h"

// The mean earth radius of the great-circle distance.
inline constexpr double kEarthRadiusMetres = 6371008.8;
// A step between two fixes implying more than this is a jump of the
// receiver, not a drive, and adds nothing to the distance.
inline constexpr double kFastestPlausibleKmh = 300.0;
// The horizontal G a hard moment reaches, unless the settings say other.
inline constexpr double kDefaultHardG = 0.40;
// Hard frames closer than this (from one moment's end to the next start)
// are one moment.
inline constexpr int64_t kHardMomentJoinMs = 1000;
// The change of speed over a moment that makes it braking or acceleration.
inline constexpr double kHardSpeedChangeKmh = 3.0;

enum class HardKind { kBraking, kAcceleration, kSwerve };
// "braking", "acceleration" or "swerve".
const char* HardKindName(HardKind kind);

struct HardMoment {
  int64_t startMs = 0;
  int64_t endMs = 0;
  double peakG = 0;  // three decimals
  HardKind kind = HardKind::kSwerve;
  int recording = 0;  // of the peak
  int frame = 0;
};

double GreatCircleMetres(double latitude1, double longitude1, double latitude2, double longitude2);
// The distance from fix to fix over frames in time order, to the metre.
int64_t TripDistanceMetres(std::span<const TripFrame> frames);
// The highest GPS speed among the frames with a fix; 0 without any.
double TopSpeedKmh(std::span<const TripFrame> frames);
// The moments whose horizontal G reaches thresholdG, over frames in time order.
std::vector<HardMoment> FindHardMoments(std::span<const TripFrame> frames, double thresholdG);

struct TripFigures {
  int64_t startMs = 0;
  int64_t endMs = 0;
  int64_t durationSeconds = 0;
  int64_t distanceMetres = 0;
  double topSpeedKmh = 0;
  std::vector<HardMoment> hard;
};

TripFigures FiguresOf(std::span<const TripFrame> frames, double hardG);
