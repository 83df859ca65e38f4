#include "skin/SkinWords.h"

#include <algorithm>
#include <array>

#include "base/MgrMultiLang.h"

namespace {

struct WordRow {
  SkinWord word;
  SkinWordKey key;
};

// The top-level menus have no command of their own: their words take keys
// of the menu section named after the menu.
constexpr std::array kWords = {
    WordRow{SkinWord::kMenuFile, {"PullDownMenu", "File", "File"}},
    WordRow{SkinWord::kMenuEdit, {"PullDownMenu", "Edit", "Edit"}},
    WordRow{SkinWord::kMenuView, {"PullDownMenu", "View", "View"}},
    WordRow{SkinWord::kMenuPlay, {"PullDownMenu", "Play", "Play"}},
    WordRow{SkinWord::kMenuTool, {"PullDownMenu", "Tool", "Tool"}},
    WordRow{SkinWord::kMenuHelp, {"PullDownMenu", "Help", "Help"}},
    WordRow{SkinWord::kTabEvent, {"GUI", "EventTab", "Event"}},
    WordRow{SkinWord::kTabNormal, {"GUI", "NormalTab", "Normal"}},
    WordRow{SkinWord::kTabLog, {"GUI", "LogTab", "Log"}},
    WordRow{SkinWord::kTabTrip, {"GUI", "TripTab", "Trip"}},
    WordRow{SkinWord::kLoad, {"GUI", "Load", "Load"}},
    WordRow{SkinWord::kAll, {"GUI", "All", "All"}},
    WordRow{SkinWord::kClose, {"GUI", "Close", "Close"}},
    // The search button says what its tooltip says.
    WordRow{SkinWord::kSearchLog, {"ToolTip", "SearchLog", "Search Log"}},
    WordRow{SkinWord::kSpeedLabel, {"GUI", "SpeedLabel", "SPD"}},
    WordRow{SkinWord::kGSensorLabel, {"GUI", "GSensorLabel", "G SENSOR"}},
    WordRow{SkinWord::kSpeedGps, {"GUI", "SpeedGpsLabel", "GPS"}},
    WordRow{SkinWord::kSpeedPulse, {"GUI", "SpeedPulseLabel", "PULSE"}},
};

constexpr std::array<const char*, 7> kWeekdayKeys = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                     "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 7> kWeekdayEnglish = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

}  // namespace

SkinWordKey KeyOf(SkinWord word) {
  for (const WordRow& row : kWords) {
    if (row.word == word) return row.key;
  }
  return {"GUI", "Unknown", ""};
}

std::string SkinWordText(SkinWord word) {
  const SkinWordKey key = KeyOf(word);
  return GetLangText(key.section, key.key, key.english);
}

std::string WeekdayWord(int dayOfWeek) {
  if (dayOfWeek < 0 || dayOfWeek >= static_cast<int>(kWeekdayKeys.size())) return {};
  const auto day = static_cast<size_t>(dayOfWeek);
  return GetLangText("GUI", kWeekdayKeys[day], kWeekdayEnglish[day]);
}

SkinPlace PlaceForWord(SkinPlace own, SkinPlace spare, int wordWidth) {
  if (wordWidth <= own.Width() || spare.Width() <= 0 || spare.Height() <= 0) return own;
  return {std::min(own.left, spare.left), std::min(own.top, spare.top), std::max(own.right, spare.right),
          std::max(own.bottom, spare.bottom)};
}
