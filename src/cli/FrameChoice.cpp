#include "cli/FrameChoice.h"

#include <vector>

#include "cli/ExportCli.h"
#include "recording/InfoEventFile.h"
#include "recording/ShownFrame.h"

namespace {

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

void AddFrameChoiceOptions(CLI::App& command, FrameChoice& choice) {
  auto* current = command.add_option("--current", choice.current,
                                     "the frame shown (default: the frame the viewer shows after loading)");
  auto* selected = command.add_option("--selected", choice.selected, "selected images from this frame on");
  auto* seconds = command.add_option("--seconds", choice.seconds, "how many seconds of selected images");
  auto* all = command.add_flag("--all", choice.all, "every frame of the recording (thinned by --fps)");
  command.add_option("--fps", choice.fps, "frames per second, 1..N (default N: every frame)");
  current->excludes(selected)->excludes(all);
  selected->excludes(all)->needs(seconds);
  seconds->needs(selected);
}

std::optional<JpegSelection> SelectionOfChoice(const FrameChoice& choice, CInfoEventFile& recording) {
  const int n = recording.FrameCount();
  const int shown = ViewerStartFrame(recording);
  const int fpsListSize = JpegFpsListSize(recording, DecodedFrameComment(recording, shown));
  JpegSelection s;
  s.fps = choice.fps.value_or(fpsListSize);
  s.everyFrame = s.fps == fpsListSize;
  s.startFrame = shown;
  bool valid = InRange(s.fps, 1, fpsListSize);
  if (choice.all) {
    s.kind = kJpegAllImages;
  } else if (choice.selected) {
    s.kind = kJpegSelectedImages;
    s.startFrame = *choice.selected;
    valid = valid && InRange(s.startFrame, 0, n - 1);
    s.seconds = choice.seconds.value_or(1);
    valid = valid && InRange(s.seconds, 1, JpegSecondsListSize(recording, s.startFrame));
  } else {
    s.kind = kJpegCurrentImages;
    s.startFrame = choice.current.value_or(shown);
    valid = valid && InRange(s.startFrame, 0, n - 1);
  }
  if (!valid) {
    PrintMessage(kMsgInvalidInputdata);
    return std::nullopt;
  }
  return s;
}
