#pragma once
// What the whole application shares about the loaded data: which kind of
// recording is loaded (every play command, display update and list asks)
// and whether the card holds a log that passed the check-files pass (the
// Log tab, the File menu and the backup dialog ask). One instance lives with
// the application; the recording store and the window hold a reference.

// Which kind of recording is loaded (the recorder software's numbers).
enum class ViewMode : int {
  kViewModeNone = 0,
  kViewModeEvent = 1,
  kViewModeLog = 2,
  kViewModeNormal = 99,
};
using enum ViewMode;

struct AppState {
  ViewMode viewMode = kViewModeNone;
  bool hasLogs = false;
};
