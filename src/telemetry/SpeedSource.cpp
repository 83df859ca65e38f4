#include "telemetry/SpeedSource.h"

#include "base/AppSetting.h"

SpeedSource SpeedSourceOf(const CAppSetting& settings) {
  return SpeedSource{settings.GetCurrentModel(), settings.GetDisplaySpeed(), SpeedUnitOf(settings)};
}

SpeedUnit SpeedUnitOf(const CAppSetting& settings) {
  return SpeedUnitFromKey(settings.GetSpeedUnit()).value_or(SpeedUnit::kKmh);
}
