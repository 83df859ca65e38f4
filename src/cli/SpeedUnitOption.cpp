#include "cli/SpeedUnitOption.h"

#include <map>
#include <string>

CLI::Option* AddSpeedUnitOption(CLI::App& command, SpeedUnit& unit) {
  const std::map<std::string, SpeedUnit> units = {{std::string(SpeedUnitKey(SpeedUnit::kKmh)), SpeedUnit::kKmh},
                                                  {std::string(SpeedUnitKey(SpeedUnit::kMph)), SpeedUnit::kMph}};
  return command.add_option("--units", unit, "kmh or mph for the speeds a person reads (default kmh)")
      ->transform(CLI::CheckedTransformer(units, CLI::ignore_case));
}
