#include "playback/LoadedRun.h"

#include <algorithm>
#include <tuple>

#include "platform/TimeKey.h"
#include "recording/InfoEventFile.h"
#include "telemetry/TripFrames.h"
#include "telemetry/Trips.h"

namespace {

bool Before(const RunMark& a, const RunMark& b) {
  return std::tie(a.recording, a.frame) < std::tie(b.recording, b.frame);
}

bool Follows(std::span<const RunRecording> recordings, size_t next) {
  const RunRecording& before = recordings[next - 1];
  const RunRecording& after = recordings[next];
  return before.frameCount > 0 && after.frameCount > 0 && ContinuesTrip(before.lastMs, after.firstMs);
}

void AddEventStarts(const CInfoEventFile& video, int recording, std::vector<RunMark>& out) {
  for (int i = 0; i < video.FrameCount(); ++i) {
    const bool starts = video.Frame(i).eventBits != 0 && (i == 0 || video.Frame(i - 1).eventBits == 0);
    if (starts) out.push_back(RunMark{MakeTimeKey(video.Frame(i).time), recording, i});
  }
}

// A brake across the change from one recording to the next is one moment,
// so the moments are found over each stretch of the run, not per recording.
void AddHardMoments(std::span<const std::unique_ptr<CInfoEventFile>> videos, RunStretch stretch, LoadedRun& run) {
  std::vector<TripFrame> frames;
  for (int r = stretch.first; r <= stretch.last; ++r) {
    if (const CInfoEventFile* video = videos[static_cast<size_t>(r)].get())
      AppendTripFrames(video->Frames(), r, frames);
  }
  std::stable_sort(frames.begin(), frames.end(),
                   [](const TripFrame& a, const TripFrame& b) { return a.timeMs < b.timeMs; });
  for (const HardMoment& moment : FindHardMoments(frames, run.hardG)) {
    run.hard.push_back(moment);
    const auto start =
        std::find_if(frames.begin(), frames.end(), [&](const TripFrame& f) { return f.timeMs >= moment.startMs; });
    run.hardStarts.push_back(RunMark{start->timeMs, start->recording, start->frame});
  }
}

}  // namespace

LoadedRun MakeLoadedRun(std::span<const std::unique_ptr<CInfoEventFile>> videos, double hardG) {
  LoadedRun run;
  run.hardG = hardG;
  for (size_t r = 0; r < videos.size(); ++r) {
    const CInfoEventFile* video = videos[r].get();
    RunRecording recording;
    if (video != nullptr && video->FrameCount() > 0) {
      recording = RunRecording{MakeTimeKey(video->Frame(0).time),
                               MakeTimeKey(video->Frame(video->FrameCount() - 1).time), video->FrameCount()};
      AddEventStarts(*video, static_cast<int>(r), run.eventStarts);
    }
    run.recordings.push_back(recording);
  }
  for (int r = 0; r < static_cast<int>(run.recordings.size());) {
    const RunStretch stretch = StretchOf(run.recordings, r);
    AddHardMoments(videos, stretch, run);
    r = stretch.last + 1;
  }
  return run;
}

RunStretch StretchOf(std::span<const RunRecording> recordings, int recording) {
  RunStretch stretch{recording, recording};
  if (recording < 0 || recording >= static_cast<int>(recordings.size())) return stretch;
  while (stretch.first > 0 && Follows(recordings, static_cast<size_t>(stretch.first))) --stretch.first;
  while (stretch.last + 1 < static_cast<int>(recordings.size()) &&
         Follows(recordings, static_cast<size_t>(stretch.last + 1)))
    ++stretch.last;
  return stretch;
}

std::vector<RunMark> StepMarks(const LoadedRun& run) {
  std::vector<RunMark> marks = run.eventStarts;
  marks.insert(marks.end(), run.hardStarts.begin(), run.hardStarts.end());
  std::sort(marks.begin(), marks.end(), Before);
  marks.erase(std::unique(marks.begin(), marks.end(),
                          [](const RunMark& a, const RunMark& b) { return !Before(a, b) && !Before(b, a); }),
              marks.end());
  return marks;
}

std::optional<RunMark> NextMark(std::span<const RunMark> marks, int recording, int frame) {
  const RunMark here{0, recording, frame};
  const auto next = std::upper_bound(marks.begin(), marks.end(), here, Before);
  if (next == marks.end()) return std::nullopt;
  return *next;
}

std::optional<RunMark> PreviousMark(std::span<const RunMark> marks, int recording, int frame) {
  const RunMark here{0, recording, frame};
  const auto at = std::lower_bound(marks.begin(), marks.end(), here, Before);
  if (at == marks.begin()) return std::nullopt;
  return *(at - 1);
}
