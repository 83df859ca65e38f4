#pragma once
// A load observer for callers without a window: it records the progress the
// reader reports and lets the caller block until the load has ended.

#include <condition_variable>
#include <functional>
#include <mutex>

#include "recording/LoadObserver.h"

class WaitingLoadObserver final : public LoadObserver {
 public:
  // Status 1 and no load ended yet: call before each load.
  void BeginLoad();

  void PostLoadEnded() override;
  void SetProgressRange(int low, int high) override;
  void SetProgressPos(int pos) override;
  void ShowProgress() override;

  // Called (on the reader's thread) after each progress position, for a
  // caller that wants to react mid-load, such as cancelling it.
  void SetOnProgress(std::function<void(int pos)> onProgress);

  // Waits until the load has ended or timeoutMs passed; true when it ended.
  bool WaitForLoadEnded(int timeoutMs);

  int EndedCount() const;
  int ProgressLow() const;
  int ProgressHigh() const;
  int ProgressPos() const;
  int ProgressPosCount() const;
  bool ProgressShown() const;

 private:
  mutable std::mutex lock_;
  std::condition_variable ended_;
  int endedCount_ = 0;
  int low_ = 0;
  int high_ = 0;
  int pos_ = 0;
  int posCount_ = 0;
  bool shown_ = false;
  std::function<void(int)> onProgress_;
};
