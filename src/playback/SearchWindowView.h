#pragma once
// What the loading pushes to the search window: its overall progress strip,
// the list boxes that replace the file lists after a load, and the wait
// message while the log view is set up. Every call comes on the
// user-interface thread; the defaults do nothing (the wait message runs its
// work at once), so the command-line tool and the tests override only what
// they look at.

#include <functional>
#include <string>
#include <vector>

#include "playback/LoadedListRows.h"
#include "recording/CardCatalogue.h"

class SearchWindowView {
 public:
  virtual ~SearchWindowView() = default;

  // The overall progress strip: shown with range 0..total at position 0.
  virtual void ShowProgressStrip(int /*total*/) {}
  virtual void SetProgressPos(int /*pos*/) {}
  virtual void HideProgressStrip() {}

  // The check marks of a file list changed without a click (a refused log
  // load unchecks every row).
  virtual void RefreshChecks(FileListKind /*kind*/) {}

  // After a video load: the file lists, Load and Check All / UnCheck All
  // are hidden and the loaded-recordings list box is shown with rows,
  // selectedRow selected; the event marker button only in normal mode.
  virtual void ShowLoadedRecordings(const std::vector<LoadedListRow>& /*rows*/, int /*selectedRow*/,
                                    bool /*withMarkerButton*/) {}

  // After a log load: the loaded-logs list box gets rows, selectedRow
  // selected.
  virtual void ShowLoadedLogs(const std::vector<LoadedListRow>& /*rows*/, int /*selectedRow*/) {}
  // Then Check All, UnCheck All and Load are hidden, Close is shown and the
  // log list stays visible but disabled.
  virtual void ShowLogsLoaded() {}

  // Shows text in a wait box while work runs on this thread.
  virtual void RunWithWaitMessage(const std::string& /*text*/, const std::function<void()>& work) { work(); }
};
