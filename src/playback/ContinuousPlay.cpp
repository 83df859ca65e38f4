#include "playback/ContinuousPlay.h"

std::optional<RunStep> ContinueRun(std::span<const RunRecording> recordings, int recording, bool reverse, bool on) {
  if (!on) return std::nullopt;
  const RunStretch stretch = StretchOf(recordings, recording);
  if (!reverse) {
    if (stretch.last <= recording) return std::nullopt;
    const RunRecording& next = recordings[static_cast<size_t>(recording + 1)];
    return RunStep{recording + 1, 0, next.firstMs};
  }
  if (stretch.first >= recording || recording < 0) return std::nullopt;
  const RunRecording& previous = recordings[static_cast<size_t>(recording - 1)];
  return RunStep{recording - 1, previous.frameCount - 1, previous.lastMs};
}
