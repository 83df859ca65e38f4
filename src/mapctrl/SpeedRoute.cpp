#include "mapctrl/SpeedRoute.h"

#include <cstdio>
#include <optional>

#include "mapctrl/JsonString.h"
#include "mapctrl/MapArgText.h"
#include "telemetry/Trips.h"

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr char kPointSeparator = ';';

std::string PointText(const SpeedRoutePoint& p) {
  char tail[96];
  std::snprintf(tail, sizeof tail, ",%d,%.0f,%d,%d,%lld,%d", p.band, p.speed, p.recording, p.frame,
                static_cast<long long>(p.timeMs / kMsPerSecond), p.breaks ? 1 : 0);
  return CoordinateText(p.latitude) + "," + CoordinateText(p.longitude) + tail;
}

std::string BandRange(int band, SpeedUnit unit) {
  char text[48];
  const double from = SpeedIn(unit, kSpeedBandFromKmh[band], 0);
  if (band + 1 == kSpeedBandCount) {
    std::snprintf(text, sizeof text, "%.0f+", from);
  } else {
    std::snprintf(text, sizeof text, "%.0f - %.0f", from, SpeedIn(unit, kSpeedBandFromKmh[band + 1], 0));
  }
  return text;
}

void Append(const TripFrame& f, SpeedUnit unit, std::vector<SpeedRoutePoint>& points) {
  const bool breaks =
      !points.empty() && (f.timeMs < points.back().timeMs || !ContinuesTrip(points.back().timeMs, f.timeMs));
  points.push_back(SpeedRoutePoint{f.latitude, f.longitude, SpeedBand(f.speedKmh), SpeedIn(unit, f.speedKmh, 0),
                                   f.recording, f.frame, f.timeMs, breaks});
}

// One recording's frames: its first fix, a fix per step after the last one
// taken, and its last fix.
void AppendRecordingRoute(std::span<const TripFrame> frames, SpeedUnit unit, std::vector<SpeedRoutePoint>& points) {
  const TripFrame* lastFix = nullptr;
  std::optional<int64_t> lastTakenMs;
  for (const TripFrame& f : frames) {
    if (!f.fix) continue;
    lastFix = &f;
    if (lastTakenMs && f.timeMs >= *lastTakenMs && f.timeMs - *lastTakenMs < kSpeedRouteStepMs) continue;
    Append(f, unit, points);
    lastTakenMs = f.timeMs;
  }
  if (lastFix && points.back().frame != lastFix->frame) Append(*lastFix, unit, points);
}

}  // namespace

int SpeedBand(double kmh) {
  int band = 0;
  for (int b = 1; b < kSpeedBandCount; ++b) {
    if (kmh >= kSpeedBandFromKmh[b]) band = b;
  }
  return band;
}

std::vector<SpeedRoutePoint> MakeSpeedRoute(std::span<const TripFrame> frames, SpeedUnit unit) {
  std::vector<SpeedRoutePoint> points;
  size_t begin = 0;
  while (begin < frames.size()) {
    size_t end = begin;
    while (end < frames.size() && frames[end].recording == frames[begin].recording) ++end;
    AppendRecordingRoute(frames.subspan(begin, end - begin), unit, points);
    begin = end;
  }
  return points;
}

std::vector<std::string> SpeedRoutePieces(std::span<const SpeedRoutePoint> points, size_t maxChars) {
  std::vector<std::string> pieces;
  std::string piece;
  for (const SpeedRoutePoint& p : points) {
    const std::string text = PointText(p);
    if (!piece.empty() && piece.size() + 1 + text.size() > maxChars) {
      pieces.push_back(std::move(piece));
      piece.clear();
    }
    if (!piece.empty()) piece += kPointSeparator;
    piece += text;
  }
  if (!piece.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

std::string SpeedLegendJson(SpeedUnit unit) {
  std::string json = "{\"unit\":" + JsonString(SpeedUnitLabel(unit)) + ",\"bands\":[";
  for (int b = 0; b < kSpeedBandCount; ++b) {
    if (b > 0) json += ",";
    json += "{\"colour\":" + JsonString(kSpeedBandColours[b]) + ",\"range\":" + JsonString(BandRange(b, unit)) + "}";
  }
  return json + "]}";
}

std::vector<HardMark> MakeHardMarks(std::span<const TripFrame> frames, std::span<const HardMoment> moments) {
  std::vector<HardMark> marks;
  for (const HardMoment& m : moments) {
    const TripFrame* best = nullptr;
    int bestDistance = 0;
    for (const TripFrame& f : frames) {
      if (f.recording != m.recording || !f.fix) continue;
      const int distance = f.frame > m.frame ? f.frame - m.frame : m.frame - f.frame;
      if (best && distance >= bestDistance) continue;
      best = &f;
      bestDistance = distance;
    }
    if (best) marks.push_back(HardMark{best->latitude, best->longitude, m});
  }
  return marks;
}
