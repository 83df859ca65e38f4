#include "playback/RecordingRoute.h"

#include "base/AppState.h"
#include "platform/TimeKey.h"
#include "recording/InfoEventFile.h"

namespace {

constexpr int64_t kEventRouteIntervalMs = 1000;
constexpr int64_t kOtherRouteIntervalMs = 15000;
// Frames before the recorder's clock was set count as the start of time.
constexpr uint16_t kFirstRealYear = 1900;

RoutePoint PointOf(const FRAMEINFOVIDEO& frame, int recording, int index) {
  return RoutePoint{recording, index, frame.gps.LatitudeDegrees(), frame.gps.LongitudeDegrees(), kVideoRoutePointKind};
}

}  // namespace

// The threshold moves on by one interval per accepted frame, not from the
// frame's own time, so after a gap in the recording several frames in a row
// are taken until it has caught up.
std::vector<RoutePoint> MakeRecordingRoute(const CInfoEventFile& video, int recording, ViewMode viewMode) {
  std::vector<RoutePoint> route;
  const int count = video.FrameCount();
  if (recording < 0 || count <= 0) return route;
  const int64_t interval = viewMode == kViewModeEvent ? kEventRouteIntervalMs : kOtherRouteIntervalMs;
  int64_t threshold = MakeTimeKey(video.Frame(0).time);
  for (int i = 0; i < count; ++i) {
    const FRAMEINFOVIDEO& frame = video.Frame(i);
    const int64_t time = frame.time.year < kFirstRealYear ? 0 : MakeTimeKey(frame.time);
    if (time < threshold) continue;
    threshold += interval;
    if (frame.gps.valid != 0) route.push_back(PointOf(frame, recording, i));
  }
  const FRAMEINFOVIDEO& last = video.Frame(count - 1);
  if (last.gps.valid != 0) route.push_back(PointOf(last, recording, count - 1));
  return route;
}
