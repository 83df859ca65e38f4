#pragma once
// Pins the process's time zone for a test and puts the old one back after:
// time keys are local times, so tests form them in a zone with daylight
// saving whose offsets they know.

#include <cstdlib>
#include <ctime>
#include <string>

class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone = "Europe/Berlin") {
    const char* old = std::getenv("TZ");
    hadZone_ = old != nullptr;
    saved_ = old ? old : "";
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (hadZone_) {
      setenv("TZ", saved_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  ZoneGuard(const ZoneGuard&) = delete;
  ZoneGuard& operator=(const ZoneGuard&) = delete;

 private:
  bool hadZone_ = false;
  std::string saved_;
};
