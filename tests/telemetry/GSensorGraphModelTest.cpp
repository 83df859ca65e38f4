#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

#include "platform/TimeKey.h"
#include "telemetry/GSensorGraphModel.h"
#include "telemetry/GraphTestPoints.h"

namespace {

class GSensorGraphModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    graph_.SetView(&view_);
  }

  void Load(ViewMode mode, std::vector<GraphPoint> points) {
    graph_.LoadPoints(mode, std::move(points));
    view_ = RecordingGraphView{};
  }

  GSensorGraphModel graph_;
  RecordingGraphView view_;
};

TEST_F(GSensorGraphModelTest, ZoomInStopsAtOneGWithoutRepaintingAgain) {
  EXPECT_EQ(graph_.Maximum(), 2.0f);
  EXPECT_EQ(graph_.Minimum(), -2.0f);
  EXPECT_EQ(graph_.ZoomLevel(), 3);
  EXPECT_TRUE(graph_.ZoomIn());
  EXPECT_EQ(graph_.Maximum(), 1.0f);
  EXPECT_EQ(graph_.Minimum(), -1.0f);
  EXPECT_EQ(graph_.ZoomLevel(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(graph_.ZoomIn());
  EXPECT_EQ(graph_.Maximum(), 1.0f);
  EXPECT_EQ(graph_.Minimum(), -1.0f);
  EXPECT_EQ(graph_.ZoomLevel(), 4);
  EXPECT_EQ(view_.repaints, 1);
}

TEST_F(GSensorGraphModelTest, ZoomOutStopsAtFourG) {
  EXPECT_TRUE(graph_.ZoomOut());
  EXPECT_EQ(graph_.Maximum(), 3.0f);
  EXPECT_EQ(graph_.ZoomLevel(), 2);
  EXPECT_TRUE(graph_.ZoomOut());
  EXPECT_EQ(graph_.Maximum(), 4.0f);
  EXPECT_EQ(graph_.Minimum(), -4.0f);
  EXPECT_EQ(graph_.ZoomLevel(), 1);
  EXPECT_FALSE(graph_.ZoomOut());
  EXPECT_EQ(graph_.Maximum(), 4.0f);
  EXPECT_EQ(graph_.ZoomLevel(), 1);
  EXPECT_EQ(view_.repaints, 2);
  // Back in from the widest scale, one level per step.
  EXPECT_TRUE(graph_.ZoomIn());
  EXPECT_EQ(graph_.Maximum(), 3.0f);
  EXPECT_EQ(graph_.Minimum(), -3.0f);
}

TEST_F(GSensorGraphModelTest, ScaleCommandsAndDefaultSurviveLoads) {
  const struct {
    int command;
    float range;
    int level;
  } cases[] = {{1, 1.0f, 4}, {2, 2.0f, 3}, {3, 3.0f, 2}, {4, 4.0f, 1}};
  for (const auto& c : cases) {
    EXPECT_TRUE(graph_.SetScale(c.command));
    EXPECT_EQ(graph_.Maximum(), c.range) << c.command;
    EXPECT_EQ(graph_.Minimum(), -c.range) << c.command;
    EXPECT_EQ(graph_.ZoomLevel(), c.level) << c.command;
  }
  EXPECT_EQ(view_.repaints, 4);
  EXPECT_FALSE(graph_.SetScale(0));
  EXPECT_FALSE(graph_.SetScale(5));
  EXPECT_EQ(graph_.Maximum(), 4.0f);
  EXPECT_EQ(view_.repaints, 4);

  graph_.SetScale(1);
  graph_.LoadPoints(kViewModeEvent, PointsAt({0, 100}));
  graph_.Clear();
  EXPECT_EQ(graph_.Maximum(), 1.0f);
  EXPECT_EQ(graph_.ZoomLevel(), 4);
  EXPECT_TRUE(graph_.ZoomDefault());
  EXPECT_EQ(graph_.Maximum(), 2.0f);
  EXPECT_EQ(graph_.ZoomLevel(), 3);
}

TEST_F(GSensorGraphModelTest, FindPointByTimeEdges) {
  EXPECT_EQ(graph_.FindPointByTime(0, true), -1);
  EXPECT_EQ(graph_.FindPointByTime(0, false), -1);

  Load(kViewModeEvent, PointsAt({1000, 2000, 3000}));
  const struct {
    int64_t key;
    int index;
  } byInterval[] = {{999, -1}, {1000, 0}, {1999, 0}, {2000, 1}, {2999, 1}, {3000, 2}, {99999, 2}};
  for (const auto& c : byInterval) EXPECT_EQ(graph_.FindPointByTime(c.key, true), c.index) << c.key;

  Load(kViewModeEvent, PointsAt({1500, 2200, 2900, 4100}));
  const struct {
    int64_t key;
    int index;
  } bySecond[] = {{1000, 0}, {1999, 0}, {2999, 1}, {3500, -1}, {4000, 3}, {4100, 3}, {5000, 3}, {500, -1}};
  for (const auto& c : bySecond) EXPECT_EQ(graph_.FindPointByTime(c.key, false), c.index) << c.key;

  // Two points at one time: the interval belongs to the later one.
  Load(kViewModeEvent, PointsAt({1000, 1000, 2000}));
  EXPECT_EQ(graph_.FindPointByTime(1000, true), 1);
}

TEST_F(GSensorGraphModelTest, CursorMovesOnlyInsideTheList) {
  Load(kViewModeEvent, PointsAt({1000, 2000, 3000}));
  EXPECT_EQ(graph_.CurrentIndex(), 0);
  EXPECT_FALSE(graph_.SetCursor(-1, true));
  EXPECT_FALSE(graph_.SetCursor(3, true));
  EXPECT_EQ(graph_.CurrentIndex(), 0);
  EXPECT_EQ(view_.cursorRepaints, 0);
  EXPECT_TRUE(graph_.SetCursor(2, false));
  EXPECT_EQ(view_.cursorRepaints, 0);
  EXPECT_TRUE(graph_.SetCursor(1, true));
  EXPECT_EQ(view_.cursorRepaints, 1);
  EXPECT_EQ(view_.repaints, 0);

  graph_.MoveCursorToTime(2999);
  EXPECT_EQ(graph_.CurrentIndex(), 1);
  graph_.MoveCursorToTime(500);  // before every point: the cursor stays
  EXPECT_EQ(graph_.CurrentIndex(), 1);
  graph_.MoveCursorToTime(7000);
  EXPECT_EQ(graph_.CurrentIndex(), 2);

  graph_.Clear();
  EXPECT_EQ(graph_.PointCount(), 0);
  EXPECT_EQ(graph_.CurrentIndex(), -1);
  EXPECT_EQ(view_.repaints, 1);
  EXPECT_EQ(graph_.Point(0).time, 0);
}

TEST_F(GSensorGraphModelTest, EmptyGraphIgnoresMouseAndSeeks) {
  graph_.OnPlotDrag(10, 100);
  graph_.OnPlotRelease(10, 100);
  graph_.MoveCursorToTime(1000);
  EXPECT_EQ(graph_.PointForMouseX(10, 100), -1);
  EXPECT_TRUE(view_.posted.empty());
  EXPECT_TRUE(view_.sent.empty());
  EXPECT_EQ(view_.cursorRepaints, 0);
  EXPECT_EQ(graph_.StartTimeText(), "");
}

TEST_F(GSensorGraphModelTest, ClicksOutsideThePlotPickTheEndPoints) {
  Load(kViewModeEvent, EvenPoints(11, 50000, 100));
  graph_.SetCursor(5, false);
  graph_.OnPlotRelease(-40, 100);
  graph_.OnPlotRelease(160, 100);
  graph_.OnPlotRelease(55, 100);
  EXPECT_EQ(view_.sent, (std::vector<int>{0, 10, 5}));
}

TEST_F(GSensorGraphModelTest, DragPostsOnlyAChangedPoint) {
  Load(kViewModeEvent, EvenPoints(11, 50000, 100));
  graph_.OnPlotDrag(5, 100);  // still point 0, the cursor
  EXPECT_TRUE(view_.posted.empty());
  graph_.OnPlotDrag(31, 100);
  graph_.OnPlotDrag(100, 100);
  EXPECT_EQ(view_.posted, (std::vector<int>{3, 10}));
  EXPECT_EQ(graph_.CurrentIndex(), 0);  // the parent moves the cursor
}

// A press only notes the point under it; the release sends it, unless the
// mouse left the press by more than the slop, which makes it a drag.
TEST_F(GSensorGraphModelTest, AClickIsOneSeekToThePointPressed) {
  const struct {
    std::vector<int> moves;
    int releaseX;
    std::vector<int> posted;
    std::vector<int> sent;
  } cases[] = {
      {{}, 31, {}, {3}},
      {{32, 29}, 33, {}, {3}},  // jitter within the slop
      {{50}, 72, {5}, {7}},     // a drag: the release's own point
  };
  for (const auto& c : cases) {
    Load(kViewModeEvent, EvenPoints(11, 50000, 100));
    graph_.OnPlotPress(31, 100);
    for (int x : c.moves) graph_.OnPlotDrag(x, 100);
    graph_.OnPlotRelease(c.releaseX, 100);
    EXPECT_EQ(view_.posted, c.posted) << c.releaseX;
    EXPECT_EQ(view_.sent, c.sent) << c.releaseX;
  }
}

TEST_F(GSensorGraphModelTest, LogModeClickWithoutARecordInThatSecondPassesOnMinusOne) {
  Load(kViewModeLog, PointsAt({1000, 2000, 5000, 6000}));
  EXPECT_EQ(graph_.CurrentIndex(), -1);
  EXPECT_EQ(graph_.PointForMouseX(20, 100), 1);   // 2000 ms
  EXPECT_EQ(graph_.PointForMouseX(50, 100), -1);  // 3500 ms: no record that second
  graph_.OnPlotDrag(50, 100);                     // -1 is the cursor already
  EXPECT_TRUE(view_.posted.empty());
  graph_.SetCursor(1, false);
  graph_.OnPlotDrag(50, 100);
  graph_.OnPlotRelease(50, 100);
  graph_.OnPlotRelease(100, 100);
  EXPECT_EQ(view_.posted, (std::vector<int>{-1}));
  EXPECT_EQ(view_.sent, (std::vector<int>{-1, 3}));
}

TEST_F(GSensorGraphModelTest, PlotMappingIsLimitedToThePlot) {
  Load(kViewModeEvent, PointsAt({10000, 12000, 14000}));
  EXPECT_EQ(graph_.XAtTime(10000, 200), 0);
  EXPECT_EQ(graph_.XAtTime(12000, 200), 100);
  EXPECT_EQ(graph_.XAtTime(14000, 200), 200);
  EXPECT_EQ(graph_.XAtTime(0, 200), 0);
  EXPECT_EQ(graph_.XAtTime(99000, 200), 200);
  EXPECT_EQ(graph_.TimeAtX(50, 200), 11000);
  EXPECT_EQ(graph_.TimeAtX(-1, 200), 10000);
  EXPECT_EQ(graph_.TimeAtX(201, 200), 14000);
  EXPECT_EQ(graph_.TimeAtX(50, 0), 10000);

  // One point: no span to divide by.
  Load(kViewModeEvent, PointsAt({10000}));
  EXPECT_EQ(graph_.XAtTime(12000, 200), 0);
  EXPECT_EQ(graph_.TimeAtX(120, 200), 10000);
  graph_.OnPlotRelease(120, 200);
  EXPECT_EQ(view_.sent, (std::vector<int>{0}));

  // Values: zero in the middle at +-2 g, clipped at the edges.
  EXPECT_EQ(graph_.YAtValue(0.0f, 100), 50);
  EXPECT_EQ(graph_.YAtValue(2.0f, 100), 0);
  EXPECT_EQ(graph_.YAtValue(1.0f, 100), 25);
  EXPECT_EQ(graph_.YAtValue(-2.0f, 100), 99);
  EXPECT_EQ(graph_.YAtValue(7.5f, 100), 0);
  EXPECT_EQ(graph_.YAtValue(-INFINITY, 100), 99);
  EXPECT_EQ(graph_.YAtValue(NAN, 100), 50);
  graph_.SetScale(1);
  EXPECT_EQ(graph_.YAtValue(0.5f, 100), 25);
}

TEST_F(GSensorGraphModelTest, CurvesJoinPointsOfOneSegmentUpTo1100MsApart) {
  Load(kViewModeEvent, PointsAt({0, 1100, 2201, 2300, 200}));
  EXPECT_FALSE(graph_.JoinsPrevious(0));
  EXPECT_TRUE(graph_.JoinsPrevious(1));
  EXPECT_FALSE(graph_.JoinsPrevious(2));
  EXPECT_TRUE(graph_.JoinsPrevious(3));
  EXPECT_FALSE(graph_.JoinsPrevious(4));  // a jump back in time is a gap too
  EXPECT_FALSE(graph_.JoinsPrevious(5));

  Load(kViewModeLog, Joined(PointsAt({0, 1000}, 0), PointsAt({2000, 3000}, 1)));
  EXPECT_TRUE(graph_.JoinsPrevious(1));
  EXPECT_FALSE(graph_.JoinsPrevious(2));
  EXPECT_TRUE(graph_.JoinsPrevious(3));
}

TEST_F(GSensorGraphModelTest, EventMarksAndTriggerMoments) {
  std::vector<GraphPoint> points = EvenPoints(8, 0, 1000);
  const uint8_t kinds[] = {1, 2, 2, 3, 3, 3, 1, 3};
  for (size_t i = 0; i < points.size(); ++i) points[i].kind = kinds[i];
  Load(kViewModeEvent, points);
  EXPECT_EQ(graph_.EventMarkStretches(), (std::vector<EventMarkStretch>{{1, 2, 2}, {3, 5, 3}, {7, 7, 3}}));
  EXPECT_EQ(graph_.TriggerMomentPoints(), (std::vector<int>{3, 7}));
  EXPECT_TRUE(graph_.ShowsTriggerTime());

  Load(kViewModeEvent, EvenPoints(61, 0, 1000));
  EXPECT_FALSE(graph_.ShowsTriggerTime());
  EXPECT_TRUE(graph_.EventMarkStretches().empty());
}

TEST_F(GSensorGraphModelTest, LabelTexts) {
  EXPECT_EQ(graph_.ValueLabels(), (std::vector<std::string>{"2.0", "1.0", "0.0", "-1.0", "-2.0"}));
  graph_.ZoomIn();
  EXPECT_EQ(graph_.ValueLabels(), (std::vector<std::string>{"1.0", "0.5", "0.0", "-0.5", "-1.0"}));

  const int64_t start = MakeTimeKey(DateTime{2024, 5, 0, 5, 17, 12, 30, 250});
  Load(kViewModeEvent, PointsAt({start, start + 3600000 + 61000}));
  EXPECT_EQ(graph_.StartTimeText(), "2024.05.05 17:12:30");
  EXPECT_EQ(graph_.EndTimeText(), "2024.05.05 18:13:31");
  EXPECT_EQ(graph_.PointTimeText(2), "");
}

}  // namespace
