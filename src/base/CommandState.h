#pragma once
// What the enabling rules of the window's commands look at: the facts of the
// loaded data and the settings, gathered once before the buttons and menus
// are brought up to date or a command runs.

#include "base/AppState.h"
#include "base/ViewLayout.h"

struct CommandState {
  ViewMode viewMode = kViewModeNone;
  bool videoLoaded = false;           // event or normal recordings are loaded
  bool logLoaded = false;             // logs are loaded
  bool cardHasLogs = false;           // the card holds a log that passed the check
  ViewLayout layout = kLayoutSingle;  // frame navigation's layout
  int currentModel = 0;
  int displaySpeed = 0;

  bool DataLoaded() const { return videoLoaded || logLoaded; }
};
