#include "export/KmlTexts.h"

#include "base/MgrMultiLang.h"

namespace {

constexpr std::string_view kSectionGui = "GUI";

std::string Gui(std::string_view key, std::string_view defaultText) {
  return GetLangText(kSectionGui, key, defaultText);
}

}  // namespace

KmlTexts LoadKmlTexts(SpeedUnit speedUnit) {
  KmlTexts t;
  t.year = Gui("Year", "Year");
  t.month = Gui("Month", "Month");
  t.day = Gui("Day", "Day");
  t.weekdays = {Gui("Sunday", "Sun"),   Gui("Monday", "Mon"), Gui("Tuesday", "Tue"), Gui("Wednesday", "Wed"),
                Gui("Thursday", "Thu"), Gui("Friday", "Fri"), Gui("Saturday", "Sat")};
  t.pointer = Gui("Pointer", "Pointer");
  t.route = Gui("Route", "Route");
  t.date = Gui("Date", "DATE");
  t.time = Gui("Time", "TIME");
  t.hour = Gui("Hour", "Hour");
  t.minute = Gui("Minute", "Minute");
  t.second = Gui("Second", "Second");
  t.speed = Gui("Speed", "Speed");
  t.heading = Gui("Heading", "Heading");
  t.degree = Gui("Degree", "Degree");
  t.speedUnit = speedUnit;
  return t;
}
