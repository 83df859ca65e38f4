#pragma once
// The local time now, in the form the recorder's clock file holds.
#include "tools/DeviceSettingsFile.h"

RecorderClock LocalRecorderClockNow();
