#pragma once
// What the recording store asks of the window when it scans a card: reset
// what shows the old card, stop playback, show the new lists. Every call
// comes on the user-interface thread. The defaults do nothing, so the
// command-line tool and the tests need only what they look at.

#include <string>

#include "recording/CardCatalogue.h"

class StoreViewSink {
 public:
  virtual ~StoreViewSink() = default;

  // The three file lists and the loaded-file marks.
  virtual void ClearFileLists() {}
  virtual void ResetPicture() {}
  // Every digit display to 0, the date and time display to the local time now.
  virtual void ResetDisplays() {}
  virtual void ResetGraph() {}
  virtual void StopPlayback() {}
  virtual void SetWaitCursor(bool /*busy*/) {}
  // The lists read the store's catalogue again.
  virtual void RefreshFileLists() {}
  virtual void ShowFileList(FileListKind /*kind*/) {}
  // The chosen card or backup folder changed (empty: none is chosen).
  virtual void ShowRoot(const std::string& /*root*/) {}
  // What the scan did to the card that the lists cannot show (the files
  // the check-files pass removed), in a message box with the program's
  // title.
  virtual void ShowNotice(const std::string& /*text*/) {}
};
