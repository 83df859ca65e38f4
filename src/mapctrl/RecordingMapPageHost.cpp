#include "mapctrl/RecordingMapPageHost.h"

bool RecordingMapPageHost::CallJScript(const std::string& function, const std::vector<std::string>& args) {
  calls.push_back({function, args});
  // A copy: the page's reaction may call again.
  if (onCall) onCall(MapScriptCall{function, args});
  return failing.count(function) == 0;
}

bool RecordingMapPageHost::StartServer(int& port) {
  ++serverStarts;
  port += busyPorts;
  return listens;
}

void RecordingMapPageHost::Navigate(const std::string& address) {
  addresses.push_back(address);
  pending_ = true;
}

bool RecordingMapPageHost::SetDocument() { return offersDocument; }

void RecordingMapPageHost::ShowFallback() { ++fallbacks; }

bool RecordingMapPageHost::ProcessEventsFor(int ms) {
  if (quitting) return false;
  if (pending_ && pagesComplete && complete_) {
    pending_ = false;
    const size_t before = calls.size();
    complete_();
    completionCalls.assign(calls.begin() + static_cast<std::ptrdiff_t>(before), calls.end());
    return true;
  }
  waitedMs += ms;
  if (passTime_) passTime_(ms);
  return true;
}
