#pragma once
// The language texts a KML file carries (section GUI), looked up once on the
// user-interface thread before the worker starts.

#include <array>
#include <string>

#include "telemetry/SpeedUnit.h"

struct KmlTexts {
  std::string year;
  std::string month;
  std::string day;
  std::array<std::string, 7> weekdays;  // short names, Sunday first
  std::string pointer;
  std::string route;
  std::string date;
  std::string time;
  std::string hour;
  std::string minute;
  std::string second;
  std::string speed;
  std::string heading;
  std::string degree;
  SpeedUnit speedUnit = SpeedUnit::kKmh;  // of the marks' speed rows
};

// The texts of the chosen language file, with the English defaults.
KmlTexts LoadKmlTexts(SpeedUnit speedUnit);
