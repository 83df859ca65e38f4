#include "recording/WaitingLoadObserver.h"

#include <chrono>
#include <utility>

void WaitingLoadObserver::BeginLoad() {
  std::lock_guard guard(lock_);
  Status().store(LoadStatus::kRunning);
  endedCount_ = 0;
  low_ = high_ = pos_ = posCount_ = 0;
  shown_ = false;
}

void WaitingLoadObserver::PostLoadEnded() {
  {
    std::lock_guard guard(lock_);
    ++endedCount_;
  }
  ended_.notify_all();
}

void WaitingLoadObserver::SetProgressRange(int low, int high) {
  std::lock_guard guard(lock_);
  low_ = low;
  high_ = high;
}

void WaitingLoadObserver::SetProgressPos(int pos) {
  std::function<void(int)> onProgress;
  {
    std::lock_guard guard(lock_);
    pos_ = pos;
    ++posCount_;
    onProgress = onProgress_;
  }
  if (onProgress) onProgress(pos);
}

void WaitingLoadObserver::SetOnProgress(std::function<void(int pos)> onProgress) {
  std::lock_guard guard(lock_);
  onProgress_ = std::move(onProgress);
}

void WaitingLoadObserver::ShowProgress() {
  std::lock_guard guard(lock_);
  shown_ = true;
}

bool WaitingLoadObserver::WaitForLoadEnded(int timeoutMs) {
  std::unique_lock guard(lock_);
  return ended_.wait_for(guard, std::chrono::milliseconds(timeoutMs), [this] { return endedCount_ > 0; });
}

int WaitingLoadObserver::EndedCount() const {
  std::lock_guard guard(lock_);
  return endedCount_;
}

int WaitingLoadObserver::ProgressLow() const {
  std::lock_guard guard(lock_);
  return low_;
}

int WaitingLoadObserver::ProgressHigh() const {
  std::lock_guard guard(lock_);
  return high_;
}

int WaitingLoadObserver::ProgressPos() const {
  std::lock_guard guard(lock_);
  return pos_;
}

int WaitingLoadObserver::ProgressPosCount() const {
  std::lock_guard guard(lock_);
  return posCount_;
}

bool WaitingLoadObserver::ProgressShown() const {
  std::lock_guard guard(lock_);
  return shown_;
}
