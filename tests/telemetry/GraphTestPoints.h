#pragma once
// Point lists and a recording graph view for the G-sensor graph tests.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "telemetry/GraphPoint.h"
#include "telemetry/TelemetryViews.h"

inline std::vector<GraphPoint> PointsAt(std::initializer_list<int64_t> times, uint8_t segment = 0) {
  std::vector<GraphPoint> points;
  for (int64_t t : times) {
    GraphPoint p;
    p.segment = segment;
    p.time = t;
    points.push_back(p);
  }
  return points;
}

// count points from start, step milliseconds apart.
inline std::vector<GraphPoint> EvenPoints(int count, int64_t start, int64_t step, uint8_t segment = 0) {
  std::vector<GraphPoint> points(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    points[static_cast<size_t>(i)].segment = segment;
    points[static_cast<size_t>(i)].time = start + step * i;
  }
  return points;
}

inline std::vector<GraphPoint> Joined(std::vector<GraphPoint> a, const std::vector<GraphPoint>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct RecordingGraphView : GraphView {
  int repaints = 0;
  int cursorRepaints = 0;
  std::vector<int> posted;
  std::vector<int> sent;

  void Repaint() override { ++repaints; }
  void RepaintCursor() override { ++cursorRepaints; }
  void PostPointChosen(int index) override { posted.push_back(index); }
  void SendPointChosen(int index) override { sent.push_back(index); }
};
