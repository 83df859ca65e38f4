#pragma once
// Runs one loading dialog "modally": returns only when the file's load has
// ended, with the dialog's result. The window shows a modal dialog that is
// the reader's observer; WaitingLoadingDialogRunner serves the command-line
// tool and the tests.

class LoadingDialogModel;

// What a loading dialog closes with.
enum class LoadResult { kLoaded = 1, kCancelled = 2, kFailed = 3 };

class LoadingDialogRunner {
 public:
  virtual ~LoadingDialogRunner() = default;
  virtual LoadResult Run(LoadingDialogModel& dialog) = 0;
  // Cancels the dialog that is running, if any (its card was pulled); its
  // Run then ends.
  virtual void CancelShown() {}
};
