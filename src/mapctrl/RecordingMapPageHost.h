#pragma once
// A page host without a browser, for the command-line tool and the tests:
// it records every script call, and a page navigated to completes as soon
// as the user interface gets to run (the first wait for it), telling the
// map synchronisation as the browser view would.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "mapctrl/MapPageHost.h"

struct MapScriptCall {
  std::string function;
  std::vector<std::string> args;
  friend bool operator==(const MapScriptCall&, const MapScriptCall&) = default;
};

class RecordingMapPageHost final : public MapPageHost {
 public:
  // passTime lets the waited milliseconds pass (a manual clock's Advance).
  explicit RecordingMapPageHost(std::function<void(int)> passTime) : passTime_(std::move(passTime)) {}

  // Where a completed page is reported (the map synchronisation's
  // OnMapDocumentComplete).
  void OnPageComplete(std::function<void()> complete) { complete_ = std::move(complete); }

  bool CallJScript(const std::string& function, const std::vector<std::string>& args) override;
  bool StartServer(int& port) override;
  void Navigate(const std::string& address) override;
  bool SetDocument() override;
  void ShowFallback() override;
  bool ProcessEventsFor(int ms) override;
  std::string ProgramFolder() const override { return programFolder; }

  // ---- what the host is told to do --------------------------------------
  bool pagesComplete = true;      // false: a page never completes
  bool offersDocument = true;     // false: a completed page has no document to script
  int busyPorts = 0;              // ports from the first one up that are taken
  bool listens = true;            // false: no listening socket can be made
  bool quitting = false;          // the program is ending: waits end at once
  std::set<std::string> failing;  // script functions whose calls fail
  // What the page does when called (after the call is recorded).
  std::function<void(const MapScriptCall&)> onCall;
  std::string programFolder = "/usr/share/korvane";

  // ---- what happened --------------------------------------------------------
  std::vector<MapScriptCall> calls;
  std::vector<std::string> addresses;  // every navigation
  int serverStarts = 0;
  int fallbacks = 0;
  int waitedMs = 0;
  // The calls made while the last completed page was reported.
  std::vector<MapScriptCall> completionCalls;

 private:
  std::function<void(int)> passTime_;
  std::function<void()> complete_;
  bool pending_ = false;
};
