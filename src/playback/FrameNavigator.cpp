#include "playback/FrameNavigator.h"

#include <algorithm>
#include <utility>

#include "platform/Ports.h"
#include "platform/TimeKey.h"
#include "playback/PlayState.h"
#include "playback/PlaybackNotices.h"
#include "recording/MgrDBSearch.h"
#include "telemetry/DigitCells.h"
#include "telemetry/DigitDisplays.h"
#include "telemetry/GSensorGraphModel.h"

namespace {

constexpr int kLastPane = kPaneCount - 1;
// While the slide bar is dragged the picture follows every fifth second.
constexpr int kDragSeekStepSeconds = 5;

int64_t TimeOf(const CInfoEventFile& video, int frame) { return MakeTimeKey(video.Frame(frame).time); }

int WholeSeconds(int64_t timeKey) { return static_cast<int>(timeKey / 1000); }
int64_t SecondOf(int64_t timeKey) { return timeKey / 1000; }

// Event recordings start at their trigger; everything else at frame 0.
int StartFrameOf(const CInfoEventFile& video, ViewMode viewMode) {
  if (viewMode != kViewModeEvent) return 0;
  for (int i = 0; i < video.FrameCount(); ++i) {
    if (video.Frame(i).frameKind == kTriggerFrameKind) return i;
  }
  return 0;
}

}  // namespace

FrameNavigator::FrameNavigator(CMgrDBSearch& store, DigitDisplays& displays, GSensorGraphModel& videoGraph,
                               const PlaybackOutputs& outputs, SpeedSourceQuery speedSource, const Clock& clock,
                               FrameNavigatorHost& host)
    : store_(store),
      displays_(displays),
      videoGraph_(videoGraph),
      out_(outputs),
      speedSource_(std::move(speedSource)),
      clock_(clock),
      host_(host) {}

CInfoEventFile* FrameNavigator::CurrentVideo() const {
  const int index = store_.CurrentIndex();
  auto& videos = store_.Videos();
  if (index < 0 || index >= static_cast<int>(videos.size())) return nullptr;
  return videos[static_cast<size_t>(index)].get();
}

bool FrameNavigator::IsThumbnail() const { return panes_.Layout() == kLayoutThumbnail; }

// ---- advancing to the play position -----------------------------------------

AdvanceResult FrameNavigator::Advance(PlayState state, int64_t position) {
  CInfoEventFile* video = CurrentVideo();
  if (video == nullptr || video->FrameCount() <= 0) return {false, true};
  return IsThumbnail() ? AdvanceThumbnail(*video, state, position) : AdvanceSingle(*video, state, position);
}

// Scans up from the current frame: the frame whose interval (time(i),
// time(i+1)] holds the position. A position still before the frame being
// looked at means nothing new to show yet.
int FrameNavigator::ScanForward(const CInfoEventFile& video, int64_t position) const {
  const int last = video.FrameCount() - 1;
  int i = std::clamp(video.CurrentFrameIndex(), 0, last);
  int64_t time = TimeOf(video, i);
  for (; i < last; ++i) {
    if (position < time) return -1;
    const int64_t next = TimeOf(video, i + 1);
    if (position > time && position <= next) return i + 1;
    time = next;
  }
  return -1;
}

int FrameNavigator::ScanReverse(const CInfoEventFile& video, int64_t position) const {
  int i = std::clamp(video.CurrentFrameIndex(), 0, video.FrameCount() - 1);
  int64_t time = TimeOf(video, i);
  for (; i >= 1; --i) {
    if (position > time) return -1;
    const int64_t previous = TimeOf(video, i - 1);
    if (position < time && position >= previous) return i - 1;
    time = previous;
  }
  return -1;
}

AdvanceResult FrameNavigator::AdvanceSingle(CInfoEventFile& video, PlayState state, int64_t position) {
  const int recording = store_.CurrentIndex();
  const int last = video.FrameCount() - 1;
  if (!IsReverseState(state)) {
    if (position >= TimeOf(video, last)) {
      video.SetCurrentFrameIndex(last);
      return {ShowFrame(recording, last, 0, true), true};
    }
    const int frame = ScanForward(video, position);
    if (frame < 0) return {};
    video.SetCurrentFrameIndex(frame);
    return {ShowFrame(recording, frame, 0, true), false};
  }
  if (position <= TimeOf(video, 0)) {
    video.SetCurrentFrameIndex(0);
    return {ShowFrame(recording, 0, 0, true), true};
  }
  const int frame = ScanReverse(video, position);
  if (frame < 0) return {};
  video.SetCurrentFrameIndex(frame);
  return {ShowFrame(recording, frame, 0, true), false};
}

// The current frame is the newest one in the grid: the last pane's going
// forward, the first pane's going backward. A new frame pushes the grid on by
// one pane; the end frame is shown in the end pane in place.
AdvanceResult FrameNavigator::AdvanceThumbnail(CInfoEventFile& video, PlayState state, int64_t position) {
  const int recording = store_.CurrentIndex();
  const int last = video.FrameCount() - 1;
  const int selected = panes_.Selected();
  if (!IsReverseState(state)) {
    if (position >= TimeOf(video, last)) {
      video.SetCurrentFrameIndex(last);
      return {ShowFrame(recording, last, kLastPane, false), true};
    }
    const int frame = ScanForward(video, position);
    if (frame < 0) return {};
    video.SetCurrentFrameIndex(frame);
    ShiftLeft();
    return {ShowFrame(recording, frame, kLastPane, selected == kLastPane), false};
  }
  if (position <= TimeOf(video, 0)) {
    video.SetCurrentFrameIndex(0);
    return {ShowFrame(recording, 0, 0, false), true};
  }
  const int frame = ScanReverse(video, position);
  if (frame < 0) return {};
  video.SetCurrentFrameIndex(frame);
  ShiftRight();
  return {ShowFrame(recording, frame, 0, selected == 0), false};
}

void FrameNavigator::ShiftLeft() {
  panes_.ShiftLeft();
  RepaintAllPanes();
  if (panes_.Selected() != kLastPane) RunDisplayUpdateFor(panes_.Selected());
}

void FrameNavigator::ShiftRight() {
  panes_.ShiftRight();
  RepaintAllPanes();
  if (panes_.Selected() != 0) RunDisplayUpdateFor(panes_.Selected());
}

void FrameNavigator::RunDisplayUpdateFor(int pane) {
  if (!PaneSet::IsPane(pane)) return;
  const PaneContent& content = panes_.Pane(pane);
  if (!content.HoldsFrame()) return;
  host_.DisplayUpdate(content.frame, content.recording, content.frameIndex);
}

void FrameNavigator::RepaintAllPanes() {
  for (int pane = 0; pane < kPaneCount; ++pane) out_.Pane().RepaintPane(pane);
}

// ---- showing frames ---------------------------------------------------------

bool FrameNavigator::ShowFrame(int recording, int frame, int pane, bool displayUpdate) {
  auto& videos = store_.Videos();
  if (recording < 0 || recording >= static_cast<int>(videos.size())) return false;
  CInfoEventFile& video = *videos[static_cast<size_t>(recording)];
  if (frame < 0 || frame >= video.FrameCount()) return false;
  const int target = IsThumbnail() ? pane : 0;
  if (!PaneSet::IsPane(target)) return false;

  // A frame whose picture cannot be read is stored without one, with its
  // own telemetry: the picture and data shown before must not stay up as
  // if they were this frame's.
  const auto [bytes, decoded] = store_.DecodeFrame(recording, frame);
  const CStreamImage& codec = store_.StreamImage();
  const FRAMEINFOVIDEO& record = video.Frame(frame);
  panes_.Store(target, decoded ? codec.Pixels() : nullptr, codec.Width(), codec.Height(), record, recording, frame,
               video.FrameCount(), bytes);
  out_.Pane().RepaintPane(target);
  if (displayUpdate) host_.DisplayUpdate(record, recording, frame);
  if (bytes == 0) TellUnreadableFrames(video);
  return true;
}

// Once per recording, with play stopped: a box that turns up during play
// would have the frames run on under it.
void FrameNavigator::TellUnreadableFrames(CInfoEventFile& video) {
  if (!video.TakeUnreadableNotice()) return;
  host_.StopVideoPlay();
  out_.Pane().ShowNotice(UnreadableFramesText(std::max(video.UnreadableFrameCount(), 1), video.FrameCount()));
}

bool FrameNavigator::ShowCurrentFrame(bool displayUpdate) {
  CInfoEventFile* video = CurrentVideo();
  if (video == nullptr) return false;
  const int frame = video->CurrentFrameIndex();
  if (frame < 0 || frame >= video->FrameCount()) return false;
  if (!IsThumbnail()) return ShowFrame(store_.CurrentIndex(), frame, 0, displayUpdate);
  FillPanes(frame, kCentrePane, displayUpdate);
  return panes_.Pane(kCentrePane).frameIndex == frame;
}

void FrameNavigator::FillPanes(int frame, int pane, bool displayUpdate) {
  CInfoEventFile* video = CurrentVideo();
  if (video == nullptr || !IsThumbnail() || !PaneSet::IsPane(pane)) return;
  const int recording = store_.CurrentIndex();
  for (int j = 0; j < kPaneCount; ++j) {
    const int f = frame - pane + j;
    const bool inside = f >= 0 && f < video->FrameCount();
    if (inside && ShowFrame(recording, f, j, displayUpdate && j == pane)) continue;
    panes_.Empty(j);
    out_.Pane().RepaintPane(j);
  }
  panes_.SetSelected(pane);
  out_.Pane().SetSelectedPane(pane);
}

// ---- frame steps ------------------------------------------------------------

bool FrameNavigator::NextFrame() {
  CInfoEventFile* video = CurrentVideo();
  if (video == nullptr) return false;
  const int recording = store_.CurrentIndex();
  if (!IsThumbnail()) {
    const int next = video->CurrentFrameIndex() + 1;
    if (next >= video->FrameCount()) return false;
    video->SetCurrentFrameIndex(next);
    return ShowFrame(recording, next, 0, true);
  }
  const PaneContent& end = panes_.Pane(kLastPane);
  if (!end.HoldsFrame() || end.frameIndex >= video->FrameCount() - 1) return false;
  const int next = end.frameIndex + 1;
  video->SetCurrentFrameIndex(next);
  ShiftLeft();
  return ShowFrame(recording, next, kLastPane, panes_.Selected() == kLastPane);
}

bool FrameNavigator::PreviousFrame() {
  CInfoEventFile* video = CurrentVideo();
  if (video == nullptr) return false;
  const int recording = store_.CurrentIndex();
  if (!IsThumbnail()) {
    const int previous = video->CurrentFrameIndex() - 1;
    if (previous < 0) return false;
    video->SetCurrentFrameIndex(previous);
    return ShowFrame(recording, previous, 0, true);
  }
  const PaneContent& start = panes_.Pane(0);
  if (!start.HoldsFrame() || start.frameIndex <= 0) return false;
  const int previous = start.frameIndex - 1;
  video->SetCurrentFrameIndex(previous);
  ShiftRight();
  return ShowFrame(recording, previous, 0, panes_.Selected() == 0);
}

bool FrameNavigator::GoToFrame(int frame) {
  CInfoEventFile* video = CurrentVideo();
  if (video == nullptr || frame < 0 || frame >= video->FrameCount()) return false;
  video->SetCurrentFrameIndex(frame);
  if (!IsThumbnail()) return ShowFrame(store_.CurrentIndex(), frame, 0, true);
  panes_.SetSelected(-1);
  out_.Pane().SetSelectedPane(-1);
  FillPanes(frame, kCentrePane, true);
  return panes_.Pane(kCentrePane).frameIndex == frame;
}

// ---- the loaded run ---------------------------------------------------------

void FrameNavigator::SetRunSettings(std::function<bool()> continuous, std::function<double()> hardG) {
  continuous_ = std::move(continuous);
  hardG_ = std::move(hardG);
}

void FrameNavigator::UpdateRun() { run_ = MakeLoadedRun(store_.Videos(), hardG_ ? hardG_() : kDefaultHardG); }

// ---- selecting a recording --------------------------------------------------

bool FrameNavigator::SelectRecording(int index) {
  auto& videos = store_.Videos();
  if (index >= static_cast<int>(videos.size())) return false;
  host_.StopVideoPlay();
  if (index < 0) {
    SwitchToSingleView();
    store_.SetCurrentIndex(-1);
    ResetSlideBarToNow();
    return false;
  }
  if (IsThumbnail()) SwitchToSingleView();
  store_.SetCurrentIndex(index);
  CInfoEventFile& video = *videos[static_cast<size_t>(index)];
  const ViewMode viewMode = store_.App().viewMode;

  if (video.FrameCount() <= 0) {
    panes_.Empty(0);
    out_.Pane().RepaintPane(0);
    for (int axis = 0; axis < DigitDisplays::kAxisCount; ++axis) displays_.SetGValue(axis, kNoGValue);
    video.SetCurrentFrameIndex(-1);
    ResetSlideBarToNow();
  } else {
    video.SetCurrentFrameIndex(StartFrameOf(video, viewMode));
    if (viewMode == kViewModeNormal && ContinuousPlayOn())
      SetUpRunSlideBar(index);
    else if (viewMode == kViewModeNormal)
      SetUpSlideBar(video);
  }

  const bool hasFix = store_.HasGpsFix(index);
  out_.BackPanel().ShowGpsPart(hasFix);
  if (hasFix || (speedSource_ && speedSource_().UsesPulse())) out_.BackPanel().RedrawSpeedReadout(true);
  videoGraph_.LoadVideoRecording(video, viewMode);
  ShowHardPeaks(index);
  ShowMapOf(index, video, hasFix);
  return true;
}

void FrameNavigator::SwitchToSingleView() {
  for (int pane = 1; pane < kPaneCount; ++pane) {
    panes_.Empty(pane);
    out_.Pane().RepaintPane(pane);
  }
  panes_.SetSelected(0);
  panes_.SetLayout(kLayoutSingle);
  out_.Pane().SetLayout(kLayoutSingle);
}

void FrameNavigator::ResetSlideBarToNow() {
  out_.SlideBar().ResetToNow();
  slideBar_ = SlideBarSpan{MakeTimeKey(clock_.LocalNow()), 0, 0, false, {}};
}

// The bar spans the recording in whole seconds; a mark stands where each run
// of event frames begins.
void FrameNavigator::SetUpSlideBar(const CInfoEventFile& video) {
  const int last = video.FrameCount() - 1;
  const int64_t first = TimeOf(video, 0);
  const int64_t end = TimeOf(video, last);
  slideBar_ = SlideBarSpan{first, 0, std::max(0, WholeSeconds(end - first)), false, {}};
  SlideBarView& bar = out_.SlideBar();
  bar.SetTimes(first, first, end);
  bar.SetRange(slideBar_.minSeconds, slideBar_.maxSeconds);
  bar.ClearMarks();
  for (int i = 0; i <= last; ++i) {
    const bool starts = video.Frame(i).eventBits != 0 && (i == 0 || video.Frame(i - 1).eventBits == 0);
    if (starts) bar.AddMark(WholeSeconds(TimeOf(video, i) - first));
  }
}

// With continuous play the bar spans the stretch of the run the recording
// belongs to, marked at each event start and hard moment in it. A run made
// for another set of recordings is no guide: the bar then spans the
// recording.
void FrameNavigator::SetUpRunSlideBar(int recording) {
  const auto& videos = store_.Videos();
  if (run_.recordings.size() != videos.size()) {
    SetUpSlideBar(*videos[static_cast<size_t>(recording)]);
    return;
  }
  const RunStretch stretch = StretchOf(run_.recordings, recording);
  const int64_t first = run_.recordings[static_cast<size_t>(stretch.first)].firstMs;
  const int64_t end = run_.recordings[static_cast<size_t>(stretch.last)].lastMs;
  slideBar_ = SlideBarSpan{first, 0, std::max(0, WholeSeconds(end - first)), true, stretch};
  SlideBarView& bar = out_.SlideBar();
  bar.SetTimes(first, first, end);
  bar.SetRange(slideBar_.minSeconds, slideBar_.maxSeconds);
  bar.ClearMarks();
  for (const RunMark& mark : StepMarks(run_)) {
    if (mark.recording >= stretch.first && mark.recording <= stretch.last)
      bar.AddMark(WholeSeconds(mark.timeMs - first));
  }
}

void FrameNavigator::ShowHardPeaks(int recording) {
  const auto& videos = store_.Videos();
  if (run_.recordings.size() != videos.size()) return;
  const CInfoEventFile& video = *videos[static_cast<size_t>(recording)];
  std::vector<int64_t> peaks;
  for (const HardMoment& moment : run_.hard) {
    if (moment.recording == recording && moment.frame < video.FrameCount())
      peaks.push_back(PointTimeOfFrame(video.Frame(moment.frame).time));
  }
  if (!peaks.empty()) videoGraph_.SetHardPeaks(std::move(peaks));
}

void FrameNavigator::ShowMapOf(int recording, const CInfoEventFile& video, bool hasFix) {
  out_.BackPanel().SetMapHasData(hasFix);
  if (!hasFix) return;
  int frame = video.CurrentFrameIndex();
  if (store_.IsCurrentFrameWithoutFix(recording)) {
    frame = store_.FindNearestFixFrame(recording);
    host_.SetSnapshotGps(video.Frame(frame).gps);
  }
  const GpsBlock& centre = video.Frame(frame).gps;
  MapView& map = out_.Map();
  map.MoveCenterMap(recording, frame, centre.LatitudeDegrees(), centre.LongitudeDegrees());
  map.DrawRecordingRoute();
}

// ---- go to and seek ---------------------------------------------------------

bool FrameNavigator::GoTo(int recording, int frame) {
  host_.StopVideoPlay();
  auto& videos = store_.Videos();
  if (recording < 0 || recording >= static_cast<int>(videos.size())) return false;
  if (recording != store_.CurrentIndex()) {
    out_.LoadedList().SelectLoadedRecordingRow(recording);
    SelectRecording(recording);
  }
  if (frame < 0 || frame >= videos[static_cast<size_t>(recording)]->FrameCount()) return false;
  return GoToFrame(frame);
}

bool FrameNavigator::SeekToTime(int seconds, bool released) {
  if (store_.App().viewMode != kViewModeNormal) return false;
  host_.StopVideoPlay();
  displays_.SetDateTime(TimeKeyToDateTime(slideBar_.baseTimeKey + static_cast<int64_t>(seconds) * 1000));
  if (!released && seconds % kDragSeekStepSeconds != 0) return false;
  const bool shown = slideBar_.spansRun ? SeekInRun(seconds) : SeekTo(seconds);
  if (released) out_.RefreshMap();
  return shown;
}

bool FrameNavigator::SeekTo(int seconds) {
  CInfoEventFile* video = CurrentVideo();
  if (video == nullptr || video->FrameCount() <= 0) return false;
  const int frame = SeekFrame(*video, seconds);
  if (frame < 0) return false;
  return ShowSought(*video, frame);
}

bool FrameNavigator::SeekInRun(int seconds) {
  const int64_t target = SecondOf(slideBar_.baseTimeKey) + seconds;
  const RunStretch stretch = slideBar_.stretch;
  int recording = stretch.first;
  for (int r = stretch.first; r <= stretch.last; ++r) {
    if (SecondOf(run_.recordings[static_cast<size_t>(r)].firstMs) <= target) recording = r;
  }
  if (recording != store_.CurrentIndex()) {
    out_.LoadedList().SelectLoadedRecordingRow(recording);
    SelectRecording(recording);
  }
  CInfoEventFile* video = CurrentVideo();
  if (video == nullptr || video->FrameCount() <= 0) return false;
  const int last = video->FrameCount() - 1;
  int frame = last;
  for (int i = 0; i < last; ++i) {
    if (SecondOf(TimeOf(*video, i + 1)) > target) {
      frame = i;
      break;
    }
  }
  return ShowSought(*video, frame);
}

bool FrameNavigator::ShowSought(CInfoEventFile& video, int frame) {
  video.SetCurrentFrameIndex(frame);
  if (!IsThumbnail()) return ShowFrame(store_.CurrentIndex(), frame, 0, true);
  FillPanes(frame, kCentrePane, false);
  if (panes_.Pane(kCentrePane).frameIndex != frame) return false;
  RunDisplayUpdateFor(kCentrePane);
  return true;
}

// The frame whose whole second interval [time(i), time(i+1)) holds the
// target second; the bar's ends stand for the first and the last frame.
int FrameNavigator::SeekFrame(const CInfoEventFile& video, int seconds) const {
  const int last = video.FrameCount() - 1;
  if (seconds <= slideBar_.minSeconds) return 0;
  if (seconds >= slideBar_.maxSeconds) return last;
  const int64_t target = (slideBar_.baseTimeKey + static_cast<int64_t>(seconds) * 1000) / 1000;
  int64_t time = TimeOf(video, 0) / 1000;
  for (int i = 0; i < last; ++i) {
    const int64_t next = TimeOf(video, i + 1) / 1000;
    if (time <= target && target < next) return i;
    time = next;
  }
  return -1;
}

// ---- pane clicks ------------------------------------------------------------

bool FrameNavigator::ClickThumbnail(int pane) {
  if (!IsThumbnail() || !PaneSet::IsPane(pane)) return false;
  const PaneContent& content = panes_.Pane(pane);
  if (!content.HasPicture()) return false;
  const int selected = panes_.Selected();
  if (pane == selected) {
    // The grid follows the clicked frame, so play and the steps go on from
    // it as they would after Go to frame.
    const int frame = content.frameIndex;
    if (CInfoEventFile* video = CurrentVideo(); video != nullptr && content.recording == store_.CurrentIndex()) {
      video->SetCurrentFrameIndex(frame);
    }
    FillPanes(frame, pane, false);
    return true;
  }
  panes_.SetSelected(pane);
  out_.Pane().SetSelectedPane(pane);
  if (PaneSet::IsPane(selected)) out_.Pane().RepaintPane(selected);
  out_.Pane().RepaintPane(pane);
  RunDisplayUpdateFor(pane);
  out_.RefreshMap();
  return true;
}

bool FrameNavigator::ToggleThumbnailView() {
  if (store_.Videos().empty()) return false;
  if (panes_.Layout() == kLayoutSingle) {
    SetLayout(kLayoutThumbnail);
    return true;
  }
  if (panes_.Layout() == kLayoutThumbnail) {
    SetLayout(kLayoutSingle);
    return true;
  }
  return false;
}

// ---- layouts ----------------------------------------------------------------

void FrameNavigator::SetLayout(ViewLayout layout) {
  CInfoEventFile* video = CurrentVideo();
  if (layout == kLayoutSingle) {
    host_.StopVideoPlay();
    int frame = -1;
    if (video != nullptr && video->FrameCount() > 0) {
      const int selected = panes_.Selected();
      if (IsThumbnail() && PaneSet::IsPane(selected) && panes_.Pane(selected).HoldsFrame()) {
        frame = panes_.Pane(selected).frameIndex;
      } else if (!panes_.Pane(0).HasPicture()) {
        frame = 0;
      } else {
        frame = video->FrameCount() - 1;
      }
    }
    SwitchToSingleView();
    if (frame >= 0) {
      video->SetCurrentFrameIndex(frame);
      ShowFrame(store_.CurrentIndex(), frame, 0, true);
    }
    return;
  }
  if (layout == kLayoutThumbnail) {
    host_.StopVideoPlay();
    panes_.Empty(0);
    out_.Pane().RepaintPane(0);
    panes_.SetLayout(kLayoutThumbnail);
    out_.Pane().SetLayout(kLayoutThumbnail);
    if (video != nullptr) GoToFrame(video->CurrentFrameIndex());
    return;
  }
  if (layout == kLayoutLog) {
    panes_.EmptyAll();
    RepaintAllPanes();
    panes_.SetSelected(0);
    panes_.SetLayout(kLayoutLog);
    out_.Pane().SetLayout(kLayoutLog);
  }
}
