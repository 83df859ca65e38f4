#pragma once
// The ports through which the core reaches the user-interface thread and
// time. The window implements them on Qt; the command-line tool and the
// tests use the simple implementations in ManualPorts.h.

#include <cstdint>
#include <functional>

#include "platform/DateTime.h"

// Runs callables on the user-interface thread: post returns at once (a
// posted window message), send waits until the callable has run (a sent one).
class UiQueue {
 public:
  virtual ~UiQueue() = default;
  virtual void Post(std::function<void()> call) = 0;
  virtual void Send(std::function<void()> call) = 0;
};

// Periodic timers by id, fired on the user-interface thread. Setting a timer
// that runs already restarts it with the new period.
class TimerHost {
 public:
  virtual ~TimerHost() = default;
  virtual void SetTimer(int id, int periodMs, std::function<void()> onTick) = 0;
  virtual void KillTimer(int id) = 0;
  virtual bool IsTimerRunning(int id) const = 0;
};

// A monotonic millisecond tick and the local time now.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual int64_t TickMs() const = 0;
  virtual DateTime LocalNow() const = 0;
};
