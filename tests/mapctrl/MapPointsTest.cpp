// The map points built from hand-made frames: the trigger slots, the event
// runs of a log and the thinned route.

#include <gtest/gtest.h>

#include <vector>

#include "mapctrl/MapPoints.h"
#include "platform/TimeKey.h"
#include "support/ZoneGuard.h"

namespace {

// 2024-03-05 10:20:30 local time.
const DateTime kBase{2024, 3, 2, 5, 10, 20, 30, 0};

FRAMEINFOVIDEO FrameAt(int offsetMs, bool fix, uint8_t kind = 1) {
  FRAMEINFOVIDEO frame;
  frame.time = TimeKeyToDateTime(MakeTimeKey(kBase) + offsetMs);
  frame.frameKind = kind;
  if (fix) {
    frame.gps.valid = 1;
    frame.gps.latHemi = 'S';
    frame.gps.latDeg = 33;
    frame.gps.latMin = 52;
    frame.gps.latSec = 30.0f;
    frame.gps.lonHemi = 'E';
    frame.gps.lonDeg = 151;
    frame.gps.lonMin = 12;
    frame.gps.lonSec = 36.0f;
  }
  return frame;
}

std::vector<FRAMEINFOVIDEO> FramesAt(const std::vector<int>& offsets, bool fix = true) {
  std::vector<FRAMEINFOVIDEO> frames;
  for (int offset : offsets) frames.push_back(FrameAt(offset, fix));
  return frames;
}

std::vector<int> RouteFrames(const std::vector<FRAMEINFOVIDEO>& frames, ViewMode viewMode) {
  CInfoMapObject route;
  MakeRoutePoints(route, frames, 4, viewMode);
  std::vector<int> indices;
  for (const MAPPOINTINFO& p : route.Route()) {
    EXPECT_EQ(p.recording, 4);
    EXPECT_EQ(p.kind, kMapPointKindVideo);
    indices.push_back(p.frame);
  }
  EXPECT_EQ(route.RouteCount(), static_cast<int>(indices.size()));
  return indices;
}

class MapPointsTest : public ::testing::Test {
 protected:
  ZoneGuard zone_;
};

TEST_F(MapPointsTest, RouteThresholdAdvancesOneIntervalPerTakenFrame) {
  // Frames 5 s apart with a 1 s interval: the threshold stays behind, so
  // every frame is taken, and the last once more at the end.
  EXPECT_EQ(RouteFrames(FramesAt({0, 5000, 10000, 15000}), kViewModeEvent), (std::vector<int>{0, 1, 2, 3, 3}));
  // After a gap several frames in a row pass until it has caught up.
  EXPECT_EQ(RouteFrames(FramesAt({0, 5000, 5200, 5400, 5600, 5800, 7000}), kViewModeEvent),
            (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 6}));
  EXPECT_EQ(RouteFrames(FramesAt({0, 400, 800, 1200}), kViewModeEvent), (std::vector<int>{0, 3, 3}));
  // Fifteen seconds in every other view mode.
  EXPECT_EQ(RouteFrames(FramesAt({0, 400, 800, 1200}), kViewModeNormal), (std::vector<int>{0, 3}));
  EXPECT_EQ(RouteFrames(FramesAt({0, 14999, 15000, 29000, 31000}), kViewModeNormal), (std::vector<int>{0, 2, 4, 4}));
}

TEST_F(MapPointsTest, RouteSkipsFramesWithoutFixAndEndsOnlyAtAFix) {
  std::vector<FRAMEINFOVIDEO> frames = FramesAt({0, 1000, 2000, 3000});
  frames[0].gps.valid = 0;  // taken by the threshold, but has no position
  frames[3].gps.valid = 0;
  EXPECT_EQ(RouteFrames(frames, kViewModeEvent), (std::vector<int>{1, 2}));

  // An unset clock counts as time 0: such a frame never reaches the threshold.
  frames = FramesAt({0, 1000, 2000});
  frames[1].time.year = 1899;
  EXPECT_EQ(RouteFrames(frames, kViewModeEvent), (std::vector<int>{0, 2, 2}));
}

TEST_F(MapPointsTest, RouteOfNoRecordingOrNoFramesIsEmptyAndReplacesTheOldOne) {
  CInfoMapObject route;
  MakeRoutePoints(route, FramesAt({0, 1000}), 0, kViewModeEvent);
  ASSERT_EQ(route.RouteCount(), 3);
  route.SetTriggers({MAPPOINTINFO{1, 2, 3.0, 4.0, 2}});
  MakeRoutePoints(route, FramesAt({0, 1000}), -1, kViewModeEvent);
  EXPECT_EQ(route.RouteCount(), 0);
  EXPECT_EQ(route.TriggerCount(), 1);  // the other half stays
  MakeRoutePoints(route, {}, 2, kViewModeEvent);
  EXPECT_EQ(route.RouteCount(), 0);
}

TEST_F(MapPointsTest, PointsCarryDecimalDegreesSouthAndWestNegative) {
  const MAPPOINTINFO p = MapPointOfFrame(FrameAt(0, true), 3, 9);
  EXPECT_EQ(p.recording, 3);
  EXPECT_EQ(p.frame, 9);
  EXPECT_NEAR(p.latitude, -(33 + (52 + 30.0 / 60) / 60), 1e-6);
  EXPECT_NEAR(p.longitude, 151 + (12 + 36.0 / 60) / 60, 1e-6);
  EXPECT_EQ(p.kind, kMapPointKindVideo);
}

TEST_F(MapPointsTest, EventTriggerIsTheFirstTriggerFrameWithFixNormalTheFirstFix) {
  std::vector<FRAMEINFOVIDEO> frames = FramesAt({0, 100, 200, 300, 400});
  frames[0].gps.valid = 0;
  frames[2].frameKind = kTriggerFrameKind;
  frames[2].gps.valid = 0;  // the trigger frame without a fix does not count
  frames[3].frameKind = kTriggerFrameKind;
  frames[4].frameKind = kTriggerFrameKind;
  const std::vector<FRAMEINFOVIDEO> noTrigger = FramesAt({0, 100});
  const std::vector<std::span<const FRAMEINFOVIDEO>> recordings{frames, noTrigger, {}};

  std::vector<CInfoMapObject> list;
  MakeTriggerPoints(list, recordings, kViewModeEvent);
  ASSERT_EQ(list.size(), 3u);
  ASSERT_EQ(list[0].TriggerCount(), 1);
  EXPECT_EQ(list[0].Triggers()[0].frame, 3);
  EXPECT_EQ(list[1].TriggerCount(), 0);
  EXPECT_EQ(list[2].TriggerCount(), 0);  // a recording without frames

  MakeTriggerPoints(list, recordings, kViewModeNormal);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].Triggers()[0].frame, 1);
  ASSERT_EQ(list[1].TriggerCount(), 1);
  EXPECT_EQ(list[1].Triggers()[0],
            (MAPPOINTINFO{1, 0, list[1].Triggers()[0].latitude, list[1].Triggers()[0].longitude, kMapPointKindVideo}));
}

TEST_F(MapPointsTest, NoFixAnywhereOrAnotherViewModeLeavesTheListEmpty) {
  const std::vector<FRAMEINFOVIDEO> frames = FramesAt({0, 100}, false);
  const std::vector<std::span<const FRAMEINFOVIDEO>> recordings{frames, frames};
  std::vector<CInfoMapObject> list(5);
  MakeTriggerPoints(list, recordings, kViewModeEvent);
  EXPECT_TRUE(list.empty());

  const std::vector<FRAMEINFOVIDEO> fixed = FramesAt({0, 100});
  const std::vector<std::span<const FRAMEINFOVIDEO>> withFix{fixed};
  MakeTriggerPoints(list, withFix, kViewModeLog);
  EXPECT_TRUE(list.empty());
  MakeTriggerPoints(list, withFix, kViewModeNone);
  EXPECT_TRUE(list.empty());
}

TEST_F(MapPointsTest, ManyRecordingsShareHundredSlotsWithTheFirstAndTheLastShown) {
  const std::vector<FRAMEINFOVIDEO> frames = FramesAt({0});
  const std::vector<std::span<const FRAMEINFOVIDEO>> recordings(250, frames);
  std::vector<CInfoMapObject> list;
  MakeTriggerPoints(list, recordings, kViewModeNormal);
  ASSERT_EQ(list.size(), 100u);
  ASSERT_EQ(list.front().TriggerCount(), 1);
  EXPECT_EQ(list.front().Triggers()[0].recording, 0);
  ASSERT_EQ(list.back().TriggerCount(), 1);
  EXPECT_EQ(list.back().Triggers()[0].recording, 249);
  // Every slot holds a recording that maps to it, in rising order.
  int previous = -1;
  for (size_t s = 0; s < list.size(); ++s) {
    ASSERT_EQ(list[s].TriggerCount(), 1) << s;
    const int recording = list[s].Triggers()[0].recording;
    EXPECT_EQ(recording * 99 / 249, static_cast<int>(s));
    EXPECT_GT(recording, previous);
    previous = recording;
  }

  // Exactly 100 take one slot each.
  const std::vector<std::span<const FRAMEINFOVIDEO>> hundred(100, frames);
  MakeTriggerPoints(list, hundred, kViewModeNormal);
  ASSERT_EQ(list.size(), 100u);
  for (size_t s = 0; s < list.size(); ++s) EXPECT_EQ(list[s].Triggers()[0].recording, static_cast<int>(s));
}

GraphPoint Point(uint8_t kind, int64_t timeKey, uint8_t segment = 0) {
  GraphPoint p;
  p.kind = kind;
  p.time = timeKey;
  p.segment = segment;
  return p;
}

TEST_F(MapPointsTest, LogTriggersStandAtTheFirstPointOfEachEventRun) {
  // Runs start at 1 (kind 1 at 3 does not end it, kind 3 at 4 is inside
  // it), at 6 and at 10; the run at 6 has a record without position.
  const std::vector<uint8_t> kinds{1, 3, 3, 1, 3, 2, 3, 3, 2, 2, 3, 1};
  std::vector<GraphPoint> points;
  for (size_t k = 0; k < kinds.size(); ++k) {
    points.push_back(Point(kinds[k], 1000000 + static_cast<int64_t>(k) * 1000 + 250, k < 8 ? 0 : 1));
  }
  std::vector<FRAMEINFOLOG> records(kinds.size());
  for (size_t k = 0; k < records.size(); ++k) {
    records[k].time = 1000000 + static_cast<int64_t>(k) * 1000;
    records[k].gpsValid = k == 6 ? 0 : 1;
    records[k].lat = -10.5 - static_cast<double>(k);
    records[k].lon = 20.25;
  }
  std::vector<std::pair<int, int64_t>> asked;
  const LogRecordFinder find = [&](int log, int64_t second) -> const FRAMEINFOLOG* {
    asked.emplace_back(log, second);
    for (const FRAMEINFOLOG& r : records) {
      if (r.time / 1000 == second) return &r;
    }
    return nullptr;
  };
  CInfoMapObject entry;
  entry.SetTriggers({MAPPOINTINFO{}, MAPPOINTINFO{}});
  MakeLogTriggerPoints(entry, points, find);

  EXPECT_EQ(asked, (std::vector<std::pair<int, int64_t>>{{0, 1001}, {0, 1006}, {1, 1010}}));
  ASSERT_EQ(entry.TriggerCount(), 2);
  EXPECT_EQ(entry.Triggers()[0], (MAPPOINTINFO{0, 1, -11.5, 20.25, 3}));
  EXPECT_EQ(entry.Triggers()[1], (MAPPOINTINFO{0, 10, -20.5, 20.25, 3}));

  // Without a run there is no point.
  const std::vector<GraphPoint> calm{Point(1, 0), Point(2, 1000), Point(1, 2000)};
  MakeLogTriggerPoints(entry, calm, find);
  EXPECT_EQ(entry.TriggerCount(), 0);
}

}  // namespace
