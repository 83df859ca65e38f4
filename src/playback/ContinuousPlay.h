#pragma once
// Continuous play: a drive recorded as a row of one-minute recordings plays
// as one. When play reaches an end of a recording it goes on in the
// neighbouring loaded recording, provided that one follows by the trip rule.
#include <cstdint>
#include <optional>
#include <span>

#include "playback/LoadedRun.h"

struct RunStep {
  int recording = 0;
  int frame = 0;           // where play goes on in it
  int64_t positionMs = 0;  // the play position there
  friend bool operator==(const RunStep&, const RunStep&) = default;
};

// Where play goes on after reaching the last frame (forward) or frame 0
// (reverse) of recording; none when continuous play is off or the run ends.
std::optional<RunStep> ContinueRun(std::span<const RunRecording> recordings, int recording, bool reverse, bool on);
