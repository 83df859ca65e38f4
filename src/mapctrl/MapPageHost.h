#pragma once
// What the map synchronisation needs of the map page's host: the local page
// server, the browser view and the script calls into the loaded page. The
// window implements it with a web view; the tests and the command-line tool
// record the calls instead.

#include <string>
#include <vector>

// The one way a command reaches the page: a named script function of the
// page, called with text arguments.
class MapScript {
 public:
  virtual ~MapScript() = default;
  // False when no page is held or the call failed; the script's result is
  // not used.
  virtual bool CallJScript(const std::string& function, const std::vector<std::string>& args) = 0;
};

class MapPageHost : public MapScript {
 public:
  // Chooses the port from `port` up and listens on 127.0.0.1; `port` is set
  // to the one chosen. False when no listening socket could be made.
  virtual bool StartServer(int& port) = 0;
  // Lets the browser view load `address`.
  virtual void Navigate(const std::string& address) = 0;
  // Takes the completed page for the script calls; false when it offers no
  // document to script.
  virtual bool SetDocument() = 0;
  // Hides the browser view; the map window shows its fallback picture.
  virtual void ShowFallback() = 0;
  // Runs the user interface's pending events for at most `ms` milliseconds,
  // so the page can load during a wait; false once the program is quitting.
  virtual bool ProcessEventsFor(int ms) = 0;
  // The program's own folder, the argument of "initialize".
  virtual std::string ProgramFolder() const = 0;
};
