#include "telemetry/GSensorGraphModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/TimeKey.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"
#include "telemetry/GraphLabels.h"

namespace {

constexpr uint16_t kFirstRealYear = 1900;

GraphPoint VideoPoint(const FRAMEINFOVIDEO& frame) {
  GraphPoint point;
  point.x = frame.gX;
  point.y = frame.gY;
  point.z = frame.gZ;
  point.time = PointTimeOfFrame(frame.time);
  point.kind = frame.frameKind;
  point.event = frame.eventBits;
  return point;
}

GraphPoint LogPoint(const FRAMEINFOLOG& record, size_t logIndex) {
  GraphPoint point;
  point.segment = static_cast<uint8_t>(logIndex);
  point.x = record.gX;
  point.y = record.gY;
  point.z = record.gZ;
  point.time = record.time;
  return point;
}

bool TimeOrdered(std::span<const GraphPoint> points) {
  return std::is_sorted(points.begin(), points.end(),
                        [](const GraphPoint& a, const GraphPoint& b) { return a.time < b.time; });
}

// Points in time order (the usual case) are searched by halves, so a cursor
// that follows play costs the same at the end of an hour as at its start;
// the first match of the scan is the only one there, so both give the same
// index. Out-of-order lists (a recorder clock set back) keep the scan.
int FindInPoints(std::span<const GraphPoint> points, int64_t key, bool interval, bool ordered) {
  const int n = static_cast<int>(points.size());
  if (n == 0) return -1;
  if (key >= points[n - 1].time) return n - 1;
  const int64_t second = key / 1000;
  if (ordered) {
    if (interval) {
      const auto after = std::upper_bound(points.begin(), points.end(), key,
                                          [](int64_t k, const GraphPoint& p) { return k < p.time; });
      return static_cast<int>(after - points.begin()) - 1;
    }
    const auto from = std::lower_bound(points.begin(), points.end(), second,
                                       [](const GraphPoint& p, int64_t s) { return p.time / 1000 < s; });
    return from != points.end() && from->time / 1000 == second ? static_cast<int>(from - points.begin()) : -1;
  }
  if (interval) {
    for (int i = 0; i + 1 < n; ++i)
      if (points[i].time <= key && key < points[i + 1].time) return i;
    return -1;
  }
  for (int i = 0; i < n; ++i)
    if (points[i].time / 1000 == second) return i;
  return -1;
}

int64_t Distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

}  // namespace

int64_t PointTimeOfFrame(const DateTime& time) {
  if (time.year < kFirstRealYear) return time.milliseconds;
  return MakeTimeKey(time);
}

std::span<const GraphPoint> GSensorGraphModel::Plotted() const {
  return std::span<const GraphPoint>(all_).subspan(static_cast<size_t>(window_.first),
                                                   static_cast<size_t>(window_.count));
}

void GSensorGraphModel::SetPoints(std::vector<GraphPoint> points, PointRange window, int current, int sourceStart) {
  all_ = std::move(points);
  all_.shrink_to_fit();
  timeOrdered_ = TimeOrdered(all_);
  window_ = window;
  current_ = current;
  sourceStart_ = sourceStart;
  press_.reset();
  hardPeaks_.clear();
  Repainted(true);
}

void GSensorGraphModel::LoadVideoRecording(const CInfoEventFile& recording, ViewMode viewMode) {
  std::vector<GraphPoint> points;
  points.reserve(static_cast<size_t>(recording.FrameCount()));
  for (const FRAMEINFOVIDEO& frame : recording.Frames()) points.push_back(VideoPoint(frame));
  LoadPoints(viewMode == kViewModeNormal ? kViewModeNormal : kViewModeEvent, std::move(points));
}

void GSensorGraphModel::LoadLogs(const std::vector<std::unique_ptr<CInfoLogFile>>& logs) {
  std::vector<GraphPoint> points;
  size_t total = 0;
  for (const auto& log : logs)
    if (log) total += static_cast<size_t>(std::max(log->RecordCount(), 0));
  points.reserve(total);
  for (size_t logIndex = 0; logIndex < logs.size(); ++logIndex) {
    const CInfoLogFile* log = logs[logIndex].get();
    if (!log) continue;
    for (int r = 0; r < log->RecordCount(); ++r)
      if (const FRAMEINFOLOG* record = log->Record(r)) points.push_back(LogPoint(*record, logIndex));
  }
  LoadPoints(kViewModeLog, std::move(points));
}

void GSensorGraphModel::LoadPoints(ViewMode mode, std::vector<GraphPoint> points) {
  mode_ = mode;
  const int count = static_cast<int>(points.size());
  const PointRange window = mode == kViewModeNormal ? CutNormalWindow(points, 0) : PointRange{0, count};
  const int current = (mode == kViewModeLog || count == 0) ? -1 : 0;
  SetPoints(std::move(points), window, current, 0);
}

void GSensorGraphModel::Clear() { SetPoints({}, {}, -1, 0); }

const GraphPoint& GSensorGraphModel::Point(int index) const {
  static const GraphPoint kNone{};
  if (index < 0 || index >= window_.count) return kNone;
  return all_[static_cast<size_t>(window_.first + index)];
}

bool GSensorGraphModel::SetCursor(int index, bool repaint) {
  if (index < 0 || index >= window_.count) return false;
  current_ = index;
  if (repaint && view_) view_->RepaintCursor();
  return true;
}

int GSensorGraphModel::FindPointByTime(int64_t key, bool interval) const {
  return FindInPoints(Plotted(), key, interval, timeOrdered_);
}

void GSensorGraphModel::MoveCursorToTime(int64_t key) {
  if (window_.count == 0) return;
  if (mode_ == kViewModeNormal) {
    MoveCursorInNormalWindow(key);
    return;
  }
  SetCursor(FindPointByTime(key, true), true);
}

bool GSensorGraphModel::MoveCursorInNormalWindow(int64_t key) {
  const int found = FindInPoints(all_, key, true, timeOrdered_);
  if (found < 0) return false;
  if (!NormalWindowNeedsCut(all_, window_, found)) return SetCursor(found - window_.first, true);
  window_ = CutNormalWindow(all_, found);
  current_ = found - window_.first;
  return Repainted(true);
}

void GSensorGraphModel::ShowDetailWindowOf(const GSensorGraphModel& logGraph) {
  const std::span<const GraphPoint> source = logGraph.Plotted();
  const PointRange range = LogDetailWindow(source, logGraph.CurrentIndex());
  const auto from = source.begin() + range.first;
  std::vector<GraphPoint> points(from, from + range.count);
  mode_ = kViewModeLog;
  const int current = range.count > 0 ? logGraph.CurrentIndex() - range.first : -1;
  SetPoints(std::move(points), {0, range.count}, current, range.first);
}

bool GSensorGraphModel::Repainted(bool changed) {
  if (changed && view_) view_->Repaint();
  return changed;
}

bool GSensorGraphModel::SetScale(int command) { return Repainted(scale_.SetScale(command)); }
bool GSensorGraphModel::ZoomIn() { return Repainted(scale_.ZoomIn()); }
bool GSensorGraphModel::ZoomOut() { return Repainted(scale_.ZoomOut()); }
bool GSensorGraphModel::ZoomDefault() { return Repainted(scale_.ZoomDefault()); }

int64_t GSensorGraphModel::PlottedSpan() const {
  if (window_.count == 0) return 0;
  return Point(window_.count - 1).time - Point(0).time;
}

int64_t GSensorGraphModel::TimeAtX(int x, int width) const {
  if (window_.count == 0) return 0;
  const int64_t t0 = Point(0).time;
  const int64_t span = PlottedSpan();
  if (width <= 0 || span <= 0) return t0;
  const int clampedX = std::clamp(x, 0, width);
  const auto offset = static_cast<int64_t>(static_cast<long double>(span) * clampedX / width);
  return t0 + std::clamp<int64_t>(offset, 0, span);
}

int GSensorGraphModel::XAtTime(int64_t time, int width) const {
  if (window_.count == 0 || width <= 0) return 0;
  const int64_t t0 = Point(0).time;
  const int64_t span = PlottedSpan();
  if (span <= 0) return 0;
  const int64_t offset = std::clamp<int64_t>(time - t0, 0, span);
  const auto x = static_cast<int64_t>(static_cast<long double>(offset) * width / span);
  return static_cast<int>(std::clamp<int64_t>(x, 0, width));
}

int GSensorGraphModel::YAtValue(float value, int height) const {
  const double range = static_cast<double>(scale_.maximum) - scale_.minimum;
  if (height <= 0 || !(range > 0)) return 0;
  if (std::isnan(value)) value = 0;
  const double pixelsPerG = height / range;
  const double zeroLine = scale_.maximum * pixelsPerG;
  const double y = std::clamp(zeroLine - value * pixelsPerG, 0.0, static_cast<double>(height - 1));
  return static_cast<int>(y);
}

int GSensorGraphModel::PointForMouseX(int x, int width) const { return PointForTime(TimeAtX(x, width)); }

int GSensorGraphModel::PointForTime(int64_t time) const {
  if (window_.count == 0) return -1;
  const int found = FindPointByTime(time, mode_ != kViewModeLog);
  return std::min(found, window_.count - 1);
}

void GSensorGraphModel::OnPlotPress(int x, int width) {
  press_.reset();
  if (window_.count == 0) return;
  press_ = Press{x, TimeAtX(x, width)};
}

void GSensorGraphModel::OnPlotDrag(int x, int width) {
  if (window_.count == 0) return;
  if (press_ && std::abs(x - press_->x) <= kClickSlopPx) return;
  press_.reset();
  const int index = PointForMouseX(x, width);
  if (index < 0 && mode_ != kViewModeLog) return;
  if (index != current_ && view_) view_->PostPointChosen(index);
}

void GSensorGraphModel::OnPlotRelease(int x, int width) {
  const std::optional<Press> press = std::exchange(press_, std::nullopt);
  if (window_.count == 0) return;
  const int index = press ? PointForTime(press->time) : PointForMouseX(x, width);
  if (index < 0 && mode_ != kViewModeLog) return;
  if (view_) view_->SendPointChosen(index);
}

bool GSensorGraphModel::JoinsPrevious(int index) const {
  if (index < 1 || index >= window_.count) return false;
  const GraphPoint& previous = Point(index - 1);
  const GraphPoint& point = Point(index);
  return point.segment == previous.segment && Distance(point.time, previous.time) <= kJoinGapMs;
}

std::vector<EventMarkStretch> GSensorGraphModel::EventMarkStretches() const {
  std::vector<EventMarkStretch> stretches;
  const std::span<const GraphPoint> points = Plotted();
  const int n = static_cast<int>(points.size());
  for (int i = 0; i < n;) {
    const uint8_t kind = points[i].kind;
    int last = i;
    while (last + 1 < n && points[last + 1].kind == kind) ++last;
    if (kind == kPointKindBeforeEvent || kind == kPointKindAfterEvent) stretches.push_back({i, last, kind});
    i = last + 1;
  }
  return stretches;
}

std::vector<int> GSensorGraphModel::TriggerMomentPoints() const {
  std::vector<int> moments;
  const std::span<const GraphPoint> points = Plotted();
  for (size_t i = 1; i < points.size(); ++i)
    if (points[i].kind == kPointKindAfterEvent && points[i - 1].kind != kPointKindAfterEvent)
      moments.push_back(static_cast<int>(i));
  return moments;
}

void GSensorGraphModel::SetHardPeaks(std::vector<int64_t> times) {
  hardPeaks_ = std::move(times);
  Repainted(true);
}

std::vector<int> GSensorGraphModel::HardPeakPoints() const {
  std::vector<int> points;
  for (const int64_t time : hardPeaks_) {
    const int index = FindPointByTime(time, true);
    if (index >= 0 && Point(index).time == time) points.push_back(index);
  }
  return points;
}

bool GSensorGraphModel::ShowsTriggerTime() const { return PlottedSpan() < kTriggerLabelSpanMs; }

std::vector<std::string> GSensorGraphModel::ValueLabels() const {
  return GraphValueLabels(scale_.maximum, scale_.minimum);
}

std::string GSensorGraphModel::StartTimeText() const { return PointTimeText(0); }

std::string GSensorGraphModel::EndTimeText() const { return PointTimeText(window_.count - 1); }

std::string GSensorGraphModel::PointTimeText(int index) const {
  if (index < 0 || index >= window_.count) return {};
  return GraphTimeText(Point(index).time);
}
