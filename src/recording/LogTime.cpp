#include "recording/LogTime.h"

#include <algorithm>

#include "platform/ProfileFile.h"
#include "platform/TimeKey.h"

namespace {

constexpr std::string_view kNoTime = "000000";
constexpr size_t kClockDigits = 6;  // hhmmss and ddmmyy
constexpr int kCentury = 2000;

// The recorder writes hhmmss and ddmmyy in full. A shorter field is damaged:
// reading the digits that are there would make a wrong but plausible time,
// so it counts as no time and the record is dropped like an empty one.
bool CarriesTime(std::string_view timeField, std::string_view dateField) {
  if (timeField.size() < kClockDigits || dateField.size() < kClockDigits) return false;
  return !(timeField.substr(0, kClockDigits) == kNoTime && dateField.substr(0, kClockDigits) == kNoTime);
}

int Pair(std::string_view field, size_t pos) { return LeadingInt(field.substr(pos, 2)); }

// Milliseconds are optional: a clock without them is still a clock.
int Milliseconds(std::string_view field, size_t pos) {
  if (pos >= field.size()) return 0;
  return std::clamp(LeadingInt(field.substr(pos, 3)), 0, 999);
}

struct CalendarFields {
  int year, month, day, hour, minute, second;
};

CalendarFields ReadClock(std::string_view timeField, std::string_view dateField) {
  CalendarFields c{};
  c.day = std::max(Pair(dateField, 0), 1);
  c.month = std::max(Pair(dateField, 2), 1);
  c.year = Pair(dateField, 4) + kCentury;
  c.hour = Pair(timeField, 0);
  c.minute = Pair(timeField, 2);
  c.second = Pair(timeField, 4);
  return c;
}

}  // namespace

int64_t LogRecordTime(std::string_view timeField, std::string_view dateField) {
  if (!CarriesTime(timeField, dateField)) return 0;
  const CalendarFields c = ReadClock(timeField, dateField);
  const int64_t seconds = LocalToEpochSeconds(c.year, c.month, c.day, c.hour, c.minute, c.second);
  return seconds * 1000 + Milliseconds(timeField, 6);
}

DateTime GpsDateTime(std::string_view timeField, std::string_view dateField) {
  if (!CarriesTime(timeField, dateField)) return DateTime{};
  const CalendarFields c = ReadClock(timeField, dateField);
  return NormalizeUtc(c.year, c.month, c.day, c.hour, c.minute, c.second, Milliseconds(timeField, 7));
}
