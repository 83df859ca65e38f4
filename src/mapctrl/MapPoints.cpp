#include "mapctrl/MapPoints.h"

#include <algorithm>
#include <optional>

#include "platform/TimeKey.h"

namespace {

constexpr int64_t kEventRouteIntervalMs = 1000;
constexpr int64_t kOtherRouteIntervalMs = 15000;
// Frames before the recorder's clock was set count as the start of time.
constexpr uint16_t kFirstRealYear = 1900;

bool HasFix(const FRAMEINFOVIDEO& frame) { return frame.gps.valid != 0; }

bool AnyFix(RecordingFrames recordings) {
  for (const auto& frames : recordings) {
    for (const FRAMEINFOVIDEO& frame : frames) {
      if (HasFix(frame)) return true;
    }
  }
  return false;
}

// The marker of an event recording stands where it was triggered; that of
// a normal recording at its first position.
std::vector<MAPPOINTINFO> TriggerOf(std::span<const FRAMEINFOVIDEO> frames, int recording, ViewMode viewMode) {
  for (size_t i = 0; i < frames.size(); ++i) {
    const FRAMEINFOVIDEO& frame = frames[i];
    if (!HasFix(frame)) continue;
    if (viewMode == kViewModeEvent && frame.frameKind != kTriggerFrameKind) continue;
    return {MapPointOfFrame(frame, recording, static_cast<int>(i))};
  }
  return {};
}

}  // namespace

MAPPOINTINFO MapPointOfFrame(const FRAMEINFOVIDEO& frame, int recording, int frameIndex) {
  return MAPPOINTINFO{recording, frameIndex, frame.gps.LatitudeDegrees(), frame.gps.LongitudeDegrees(),
                      kMapPointKindVideo};
}

void MakeTriggerPoints(std::vector<CInfoMapObject>& list, RecordingFrames recordings, ViewMode viewMode) {
  list.clear();
  if (viewMode != kViewModeEvent && viewMode != kViewModeNormal) return;
  if (!AnyFix(recordings)) return;
  const int n = static_cast<int>(recordings.size());
  const int slots = std::min(n, kMaxTriggerSlots);
  list.resize(static_cast<size_t>(slots));
  // A slot keeps the first recording that reaches it, so that the first
  // recording holds slot 0; the last is the only one to reach the last slot.
  int filled = -1;
  for (int i = 0; i < n; ++i) {
    const int slot = n <= kMaxTriggerSlots ? i : i * (kMaxTriggerSlots - 1) / (n - 1);
    if (slot == filled) continue;
    filled = slot;
    list[static_cast<size_t>(slot)].SetTriggers(TriggerOf(recordings[static_cast<size_t>(i)], i, viewMode));
  }
}

void MakeLogTriggerPoints(CInfoMapObject& entry, std::span<const GraphPoint> points, const LogRecordFinder& find) {
  std::vector<MAPPOINTINFO> triggers;
  bool inRun = false;
  for (size_t k = 0; k < points.size(); ++k) {
    const GraphPoint& point = points[k];
    if (point.kind == kPointKindBeforeEvent) inRun = false;
    if (point.kind != kPointKindAfterEvent || inRun) continue;
    inRun = true;
    const FRAMEINFOLOG* record = find ? find(point.segment, point.time / 1000) : nullptr;
    if (record == nullptr || record->gpsValid == 0) continue;
    triggers.push_back(MAPPOINTINFO{0, static_cast<int32_t>(k), record->lat, record->lon, point.kind});
  }
  entry.SetTriggers(std::move(triggers));
}

// The threshold moves on by one interval per accepted frame, not from the
// frame's own time, so after a gap in the recording several frames in a row
// are taken until it has caught up.
void MakeRoutePoints(CInfoMapObject& route, std::span<const FRAMEINFOVIDEO> frames, int recording, ViewMode viewMode) {
  std::vector<MAPPOINTINFO> points;
  if (recording < 0 || frames.empty()) {
    route.SetRoute({});
    return;
  }
  const int64_t interval = viewMode == kViewModeEvent ? kEventRouteIntervalMs : kOtherRouteIntervalMs;
  int64_t threshold = MakeTimeKey(frames.front().time);
  for (size_t i = 0; i < frames.size(); ++i) {
    const FRAMEINFOVIDEO& frame = frames[i];
    const int64_t time = frame.time.year < kFirstRealYear ? 0 : MakeTimeKey(frame.time);
    if (time < threshold) continue;
    threshold += interval;
    if (HasFix(frame)) points.push_back(MapPointOfFrame(frame, recording, static_cast<int>(i)));
  }
  // The route always ends where the recording ends, even when that repeats
  // the point just taken.
  if (HasFix(frames.back())) {
    points.push_back(MapPointOfFrame(frames.back(), recording, static_cast<int>(frames.size()) - 1));
  }
  route.SetRoute(std::move(points));
}

void MakeLogRoutePoints(CInfoMapObject& route, std::span<const GraphPoint> points, const LogRecordFinder& find) {
  std::vector<MAPPOINTINFO> path;
  auto pointOf = [&find, &points](size_t k) -> std::optional<MAPPOINTINFO> {
    const GraphPoint& point = points[k];
    const FRAMEINFOLOG* record = find ? find(point.segment, point.time / 1000) : nullptr;
    if (record == nullptr || record->gpsValid == 0) return std::nullopt;
    return MAPPOINTINFO{0, static_cast<int32_t>(k), record->lat, record->lon, kMapPointKindVideo};
  };
  // The logs of a card may lie days apart: the next point is due an interval
  // after the point taken, so a gap never turns into a run of points.
  int64_t threshold = points.empty() ? 0 : points.front().time;
  for (size_t k = 0; k < points.size(); ++k) {
    if (points[k].time < threshold) continue;
    threshold = points[k].time + kOtherRouteIntervalMs;
    if (const auto point = pointOf(k)) path.push_back(*point);
  }
  if (!points.empty()) {
    if (const auto last = pointOf(points.size() - 1)) path.push_back(*last);
  }
  route.SetRoute(std::move(path));
}
