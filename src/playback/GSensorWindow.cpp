#include "playback/GSensorWindow.h"

#include "playback/MgrPlayControl.h"
#include "playback/PlaybackSinks.h"
#include "playback/PlaybackViews.h"
#include "recording/InfoEventFile.h"
#include "telemetry/GSensorGraphModel.h"

GSensorWindow::GSensorWindow(const GSensorGraphModel& graph, CMgrPlayControl& control, const PlaybackOutputs& out)
    : graph_(graph), control_(control), out_(out) {}

bool GSensorWindow::OnPointChosen(int index) {
  if (graph_.Mode() != kViewModeEvent && graph_.Mode() != kViewModeNormal) return false;
  if (index < 0 || index >= graph_.PointCount()) return false;
  control_.StopVideoPlay();
  const CInfoEventFile* video = control_.Navigator().CurrentVideo();
  if (video == nullptr) return false;
  const int frame = FrameAtTime(*video, graph_.Point(index).time);
  if (frame < 0) return false;
  const bool shown = control_.Navigator().GoToFrame(frame);
  out_.RefreshMap();
  return shown;
}

int GSensorWindow::FrameAtTime(const CInfoEventFile& video, int64_t time) {
  const int n = video.FrameCount();
  if (n == 0) return -1;
  if (time >= PointTimeOfFrame(video.Frame(n - 1).time)) return n - 1;
  int64_t next = PointTimeOfFrame(video.Frame(0).time);
  for (int c = 0; c + 1 < n; ++c) {
    const int64_t at = next;
    next = PointTimeOfFrame(video.Frame(c + 1).time);
    if (at <= time && time < next) return c;
  }
  return -1;
}
