#pragma once
// The G-sensor window's part in seeking: a point its graph chose, while
// dragging or on release, becomes the current frame of the current
// recording, with its telemetry and the map brought along.

#include <cstdint>

class CInfoEventFile;
class CMgrPlayControl;
class GSensorGraphModel;
class PlaybackOutputs;

class GSensorWindow {
 public:
  GSensorWindow(const GSensorGraphModel& graph, CMgrPlayControl& control, const PlaybackOutputs& out);

  // A point chosen on the graph, while dragging or on release, in the video
  // modes: stops play, shows the frame whose time interval holds the point's
  // time (the thumbnails refilled around it in the 4 x 4 view) and brings the
  // map up to date. False when no frame was shown; other modes are not the
  // window's to handle.
  bool OnPointChosen(int index);

  // The frame c with time(c) <= time < time(c + 1), frame times taken as
  // the graph plots them; the last frame at or after its time, so the end
  // of the curve reaches the last frame; -1 before the first.
  static int FrameAtTime(const CInfoEventFile& video, int64_t time);

 private:
  const GSensorGraphModel& graph_;
  CMgrPlayControl& control_;
  const PlaybackOutputs& out_;
};
