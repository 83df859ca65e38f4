// Finding a point by time answers the same whether the list is searched by
// halves (points in time order) or scanned (a clock set back): checked
// against the plain scan over random lists with repeated times, negative
// times, gaps and keys on, between and outside the points.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "telemetry/GSensorGraphModel.h"
#include "telemetry/GraphTestPoints.h"

namespace {

// The scan the graph's answers must agree with.
int ScanFor(const std::vector<GraphPoint>& points, int64_t key, bool interval) {
  const int n = static_cast<int>(points.size());
  if (n == 0) return -1;
  if (key >= points.back().time) return n - 1;
  for (int i = 0; i + 1 < n; ++i) {
    if (interval && points[i].time <= key && key < points[i + 1].time) return i;
    if (!interval && points[i].time / 1000 == key / 1000) return i;
  }
  if (!interval && points.back().time / 1000 == key / 1000) return n - 1;
  return -1;
}

std::vector<GraphPoint> RandomPoints(std::mt19937& random, bool ordered) {
  std::uniform_int_distribution<int> count(0, 40);
  std::uniform_int_distribution<int> step(0, 2500);  // 0: a repeated time
  std::vector<GraphPoint> points(static_cast<size_t>(count(random)));
  int64_t t = std::uniform_int_distribution<int64_t>(-5000, 5000)(random);
  for (GraphPoint& p : points) {
    p.time = t;
    t += ordered ? step(random) : step(random) - 1500;
  }
  return points;
}

TEST(GraphFindTest, OrderedAndUnorderedListsAnswerAsTheScan) {
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    const bool ordered = round % 4 != 0;
    std::vector<GraphPoint> points = RandomPoints(random, ordered);
    GSensorGraphModel graph;
    graph.LoadPoints(kViewModeEvent, points);
    const int64_t low = points.empty() ? 0 : points.front().time - 3000;
    const int64_t high = points.empty() ? 0 : points.back().time + 3000;
    std::uniform_int_distribution<int64_t> keys(std::min(low, high), std::max(low, high));
    for (int k = 0; k < 30; ++k) {
      // Half the keys on a point's time exactly.
      const int64_t key =
          (k % 2 == 0 && !points.empty()) ? points[static_cast<size_t>(k) % points.size()].time : keys(random);
      ASSERT_EQ(graph.FindPointByTime(key, true), ScanFor(points, key, true)) << "round " << round << " key " << key;
      ASSERT_EQ(graph.FindPointByTime(key, false), ScanFor(points, key, false)) << "round " << round << " key " << key;
    }
  }
}

TEST(GraphFindTest, CursorFollowsTimeThroughALongNormalRecording) {
  // An hour at 10 frames a second: the cursor lands on the frame of each
  // time, across window cuts, forwards and back.
  GSensorGraphModel graph;
  graph.LoadPoints(kViewModeNormal, EvenPoints(36000, 0, 100));
  for (int64_t key : {0LL, 150LL, 600000LL, 3599950LL, 1800049LL, 250LL}) {
    graph.MoveCursorToTime(key);
    EXPECT_EQ(graph.WindowStart() + graph.CurrentIndex(), key / 100) << key;
  }
}

}  // namespace
