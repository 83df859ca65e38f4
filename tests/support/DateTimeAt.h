#pragma once
// A DateTime from its fields, as the time tests write them.

#include <cstdint>

#include "platform/DateTime.h"

inline DateTime At(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
  DateTime t;
  t.year = static_cast<uint16_t>(y);
  t.month = static_cast<uint16_t>(mo);
  t.day = static_cast<uint16_t>(d);
  t.hour = static_cast<uint16_t>(h);
  t.minute = static_cast<uint16_t>(mi);
  t.second = static_cast<uint16_t>(s);
  t.milliseconds = static_cast<uint16_t>(ms);
  return t;
}
