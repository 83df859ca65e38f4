#pragma once
// What the rules of the window's commands look at: the facts of the loaded
// data, gathered once before the buttons are brought up to date or a command
// runs, and for a menu also the settings its ticks show.

#include "base/AppState.h"
#include "base/ViewLayout.h"

struct CommandState {
  ViewMode viewMode = kViewModeNone;
  bool videoLoaded = false;           // event or normal recordings are loaded
  bool logLoaded = false;             // logs are loaded
  bool cardHasLogs = false;           // the card holds a log that passed the check
  ViewLayout layout = kLayoutSingle;  // frame navigation's layout
  // Only for the ticks of the menus; 0 elsewhere.
  int currentModel = 0;
  int displaySpeed = 0;
  bool continuousPlay = false;
  bool speedInMph = false;

  bool DataLoaded() const { return videoLoaded || logLoaded; }
};
