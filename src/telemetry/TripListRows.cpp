#include "telemetry/TripListRows.h"

#include <algorithm>
#include <cstdio>

#include "platform/TimeKey.h"

namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kSecondsPerHour = 3600;
constexpr double kMetresPerKm = 1000.0;

std::string DateText(int64_t timeKey) {
  const DateTime t = TimeKeyToDateTime(timeKey);
  char text[32];
  std::snprintf(text, sizeof text, "%.4d-%.2d-%.2d", t.year, t.month, t.day);
  return text;
}

std::string ClockText(int64_t timeKey) {
  const DateTime t = TimeKeyToDateTime(timeKey);
  char text[32];
  std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d", t.hour, t.minute, t.second);
  return text;
}

std::string DurationText(int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%.2lld:%.2lld", static_cast<long long>(seconds / kSecondsPerHour),
                static_cast<long long>(seconds % kSecondsPerHour / kSecondsPerMinute),
                static_cast<long long>(seconds % kSecondsPerMinute));
  return text;
}

std::string DistanceText(int64_t metres) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f km", static_cast<double>(metres) / kMetresPerKm);
  return text;
}

std::string SpeedText(double kmh, SpeedUnit unit) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f %s", SpeedIn(unit, kmh, 0), std::string(SpeedUnitLabel(unit)).c_str());
  return text;
}

}  // namespace

std::vector<TripListRow> MakeTripListRows(const std::vector<CardTrip>& trips, SpeedUnit unit) {
  std::vector<TripListRow> rows;
  rows.reserve(trips.size());
  for (size_t i = 0; i < trips.size(); ++i) {
    const TripFigures& f = trips[i].figures;
    rows.push_back(TripListRow{
        std::to_string(i + 1), DateText(f.startMs), ClockText(f.startMs) + " \u2013 " + ClockText(f.endMs),
        DurationText(std::max<int64_t>(f.durationSeconds, 0)), DistanceText(f.distanceMetres),
        SpeedText(f.topSpeedKmh, unit), std::to_string(trips[i].trip.events.size()), std::to_string(f.hard.size()), i});
  }
  return rows;
}
