#pragma once
// The loaded run: the loaded video recordings in load order with their
// times, where each run of event frames begins and the moments the driver
// braked, accelerated or swerved hard. Continuous play, the slide bar, the
// G graph and the event steps all read it; it is made once per load.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "telemetry/TripFigures.h"

class CInfoEventFile;

struct RunRecording {
  int64_t firstMs = 0;  // time keys of its first and last frame
  int64_t lastMs = 0;
  int frameCount = 0;
};

// A place the event steps go to, on the slide bar and in the recordings.
struct RunMark {
  int64_t timeMs = 0;
  int recording = 0;
  int frame = 0;
  friend bool operator==(const RunMark&, const RunMark&) = default;
};

// The recordings from first to last (indices, both included).
struct RunStretch {
  int first = 0;
  int last = 0;
};

struct LoadedRun {
  std::vector<RunRecording> recordings;
  std::vector<RunMark> eventStarts;  // the first frame of each run of event frames
  std::vector<HardMoment> hard;      // peak recording and frame
  std::vector<RunMark> hardStarts;   // the first frame of each hard moment, in the same order
  double hardG = kDefaultHardG;
};

LoadedRun MakeLoadedRun(std::span<const std::unique_ptr<CInfoEventFile>> videos, double hardG);

// The recordings around recording that follow one another by the trip rule;
// a recording without frames stands alone.
RunStretch StretchOf(std::span<const RunRecording> recordings, int recording);

// Event starts and hard-moment starts together, by recording and frame, each
// place once.
std::vector<RunMark> StepMarks(const LoadedRun& run);
// The first mark after, or the last mark before, frame of recording.
std::optional<RunMark> NextMark(std::span<const RunMark> marks, int recording, int frame);
std::optional<RunMark> PreviousMark(std::span<const RunMark> marks, int recording, int frame);
