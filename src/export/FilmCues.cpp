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

std::vector<FilmCue> FilmCuesOf(const std::vector<CuePicture>& pictures, int64_t endMs, SpeedUnit unit,
                                const std::string& noFix, int pulseType) {
  std::vector<FilmCue> cues;
  int64_t second = 0;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const FRAMEINFOVIDEO& frame = *pictures[i].frame;
    const int64_t now = MakeTimeKey(frame.time) / kMillisecondsPerSecond;
    if (!cues.empty() && now == second) continue;
    if (!cues.empty()) cues.back().durationMs = pictures[i].ptsMs - cues.back().startMs;
    cues.push_back({i, pictures[i].ptsMs, 0, FilmCueText(frame, unit, noFix), TrackPointOf(frame, pulseType)});
    second = now;
  }
  if (!cues.empty()) cues.back().durationMs = endMs - cues.back().startMs;
  return cues;
}

std::string FilmGpxText(const std::string& name, const std::vector<FilmCue>& cues) {
  std::string out;
  AppendGpxStart(out);
  AppendGpxTrackStart(out, name);
  for (const FilmCue& cue : cues) AppendGpxPoint(out, cue.point);
  AppendGpxTrackEnd(out);
  AppendGpxEnd(out);
  return out;
}
