// The route coloured by speed: the band of each speed, the points taken of
// the loaded recordings, the pieces the page gets them in, and where a hard
// moment is marked.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mapctrl/SpeedRoute.h"

namespace {

constexpr int64_t kT0 = 1718357400000;

TripFrame At(int recording, int frame, int64_t timeMs, double speed = 40, bool fix = true) {
  TripFrame f;
  f.recording = recording;
  f.frame = frame;
  f.timeMs = timeMs;
  f.fix = fix;
  f.latitude = 48.0 + frame * 0.0001;
  f.longitude = 11.0;
  f.speedKmh = speed;
  return f;
}

TEST(SpeedRouteTest, ASpeedTakesTheLastBandWhoseLowerEndItReaches) {
  const std::vector<std::pair<double, int>> cases = {{0, 0},  {19.9, 0}, {20, 1},  {49, 1}, {50, 2},
                                                     {80, 3}, {109, 3},  {110, 4}, {250, 4}};
  for (const auto& [kmh, band] : cases) EXPECT_EQ(SpeedBand(kmh), band) << kmh;
  EXPECT_EQ(SpeedLegendJson(SpeedUnit::kMph),
            "{\"unit\":\"mph\",\"bands\":[{\"colour\":\"#3b6fd8\",\"range\":\"0 - 12\"},"
            "{\"colour\":\"#1fb0b5\",\"range\":\"12 - 31\"},{\"colour\":\"#4cb83a\",\"range\":\"31 - 50\"},"
            "{\"colour\":\"#f0a020\",\"range\":\"50 - 68\"},{\"colour\":\"#e0301e\",\"range\":\"68+\"}]}");
}

// "recording:frame" of each point, "|" before a broken one.
std::string Shape(const std::vector<SpeedRoutePoint>& points) {
  std::string out;
  for (const SpeedRoutePoint& p : points) {
    if (!out.empty()) out += p.breaks ? " | " : " ";
    out += std::to_string(p.recording) + ":" + std::to_string(p.frame);
  }
  return out;
}

TEST(SpeedRouteTest, APointASecondOfEachRecordingItsLastFixAndABreakBetweenDrives) {
  struct Case {
    const char* what;
    std::vector<TripFrame> frames;
    const char* shape;
  };
  const std::vector<Case> cases = {
      {"frames 400 ms apart: a point a second and the last",
       {At(0, 0, kT0), At(0, 1, kT0 + 400), At(0, 2, kT0 + 800), At(0, 3, kT0 + 1200), At(0, 4, kT0 + 1600)},
       "0:0 0:3 0:4"},
      {"frames without a fix are left out",
       {At(0, 0, kT0, 40, false), At(0, 1, kT0 + 1000), At(0, 2, kT0 + 2000, 40, false)},
       "0:1"},
      {"the next recording of the run goes on; one minutes later breaks",
       {At(0, 0, kT0), At(1, 0, kT0 + 1000), At(2, 0, kT0 + 120000)},
       "0:0 1:0 | 2:0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Shape(MakeSpeedRoute(c.frames, SpeedUnit::kKmh)), c.shape) << c.what;

  const std::vector<SpeedRoutePoint> mph = MakeSpeedRoute(std::vector<TripFrame>{At(0, 0, kT0, 100)}, SpeedUnit::kMph);
  EXPECT_EQ(mph[0].speed, 62);
  EXPECT_EQ(mph[0].band, 3) << "the band follows km/h whatever the unit";
}

TEST(SpeedRouteTest, PiecesKeepWholePointsWithinTheLimitAndTogetherHoldTheRoute) {
  std::vector<TripFrame> frames;
  for (int i = 0; i < 500; ++i) frames.push_back(At(0, i, kT0 + i * 1000LL, i % 130));
  const std::vector<SpeedRoutePoint> route = MakeSpeedRoute(frames, SpeedUnit::kKmh);
  ASSERT_EQ(route.size(), 500u);
  EXPECT_TRUE(SpeedRoutePieces(route, 100000)[0].starts_with("48.000000,11.000000,0,0,0,0,1718357400,0;48.000100,"));
  for (size_t limit : {60u, 1000u, 16128u}) {
    const std::vector<std::string> pieces = SpeedRoutePieces(route, limit);
    std::string joined;
    size_t points = 0;
    for (const std::string& piece : pieces) {
      EXPECT_LE(piece.size(), limit);
      EXPECT_NE(piece.back(), ';');
      joined += (joined.empty() ? "" : ";") + piece;
      points += static_cast<size_t>(std::count(piece.begin(), piece.end(), ';')) + 1;
    }
    EXPECT_EQ(points, route.size()) << limit;
    EXPECT_EQ(joined, SpeedRoutePieces(route, 1 << 30).front()) << limit;
  }
  EXPECT_TRUE(SpeedRoutePieces({}, 100).empty());
}

TEST(SpeedRouteTest, AHardMomentIsMarkedAtTheNearestFixOfItsRecording) {
  const std::vector<TripFrame> frames = {At(0, 0, kT0), At(0, 1, kT0 + 100, 40, false), At(0, 2, kT0 + 200),
                                         At(1, 0, kT0 + 300, 40, false)};
  HardMoment atFix;
  atFix.frame = 2;
  HardMoment withoutFix;
  withoutFix.frame = 1;
  HardMoment nowhere;
  nowhere.recording = 1;
  const std::vector<HardMark> marks = MakeHardMarks(frames, std::vector<HardMoment>{atFix, withoutFix, nowhere});
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_DOUBLE_EQ(marks[0].latitude, frames[2].latitude);
  EXPECT_DOUBLE_EQ(marks[1].latitude, frames[0].latitude) << "the nearer fix, the earlier of two as near";
  EXPECT_EQ(marks[1].moment.frame, 1) << "the moment keeps its own frame";
}

}  // namespace
