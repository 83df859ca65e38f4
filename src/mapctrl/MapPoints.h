#pragma once
// The map points of the loaded recordings: one trigger marker per loaded
// video recording (thinned to 100 slots), the start of each event run of a
// log, and the route of one recording thinned to one point per interval of
// recorded time.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "base/AppState.h"
#include "recording/FrameInfoLog.h"
#include "recording/FrameInfoVideo.h"
#include "recording/InfoMapObject.h"
#include "telemetry/GraphPoint.h"

// The page shows at most this many trigger markers of video recordings.
constexpr int kMaxTriggerSlots = 100;

// The frames of each loaded video recording, in load order.
using RecordingFrames = std::span<const std::span<const FRAMEINFOVIDEO>>;

// The first record of a log whose time key lies in the given whole second,
// null when the log has none.
using LogRecordFinder = std::function<const FRAMEINFOLOG*(int log, int64_t second)>;

MAPPOINTINFO MapPointOfFrame(const FRAMEINFOVIDEO& frame, int recording, int frameIndex);

// Video view: the list is emptied; with a position in any recording and an
// event or normal view it gets one entry per recording, or 100 slots that
// the recordings share (the first and the last always have one).
void MakeTriggerPoints(std::vector<CInfoMapObject>& list, RecordingFrames recordings, ViewMode viewMode);

// Log view: one trigger point at the first record of each event run of the
// log graph's points (a run starts at a point of kind 3 and lasts until the
// next point of kind 2) that has a position.
void MakeLogTriggerPoints(CInfoMapObject& entry, std::span<const GraphPoint> points, const LogRecordFinder& find);

// The route half of route for recording: a point per interval (1 s in event
// view, 15 s otherwise) and always the last frame's position.
void MakeRoutePoints(CInfoMapObject& route, std::span<const FRAMEINFOVIDEO> frames, int recording, ViewMode viewMode);

// Log view: the route of the loaded logs along the log graph's points, a
// point per 15 s of logged time with a position, and always the last point's
// position. Each route point names its graph point, so a click on it goes
// there.
void MakeLogRoutePoints(CInfoMapObject& route, std::span<const GraphPoint> points, const LogRecordFinder& find);
