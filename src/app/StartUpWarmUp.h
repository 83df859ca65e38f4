#pragma once
// Library start-up that the window would otherwise wait for on the main
// thread, begun early on threads of its own so that it runs beside the
// rest of start-up on another core:
// - the font configuration: the first text measured loads every fontconfig
//   file (about a third of the work before the first paint);
// - the session bus: the first list or label makes Qt start its
//   accessibility bridge, which connects to the session bus and waits for
//   it; a round trip where a bus runs, 5-10 ms where none does (the bus
//   library first tries to launch one).
// Both are shared by the whole process: whoever asks afterwards gets what
// was made here.

#include <thread>

// Started before the application object: fontconfig needs none.
class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  ~FontConfigWarmUp() { Wait(); }
  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

  // Before the first text is measured: a second loader racing this one
  // would load everything again.
  void Wait();

 private:
  std::thread thread_;
};

// Started once the application object exists, and ended before it goes:
// the destructor waits for the connection attempt.
class SessionBusWarmUp {
 public:
  SessionBusWarmUp();
  ~SessionBusWarmUp();
  SessionBusWarmUp(const SessionBusWarmUp&) = delete;
  SessionBusWarmUp& operator=(const SessionBusWarmUp&) = delete;

 private:
  std::thread thread_;
};
