#pragma once
// The route of one video recording as the map draws it: the frames with a
// GPS fix, thinned out to one per interval of recorded time, and always
// ending at the last frame's position.

#include <cstdint>
#include <vector>

#include "base/AppState.h"

class CInfoEventFile;

struct RoutePoint {
  int recording = -1;
  int frame = -1;
  double latitude = 0;   // decimal degrees, south negative
  double longitude = 0;  // west negative
  uint8_t kind = 0;
};

// Kind of every point of a video route.
constexpr uint8_t kVideoRoutePointKind = 2;

// One second between points of an event recording, fifteen for every other
// view mode.
std::vector<RoutePoint> MakeRecordingRoute(const CInfoEventFile& video, int recording, ViewMode viewMode);
