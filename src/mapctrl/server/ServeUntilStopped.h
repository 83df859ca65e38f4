#pragma once
// The page server run on its own, without a window: for korvane-cli. No Qt
// type shows here, so the command-line tool stays plain C++.

#include <filesystem>
#include <functional>
#include <string>

#include "mapctrl/MapRequest.h"

struct HeadlessMapServer {
  std::string page;  // as sent, tiles written in
  std::filesystem::path libFolder;
  // Called once listening, with the port chosen.
  std::function<void(int port)> onListening;
  std::function<void(const MapRequest& click)> onClick;
};

// Listens from `port` up (ten ports) and serves until SIGINT or SIGTERM.
// False, at once, when no port could be listened on.
bool ServeMapUntilStopped(const HeadlessMapServer& headless, int port);
