#include "platform/ManualPorts.h"

#include <chrono>

#include "platform/TimeKey.h"

ManualUiQueue::ManualUiQueue() : owner_(std::this_thread::get_id()) {}

void ManualUiQueue::Post(std::function<void()> call) {
  {
    std::lock_guard guard(lock_);
    calls_.push_back(std::move(call));
  }
  queued_.notify_all();
}

void ManualUiQueue::Send(std::function<void()> call) {
  if (std::this_thread::get_id() == owner_) {
    call();
    return;
  }
  std::mutex doneLock;
  std::condition_variable doneSignal;
  bool done = false;
  Post([&] {
    call();
    std::lock_guard guard(doneLock);
    done = true;
    doneSignal.notify_all();
  });
  std::unique_lock wait(doneLock);
  doneSignal.wait(wait, [&] { return done; });
}

int ManualUiQueue::Drain() {
  std::deque<std::function<void()>> now;
  {
    std::lock_guard guard(lock_);
    now.swap(calls_);
  }
  for (auto& call : now) call();
  return static_cast<int>(now.size());
}

int ManualUiQueue::WaitAndDrain(int timeoutMs) {
  {
    std::unique_lock wait(lock_);
    queued_.wait_for(wait, std::chrono::milliseconds(timeoutMs), [&] { return !calls_.empty(); });
  }
  return Drain();
}

DateTime ManualClock::LocalNow() const { return TimeKeyToDateTime(nowKey_); }

void ManualTimerHost::SetTimer(int id, int periodMs, std::function<void()> onTick) {
  timers_[id] = Timer{periodMs, clock_.TickMs() + periodMs, std::move(onTick)};
}

void ManualTimerHost::KillTimer(int id) { timers_.erase(id); }

bool ManualTimerHost::IsTimerRunning(int id) const { return timers_.count(id) != 0; }

void ManualTimerHost::Advance(int64_t ms) {
  const int64_t end = clock_.TickMs() + ms;
  for (;;) {
    // The next timer due, in time order; ties go to the lower id.
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due <= end && (next == timers_.end() || it->second.due < next->second.due)) next = it;
    }
    if (next == timers_.end()) break;
    clock_.Advance(next->second.due - clock_.TickMs());
    next->second.due += next->second.periodMs > 0 ? next->second.periodMs : 1;
    auto onTick = next->second.onTick;  // the tick may kill or reset its own timer
    onTick();
  }
  clock_.Advance(end - clock_.TickMs());
}
