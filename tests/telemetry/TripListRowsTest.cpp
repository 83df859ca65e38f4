// The Trip list's rows and what Load plays of the ticked trips.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TimeKey.h"
#include "telemetry/CardTrips.h"
#include "telemetry/TripListRows.h"

namespace {

// Made when asked: the zone the tests run in is set after start-up.
int64_t StartKey() { return MakeTimeKey(DateTime{2024, 6, 5, 14, 9, 30, 0, 0}); }

CardTrip TripOf(int64_t startMs, int64_t seconds, int64_t metres, double topKmh, size_t events, size_t hard,
                std::vector<std::string> paths, bool asEvents = false) {
  CardTrip trip;
  trip.figures.startMs = startMs;
  trip.figures.endMs = startMs + seconds * 1000;
  trip.figures.durationSeconds = seconds;
  trip.figures.distanceMetres = metres;
  trip.figures.topSpeedKmh = topKmh;
  trip.figures.hard.resize(hard);
  trip.trip.events.resize(events);
  trip.playPaths = std::move(paths);
  trip.playsAsEvents = asEvents;
  return trip;
}

std::string Text(const TripListRow& r) {
  return r.no + "|" + r.date + "|" + r.span + "|" + r.duration + "|" + r.distance + "|" + r.topSpeed + "|" + r.events +
         "|" + r.hard + "|" + std::to_string(r.trip);
}

TEST(TripListRowsTest, EachTripIsOneRowOfItsFiguresInTheUnit) {
  const int64_t kStart = StartKey();
  struct Case {
    const char* what;
    CardTrip trip;
    SpeedUnit unit;
    const char* row;
  };
  const std::vector<Case> cases = {
      {"a three-minute drive", TripOf(kStart, 180, 2449, 87.4, 2, 1, {}), SpeedUnit::kKmh,
       "1|2024-06-14|09:30:00 \u2013 09:33:00|0:03:00|2.4 km|87 km/h|2|1|0"},
      {"over an hour, in mph", TripOf(kStart, 3725, 80050, 100, 0, 0, {}), SpeedUnit::kMph,
       "1|2024-06-14|09:30:00 \u2013 10:32:05|1:02:05|80.0 km|62 mph|0|0|0"},
      {"past midnight the date is the start's", TripOf(kStart + 52140000, 1200, 0, 0, 1, 0, {}), SpeedUnit::kKmh,
       "1|2024-06-14|23:59:00 \u2013 00:19:00|0:20:00|0.0 km|0 km/h|1|0|0"},
  };
  for (const Case& c : cases) {
    const std::vector<TripListRow> rows = MakeTripListRows({c.trip}, c.unit);
    ASSERT_EQ(rows.size(), 1u) << c.what;
    EXPECT_EQ(Text(rows[0]), c.row) << c.what;
  }
  const std::vector<TripListRow> two =
      MakeTripListRows({TripOf(kStart, 1, 0, 0, 0, 0, {}), TripOf(kStart, 1, 0, 0, 0, 0, {})});
  EXPECT_EQ(two[1].no, "2");
  EXPECT_EQ(two[1].trip, 1u);
}

TEST(TripListRowsTest, LoadPlaysTheTickedTripsNormalsInTimeOrderOrElseTheirEvents) {
  const int64_t kStart = StartKey();
  const std::vector<CardTrip> trips = {
      TripOf(kStart + 600000, 60, 0, 0, 0, 0, {"n3", "n4"}), TripOf(kStart, 120, 0, 0, 0, 0, {"n1", "n2"}),
      TripOf(kStart + 900000, 10, 0, 0, 1, 0, {"e1"}, true), TripOf(kStart + 990000, 10, 0, 0, 1, 0, {"e2"}, true)};
  struct Case {
    const char* what;
    std::vector<size_t> ticked;
    std::vector<std::string> paths;
    bool asEvents;
  };
  const std::vector<Case> cases = {
      {"one drive", {0}, {"n3", "n4"}, false},
      {"two drives, earlier first", {0, 1}, {"n1", "n2", "n3", "n4"}, false},
      {"a lone event loads as an event", {2}, {"e1"}, true},
      {"lone events together", {3, 2}, {"e1", "e2"}, true},
      {"with a drive the lone events stay out", {2, 1}, {"n1", "n2"}, false},
      {"nothing ticked", {}, {}, true},
      {"a place beyond the trips counts as none", {9}, {}, true},
  };
  for (const Case& c : cases) {
    const TripPlay play = PlayOfTrips(trips, c.ticked);
    EXPECT_EQ(play.paths, c.paths) << c.what;
    EXPECT_EQ(play.asEvents, c.asEvents) << c.what;
  }
}

}  // namespace
