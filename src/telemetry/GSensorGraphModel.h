#pragma once
// One G-sensor graph: the point list it plots, its cursor, its scale and
// what a mouse position over the plot selects. Two instances exist: the
// graph of the G-sensor window (the current video recording, or in log mode
// a 60-record detail window) and the log graph (every loaded log record; its
// cursor is the log play position).
//
// In normal mode the model keeps every point of the recording and plots a
// window of about 29 seconds of them; indices (CurrentIndex, Point, the
// mouse) are those of the plotted list.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "telemetry/GraphPoint.h"
#include "telemetry/GraphScale.h"
#include "telemetry/NormalWindow.h"
#include "telemetry/TelemetryViews.h"

class CInfoEventFile;
class CInfoLogFile;
struct DateTime;

// The time a frame plots at: its time key, or just its milliseconds for a
// frame dated before 1900 (the recorder's clock not yet set), so such frames
// do not stretch the span of the others.
int64_t PointTimeOfFrame(const DateTime& time);

// Points of kind 2 or 3 that follow one another, marked at their ends.
struct EventMarkStretch {
  int first = 0;
  int last = 0;
  uint8_t kind = 0;
  friend bool operator==(const EventMarkStretch&, const EventMarkStretch&) = default;
};

class GSensorGraphModel {
 public:
  // Consecutive points further apart than this are not joined by a line.
  static constexpr int64_t kJoinGapMs = 1100;
  // The trigger moment's time is written beside its mark below this span.
  static constexpr int64_t kTriggerLabelSpanMs = 60000;
  // A press and release no further apart than this are a click.
  static constexpr int kClickSlopPx = 2;

  GSensorGraphModel() = default;

  void SetView(GraphView* view) { view_ = view; }

  void SetMode(ViewMode mode) { mode_ = mode; }
  ViewMode Mode() const { return mode_; }

  // One point per frame; view mode 99 plots the window around point 0, any
  // other mode every frame (event mode). The cursor goes to point 0.
  void LoadVideoRecording(const CInfoEventFile& recording, ViewMode viewMode);
  // Log mode: one point per record of every log, in log order, the segment
  // being the log's index. No cursor until one is set.
  void LoadLogs(const std::vector<std::unique_ptr<CInfoLogFile>>& logs);
  // Plots points in mode: the normal mode cuts its window around point 0;
  // the cursor goes to point 0 in the video modes, nowhere in log mode.
  void LoadPoints(ViewMode mode, std::vector<GraphPoint> points);
  // No points, no cursor; repaints.
  void Clear();

  int PointCount() const { return window_.count; }
  // A zeroed point outside 0..PointCount() - 1.
  const GraphPoint& Point(int index) const;
  int CurrentIndex() const { return current_; }

  // Ignored outside the plotted list; the flag repaints the cursor strip.
  bool SetCursor(int index, bool repaint);
  // -1 without points; the last index at or after the last point's time;
  // with interval the i with time(i) <= key < time(i + 1), else the first
  // point in the same whole second as key; -1 when none.
  int FindPointByTime(int64_t key, bool interval) const;
  // The cursor follows a frame time: found by interval, and in normal mode
  // the window is cut anew where the rules ask for it.
  void MoveCursorToTime(int64_t key);

  // Makes this graph plot the 60-record window of logGraph around its
  // current point, with that point as the cursor (log mode). Empty when the
  // log graph has no current point.
  void ShowDetailWindowOf(const GSensorGraphModel& logGraph);
  // Where the plotted list starts in the full list (normal window or detail
  // window); 0 otherwise.
  int WindowStart() const { return window_.first + sourceStart_; }
  int FullPointCount() const { return static_cast<int>(all_.size()); }

  // The scale commands; each repaints when it changed the graph.
  bool SetScale(int command);
  bool ZoomIn();
  bool ZoomOut();
  bool ZoomDefault();
  float Maximum() const { return scale_.maximum; }
  float Minimum() const { return scale_.minimum; }
  int ZoomLevel() const { return scale_.zoomLevel; }

  // Plot mapping over a plot width pixels wide, limited to its edges and to
  // the plotted time span.
  int64_t TimeAtX(int x, int width) const;
  int XAtTime(int64_t time, int width) const;
  // The row of a value in a plot height pixels high, limited to the plot.
  int YAtValue(float value, int height) const;

  // The point a mouse x selects: by interval in the video modes, by whole
  // second in log mode; -1 for a miss or without points.
  int PointForMouseX(int x, int width) const;
  // The same for a time on the plot.
  int PointForTime(int64_t time) const;
  // A press only takes note of the point under it: a seek would move the
  // normal window, and the release would then pick its point in the moved
  // window. A click is one seek, on release, to the point pressed.
  void OnPlotPress(int x, int width);
  // Dragging: posts the point when it differs from the
  // cursor; a miss ends the handling in the video modes, in log mode it is
  // passed on as -1. Moves within kClickSlopPx of the press are no drag.
  void OnPlotDrag(int x, int width);
  // Released: sends the point pressed when the mouse never
  // left it, else the point under the release, with the same miss rule.
  void OnPlotRelease(int x, int width);

  // Whether point i is joined to point i - 1 by a line.
  bool JoinsPrevious(int index) const;
  std::vector<EventMarkStretch> EventMarkStretches() const;
  // Points of kind 3 right after a point of another kind.
  std::vector<int> TriggerMomentPoints() const;
  // The times of the hard moments' peaks among the points; new points
  // forget them. The plotted points at those times are marked.
  void SetHardPeaks(std::vector<int64_t> times);
  std::vector<int> HardPeakPoints() const;
  bool ShowsTriggerTime() const;

  // Texts of the control: value labels from the maximum down, start and end
  // time of the plotted list, and a point's time beside its trigger mark.
  std::vector<std::string> ValueLabels() const;
  std::string StartTimeText() const;
  std::string EndTimeText() const;
  std::string PointTimeText(int index) const;

 private:
  std::span<const GraphPoint> Plotted() const;
  void SetPoints(std::vector<GraphPoint> points, PointRange window, int current, int sourceStart);
  bool MoveCursorInNormalWindow(int64_t key);
  bool Repainted(bool changed);
  int64_t PlottedSpan() const;

  GraphView* view_ = nullptr;
  ViewMode mode_ = kViewModeEvent;
  std::vector<GraphPoint> all_;
  bool timeOrdered_ = true;  // all_ by non-decreasing time
  PointRange window_;
  int sourceStart_ = 0;  // of a detail window in the log graph
  int current_ = -1;
  GraphScale scale_;
  // The press of a click still in progress: its x and the time under it
  // (a time, not an index: play may cut the normal window meanwhile).
  struct Press {
    int x = 0;
    int64_t time = 0;
  };
  std::optional<Press> press_;
  std::vector<int64_t> hardPeaks_;
};
