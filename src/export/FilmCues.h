#pragma once
// The subtitle track of an MP4 film: one cue a second of the recording
// (date, time, speed and position), so that any player shows the drive's
// data, overlays or not. The cue points are also what the GPX file beside
// the film holds.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/TrackPoints.h"
#include "recording/FrameInfoVideo.h"
#include "telemetry/SpeedUnit.h"

struct FilmCue {
  int64_t startMs = 0;  // film time
  int64_t durationMs = 0;
  std::string text;
};

// "2024-06-14 09:30:01  52 km/h  37.56650 N  126.97800 E"; noFix stands
// for speed and position without a fix.
std::string FilmCueText(const FRAMEINFOVIDEO& frame, SpeedUnit unit, const std::string& noFix);

class FilmCues {
 public:
  FilmCues(SpeedUnit unit, std::string noFix, int pulseType)
      : unit_(unit), noFix_(std::move(noFix)), pulseType_(pulseType) {}

  // The picture at film time ptsMs; when it opens a new second of the
  // recording, the cue before it is complete and returned.
  std::optional<FilmCue> Next(int64_t ptsMs, const FRAMEINFOVIDEO& frame);
  // The last cue, shown until the film's end.
  std::optional<FilmCue> Finish(int64_t endMs);

  // One point for each cue, at its first picture.
  const std::vector<TrackPoint>& Points() const { return points_; }

 private:
  SpeedUnit unit_;
  std::string noFix_;
  int pulseType_;
  std::optional<FilmCue> open_;
  int64_t openSecond_ = 0;
  std::vector<TrackPoint> points_;
};

// The GPX file of the cue points: one track named name.
std::string FilmGpxText(const std::string& name, const std::vector<TrackPoint>& points);
