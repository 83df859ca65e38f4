#pragma once
// The loading dialog's protocol, one dialog per file: its caption, the
// reader it starts on the store's entry, the request word the reader and
// the Cancel button share, and the result it closes with once the reader's
// completion has arrived. The window's modal dialog and the waiting runner
// of the command-line tool and the tests both drive it; either is the
// reader's observer.

#include <string>

#include "playback/LoadingDialogRunner.h"
#include "recording/LoadObserver.h"

class CMgrDBSearch;

// Kinds of file a dialog loads (the view mode each load leads to).
constexpr int kLoadKindEvent = 1;
constexpr int kLoadKindLog = 2;
constexpr int kLoadKindNormal = 99;

class LoadingDialogModel {
 public:
  // Loads path into entry index (of total) of the store's video array for
  // the video kinds, of its log array for the log kind.
  LoadingDialogModel(CMgrDBSearch& store, int kind, int index, int total, std::string path);

  // "EVENT File Loading  [ 2 / 5 ]".
  std::string Caption() const;
  static std::string CancelCaption();
  // The kind's title, also the caption of the loading's message boxes.
  static std::string KindTitle(int kind);

  int Kind() const { return kind_; }
  int Index() const { return index_; }
  int Total() const { return total_; }
  const std::string& Path() const { return path_; }
  bool IsVideo() const { return kind_ != kLoadKindLog; }
  // Video kinds keep the dialog hidden; only a log load shows it.
  bool ShowsItself() const { return !IsVideo(); }

  // Sets the request word to running and starts the reader with observer
  // as its progress and completion sink. The reader ends every load, even
  // one that cannot start, with the observer's PostLoadEnded. False when the
  // entry does not exist (nothing was started and nothing will end).
  bool Start(LoadObserver& observer);

  // The Cancel button: asks the reader to stop; the dialog stays open.
  static void Cancel(LoadObserver& observer);

  // The reader's completion has arrived: the result the dialog closes with.
  // A log entry that was cancelled or failed is released here.
  LoadResult Complete(LoadObserver& observer);

 private:
  CMgrDBSearch& store_;
  int kind_;
  int index_;
  int total_;
  std::string path_;
};
