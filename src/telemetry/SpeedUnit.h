#pragma once
// The unit a person reads speeds in. Files for machines keep km/h.
#include <optional>
#include <string>
#include <string_view>

enum class SpeedUnit { kKmh, kMph };

inline constexpr double kKmPerMile = 1.609344;

// "kmh" or "mph", as the settings and the command line spell them.
std::string_view SpeedUnitKey(SpeedUnit unit);
std::optional<SpeedUnit> SpeedUnitFromKey(std::string_view key);
// "km/h" or "mph", beside a number.
std::string_view SpeedUnitLabel(SpeedUnit unit);
// A km/h value in the unit, rounded half away from zero to decimals places
// (the precision the km/h value is shown with).
double SpeedIn(SpeedUnit unit, double kmh, int decimals);
// A whole km/h value in the unit, as the read-outs show it.
int WholeSpeed(SpeedUnit unit, int kmh);
// "57 km/h", "35 mph": a whole km/h value with its unit.
std::string WholeSpeedText(SpeedUnit unit, int kmh);
