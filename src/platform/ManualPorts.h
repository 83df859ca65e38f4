#pragma once
// Simple port implementations for the command-line tool and the tests: a
// queue that the owner drains, a clock that moves only when told, and timers
// that fire as that clock advances.

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "platform/Ports.h"

// Posts may come from worker threads; the owner's thread drains them.
class ManualUiQueue final : public UiQueue {
 public:
  ManualUiQueue();
  void Post(std::function<void()> call) override;
  // Called from the owner's thread it runs at once; from another thread it
  // waits until the owner has drained it.
  void Send(std::function<void()> call) override;

  // Runs what is queued now; returns how many ran.
  int Drain();
  // Waits up to timeoutMs for something to be queued, then drains.
  int WaitAndDrain(int timeoutMs);

 private:
  std::thread::id owner_;
  std::mutex lock_;
  std::condition_variable queued_;
  std::deque<std::function<void()>> calls_;
};

class ManualClock final : public Clock {
 public:
  int64_t TickMs() const override { return tick_; }
  DateTime LocalNow() const override;
  void Advance(int64_t ms) { tick_ += ms; }
  void SetLocalNow(int64_t timeKey) { nowKey_ = timeKey; }

 private:
  int64_t tick_ = 0;
  int64_t nowKey_ = 0;
};

// Timers driven by a ManualClock: Advance moves the clock and fires every
// timer whose period has passed, in time order, as a real message loop would.
class ManualTimerHost final : public TimerHost {
 public:
  explicit ManualTimerHost(ManualClock& clock) : clock_(clock) {}
  void SetTimer(int id, int periodMs, std::function<void()> onTick) override;
  void KillTimer(int id) override;
  bool IsTimerRunning(int id) const override;

  void Advance(int64_t ms);

 private:
  struct Timer {
    int periodMs = 0;
    int64_t due = 0;
    std::function<void()> onTick;
  };
  ManualClock& clock_;
  std::map<int, Timer> timers_;
};
