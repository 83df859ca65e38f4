#pragma once
// The 29-second window of a normal recording that the graph plots, and the
// 60-record detail window of the log graph. Both work on index ranges of a
// point list, so the graph only copies or offsets.

#include <cstdint>
#include <span>

#include "telemetry/GraphPoint.h"

struct PointRange {
  int first = 0;
  int count = 0;  // 0 = empty
  int Last() const { return first + count - 1; }
  bool Holds(int index) const { return index >= first && index < first + count; }
  friend bool operator==(const PointRange&, const PointRange&) = default;
};

constexpr int64_t kNormalWindowSpanMs = 29000;
constexpr int64_t kNormalWindowHalfMs = 14500;
constexpr int64_t kNormalWindowKeepMs = 967;

// Whether the window must be cut anew for a cursor on point current of the
// full list; window is the plotted range.
bool NormalWindowNeedsCut(std::span<const GraphPoint> all, PointRange window, int current);

// The window around point current of the full list (the whole list when it
// spans at most 29 seconds).
PointRange CutNormalWindow(std::span<const GraphPoint> all, int current);

constexpr int kDetailWindowRecords = 60;
constexpr int kDetailWindowBack = 29;

// The detail window of the log points around point current: empty when
// current lies outside the list.
PointRange LogDetailWindow(std::span<const GraphPoint> points, int current);
