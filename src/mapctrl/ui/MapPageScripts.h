#pragma once
// The loaded map page as the script calls see it: the page that completed
// last and the map functions it offers, called through the browser view.

#include <set>
#include <string>
#include <vector>

class MapBrowser;

class MapPageScripts {
 public:
  // How long taking a completed page may wait for the page's answer.
  static constexpr int kProbeMs = 3000;

  // Takes the page that just completed: asks it which of the map's script
  // functions it defines. False when it answers none (no map page).
  bool SetDocument(MapBrowser& browser);
  void DropDocument() { functions_.clear(); }

  // Calls `function` of the page with text arguments, each passed as a
  // string literal. The calls reach the page in the order made; false when
  // no page is held or the page has no such function.
  bool CallJScript(MapBrowser& browser, const std::string& function, const std::vector<std::string>& args);

  // The script text of one call.
  static std::string CallScript(const std::string& function, const std::vector<std::string>& args);

 private:
  std::set<std::string> functions_;
};
