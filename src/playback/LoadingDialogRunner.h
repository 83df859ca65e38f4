#pragma once
// Runs one loading dialog "modally": returns only when the file's load has
// ended, with the dialog's result (kLoadResultLoaded, kLoadResultCancelled,
// kLoadResultFailed). The window shows a modal dialog that is the reader's
// observer; WaitingLoadingDialogRunner serves the command-line tool and the
// tests.

class LoadingDialogModel;

class LoadingDialogRunner {
 public:
  virtual ~LoadingDialogRunner() = default;
  virtual int Run(LoadingDialogModel& dialog) = 0;
  // Cancels the dialog that is running, if any (its card was pulled); its
  // Run then ends.
  virtual void CancelShown() {}
};
