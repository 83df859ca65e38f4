#pragma once
// What the playback managers push to the window. Each sink is what one part
// of the window does with the managers' decisions; the managers never paint
// and never ask a widget anything. Every call comes on the user-interface
// thread. The defaults do nothing, so the command-line tool and the tests
// override only what they look at.

#include <cstdint>

#include "base/ViewLayout.h"
#include "platform/DateTime.h"
#include "playback/PlayState.h"
#include "recording/FrameInfoVideo.h"

// The picture panes: pane contents live in the core (PaneSet); the window
// repaints a pane when told.
class PaneView {
 public:
  virtual ~PaneView() = default;
  virtual void SetLayout(ViewLayout /*layout*/) {}
  virtual void RepaintPane(int /*pane*/) {}
  virtual void SetSelectedPane(int /*pane*/) {}
  virtual void RepaintInfoPanel() {}
};

// The play-position slide bar of the back panel (seconds since its base time).
class SlideBarView {
 public:
  virtual ~SlideBarView() = default;
  // Base, start and end all at the local time now: an empty bar.
  virtual void ResetToNow() {}
  virtual void SetTimes(int64_t /*baseTimeKey*/, int64_t /*startTimeKey*/, int64_t /*endTimeKey*/) {}
  virtual void SetRange(int /*minSeconds*/, int /*maxSeconds*/) {}
  virtual void ClearMarks() {}
  virtual void AddMark(int /*seconds*/) {}
  virtual void SetPosition(int /*seconds*/) {}
};

// The parts of the back panel that follow what is loaded.
class BackPanelView {
 public:
  virtual ~BackPanelView() = default;
  virtual void ShowGpsPart(bool /*shown*/) {}
  virtual void RedrawSpeedReadout(bool /*withCaption*/) {}
  virtual void SetMapHasData(bool /*hasData*/) {}
  virtual void RepaintPlayButtons(PlayState /*playState*/) {}
};

// What playback asks of the map synchronisation; it comes in its own piece.
class MapView {
 public:
  virtual ~MapView() = default;
  // Brings the map up to date; 0 when there was nothing to show (the caller
  // then sends "noData").
  virtual int UpdateMap() { return 1; }
  virtual void SendNoData() {}
  virtual void MoveCenterMap(const GpsBlock& /*gps*/) {}
  // Message 1944: the current position moved (posted, at normal speeds only).
  virtual void PostPositionMoved() {}
  // The map follows the current position (its state 2).
  virtual void FollowCurrentPosition() {}
  virtual void ClearRoute() {}
  virtual void AddRoutePoint(int /*recording*/, int /*frame*/, double /*latitude*/, double /*longitude*/,
                             int /*kind*/) {}
  virtual void DrawRoute() {}
  virtual bool InUse() const { return true; }
};

// The lists of the search window that navigation drives.
class LoadedListView {
 public:
  virtual ~LoadedListView() = default;
  // Selects the loaded-recordings row whose item value is recording.
  virtual void SelectLoadedRecordingRow(int /*recording*/) {}
  // Selects the loaded-logs row of log.
  virtual void SelectLoadedLogRow(int /*log*/) {}
};
