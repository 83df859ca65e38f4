#pragma once
// A drive as the recorder leaves it: a row of one-minute normal recordings,
// the events it raised on the way and the logs it kept beside them. The
// card's recordings are grouped into trips by time alone, from what their
// indexes say, so listing a card's trips never reads a picture.
#include <cstddef>
#include <cstdint>
#include <vector>

// A recording follows the one before it in a trip when it starts at most
// this many whole seconds after that one ends: the gap a film export also
// runs across.
inline constexpr int64_t kTripGapSeconds = 5;

// Times are time keys (milliseconds of local time).
struct TripNormal {
  int64_t firstMs = 0;  // its first frame
  int64_t lastMs = 0;   // its last frame
};

struct TripEvent {
  int64_t firstMs = 0;
  int64_t lastMs = 0;
  int64_t triggerMs = 0;  // its first trigger frame, else its first frame
};

struct TripLog {
  int64_t startMs = 0;
  int64_t endMs = 0;
};

struct TripCard {
  std::vector<TripNormal> normals;
  std::vector<TripEvent> events;
  std::vector<TripLog> logs;
};

// One trip: indexes into the card's lists, the normals in time order.
struct Trip {
  std::vector<size_t> normals;
  std::vector<size_t> events;
  std::vector<size_t> logs;
  int64_t startMs = 0;
  int64_t endMs = 0;
};

// Whether a recording whose first frame is at firstMs continues the trip of
// one whose last frame is at previousLastMs (compared in whole seconds).
bool ContinuesTrip(int64_t previousLastMs, int64_t firstMs);

// The card's trips in time order of their starts. An event joins the trip
// whose span holds its trigger time, or is a trip of its own; a log joins
// every trip its times overlap.
std::vector<Trip> GroupTrips(const TripCard& card);
