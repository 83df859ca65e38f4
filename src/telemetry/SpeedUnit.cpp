#include "telemetry/SpeedUnit.h"

#include <cmath>

std::string_view SpeedUnitKey(SpeedUnit unit) { return unit == SpeedUnit::kMph ? "mph" : "kmh"; }

std::optional<SpeedUnit> SpeedUnitFromKey(std::string_view key) {
  if (key == "kmh") return SpeedUnit::kKmh;
  if (key == "mph") return SpeedUnit::kMph;
  return std::nullopt;
}

std::string_view SpeedUnitLabel(SpeedUnit unit) { return unit == SpeedUnit::kMph ? "mph" : "km/h"; }

double SpeedIn(SpeedUnit unit, double kmh, int decimals) {
  const double value = unit == SpeedUnit::kMph ? kmh / kKmPerMile : kmh;
  const double scale = std::pow(10.0, decimals);
  // std::round rounds half away from zero.
  return std::round(value * scale) / scale;
}

int WholeSpeed(SpeedUnit unit, int kmh) { return static_cast<int>(SpeedIn(unit, kmh, 0)); }

std::string WholeSpeedText(SpeedUnit unit, int kmh) {
  return std::to_string(WholeSpeed(unit, kmh)) + " " + std::string(SpeedUnitLabel(unit));
}
