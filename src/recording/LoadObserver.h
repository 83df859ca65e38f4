#pragma once
// What a reader reports to the loading dialog while it loads a recording:
// a status word, the completion message and a progress bar. The dialog
// implements it; so do the command-line tool and the tests.

#include <atomic>

// Values of the status word.
enum class LoadStatus {
  kRunning = 1,  // set by the dialog before a load; left on success
  kCancel = 2,   // written by the dialog to stop a running worker
  kFailed = 3,   // written by the reader
};

class LoadObserver {
 public:
  virtual ~LoadObserver() = default;

  // Read by the worker before each picture or line; written by both sides.
  std::atomic<LoadStatus>& Status() { return status_; }

  // The load has ended in any way, done, cancelled or failed. Called
  // once per load, possibly from a worker thread: implementations post it on.
  virtual void PostLoadEnded() = 0;

  // The progress bar, driven by the workers (possibly from their threads).
  virtual void SetProgressRange(int low, int high) = 0;
  virtual void SetProgressPos(int pos) = 0;
  virtual void ShowProgress() = 0;

 private:
  std::atomic<LoadStatus> status_{LoadStatus::kRunning};
};
