#include "telemetry/NormalWindow.h"

#include <algorithm>

namespace {

int64_t Span(std::span<const GraphPoint> all) { return all.back().time - all.front().time; }

PointRange Whole(std::span<const GraphPoint> all) { return {0, static_cast<int>(all.size())}; }

int64_t Distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

// The first point from index from on whose time is at least limit; the
// last point when none is.
int FirstAtOrAfter(std::span<const GraphPoint> all, int from, int64_t limit) {
  const int n = static_cast<int>(all.size());
  for (int j = from; j < n; ++j)
    if (all[j].time >= limit) return j;
  return n - 1;
}

// The latest point up to index upTo whose time is at most limit; point 0
// when none is.
int LastAtOrBefore(std::span<const GraphPoint> all, int upTo, int64_t limit) {
  for (int j = upTo; j >= 0; --j)
    if (all[j].time <= limit) return j;
  return 0;
}

}  // namespace

bool NormalWindowNeedsCut(std::span<const GraphPoint> all, PointRange window, int current) {
  const int n = static_cast<int>(all.size());
  if (n == 0 || current < 0 || current >= n) return false;
  if (Span(all) <= kNormalWindowSpanMs) return window != Whole(all);
  if (!window.Holds(current)) return true;

  const int64_t t = all[current].time;
  const bool nearStart = t - all.front().time <= kNormalWindowHalfMs;
  if (nearStart && window.first == 0) return false;
  const bool nearEnd = all.back().time - t <= kNormalWindowHalfMs;
  if (nearEnd && window.Last() == n - 1) return false;
  const GraphPoint& middle = all[window.first + window.count / 2];
  return Distance(t, middle.time) >= kNormalWindowKeepMs;
}

PointRange CutNormalWindow(std::span<const GraphPoint> all, int current) {
  const int n = static_cast<int>(all.size());
  if (n == 0) return {};
  if (Span(all) <= kNormalWindowSpanMs) return Whole(all);
  current = std::clamp(current, 0, n - 1);

  const int64_t t = all[current].time;
  const int64_t t0 = all.front().time;
  const int64_t t1 = all.back().time;
  int first = 0;
  int last = n - 1;
  if (t - t0 < kNormalWindowHalfMs) {
    last = FirstAtOrAfter(all, 0, t0 + kNormalWindowSpanMs);
  } else if (t1 - t < kNormalWindowHalfMs) {
    first = LastAtOrBefore(all, n - 1, t1 - kNormalWindowSpanMs);
  } else {
    first = LastAtOrBefore(all, current, t - kNormalWindowHalfMs);
    last = FirstAtOrAfter(all, current, t + kNormalWindowHalfMs);
  }
  // Times that run backwards must not leave the cursor outside its window.
  first = std::min(first, current);
  last = std::max(last, current);
  return {first, last - first + 1};
}

PointRange LogDetailWindow(std::span<const GraphPoint> points, int current) {
  const int n = static_cast<int>(points.size());
  if (current < 0 || current >= n) return {};

  const uint8_t segment = points[current].segment;
  int first = current;
  while (first > current - kDetailWindowBack && first > 0 && points[first - 1].segment == segment) --first;
  int last = current;
  while (last < first + kDetailWindowRecords - 1 && last + 1 < n && points[last + 1].segment == segment) ++last;
  if (last - first + 1 < kDetailWindowRecords && n >= kDetailWindowRecords)
    first = std::max(0, last - (kDetailWindowRecords - 1));
  return {first, last - first + 1};
}
