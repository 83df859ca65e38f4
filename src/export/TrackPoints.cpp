#include "export/TrackPoints.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/TimeKey.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"
#include "recording/MgrDBSearch.h"

namespace {

constexpr uint16_t kFirstRealYear = 1900;
constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;

std::optional<int> PulseSpeed(int pulseType, int pulses) {
  if (pulseType == kUnknownPulseType) return std::nullopt;
  return CMgrDBSearch::PulseToKmhFor(pulseType, pulses);
}

int64_t FloorDiv(int64_t value, int64_t by) { return value / by - (value % by < 0 ? 1 : 0); }

}  // namespace

TrackPoint TrackPointOf(const FRAMEINFOVIDEO& frame, int pulseType) {
  TrackPoint p;
  p.hasTime = frame.time.year >= kFirstRealYear;
  if (p.hasTime) p.timeKey = MakeTimeKey(frame.time);
  p.fix = frame.gps.valid != 0;
  if (p.fix) {
    p.latitude = frame.gps.LatitudeDegrees();
    p.longitude = frame.gps.LongitudeDegrees();
    p.gpsSpeed = frame.gps.speed;
    p.course = frame.gps.course;
  }
  p.gX = frame.gX;
  p.gY = frame.gY;
  p.gZ = frame.gZ;
  p.lamps = frame.signal;
  p.pulseSpeed = PulseSpeed(pulseType, frame.pulse);
  return p;
}

std::vector<TrackPoint> TrackPointsOf(const CInfoEventFile& recording, int pulseType) {
  std::vector<TrackPoint> points;
  points.reserve(static_cast<size_t>(recording.FrameCount()));
  for (const FRAMEINFOVIDEO& frame : recording.Frames()) points.push_back(TrackPointOf(frame, pulseType));
  return points;
}

std::vector<TrackPoint> TrackPointsOf(const CInfoLogFile& log, int pulseType) {
  std::vector<TrackPoint> points;
  points.reserve(static_cast<size_t>(log.RecordCount()));
  for (int i = 0; i < log.RecordCount(); ++i) {
    const FRAMEINFOLOG& r = *log.Record(i);
    TrackPoint p;
    p.hasTime = true;
    p.timeKey = r.time;
    p.fix = r.gpsValid != 0;
    if (p.fix) {
      p.latitude = r.lat;
      p.longitude = r.lon;
      p.gpsSpeed = r.speed;
      p.course = r.course;
    }
    p.gX = r.gX;
    p.gY = r.gY;
    p.gZ = r.gZ;
    p.lamps = r.signal;
    p.pulseSpeed = PulseSpeed(pulseType, r.pulse);
    points.push_back(p);
  }
  return points;
}

std::string IsoLocalTime(int64_t timeKey) {
  const DateTime t = TimeKeyToDateTime(timeKey);
  const time_t seconds = static_cast<time_t>(FloorDiv(timeKey, 1000));
  struct tm local {};
  localtime_r(&seconds, &local);
  const int offsetMinutes = static_cast<int>(local.tm_gmtoff / kSecondsPerMinute);
  const int offset = std::abs(offsetMinutes);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second, t.milliseconds, offsetMinutes < 0 ? '-' : '+', offset / kMinutesPerHour,
                offset % kMinutesPerHour);
  return text;
}
