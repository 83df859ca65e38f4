#include "telemetry/Trips.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int64_t kMsPerSecond = 1000;

int64_t WholeSeconds(int64_t timeKey) {
  return timeKey >= 0 ? timeKey / kMsPerSecond : -((-timeKey + kMsPerSecond - 1) / kMsPerSecond);
}

std::vector<Trip> TripsOfNormals(const std::vector<TripNormal>& normals) {
  std::vector<size_t> order(normals.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return normals[a].firstMs < normals[b].firstMs; });
  std::vector<Trip> trips;
  for (size_t index : order) {
    const TripNormal& normal = normals[index];
    if (trips.empty() || !ContinuesTrip(normals[trips.back().normals.back()].lastMs, normal.firstMs)) {
      trips.push_back(Trip{{}, {}, {}, normal.firstMs, normal.lastMs});
    }
    Trip& trip = trips.back();
    trip.normals.push_back(index);
    trip.endMs = std::max(trip.endMs, normal.lastMs);
  }
  return trips;
}

Trip* TripHolding(std::vector<Trip>& trips, size_t normalTrips, int64_t timeMs) {
  for (size_t i = 0; i < normalTrips; ++i) {
    if (trips[i].startMs <= timeMs && timeMs <= trips[i].endMs) return &trips[i];
  }
  return nullptr;
}

}  // namespace

bool ContinuesTrip(int64_t previousLastMs, int64_t firstMs) {
  return WholeSeconds(firstMs) - WholeSeconds(previousLastMs) <= kTripGapSeconds;
}

std::vector<Trip> GroupTrips(const TripCard& card) {
  std::vector<Trip> trips = TripsOfNormals(card.normals);
  const size_t normalTrips = trips.size();
  for (size_t e = 0; e < card.events.size(); ++e) {
    const TripEvent& event = card.events[e];
    if (Trip* trip = TripHolding(trips, normalTrips, event.triggerMs)) {
      trip->events.push_back(e);
      continue;
    }
    trips.push_back(Trip{{}, {e}, {}, event.firstMs, event.lastMs});
  }
  std::stable_sort(trips.begin(), trips.end(), [](const Trip& a, const Trip& b) { return a.startMs < b.startMs; });
  for (Trip& trip : trips) {
    std::sort(trip.events.begin(), trip.events.end(),
              [&](size_t a, size_t b) { return card.events[a].triggerMs < card.events[b].triggerMs; });
    for (size_t l = 0; l < card.logs.size(); ++l) {
      if (card.logs[l].startMs <= trip.endMs && trip.startMs <= card.logs[l].endMs) trip.logs.push_back(l);
    }
  }
  return trips;
}
