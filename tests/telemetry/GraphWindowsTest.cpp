// The normal recording's 29-second window and the log detail window, on
// their own and through the graph.

#include <gtest/gtest.h>

#include <random>

#include "telemetry/GSensorGraphModel.h"
#include "telemetry/GraphTestPoints.h"
#include "telemetry/NormalWindow.h"

namespace {

// One point a millisecond for 60 seconds: every time rule falls on a point.
const std::vector<GraphPoint>& Minute() {
  static const std::vector<GraphPoint> points = EvenPoints(60001, 0, 1);
  return points;
}

TEST(NormalWindowTest, ShortRecordingsArePlottedWhole) {
  const std::vector<GraphPoint> exact = EvenPoints(30, 1000, 1000);  // 29 000 ms
  EXPECT_EQ(CutNormalWindow(exact, 20), (PointRange{0, 30}));
  EXPECT_FALSE(NormalWindowNeedsCut(exact, {0, 30}, 29));
  EXPECT_TRUE(NormalWindowNeedsCut(exact, {0, 10}, 5));
  EXPECT_EQ(CutNormalWindow({}, 0), (PointRange{}));
  EXPECT_FALSE(NormalWindowNeedsCut({}, {}, 0));
}

TEST(NormalWindowTest, CutsAtTheStartTheMiddleAndTheEnd) {
  const auto& all = Minute();
  EXPECT_EQ(CutNormalWindow(all, 0), (PointRange{0, 29001}));
  EXPECT_EQ(CutNormalWindow(all, 14499), (PointRange{0, 29001}));
  EXPECT_EQ(CutNormalWindow(all, 20000), (PointRange{5500, 29001}));
  EXPECT_EQ(CutNormalWindow(all, 60000), (PointRange{31000, 29001}));
  EXPECT_EQ(CutNormalWindow(all, 45501), (PointRange{31000, 29001}));

  // Sparse points: the window reaches the nearest points outside 14.5 s.
  const std::vector<GraphPoint> sparse = PointsAt({0, 4000, 10000, 20000, 30000, 40000, 50000, 56000, 60000});
  EXPECT_EQ(CutNormalWindow(sparse, 4), (PointRange{2, 5}));  // 10 000 .. 50 000
  EXPECT_EQ(CutNormalWindow(sparse, 0), (PointRange{0, 5}));  // up to 30 000
  EXPECT_EQ(CutNormalWindow(sparse, 8), (PointRange{4, 5}));  // from 30 000
}

TEST(NormalWindowTest, MiddleWindowKeepsWithin967Ms) {
  const auto& all = Minute();
  const PointRange window = CutNormalWindow(all, 30000);
  ASSERT_EQ(window, (PointRange{15500, 29001}));
  EXPECT_FALSE(NormalWindowNeedsCut(all, window, 30966));
  EXPECT_TRUE(NormalWindowNeedsCut(all, window, 30967));
  EXPECT_FALSE(NormalWindowNeedsCut(all, window, 29034));
  EXPECT_TRUE(NormalWindowNeedsCut(all, window, 29033));
}

TEST(NormalWindowTest, WindowsAtAnEndStayWhileTheCursorIsNearIt) {
  const auto& all = Minute();
  // Windows whose middle is far from the cursor, so only the end rules hold them.
  const PointRange atStart{0, 20001};
  EXPECT_FALSE(NormalWindowNeedsCut(all, atStart, 14500));
  EXPECT_TRUE(NormalWindowNeedsCut(all, atStart, 14501));
  const PointRange atEnd{40000, 20001};
  EXPECT_FALSE(NormalWindowNeedsCut(all, atEnd, 45500));
  EXPECT_TRUE(NormalWindowNeedsCut(all, atEnd, 45499));
  // A window that does not start at the first point is cut even near the start.
  EXPECT_TRUE(NormalWindowNeedsCut(all, {1, 20001}, 5000));
  // A cursor outside the window always is.
  EXPECT_TRUE(NormalWindowNeedsCut(all, {0, 29001}, 29001));
}

TEST(NormalWindowTest, CursorStaysInsideEvenWhenTimesRunBackwards) {
  std::vector<GraphPoint> points = EvenPoints(61, 0, 1000);
  points[40].time = 0;  // a frame without a date in the middle of the run
  const PointRange window = CutNormalWindow(points, 40);
  EXPECT_TRUE(window.Holds(40));
}

TEST(LogDetailWindowTest, SixtyRecordsAroundTheCurrentOneInOneLog) {
  const std::vector<GraphPoint> log = EvenPoints(100, 0, 1000);
  EXPECT_EQ(LogDetailWindow(log, 0), (PointRange{0, 60}));
  EXPECT_EQ(LogDetailWindow(log, 50), (PointRange{21, 60}));
  EXPECT_EQ(LogDetailWindow(log, 99), (PointRange{40, 60}));
  EXPECT_EQ(LogDetailWindow(log, 100), (PointRange{}));
  EXPECT_EQ(LogDetailWindow(log, -1), (PointRange{}));

  const std::vector<GraphPoint> shortLog = EvenPoints(30, 0, 1000);
  EXPECT_EQ(LogDetailWindow(shortLog, 29), (PointRange{0, 30}));
  EXPECT_EQ(LogDetailWindow(shortLog, 0), (PointRange{0, 30}));
}

TEST(LogDetailWindowTest, WindowStaysInTheLogOfTheCurrentRecordUntilMovedBack) {
  // Log 0: points 0..39; log 1: points 40..119.
  const std::vector<GraphPoint> two = Joined(EvenPoints(40, 0, 1000, 0), EvenPoints(80, 100000, 1000, 1));
  EXPECT_EQ(LogDetailWindow(two, 45), (PointRange{40, 60}));
  EXPECT_EQ(LogDetailWindow(two, 35), (PointRange{0, 40}));
  EXPECT_EQ(LogDetailWindow(two, 119), (PointRange{60, 60}));

  // At the start of a short second log the start moves back into the first.
  const std::vector<GraphPoint> tail = Joined(EvenPoints(100, 0, 1000, 0), EvenPoints(10, 200000, 1000, 1));
  EXPECT_EQ(LogDetailWindow(tail, 105), (PointRange{50, 60}));
}

// Any point list, times in any order (undated frames, clock jumps): the
// windows stay inside the list and hold the current point.
TEST(GraphWindowInvariantsTest, WindowsStayInsideTheListAndHoldTheCursor) {
  std::mt19937 random(20240505);
  for (int round = 0; round < 300; ++round) {
    const int n = 1 + static_cast<int>(random() % 200);
    std::vector<GraphPoint> points(static_cast<size_t>(n));
    int64_t t = 0;
    for (GraphPoint& p : points) {
      const uint32_t pick = random() % 10;
      t = pick == 0 ? static_cast<int64_t>(random() % 5000) : t + static_cast<int64_t>(random() % 3000);
      p.time = t;
      p.segment = static_cast<uint8_t>(random() % 3 == 0 ? random() % 4 : 0);
    }
    for (int current = 0; current < n; current += 1 + n / 17) {
      SCOPED_TRACE(testing::Message() << "round " << round << " current " << current);
      const PointRange window = CutNormalWindow(points, current);
      EXPECT_GE(window.first, 0);
      EXPECT_LE(window.first + window.count, n);
      EXPECT_TRUE(window.Holds(current));
      const PointRange detail = LogDetailWindow(points, current);
      EXPECT_GE(detail.first, 0);
      EXPECT_LE(detail.first + detail.count, n);
      EXPECT_LE(detail.count, kDetailWindowRecords);
      EXPECT_TRUE(detail.Holds(current));
    }
  }
}

class GraphWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { graph_.SetView(&view_); }
  GSensorGraphModel graph_;
  RecordingGraphView view_;
};

TEST_F(GraphWindowsTest, NormalModeRewindowsAsTheCursorMoves) {
  graph_.LoadPoints(kViewModeNormal, EvenPoints(601, 0, 100));
  EXPECT_EQ(graph_.PointCount(), 291);
  EXPECT_EQ(graph_.FullPointCount(), 601);
  EXPECT_EQ(graph_.CurrentIndex(), 0);
  view_ = RecordingGraphView{};

  graph_.MoveCursorToTime(10050);
  EXPECT_EQ(graph_.WindowStart(), 0);
  EXPECT_EQ(graph_.CurrentIndex(), 100);
  EXPECT_EQ(view_.cursorRepaints, 1);
  EXPECT_EQ(view_.repaints, 0);

  graph_.MoveCursorToTime(20000);
  EXPECT_EQ(graph_.WindowStart(), 55);
  EXPECT_EQ(graph_.PointCount(), 291);
  EXPECT_EQ(graph_.CurrentIndex(), 145);
  EXPECT_EQ(graph_.Point(graph_.CurrentIndex()).time, 20000);
  EXPECT_EQ(view_.repaints, 1);

  // Playing on: the window scrolls about once a second.
  int cuts = 0;
  for (int64_t t = 20000; t <= 30000; t += 40) {
    const int start = graph_.WindowStart();
    graph_.MoveCursorToTime(t);
    if (graph_.WindowStart() != start) ++cuts;
    EXPECT_EQ(graph_.Point(graph_.CurrentIndex()).time, t / 100 * 100);
  }
  EXPECT_GE(cuts, 9);
  EXPECT_LE(cuts, 11);
}

TEST_F(GraphWindowsTest, DetailWindowFollowsTheLogGraphsCursor) {
  GSensorGraphModel logGraph;
  logGraph.LoadPoints(kViewModeLog, Joined(EvenPoints(100, 0, 1000, 0), EvenPoints(10, 200000, 1000, 1)));
  graph_.ShowDetailWindowOf(logGraph);  // no log record chosen yet
  EXPECT_EQ(graph_.PointCount(), 0);
  EXPECT_EQ(graph_.CurrentIndex(), -1);

  logGraph.SetCursor(50, false);
  graph_.ShowDetailWindowOf(logGraph);
  EXPECT_EQ(graph_.Mode(), kViewModeLog);
  EXPECT_EQ(graph_.PointCount(), 60);
  EXPECT_EQ(graph_.WindowStart(), 21);
  EXPECT_EQ(graph_.CurrentIndex(), 29);
  EXPECT_EQ(graph_.Point(29).time, logGraph.Point(50).time);

  logGraph.SetCursor(105, false);
  graph_.ShowDetailWindowOf(logGraph);
  EXPECT_EQ(graph_.WindowStart(), 50);
  EXPECT_EQ(graph_.CurrentIndex(), 55);
  EXPECT_EQ(graph_.Point(55).segment, 1);
  EXPECT_FALSE(graph_.JoinsPrevious(50));  // the curve breaks between the logs
  EXPECT_EQ(view_.repaints, 3);
}

}  // namespace
