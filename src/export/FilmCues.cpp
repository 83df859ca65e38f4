#include "export/FilmCues.h"

#include <cstdio>

#include "export/GpxDocument.h"
#include "platform/TimeKey.h"

namespace {

constexpr int64_t kMillisecondsPerSecond = 1000;

std::string PositionText(const GpsBlock& gps) {
  char text[64];
  const double latitude = gps.LatitudeDegrees();
  const double longitude = gps.LongitudeDegrees();
  std::snprintf(text, sizeof text, "%.5f %c  %.5f %c", latitude < 0 ? -latitude : latitude, latitude < 0 ? 'S' : 'N',
                longitude < 0 ? -longitude : longitude, longitude < 0 ? 'W' : 'E');
  return text;
}

}  // namespace

std::string FilmCueText(const FRAMEINFOVIDEO& frame, SpeedUnit unit, const std::string& noFix) {
  const DateTime& t = frame.time;
  char when[64];
  std::snprintf(when, sizeof when, "%d-%.2d-%.2d %.2d:%.2d:%.2d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  if (frame.gps.valid == 0) return std::string(when) + "  " + noFix;
  char speed[32];
  std::snprintf(speed, sizeof speed, "%.0f %s", SpeedIn(unit, frame.gps.speed, 0),
                std::string(SpeedUnitLabel(unit)).c_str());
  return std::string(when) + "  " + speed + "  " + PositionText(frame.gps);
}

std::optional<FilmCue> FilmCues::Next(int64_t ptsMs, const FRAMEINFOVIDEO& frame) {
  const int64_t second = MakeTimeKey(frame.time) / kMillisecondsPerSecond;
  if (open_ && second == openSecond_) return std::nullopt;
  std::optional<FilmCue> done = Finish(ptsMs);
  open_ = FilmCue{ptsMs, 0, FilmCueText(frame, unit_, noFix_)};
  openSecond_ = second;
  points_.push_back(TrackPointOf(frame, pulseType_));
  return done;
}

std::optional<FilmCue> FilmCues::Finish(int64_t endMs) {
  if (!open_) return std::nullopt;
  FilmCue cue = std::move(*open_);
  open_.reset();
  cue.durationMs = endMs - cue.startMs;
  return cue;
}

std::string FilmGpxText(const std::string& name, const std::vector<TrackPoint>& points) {
  std::string out;
  AppendGpxStart(out);
  AppendGpxTrackStart(out, name);
  for (const TrackPoint& point : points) AppendGpxPoint(out, point);
  AppendGpxTrackEnd(out);
  AppendGpxEnd(out);
  return out;
}
