#pragma once
// --units kmh|mph on the commands whose output a person reads: the unit of
// the speeds they print or draw. Files for machines keep km/h whatever it says.

#include <CLI/CLI.hpp>

#include "telemetry/SpeedUnit.h"

// Adds the option; a value other than kmh or mph is a usage error.
CLI::Option* AddSpeedUnitOption(CLI::App& command, SpeedUnit& unit);
