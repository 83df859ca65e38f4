// The drive behind every sample recording: positions that move as speed and
// course say, lamps that match what the car does, one stretch without a fix.

#include <gtest/gtest.h>

#include <cmath>

#include "samplecard/SampleRoute.h"
#include "samplecard/SampleTypes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthRadius = 6371000.0;

double Radians(double d) { return d * kPi / 180; }

double MetresBetween(const SampleDriveState& a, const SampleDriveState& b) {
  const double north = Radians(b.latitude - a.latitude) * kEarthRadius;
  const double east = Radians(b.longitude - a.longitude) * kEarthRadius * std::cos(Radians(a.latitude));
  return std::hypot(north, east);
}

double BearingBetween(const SampleDriveState& a, const SampleDriveState& b) {
  const double north = b.latitude - a.latitude;
  const double east = (b.longitude - a.longitude) * std::cos(Radians(a.latitude));
  const double bearing = std::atan2(east, north) * 180 / kPi;
  return bearing < 0 ? bearing + 360 : bearing;
}

double AngleBetween(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

SampleRoute LongDrive() {
  SampleRouteOptions options;
  options.seed = 11;
  options.seconds = 600;
  options.invalidFrom = 200;
  options.invalidSeconds = 20;
  return SampleRoute(options);
}

TEST(SampleRouteTest, PositionsMoveAsSpeedAndCourseSay) {
  const SampleRoute route = LongDrive();
  const SampleDriveState start = route.At(0);
  EXPECT_NEAR(start.latitude, 48.137, 1e-9);
  EXPECT_NEAR(start.longitude, 11.575, 1e-9);
  EXPECT_EQ(start.speed, 0);
  int moving = 0;
  for (int s = 0; s + 1 < route.Seconds(); ++s) {
    const SampleDriveState a = route.At(s * 1000LL);
    const SampleDriveState b = route.At((s + 1) * 1000LL);
    ASSERT_GE(a.speed, 0);
    ASSERT_LE(a.speed, 70);
    const double expected = (a.speed + b.speed) / 2 / 3.6;
    EXPECT_NEAR(MetresBetween(a, b), expected, 0.02 * expected + 0.01) << "second " << s;
    EXPECT_NEAR(b.distance - a.distance, expected, 1e-6);
    if (a.speed < 20 || b.speed < 20 || std::fabs(b.heading - a.heading) > 1) continue;
    ++moving;
    EXPECT_LT(AngleBetween(BearingBetween(a, b), a.course), 1.0) << "second " << s;
  }
  EXPECT_GT(moving, 200);
}

TEST(SampleRouteTest, LampsFollowBrakingAndTurning) {
  const SampleRoute route = LongDrive();
  int braking = 0;
  int leftTurns = 0;
  int rightTurns = 0;
  for (int s = 0; s + 1 < route.Seconds(); ++s) {
    const SampleDriveState a = route.At(s * 1000LL);  // lamps are lit in the first half of each blink
    const SampleDriveState b = route.At((s + 1) * 1000LL);
    if (b.speed - a.speed < -2) {
      EXPECT_TRUE(a.signal & kSampleSignalBits.brake) << "second " << s;
      ++braking;
    }
    const double turn = b.heading - a.heading;
    if (turn > 5) {
      EXPECT_TRUE(a.signal & kSampleSignalBits.rightTurn) << "second " << s;
      ++rightTurns;
    }
    if (turn < -5) {
      EXPECT_TRUE(a.signal & kSampleSignalBits.leftTurn) << "second " << s;
      ++leftTurns;
    }
    EXPECT_FALSE((a.signal & kSampleSignalBits.leftTurn) && (a.signal & kSampleSignalBits.rightTurn));
  }
  EXPECT_GT(braking, 0);
  EXPECT_GT(leftTurns + rightTurns, 0);
}

TEST(SampleRouteTest, OneStretchWithoutFixAndAShockAtEachTrigger) {
  SampleRouteOptions options;
  options.seconds = 60;
  options.invalidFrom = 20;
  options.invalidSeconds = 5;
  options.shockMs = {10000, 40000};
  const SampleRoute route(options);
  for (int64_t ms = 0; ms < 60000; ms += 100) {
    const SampleDriveState state = route.At(ms);
    EXPECT_EQ(state.gpsValid, ms < 20000 || ms >= 25000) << ms;
    const bool ringing = (ms >= 10000 && ms < 10300) || (ms >= 40000 && ms < 40300);
    const bool calm = (ms < 9900 || ms >= 11000) && (ms < 39900 || ms >= 41000);
    if (ringing) {
      EXPECT_GT(std::fabs(state.gZ - 1) + std::fabs(state.gX), 0.5) << ms;
    }
    if (calm) {
      EXPECT_LT(std::fabs(state.gZ - 1), 0.1) << ms;
    }
  }
  EXPECT_NEAR(route.At(10000).gZ, 1.9, 0.05);
}

}  // namespace
