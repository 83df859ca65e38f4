#pragma once
// GPX 1.1 output: one track per recording or log, one point per frame or
// record with a GPS fix. Time, latitude and longitude are GPX's own; speed
// (in m/s) and course also go into Garmin's track point extension, which
// Garmin's and many other programs read; GPS speed in km/h, course, G
// values, lamps and pulse speed go into elements of our own namespace.

#include <string>
#include <string_view>

#include "export/TrackPoints.h"

inline constexpr std::string_view kGpx11Namespace = "http://www.topografix.com/GPX/1/1";
inline constexpr std::string_view kGarminTrackPointNamespace =
    "http://www.garmin.com/xmlschemas/TrackPointExtension/v2";
inline constexpr std::string_view kKorvaneGpxNamespace = "https://korvane.example/xmlschemas/telemetry/1";

void AppendGpxStart(std::string& out);
// Opens a track named after its recording, with its one segment.
void AppendGpxTrackStart(std::string& out, std::string_view name);
// Writes nothing for a point without a fix.
void AppendGpxPoint(std::string& out, const TrackPoint& point);
void AppendGpxTrackEnd(std::string& out);
void AppendGpxEnd(std::string& out);
