#include "export/TrackSource.h"

#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"

std::string SourcePath(const TrackSource& source) {
  if (source.video) return source.video->RecordingPath();
  if (source.log) return source.log->Path();
  return {};
}

std::vector<TrackPoint> TrackPointsOf(const TrackSource& source, int pulseType) {
  if (source.video) return TrackPointsOf(*source.video, pulseType);
  if (source.log) return TrackPointsOf(*source.log, pulseType);
  return {};
}
