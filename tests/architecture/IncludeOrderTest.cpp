// The subsystems form one stack: a folder under src/ may include only itself
// and what stands beneath it. Core folders never include a view (src/*/ui) or
// a Qt header. This test reads every quoted include of the source tree and
// names each one that goes against the order.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What each subsystem may include besides itself, bottom to top.
const std::map<std::string, std::set<std::string>>& Beneath() {
  static const std::map<std::string, std::set<std::string>> table = [] {
    std::map<std::string, std::set<std::string>> t;
    t["platform"] = {};
    t["base"] = {"platform"};
    t["skin"] = {"platform", "base"};
    t["recording"] = {"platform", "base", "skin"};
    t["samplecard"] = {"platform", "base", "skin", "recording"};
    t["telemetry"] = {"platform", "base", "skin", "recording"};
    t["playback"] = {"platform", "base", "skin", "recording", "telemetry"};
    // Exports and card tools run without a play controller (the CLI uses them).
    t["export"] = {"platform", "base", "skin", "recording", "telemetry"};
    t["tools"] = {"platform", "base", "skin", "recording", "telemetry"};
    t["mapctrl"] = {"platform", "base", "skin", "recording", "telemetry", "playback", "export", "tools"};
    t["shell"] = {"platform", "base", "skin", "recording", "telemetry", "playback", "export", "tools", "mapctrl"};
    t["cli"] = {"platform",  "base",     "skin",   "recording", "samplecard",
                "telemetry", "playback", "export", "tools",     "mapctrl"};
    t["app"] = {"platform", "base",   "skin",  "recording", "samplecard", "telemetry",
                "playback", "export", "tools", "mapctrl",   "shell"};
    return t;
  }();
  return table;
}

struct Unit {
  std::string subsystem;
  bool ui = false;
  bool headless = false;  // Qt GUI without widgets
};

// "playback/ui/PaneVideo.cpp" -> {playback, ui}; the cli and app folders hold
// no ui/ folder of their own but are Qt-side or core-side as a whole.
// export/render draws with Qt GUI alone, without widgets or a window;
// mapctrl/server serves the map page with Qt Network alone.
Unit UnitOf(const std::string& relative) {
  Unit unit;
  const auto slash = relative.find('/');
  unit.subsystem = relative.substr(0, slash);
  unit.headless = relative.compare(slash + 1, 7, "render/") == 0 || relative.compare(slash + 1, 7, "server/") == 0;
  unit.ui = relative.compare(slash + 1, 3, "ui/") == 0 || unit.headless || unit.subsystem == "app";
  return unit;
}

// The command-line tool may use the headless views (the AVI caption
// renderer), never the widgets.
bool IsHeadlessView(const Unit& from, const Unit& to) { return from.subsystem == "cli" && to.headless; }

bool IsAllowed(const Unit& from, const Unit& to) {
  if (to.ui && !from.ui && !IsHeadlessView(from, to)) return false;
  if (to.subsystem == from.subsystem) return true;
  const auto it = Beneath().find(from.subsystem);
  return it != Beneath().end() && it->second.count(to.subsystem) > 0;
}

std::vector<std::string> Violations(const fs::path& srcRoot) {
  static const std::regex quoted(R"re(^\s*#\s*include\s*"([^"]+)")re");
  static const std::regex angled(R"re(^\s*#\s*include\s*<(Q[A-Za-z]+)[/>])re");
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(srcRoot)) {
    const auto ext = entry.path().extension();
    if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
    const std::string relative = fs::relative(entry.path(), srcRoot).generic_string();
    const Unit from = UnitOf(relative);
    if (Beneath().count(from.subsystem) == 0) {
      found.push_back(relative + ": folder " + from.subsystem + " has no place in the stack");
      continue;
    }
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      std::smatch match;
      const std::string where = relative + ":" + std::to_string(number) + ": ";
      if (std::regex_search(line, match, angled) && !from.ui) found.push_back(where + "Qt header in core");
      if (!std::regex_search(line, match, quoted)) continue;
      const std::string target = match[1];
      // A bare name is a neighbour in the same folder.
      if (target.find('/') == std::string::npos) continue;
      if (!IsAllowed(from, UnitOf(target))) found.push_back(where + "includes " + target);
    }
  }
  return found;
}

}  // namespace

TEST(IncludeOrder, EveryIncludeStandsBeneathItsIncluder) {
  const auto found = Violations(fs::path(KORVANE_SOURCE_DIR) / "src");
  std::string report;
  for (const auto& line : found) report += line + "\n";
  EXPECT_TRUE(found.empty()) << report;
}

TEST(IncludeOrder, RulesCatchUpwardSidewaysAndCoreToViewIncludes) {
  EXPECT_FALSE(IsAllowed(UnitOf("recording/X.cpp"), UnitOf("playback/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("export/X.cpp"), UnitOf("tools/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("export/X.cpp"), UnitOf("playback/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("cli/X.cpp"), UnitOf("shell/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("playback/X.cpp"), UnitOf("playback/ui/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("telemetry/ui/X.cpp"), UnitOf("playback/ui/Y.h")));
  EXPECT_TRUE(IsAllowed(UnitOf("playback/ui/X.cpp"), UnitOf("skin/ui/Y.h")));
  EXPECT_TRUE(IsAllowed(UnitOf("mapctrl/X.cpp"), UnitOf("playback/Y.h")));
  EXPECT_TRUE(IsAllowed(UnitOf("app/X.cpp"), UnitOf("shell/ui/Y.h")));
  EXPECT_TRUE(IsAllowed(UnitOf("cli/X.cpp"), UnitOf("export/render/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("cli/X.cpp"), UnitOf("export/ui/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("cli/X.cpp"), UnitOf("playback/ui/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("export/X.cpp"), UnitOf("export/ui/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("export/X.cpp"), UnitOf("export/render/Y.h")));
  EXPECT_TRUE(IsAllowed(UnitOf("export/ui/X.cpp"), UnitOf("export/render/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("export/ui/X.cpp"), UnitOf("playback/Y.h")));
  EXPECT_TRUE(IsAllowed(UnitOf("cli/X.cpp"), UnitOf("mapctrl/server/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("cli/X.cpp"), UnitOf("mapctrl/ui/Y.h")));
  EXPECT_FALSE(IsAllowed(UnitOf("mapctrl/X.cpp"), UnitOf("mapctrl/server/Y.h")));
}
