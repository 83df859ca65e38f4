#include "platform/TimeKey.h"

#include <cstdlib>
#include <ctime>

namespace {

std::tm MakeTm(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  return t;
}

DateTime FromTm(const std::tm& t, int milliseconds) {
  DateTime d;
  d.year = static_cast<uint16_t>(t.tm_year + 1900);
  d.month = static_cast<uint16_t>(t.tm_mon + 1);
  d.dayOfWeek = static_cast<uint16_t>(t.tm_wday);
  d.day = static_cast<uint16_t>(t.tm_mday);
  d.hour = static_cast<uint16_t>(t.tm_hour);
  d.minute = static_cast<uint16_t>(t.tm_min);
  d.second = static_cast<uint16_t>(t.tm_sec);
  d.milliseconds = static_cast<uint16_t>(milliseconds);
  return d;
}

}  // namespace

int64_t LocalToEpochSeconds(int year, int month, int day, int hour, int minute, int second) {
  std::tm t = MakeTm(year, month, day, hour, minute, second);
  return static_cast<int64_t>(std::mktime(&t));
}

int64_t MakeTimeKey(const DateTime& local) {
  int year = local.year;
  int month = local.month;
  int day = local.day;
  if (year <= 1970 && month <= 1 && day <= 1) {
    year = 1970;
    month = 1;
    day = 2;
  }
  const int64_t seconds = LocalToEpochSeconds(year, month, day, local.hour, local.minute, local.second);
  return seconds * 1000 + local.milliseconds;
}

DateTime TimeKeyToDateTime(int64_t key) {
  int64_t seconds = key / 1000;
  int64_t ms = key % 1000;
  if (ms < 0) {
    ms += 1000;
    seconds -= 1;
  }
  const std::time_t when = static_cast<std::time_t>(seconds);
  std::tm t{};
  localtime_r(&when, &t);
  return FromTm(t, static_cast<int>(ms));
}

DateTime NormalizeLocal(int year, int month, int day, int hour, int minute, int second, int milliseconds) {
  std::tm t = MakeTm(year, month, day, hour, minute, second);
  std::mktime(&t);
  return FromTm(t, milliseconds);
}

DateTime NormalizeUtc(int year, int month, int day, int hour, int minute, int second, int milliseconds) {
  std::tm t = MakeTm(year, month, day, hour, minute, second);
  t.tm_isdst = 0;
  const std::time_t when = timegm(&t);
  std::tm out{};
  gmtime_r(&when, &out);
  return FromTm(out, milliseconds);
}

int CurrentZoneOffsetSeconds() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // tm_gmtoff already includes daylight saving; the recording's offset is the
  // standard offset plus one hour in summer, which is the same number.
  return static_cast<int>(local.tm_gmtoff);
}

void NameLocalZoneOnce() {
  setenv("TZ", ":/etc/localtime", 0);
  tzset();
}
