#include "telemetry/TripFigures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kMsPerHour = 3600000.0;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

double HorizontalG(const TripFrame& frame) { return std::hypot(frame.gX, frame.gY); }

double ThreeDecimals(double value) { return std::round(value * 1000.0) / 1000.0; }

// A run of frames at or over the threshold, by position in the frames.
struct HardRun {
  size_t first = 0;
  size_t last = 0;
};

std::vector<HardRun> RunsOverThreshold(std::span<const TripFrame> frames, double thresholdG) {
  std::vector<HardRun> runs;
  for (size_t i = 0; i < frames.size(); ++i) {
    if (HorizontalG(frames[i]) < thresholdG) continue;
    const bool joins = !runs.empty() && (runs.back().last + 1 == i ||
                                         frames[i].timeMs - frames[runs.back().last].timeMs < kHardMomentJoinMs);
    if (joins) {
      runs.back().last = i;
    } else {
      runs.push_back(HardRun{i, i});
    }
  }
  return runs;
}

HardKind KindOver(std::span<const TripFrame> frames, const HardRun& run) {
  const TripFrame* start = nullptr;
  const TripFrame* end = nullptr;
  for (size_t i = run.first; i <= run.last; ++i) {
    if (!frames[i].fix) continue;
    if (!start) start = &frames[i];
    end = &frames[i];
  }
  if (!start) return HardKind::kSwerve;
  const double change = end->speedKmh - start->speedKmh;
  if (change <= -kHardSpeedChangeKmh) return HardKind::kBraking;
  if (change >= kHardSpeedChangeKmh) return HardKind::kAcceleration;
  return HardKind::kSwerve;
}

HardMoment MomentOf(std::span<const TripFrame> frames, const HardRun& run) {
  size_t peak = run.first;
  for (size_t i = run.first; i <= run.last; ++i) {
    if (HorizontalG(frames[i]) > HorizontalG(frames[peak])) peak = i;
  }
  return HardMoment{frames[run.first].timeMs, frames[run.last].timeMs, ThreeDecimals(HorizontalG(frames[peak])),
                    KindOver(frames, run),    frames[peak].recording,  frames[peak].frame};
}

}  // namespace

const char* HardKindName(HardKind kind) {
  switch (kind) {
    case HardKind::kBraking:
      return "braking";
    case HardKind::kAcceleration:
      return "acceleration";
    case HardKind::kSwerve:
      break;
  }
  return "swerve";
}

double GreatCircleMetres(double latitude1, double longitude1, double latitude2, double longitude2) {
  const double dLat = Radians(latitude2 - latitude1);
  const double dLon = Radians(longitude2 - longitude1);
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) + std::cos(Radians(latitude1)) *
                                                                 std::cos(Radians(latitude2)) * std::sin(dLon / 2) *
                                                                 std::sin(dLon / 2);
  return 2 * kEarthRadiusMetres * std::asin(std::min(1.0, std::sqrt(a)));
}

int64_t TripDistanceMetres(std::span<const TripFrame> frames) {
  double metres = 0;
  const TripFrame* previous = nullptr;
  for (const TripFrame& frame : frames) {
    if (!frame.fix) continue;
    if (previous) {
      const int64_t elapsedMs = frame.timeMs - previous->timeMs;
      const double step = GreatCircleMetres(previous->latitude, previous->longitude, frame.latitude, frame.longitude);
      const bool plausible = elapsedMs > 0 && step / 1000.0 <= kFastestPlausibleKmh * elapsedMs / kMsPerHour;
      if (plausible) metres += step;
    }
    previous = &frame;
  }
  return static_cast<int64_t>(std::llround(metres));
}

double TopSpeedKmh(std::span<const TripFrame> frames) {
  double top = 0;
  for (const TripFrame& frame : frames) {
    if (frame.fix) top = std::max(top, frame.speedKmh);
  }
  return top;
}

std::vector<HardMoment> FindHardMoments(std::span<const TripFrame> frames, double thresholdG) {
  std::vector<HardMoment> moments;
  for (const HardRun& run : RunsOverThreshold(frames, thresholdG)) moments.push_back(MomentOf(frames, run));
  return moments;
}

TripFigures FiguresOf(std::span<const TripFrame> frames, double hardG) {
  TripFigures figures;
  if (frames.empty()) return figures;
  figures.startMs = frames.front().timeMs;
  figures.endMs = frames.back().timeMs;
  figures.durationSeconds = (figures.endMs - figures.startMs) / 1000;
  figures.distanceMetres = TripDistanceMetres(frames);
  figures.topSpeedKmh = TopSpeedKmh(frames);
  figures.hard = FindHardMoments(frames, hardG);
  return figures;
}
