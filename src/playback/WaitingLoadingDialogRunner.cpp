#include "playback/WaitingLoadingDialogRunner.h"

#include "playback/LoadingDialogModel.h"

namespace {

// The readers end every load; the wait only wakes up now and then.
constexpr int kWaitSliceMs = 1000;

}  // namespace

LoadResult WaitingLoadingDialogRunner::Run(LoadingDialogModel& dialog) {
  observer_.BeginLoad();
  if (!dialog.Start(observer_)) return LoadResult::kFailed;
  if (onStarted_) onStarted_(dialog, observer_);
  while (!observer_.WaitForLoadEnded(kWaitSliceMs)) {
  }
  return dialog.Complete(observer_);
}
