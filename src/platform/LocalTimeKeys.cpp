#include "platform/LocalTimeKeys.h"

#include <ctime>

#include "platform/TimeKey.h"

namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kSecondsPerHour = 60 * kSecondsPerMinute;
constexpr int64_t kSecondsPerDay = 24 * kSecondsPerHour;
// MakeTimeKey moves the recorder's "no date" times; those go to it whole.
constexpr int kLastMovedYear = 1970;

uint64_t HourOf(const DateTime& local) {
  return static_cast<uint64_t>(local.year) << 48 | static_cast<uint64_t>(local.month) << 32 |
         static_cast<uint64_t>(local.day) << 16 | local.hour;
}

std::tm LocalAt(int64_t seconds) {
  const std::time_t when = static_cast<std::time_t>(seconds);
  std::tm t{};
  localtime_r(&when, &t);
  return t;
}

// Whether the local time at seconds is the hour's start itself, so that
// the hour's fields were a valid date and time the conversion kept.
bool IsHourStart(const std::tm& t, const DateTime& local) {
  return t.tm_year + 1900 == local.year && t.tm_mon + 1 == local.month && t.tm_mday == local.day &&
         t.tm_hour == local.hour && t.tm_min == 0 && t.tm_sec == 0;
}

}  // namespace

std::optional<int64_t> LocalTimeKeys::HourStart(const DateTime& local) {
  const auto known = hours_.find(HourOf(local));
  if (known != hours_.end()) return known->second;
  std::optional<int64_t> start = LocalToEpochSeconds(local.year, local.month, local.day, local.hour, 0, 0);
  const std::tm at = LocalAt(*start);
  // The offset a day before the hour and a day after it is the one within
  // it: no time of the hour is skipped or comes twice.
  const bool steady = IsHourStart(at, local) && LocalAt(*start - kSecondsPerDay).tm_gmtoff == at.tm_gmtoff &&
                      LocalAt(*start + kSecondsPerHour).tm_gmtoff == at.tm_gmtoff &&
                      LocalAt(*start + kSecondsPerHour + kSecondsPerDay).tm_gmtoff == at.tm_gmtoff;
  if (!steady) start.reset();
  hours_.emplace(HourOf(local), start);
  return start;
}

int64_t LocalTimeKeys::Key(const DateTime& local) {
  if (local.year <= kLastMovedYear || local.minute >= kSecondsPerMinute || local.second >= kSecondsPerMinute) {
    return MakeTimeKey(local);
  }
  const std::optional<int64_t> start = HourStart(local);
  if (!start) return MakeTimeKey(local);
  const int64_t seconds = *start + local.minute * kSecondsPerMinute + local.second;
  return seconds * 1000 + local.milliseconds;
}
