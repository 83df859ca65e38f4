#pragma once
// Library start-up that the window would otherwise wait for on the main
// thread, begun early on a thread of its own so that it runs beside the
// rest of start-up on another core:
// - the font configuration (FcInit): the first text measured loads every
//   fontconfig file (about a quarter of the work before the first paint);
//   started before the application object, which it does not need, and
//   waited for before the first text is measured, since a second loader
//   racing it would load everything again;
// - the session bus: the first list or label makes Qt start its
//   accessibility bridge, which connects to the session bus and waits for
//   it; a round trip where a bus runs, 5-10 ms where none does (the bus
//   library first tries to launch one). Started once the application
//   object exists, and ended before it goes.
// Both are shared by the whole process: whoever asks afterwards gets what
// was made here.

#include <functional>
#include <thread>
#include <utility>

class StartUpWarmUp {
 public:
  explicit StartUpWarmUp(std::function<void()> work) : thread_(std::move(work)) {}
  ~StartUpWarmUp() { Wait(); }
  StartUpWarmUp(const StartUpWarmUp&) = delete;
  StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

  void Wait() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};

void LoadFontConfiguration();
void ConnectSessionBus();
