#pragma once
// The recorder's date and time: eight 16-bit fields, as stored in the
// recording files (the layout of a Windows SYSTEMTIME).

#include <cstdint>

struct DateTime {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t dayOfWeek = 0;  // 0 = Sunday
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};
static_assert(sizeof(DateTime) == 16);
