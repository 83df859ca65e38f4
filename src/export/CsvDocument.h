#pragma once
// CSV output: a header line, then one row per frame or record, fix or not.
// Rows without a fix keep their place with the GPS fields left empty;
// pulse speed is empty when the card's pulse type is unknown.

#include <string>

#include "export/TrackPoints.h"

inline constexpr const char* kTrackCsvHeader =
    "time,latitude,longitude,gps_speed_kmh,course,g_x,g_y,g_z,lamps,pulse_speed_kmh\n";

void AppendCsvRow(std::string& out, const TrackPoint& point);
