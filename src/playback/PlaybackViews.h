#pragma once
// What the playback managers push to the window. Each sink is what one part
// of the window does with the managers' decisions; the managers never paint
// and never ask a widget anything. Every call comes on the user-interface
// thread. The defaults do nothing, so the command-line tool and the tests
// override only what they look at.

#include <cstdint>
#include <string>

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
  // A notice about what is shown, in a message box with the program's title.
  virtual void ShowNotice(const std::string& /*text*/) {}
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

// What playback asks of the map synchronisation (mapctrl implements it).
// The quiet default shows no map.
class MapView {
 public:
  virtual ~MapView() = default;

  // ---- loading -------------------------------------------------------------
  // Before a load that has positions: whether the page may run its scripts.
  virtual void CheckMapSecurity() {}
  // The view mode is set: the trigger markers of the loaded video recordings.
  virtual void MakeTriggerPoints() {}
  // The log graph holds the loaded logs: the trigger markers of their event
  // runs; how many there are.
  virtual int MakeLogTriggerPoints() { return 0; }
  // The load is complete: the page is (re)loaded and, with the map enabled,
  // waited for so that it receives the markers.
  virtual void ShowLoadedData() {}
  // What was loaded is gone (Close, another card, a failed load): no marker,
  // route or arrow of it may stay.
  virtual void ClearLoadedData() {}

  // ---- position ------------------------------------------------------------
  // Brings the map up to date when its page is ready; "noData" when there
  // was nothing to show.
  virtual void RefreshMap() {}
  // Pans the map to a point and moves the position arrow there.
  virtual void MoveCenterMap(int /*recording*/, int /*point*/, double /*latitude*/, double /*longitude*/) {}
  // Rebuilds and sends the route of the current recording.
  virtual void DrawRecordingRoute() {}
  // The current position moved (posted, at normal speeds only).
  virtual void PostPositionMoved() {}
  // The map follows the current position (its state 2).
  virtual void FollowCurrentPosition() {}
  // Whether the map is enabled at all.
  virtual bool InUse() const { return false; }
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
