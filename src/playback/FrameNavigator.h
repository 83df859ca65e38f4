#pragma once
// Frame navigation: which loaded video recording and which of its frames are
// current, what each picture pane shows, and when the telemetry of a frame
// is pushed to the displays. It serves the play controller's timer (advance
// to the play position), the frame steps, the lists and the map (select
// recording, go to) and the normal-mode slide bar (seek), in the single view
// and in the 4 x 4 thumbnail view.
//
// The recordings, the frame buffer and the codec belong to the recording
// store; navigation reads a frame into the buffer, decodes it and copies the
// picture into a pane. Everything runs on the user-interface thread.

#include <cstdint>
#include <functional>
#include <utility>

#include "base/ViewLayout.h"
#include "playback/LoadedRun.h"
#include "playback/PaneSet.h"
#include "playback/PlayState.h"
#include "playback/PlaybackSinks.h"
#include "recording/FrameInfoVideo.h"

class CInfoEventFile;
class Clock;
class CMgrDBSearch;
class DigitDisplays;
class GSensorGraphModel;

// What navigation needs of the play controller.
class FrameNavigatorHost {
 public:
  virtual ~FrameNavigatorHost() = default;
  virtual void StopVideoPlay() = 0;
  // The display update for one frame of a recording.
  virtual void DisplayUpdate(const FRAMEINFOVIDEO& frame, int recording, int frameIndex) = 0;
  virtual void SetSnapshotGps(const GpsBlock& gps) = 0;
};

struct AdvanceResult {
  bool shown = false;  // a frame was read and stored in a pane
  bool ended = false;  // the position reached an end of the recording
};

// The normal-mode slide bar: whole seconds from the base time of the
// current recording's first frame, or with continuous play of the first
// frame of the stretch of the run it belongs to.
struct SlideBarSpan {
  int64_t baseTimeKey = 0;
  int minSeconds = 0;
  int maxSeconds = 0;
  bool spansRun = false;
  RunStretch stretch;
};

class FrameNavigator {
 public:
  // The pane that leads the thumbnail grid around a chosen frame.
  static constexpr int kCentrePane = kPaneCount / 2;

  FrameNavigator(CMgrDBSearch& store, DigitDisplays& displays, GSensorGraphModel& videoGraph,
                 const PlaybackOutputs& outputs, SpeedSourceQuery speedSource, const Clock& clock,
                 FrameNavigatorHost& host);

  // Moves the current recording to the play position for the play state:
  // forward states show the first frame at or after it, reverse states the
  // last one at or before it, skipping the frames passed within one tick.
  AdvanceResult Advance(PlayState state, int64_t position);

  // Reads, decodes and stores frame i of recording r in pane p (pane 0 in
  // the single view); a picture that cannot be read or decoded leaves the
  // pane without one. False for a recording, frame or pane that is not
  // there.
  bool ShowFrame(int recording, int frame, int pane, bool displayUpdate);
  // The current recording's current frame: in pane 0, or in the thumbnail
  // view with the grid refilled around it.
  bool ShowCurrentFrame(bool displayUpdate);

  bool NextFrame();
  bool PreviousFrame();
  // Frame i of the current recording becomes current and is shown.
  bool GoToFrame(int frame);
  // Makes recording index current and prepares the displays, the slide bar,
  // the graph and the map for it; its start frame is chosen but not shown.
  bool SelectRecording(int index);
  // The video half of Go to: recording a (selected when it is not the
  // current one), then frame i of it.
  bool GoTo(int recording, int frame);
  // The normal-mode slide bar at seconds from its base time; while dragging
  // only every fifth second moves the picture.
  bool SeekToTime(int seconds, bool released);
  // Whether play runs on through the loaded run (asked whenever it
  // matters, so the menu's tick takes effect at once) and the G of a hard
  // moment (asked at each load); without them play stops at each end and
  // the moments are found at kDefaultHardG.
  void SetRunSettings(std::function<bool()> continuous, std::function<double()> hardG);
  // The loaded run made anew from the store's recordings: after each load
  // and when they are closed.
  void UpdateRun();
  const LoadedRun& Run() const { return run_; }
  bool ContinuousPlayOn() const { return continuous_ && continuous_(); }
  // Refills the grid so that pane j shows frame (frame - pane + j); panes
  // outside the recording are emptied, pane becomes the selected one.
  void FillPanes(int frame, int pane, bool displayUpdate);

  // A left press on thumbnail pane: a pane other than the selected one
  // becomes selected, its frame's telemetry is shown and the map follows;
  // the selected pane itself refills the grid around its frame. Only panes
  // holding a picture take the press; false when nothing changed.
  bool ClickThumbnail(int pane);
  // The right press on a pane: single view <-> thumbnail view while video
  // recordings are loaded; false when nothing changed.
  bool ToggleThumbnailView();

  // The pane container's layouts (single, thumbnail, log).
  void SetLayout(ViewLayout layout);
  ViewLayout Layout() const { return panes_.Layout(); }

  const PaneSet& Panes() const { return panes_; }
  const SlideBarSpan& SlideBar() const { return slideBar_; }
  // The current recording, or null.
  CInfoEventFile* CurrentVideo() const;

 private:
  bool IsThumbnail() const;
  AdvanceResult AdvanceSingle(CInfoEventFile& video, PlayState state, int64_t position);
  AdvanceResult AdvanceThumbnail(CInfoEventFile& video, PlayState state, int64_t position);
  // The new frame a forward or reverse scan finds; -1 for none yet.
  int ScanForward(const CInfoEventFile& video, int64_t position) const;
  int ScanReverse(const CInfoEventFile& video, int64_t position) const;
  // Shifts the grid one pane towards its start (new frame at the end) or
  // its end (new frame at the start) and runs the display update for the
  // content that moves into the selected pane.
  void ShiftLeft();
  void ShiftRight();
  void RunDisplayUpdateFor(int pane);
  void RepaintAllPanes();
  void TellUnreadableFrames(CInfoEventFile& video);
  void SwitchToSingleView();
  void ResetSlideBarToNow();
  void SetUpSlideBar(const CInfoEventFile& video);
  void SetUpRunSlideBar(int recording);
  void ShowHardPeaks(int recording);
  void ShowMapOf(int recording, const CInfoEventFile& video, bool hasFix);
  bool SeekTo(int seconds);
  int SeekFrame(const CInfoEventFile& video, int seconds) const;
  // Seeking over the run: the recording of the stretch that holds the
  // second becomes current as if chosen in the list.
  bool SeekInRun(int seconds);
  bool ShowSought(CInfoEventFile& video, int frame);

  CMgrDBSearch& store_;
  DigitDisplays& displays_;
  GSensorGraphModel& videoGraph_;
  const PlaybackOutputs& out_;
  SpeedSourceQuery speedSource_;
  const Clock& clock_;
  FrameNavigatorHost& host_;
  PaneSet panes_;
  SlideBarSpan slideBar_;
  LoadedRun run_;
  std::function<bool()> continuous_;
  std::function<double()> hardG_;
};
