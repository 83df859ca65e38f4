#pragma once
// What a finished load hands the loaded set to: the play controller, frame
// navigation, the G-sensor graphs and the digit displays (the map is the
// loading's MapView). The window wires these to the managers that own them; the
// defaults do nothing, so the command-line tool and the tests override only
// what they look at.

#include <cstdint>

#include "recording/FrameInfoVideo.h"

class LoadTargets {
 public:
  virtual ~LoadTargets() = default;

  // ---- play controller and frame navigation ------------------------------
  virtual void StopVideoPlay() {}
  virtual void StopLogPlay() {}
  // The recordings are loaded and the view mode set: the loaded run follows
  // them, before a recording is selected.
  virtual void RecordingsLoaded() {}
  virtual void SelectRecording(int /*index*/) {}
  virtual void ShowCurrentFrame(bool /*displayUpdate*/) {}
  // The current-frame snapshot takes gps as its GPS block.
  virtual void SetSnapshotGps(const GpsBlock& /*gps*/) {}

  // ---- log graph ---------------------------------------------------------
  virtual void ClearLogGraph() {}
  // Builds the log graph from every loaded log.
  virtual void LoadLogGraph() {}
  virtual int LogGraphPointCount() const { return 0; }
  // Show log record of graph point index (the log panes follow).
  virtual void ShowLogRecord(int /*point*/) {}

  // ---- digit displays ----------------------------------------------------
  virtual void ShowPosition(const GpsBlock& /*gps*/) {}
  // The position display and the speed read-out show no data.
  virtual void ClearPositionAndSpeed() {}
};
