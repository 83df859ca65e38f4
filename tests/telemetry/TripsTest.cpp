// Trips from the card's recordings, and a drive's figures: each rule over a
// table of cases.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "telemetry/SpeedUnit.h"
#include "telemetry/TripFigures.h"
#include "telemetry/Trips.h"

namespace {

constexpr int64_t kMinute = 60000;
constexpr int64_t kT0 = 1718357400000;  // a time key on the sample card's day

// The trips as text: "n0,n1|e0;l0" per trip, in order.
std::string Shape(const TripCard& card) {
  std::string out;
  for (const Trip& trip : GroupTrips(card)) {
    if (!out.empty()) out += ' ';
    for (size_t n : trip.normals) out += "n" + std::to_string(n);
    for (size_t e : trip.events) out += "e" + std::to_string(e);
    for (size_t l : trip.logs) out += "l" + std::to_string(l);
  }
  return out;
}

TEST(TripsTest, RecordingsGroupByTheGapAndEventsAndLogsJoinTheirTrips) {
  const TripNormal first{kT0, kT0 + kMinute - 33};
  struct Case {
    const char* what;
    TripCard card;
    const char* shape;
  };
  const std::vector<Case> cases = {
      {"five whole seconds join", {{first, {kT0 + kMinute + 4999, kT0 + 2 * kMinute}}, {}, {}}, "n0n1"},
      {"six split", {{first, {kT0 + kMinute - 33 + 6000, kT0 + 2 * kMinute}}, {}, {}}, "n0 n1"},
      {"time order, not list order", {{{kT0 + kMinute, kT0 + 2 * kMinute}, first}, {}, {}}, "n1n0"},
      {"an event inside a span joins it; one outside is its own trip",
       {{first},
        {{kT0 + 3 * kMinute, kT0 + 3 * kMinute + 9000, kT0 + 3 * kMinute + 5000}, {kT0, kT0 + 9000, kT0 + 5000}},
        {}},
       "n0e1 e0"},
      {"a log joins every trip it overlaps",
       {{first, {kT0 + 5 * kMinute, kT0 + 6 * kMinute}},
        {},
        {{kT0 + 30000, kT0 + 5 * kMinute}, {kT0 + 7 * kMinute, kT0 + 8 * kMinute}}},
       "n0l0 n1l0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Shape(c.card), c.shape) << c.what;
}

TripFrame Fix(int64_t timeMs, double latitude, double longitude, double speed = 50) {
  TripFrame frame;
  frame.timeMs = timeMs;
  frame.fix = true;
  frame.latitude = latitude;
  frame.longitude = longitude;
  frame.speedKmh = speed;
  return frame;
}

TEST(TripsTest, DistanceRunsFromFixToFixLeavingOutJumpsAndBackwardSteps) {
  // 0.001 degree of latitude is about 111 m.
  const double step = GreatCircleMetres(48.0, 11.0, 48.001, 11.0);
  EXPECT_NEAR(step, 111.2, 0.1);
  TripFrame noFix = Fix(kT0 + 5000, 0, 0);
  noFix.fix = false;
  struct Case {
    const char* what;
    std::vector<TripFrame> frames;
    int64_t metres;
  };
  const std::vector<Case> cases = {
      {"two steps",
       {Fix(kT0, 48.0, 11.0), Fix(kT0 + 10000, 48.001, 11.0), Fix(kT0 + 20000, 48.002, 11.0)},
       std::llround(2 * step)},
      {"a frame without fix is passed over",
       {Fix(kT0, 48.0, 11.0), noFix, Fix(kT0 + 10000, 48.001, 11.0)},
       std::llround(step)},
      {"a step over 300 km/h is a jump", {Fix(kT0, 48.0, 11.0), Fix(kT0 + 1000, 48.001, 11.0)}, 0},
      {"a step back in time adds nothing", {Fix(kT0 + 10000, 48.0, 11.0), Fix(kT0, 48.001, 11.0)}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TripDistanceMetres(c.frames), c.metres) << c.what;
}

// Frames 100 ms apart with the given horizontal G, speed falling by one
// km/h a frame (or rising, or flat).
std::vector<TripFrame> Drive(const std::vector<double>& g, double speedStep) {
  std::vector<TripFrame> frames;
  for (size_t i = 0; i < g.size(); ++i) {
    TripFrame frame = Fix(kT0 + static_cast<int64_t>(i) * 100, 48, 11, 60 + speedStep * static_cast<double>(i));
    frame.gY = g[i];
    frame.frame = static_cast<int>(i);
    frames.push_back(frame);
  }
  return frames;
}

TEST(TripsTest, HardMomentsAreRunsOverTheThresholdJoinedWithinASecond) {
  struct Case {
    const char* what;
    std::vector<TripFrame> frames;
    std::vector<std::string> moments;  // "start-end peak@frame kind", ms after kT0
  };
  const std::vector<double> brake = {0.1, 0.5, 0.7, 0.45, 0.1};
  std::vector<double> twoApart(20, 0.0);
  twoApart[1] = 0.5;
  twoApart[10] = 0.6;  // 900 ms after the first: one moment
  std::vector<double> farApart(20, 0.0);
  farApart[1] = 0.5;
  farApart[12] = 0.6;  // 1100 ms: two
  const std::vector<Case> cases = {
      {"braking", Drive(brake, -2), {"100-300 0.700@2 braking"}},
      {"acceleration", Drive(brake, 2), {"100-300 0.700@2 acceleration"}},
      {"swerve", Drive(brake, 0.5), {"100-300 0.700@2 swerve"}},
      {"under the threshold", Drive({0.1, 0.39, 0.2}, -2), {}},
      {"within a second they join", Drive(twoApart, 0), {"100-1000 0.600@10 swerve"}},
      {"a second or more apart", Drive(farApart, 0), {"100-100 0.500@1 swerve", "1200-1200 0.600@12 swerve"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> got;
    for (const HardMoment& m : FindHardMoments(c.frames, kDefaultHardG)) {
      char text[96];
      std::snprintf(text, sizeof text, "%lld-%lld %.3f@%d %s", static_cast<long long>(m.startMs - kT0),
                    static_cast<long long>(m.endMs - kT0), m.peakG, m.frame, HardKindName(m.kind));
      got.push_back(text);
    }
    EXPECT_EQ(got, c.moments) << c.what;
  }
}

TEST(TripsTest, SpeedsReadInEitherUnitAtTheirShownPrecision) {
  struct Case {
    SpeedUnit unit;
    double kmh;
    int decimals;
    double shown;
  };
  for (const Case& c :
       {Case{SpeedUnit::kKmh, 45.4, 0, 45}, Case{SpeedUnit::kKmh, 45.5, 0, 46}, Case{SpeedUnit::kMph, 100, 0, 62},
        Case{SpeedUnit::kMph, 160.9344, 0, 100}, Case{SpeedUnit::kMph, 45.0, 1, 28.0}}) {
    EXPECT_DOUBLE_EQ(SpeedIn(c.unit, c.kmh, c.decimals), c.shown) << c.kmh << " " << SpeedUnitKey(c.unit);
  }
  EXPECT_EQ(SpeedUnitFromKey("mph"), SpeedUnit::kMph);
  EXPECT_EQ(SpeedUnitFromKey("MPH"), std::nullopt);
}

}  // namespace
