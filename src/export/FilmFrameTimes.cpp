#include "export/FilmFrameTimes.h"

#include "export/JpegSelection.h"
#include "recording/InfoEventFile.h"

namespace {

constexpr int64_t kMillisecondsPerSecond = 1000;

int64_t TimeOf(const CInfoEventFile& recording, int frame) { return JpegFrameTime(recording.Frame(frame).time); }

bool FarApart(int64_t a, int64_t b) { return a < b ? BeyondLongestGap(a, b) : BeyondLongestGap(b, a); }

}  // namespace

bool BeyondLongestGap(int64_t earlier, int64_t later) {
  return (later - earlier) / kMillisecondsPerSecond > kLongestGapSeconds;
}

bool FrameTimeDamaged(const CInfoEventFile& recording, int frame) {
  const int count = recording.FrameCount();
  if (frame < 0 || frame >= count || count < 2) return false;
  const int64_t time = TimeOf(recording, frame);
  if (frame > 0 && !FarApart(TimeOf(recording, frame - 1), time)) return false;
  if (frame + 1 < count && !FarApart(time, TimeOf(recording, frame + 1))) return false;
  return true;
}

int FirstTrustedFrame(const CInfoEventFile& recording, int start) {
  for (int i = start; i < recording.FrameCount(); ++i) {
    if (!FrameTimeDamaged(recording, i)) return i;
  }
  return start;
}

int LastTrustedFrame(const CInfoEventFile& recording) {
  for (int i = recording.FrameCount() - 1; i > 0; --i) {
    if (!FrameTimeDamaged(recording, i)) return i;
  }
  return recording.FrameCount() - 1;
}
