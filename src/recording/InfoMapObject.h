#pragma once
// The map points of what is loaded: the trigger markers and the route of
// the current recording, as the map synchronisation sends them to the page.
// The recording store holds them; the map synchronisation builds them.

#include <cstdint>
#include <utility>
#include <vector>

// Kind of every point of a video recording (trigger point or route point).
constexpr uint8_t kMapPointKindVideo = 2;

struct MAPPOINTINFO {
  int32_t recording = -1;  // loaded video recording; 0 for the event points of a log
  int32_t frame = -1;      // frame of that recording; the log graph's point for a log
  double latitude = 0.0;   // decimal degrees, south negative
  double longitude = 0.0;  // west negative
  uint8_t kind = 0;        // 0: no position

  friend bool operator==(const MAPPOINTINFO&, const MAPPOINTINFO&) = default;
};

// Two halves, each rebuilt on its own: rebuilding one leaves the other.
class CInfoMapObject {
 public:
  int TriggerCount() const { return static_cast<int>(triggers_.size()); }
  int RouteCount() const { return static_cast<int>(route_.size()); }
  const std::vector<MAPPOINTINFO>& Triggers() const { return triggers_; }
  const std::vector<MAPPOINTINFO>& Route() const { return route_; }

  // Each takes exactly the points given; the old ones are freed.
  void SetTriggers(std::vector<MAPPOINTINFO> points) {
    triggers_ = std::move(points);
    triggers_.shrink_to_fit();
  }
  void SetRoute(std::vector<MAPPOINTINFO> points) {
    route_ = std::move(points);
    route_.shrink_to_fit();
  }

 private:
  std::vector<MAPPOINTINFO> triggers_;
  std::vector<MAPPOINTINFO> route_;
};
