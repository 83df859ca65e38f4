#include "export/JpegSelection.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/TimeKey.h"
#include "recording/InfoEventFile.h"

namespace {

constexpr uint16_t kFirstRealYear = 1900;
// Where the frame rate sits in the comment segment: 4 bytes of marker and
// length, then offset 16 of the frame comment block.
constexpr size_t kSegmentHeaderSize = 4;
constexpr size_t kFrameRateAt = kSegmentHeaderSize + 16;
// A run that exceeds this has found the most a second can hold.
constexpr int kLongestCountedRun = 29;
constexpr int64_t kMsPerSecond = 1000;

int64_t TimeOf(const CInfoEventFile& recording, int frame) { return JpegFrameTime(recording.Frame(frame).time); }

int LongestRunInOneSecond(const CInfoEventFile& recording) {
  const int n = recording.FrameCount();
  if (n < 2) return 0;
  int longest = 1;
  int run = 1;
  uint16_t runSecond = recording.Frame(1).time.second;
  for (int i = 2; i < n; ++i) {
    const uint16_t second = recording.Frame(i).time.second;
    if (second != runSecond) {
      runSecond = second;
      run = 1;
    } else if (run <= kLongestCountedRun) {
      ++run;
    }
    longest = std::max(longest, run);
  }
  return longest;
}

// Marks from frame `from` on: every frame for a step of 0, else the frames
// at least step ms past the last threshold. With a limit, stops after the
// first frame more than limitMs after the first one (that frame is handled).
void MarkFrom(const CInfoEventFile& recording, int step, int from, int64_t limitMs, std::vector<int>& marked) {
  const int64_t startTime = TimeOf(recording, from);
  int64_t threshold = startTime;
  for (int i = from; i < recording.FrameCount(); ++i) {
    const int64_t time = TimeOf(recording, i);
    if (step == 0 || time >= threshold) {
      marked.push_back(i);
      threshold += step;
    }
    if (limitMs >= 0 && time - startTime > limitMs) break;
  }
}

int ThinningStep(const JpegSelection& selection) {
  if (selection.everyFrame) return 0;
  return static_cast<int>(1000.0 / std::clamp(selection.fps, 1, kJpegMaxFps));
}

}  // namespace

int64_t JpegFrameTime(const DateTime& time) { return time.year < kFirstRealYear ? 0 : MakeTimeKey(time); }

int JpegFpsListSize(const CInfoEventFile& recording, std::span<const unsigned char> lastCommentSegment) {
  int n = LongestRunInOneSecond(recording);
  if (lastCommentSegment.size() > kSegmentHeaderSize && lastCommentSegment.size() >= kFrameRateAt + 2) {
    const int rate = lastCommentSegment[kFrameRateAt] | (lastCommentSegment[kFrameRateAt + 1] << 8);
    n = std::min(n, rate);
  }
  return std::clamp(n, 1, kJpegMaxFps);
}

int JpegSecondsListSize(const CInfoEventFile& recording, int startFrame) {
  const int n = recording.FrameCount();
  if (n < 1) return 1;
  const int64_t span = TimeOf(recording, n - 1) - TimeOf(recording, startFrame);
  const int64_t seconds = span <= 0 ? 0 : (span + kMsPerSecond - 1) / kMsPerSecond;
  return static_cast<int>(std::max<int64_t>(seconds, 1));
}

std::vector<int> MarkJpegFrames(const CInfoEventFile& recording, const JpegSelection& selection,
                                std::span<const int> currentFrames) {
  const int n = recording.FrameCount();
  std::vector<int> marked;
  switch (selection.kind) {
    case kJpegCurrentImages:
      for (const int frame : currentFrames)
        if (frame >= 0 && frame < n) marked.push_back(frame);
      std::sort(marked.begin(), marked.end());
      marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
      break;
    case kJpegAllImages:
      if (n > 0) MarkFrom(recording, ThinningStep(selection), 0, -1, marked);
      break;
    case kJpegSelectedImages:
      if (selection.startFrame < 0 || selection.startFrame >= n) break;
      MarkFrom(recording, ThinningStep(selection), selection.startFrame,
               static_cast<int64_t>(std::max(selection.seconds, 0)) * kMsPerSecond, marked);
      break;
    default:
      break;
  }
  return marked;
}

std::string JpegFileName(const std::string& folder, const DateTime& t, int frameIndex) {
  char name[64];
  std::snprintf(name, sizeof name, "%4d%.2d%.2d_%.2d%.2d%.2d_%.3d.jpg", t.year, t.month, t.day, t.hour, t.minute,
                t.second, frameIndex + 1);
  return (std::filesystem::path(folder) / name).string();
}

int ViewerStartFrame(const CInfoEventFile& recording) {
  if (recording.EventCode() == 0) return 0;
  for (int i = 0; i < recording.FrameCount(); ++i)
    if (recording.Frame(i).frameKind == kTriggerFrameKind) return i;
  return 0;
}
