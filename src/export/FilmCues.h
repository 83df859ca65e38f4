#pragma once
// The subtitle track of an MP4 film: one cue a second of the recording
// (date, time, speed and position), so that any player shows the drive's
// data, overlays or not. Each cue runs from the first picture of its second
// to the next cue, the last one to the film's end. The cue points are also
// what the GPX file beside the film holds.

#include <cstdint>
#include <string>
#include <vector>

#include "export/TrackPoints.h"
#include "recording/FrameInfoVideo.h"
#include "telemetry/SpeedUnit.h"

struct FilmCue {
  size_t picture = 0;   // the first picture it belongs to
  int64_t startMs = 0;  // film time
  int64_t durationMs = 0;
  std::string text;
  TrackPoint point;
};

// A picture of the film as the cues see it.
struct CuePicture {
  int64_t ptsMs = 0;
  const FRAMEINFOVIDEO* frame = nullptr;
};

// "2024-06-14 09:30:01  52 km/h  37.56650 N  126.97800 E"; noFix stands
// for speed and position without a fix.
std::string FilmCueText(const FRAMEINFOVIDEO& frame, SpeedUnit unit, const std::string& noFix);

// The cues of pictures (in film order) of a film ending at endMs.
std::vector<FilmCue> FilmCuesOf(const std::vector<CuePicture>& pictures, int64_t endMs, SpeedUnit unit,
                                const std::string& noFix, int pulseType);

// The GPX file of the cue points: one track named name.
std::string FilmGpxText(const std::string& name, const std::vector<FilmCue>& cues);
