#pragma once
// The loading dialog without a window: the reader reports to a waiting
// observer, and the run blocks until the load has ended.

#include <functional>

#include "playback/LoadingDialogRunner.h"
#include "recording/WaitingLoadObserver.h"

class WaitingLoadingDialogRunner final : public LoadingDialogRunner {
 public:
  LoadResult Run(LoadingDialogModel& dialog) override;

  // Called on the runner's thread once the reader has been started, as a
  // user's click would come while the dialog is up; a caller that wants to
  // cancel calls LoadingDialogModel::Cancel on the observer it is given.
  void SetOnStarted(std::function<void(LoadingDialogModel&, LoadObserver&)> onStarted) {
    onStarted_ = std::move(onStarted);
  }

 private:
  WaitingLoadObserver observer_;
  std::function<void(LoadingDialogModel&, LoadObserver&)> onStarted_;
};
