#include "playback/InfoPanelText.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "base/MgrMultiLang.h"

namespace {

constexpr const char* kSpeedFormat = "%s : %s";
// The degree sign goes in as UTF-8, so the one-byte "%c" it had in the
// recorder software's character set becomes "%s" here.
constexpr const char* kLatitudeFormat = "GPS %.2d %s %.2d' %.2f\" %c";
constexpr const char* kLongitudeFormat = "     %.3d %s %.2d' %.2f\" %c";
constexpr const char* kDegreeSign = "\xC2\xB0";
constexpr const char* kDateFormat = "%d.%.2d.%.2d (%s)";
constexpr const char* kWeekdayFirstDateFormat = "%s %.2d.%.2d.%d ";
constexpr const char* kTimeFormat = "%.2d:%.2d:%.2d";
constexpr const char* kMillisecondsFormat = ".%.3d";

struct Weekday {
  std::string_view key;
  std::string_view english;
};

constexpr std::array<Weekday, 7> kWeekdays{{{"Sunday", "Sun"},
                                            {"Monday", "Mon"},
                                            {"Tuesday", "Tue"},
                                            {"Wednesday", "Wed"},
                                            {"Thursday", "Thu"},
                                            {"Friday", "Fri"},
                                            {"Saturday", "Sat"}}};

// A block without a fix may carry no hemisphere letter at all; a zero byte
// would cut the line short.
char Hemisphere(char letter, char fallback) { return letter > ' ' ? letter : fallback; }

}  // namespace

std::string WeekdayName(int dayOfWeek) {
  if (dayOfWeek < 0 || dayOfWeek >= static_cast<int>(kWeekdays.size())) return {};
  const Weekday& day = kWeekdays[static_cast<size_t>(dayOfWeek)];
  return GetLangText("GUI", day.key, day.english);
}

ImageInfoText MakeImageInfoText(const GpsBlock& gps, SpeedUnit unit) {
  ImageInfoText info;
  char text[600];
  const std::string speedLabel = GetLangText("GUI", "Speed", "Speed");
  std::snprintf(text, sizeof text, kSpeedFormat, speedLabel.c_str(), WholeSpeedText(unit, gps.speed).c_str());
  info.speed = text;
  std::snprintf(text, sizeof text, kLatitudeFormat, static_cast<int>(gps.latDeg), kDegreeSign,
                static_cast<int>(gps.latMin), static_cast<double>(gps.latSec), Hemisphere(gps.latHemi, 'N'));
  info.latitude = text;
  std::snprintf(text, sizeof text, kLongitudeFormat, static_cast<int>(gps.lonDeg), kDegreeSign,
                static_cast<int>(gps.lonMin), static_cast<double>(gps.lonSec), Hemisphere(gps.lonHemi, 'E'));
  info.longitude = text;
  info.positionValid = gps.valid != 0;
  return info;
}

PlayTimeText MakePlayTimeText(const DateTime& time, bool weekdayFirst) {
  PlayTimeText out;
  const std::string weekday = WeekdayName(time.dayOfWeek);
  char text[600];
  if (weekdayFirst) {
    std::snprintf(text, sizeof text, kWeekdayFirstDateFormat, weekday.c_str(), time.month, time.day, time.year);
  } else {
    std::snprintf(text, sizeof text, kDateFormat, time.year, time.month, time.day, weekday.c_str());
  }
  out.date = text;
  std::snprintf(text, sizeof text, kTimeFormat, time.hour, time.minute, time.second);
  out.time = text;
  std::snprintf(text, sizeof text, kMillisecondsFormat, time.milliseconds);
  out.milliseconds = text;
  return out;
}
