#pragma once
// The lines of the image info panel (speed and position) and of the
// play-time panel (date, time, milliseconds), from the frame snapshot.

#include <string>

#include "platform/DateTime.h"
#include "recording/FrameInfoVideo.h"
#include "telemetry/SpeedUnit.h"

struct ImageInfoText {
  std::string speed;
  std::string latitude;
  std::string longitude;
  bool positionValid = false;  // the position lines are greyed out without a fix
};

struct PlayTimeText {
  std::string date;
  std::string time;
  std::string milliseconds;
};

// The short weekday name of dayOfWeek (0 = Sunday); "" outside 0..6.
std::string WeekdayName(int dayOfWeek);

ImageInfoText MakeImageInfoText(const GpsBlock& gps, SpeedUnit unit);
// weekdayFirst: the date order setting asks for weekday, month, day, year.
PlayTimeText MakePlayTimeText(const DateTime& time, bool weekdayFirst);
