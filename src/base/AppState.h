#pragma once
// What the whole application shares about the loaded data: which kind of
// recording is loaded (every play command, display update and list asks)
// and whether the card holds a log that passed the check-files pass (the
// Log tab, the File menu and the backup dialog ask). One instance lives with
// the application; the recording store and the window hold a reference.

constexpr int kViewModeNone = 0;
constexpr int kViewModeEvent = 1;
constexpr int kViewModeLog = 2;
constexpr int kViewModeNormal = 99;

struct AppState {
  int viewMode = kViewModeNone;
  bool hasLogs = false;
};
