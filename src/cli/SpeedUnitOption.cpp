#include "cli/SpeedUnitOption.h"

#include <string>

CLI::Option* AddSpeedUnitOption(CLI::App& command, SpeedUnit& unit) {
  const std::string kmh(SpeedUnitKey(SpeedUnit::kKmh));
  const std::string mph(SpeedUnitKey(SpeedUnit::kMph));
  return command
      .add_option_function<std::string>(
          "--units", [&unit](const std::string& key) { unit = SpeedUnitFromKey(key).value_or(SpeedUnit::kKmh); },
          "kmh or mph for the speeds a person reads (default kmh)")
      ->check(CLI::IsMember({kmh, mph}));
}
