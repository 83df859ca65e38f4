#pragma once
// What a track export reads: one loaded recording or log, in the order of
// the file, turned into track points as the export reaches it.

#include <string>
#include <vector>

#include "export/TrackPoints.h"

class CInfoEventFile;
class CInfoLogFile;

// Exactly one of video and log.
struct TrackSource {
  std::string name;
  const CInfoEventFile* video = nullptr;
  const CInfoLogFile* log = nullptr;
};

// The source's file, for the export's guard.
std::string SourcePath(const TrackSource& source);

// pulseType is the card's speed-pulse type (kUnknownPulseType: no pulse
// speeds).
std::vector<TrackPoint> TrackPointsOf(const TrackSource& source, int pulseType);
