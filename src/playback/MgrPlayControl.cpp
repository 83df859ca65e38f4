#include "playback/MgrPlayControl.h"

#include <algorithm>

#include "platform/Ports.h"
#include "platform/TimeKey.h"
#include "platform/Trace.h"
#include "playback/ContinuousPlay.h"
#include "playback/LogGps.h"
#include "recording/MgrDBSearch.h"
#include "telemetry/DigitCells.h"
#include "telemetry/DigitDisplays.h"
#include "telemetry/GSensorGraphModel.h"

namespace {

constexpr float kGravity = 1.0f;
constexpr int kAxisX = 0;
constexpr int kAxisY = 1;
constexpr int kAxisZ = 2;

// The map arrow moves when the position changed in its whole minutes or its
// seconds; degrees alone cannot change between two frames.
bool MovedOnMap(const GpsBlock& before, const GpsBlock& now) {
  return before.latMin != now.latMin || before.latSec != now.latSec || before.lonMin != now.lonMin ||
         before.lonSec != now.lonSec;
}

}  // namespace

CMgrPlayControl::CMgrPlayControl(CMgrDBSearch& store, TimerHost& timers, const Clock& clock,
                                 GSensorGraphModel& videoGraph, GSensorGraphModel& logGraph, DigitDisplays& displays,
                                 SpeedSourceQuery speedSource, const PlaybackSinks& sinks)
    : store_(store),
      timers_(timers),
      clock_(clock),
      videoGraph_(videoGraph),
      logGraph_(logGraph),
      displays_(displays),
      out_(sinks),
      navigator_(store, displays, videoGraph, out_, std::move(speedSource), clock, *this) {
  snapshot_.time = clock_.LocalNow();
}

// Both timers call back into this object, so neither may outlive it.
CMgrPlayControl::~CMgrPlayControl() {
  if (videoTimerRunning_) timers_.KillTimer(kVideoTimerId);
  if (logTimerRunning_) timers_.KillTimer(kLogTimerId);
}

ViewMode CMgrPlayControl::CurrentViewMode() const { return store_.App().viewMode; }

bool CMgrPlayControl::IsVideoMode() const {
  const ViewMode mode = CurrentViewMode();
  return mode == kViewModeEvent || mode == kViewModeNormal;
}

bool CMgrPlayControl::HasLoadedData() const {
  if (IsVideoMode()) return !store_.Videos().empty();
  if (CurrentViewMode() == kViewModeLog) return !store_.Logs().empty();
  return false;
}

void CMgrPlayControl::SetState(PlayState state) {
  if (state_ == state) return;
  state_ = state;
  out_.BackPanel().RepaintPlayButtons(state_);
}

// ---- play commands ----------------------------------------------------------

void CMgrPlayControl::StartPlay(PlayState (*nextState)(PlayState)) {
  if (!HasLoadedData()) return;
  SetState(nextState(state_));
  if (IsVideoMode())
    StartVideoPlay();
  else
    StartLogPlay();
}

void CMgrPlayControl::Play() { StartPlay(StateAfterPlay); }
void CMgrPlayControl::FastPlay() { StartPlay(StateAfterFastPlay); }
void CMgrPlayControl::ReversePlay() { StartPlay(StateAfterReverse); }
void CMgrPlayControl::FastReverse() { StartPlay(StateAfterFastReverse); }

void CMgrPlayControl::Stop() {
  if (!HasLoadedData()) return;
  if (IsVideoMode())
    StopVideoPlay();
  else
    StopLogPlay();
}

void CMgrPlayControl::NextFrame() {
  if (!HasLoadedData()) return;
  if (IsVideoMode()) {
    StopVideoPlay();
    navigator_.NextFrame();
  } else {
    StepLogRecord(+1);
  }
}

void CMgrPlayControl::PreviousFrame() {
  if (!HasLoadedData()) return;
  if (IsVideoMode()) {
    StopVideoPlay();
    navigator_.PreviousFrame();
  } else {
    StepLogRecord(-1);
  }
}

void CMgrPlayControl::PlayStopToggle() {
  if (state_ == PS_STOP)
    Play();
  else
    Stop();
}

void CMgrPlayControl::GoTo(int recording, int frameOrRecord) {
  KTRACE("............................... Goto Video %d/%d", recording, frameOrRecord);
  if (IsVideoMode()) {
    navigator_.GoTo(recording, frameOrRecord);
    return;
  }
  if (CurrentViewMode() != kViewModeLog) return;
  StopLogPlay();
  if (frameOrRecord < 0 || frameOrRecord >= logGraph_.PointCount()) return;
  if (frameOrRecord == logGraph_.CurrentIndex()) return;
  logGraph_.SetCursor(frameOrRecord, true);
  ShowLogRecord(frameOrRecord);
}

bool CMgrPlayControl::NextMark() {
  const CInfoEventFile* video = navigator_.CurrentVideo();
  if (!IsVideoMode() || video == nullptr) return false;
  return GoToMark(::NextMark(StepMarks(navigator_.Run()), store_.CurrentIndex(), video->CurrentFrameIndex()));
}

bool CMgrPlayControl::PreviousMark() {
  const CInfoEventFile* video = navigator_.CurrentVideo();
  if (!IsVideoMode() || video == nullptr) return false;
  return GoToMark(::PreviousMark(StepMarks(navigator_.Run()), store_.CurrentIndex(), video->CurrentFrameIndex()));
}

bool CMgrPlayControl::GoToMark(const std::optional<RunMark>& mark) {
  StopVideoPlay();
  if (!mark || navigator_.Run().recordings.size() != store_.Videos().size()) return false;
  return navigator_.GoTo(mark->recording, mark->frame);
}

CurrentPositionRecord CMgrPlayControl::CurrentPosition() const {
  if (snapshot_.gps.valid == 0) return {};
  return CurrentPositionRecord{snapshot_.recording, snapshot_.frame, snapshot_.gps.LatitudeDegrees(),
                               snapshot_.gps.LongitudeDegrees(), 2};
}

// ---- video play -------------------------------------------------------------

// Play starts from the frame on screen: in the thumbnail view the newest
// frame in the direction of play.
void CMgrPlayControl::StartVideoPlay() {
  if (videoTimerRunning_) {
    timers_.KillTimer(kVideoTimerId);
    videoTimerRunning_ = false;
  }
  if (navigator_.Layout() == kLayoutThumbnail) {
    const int pane = IsForwardState(state_) ? kPaneCount - 1 : 0;
    const PaneContent& content = navigator_.Panes().Pane(pane);
    if (!content.HasPicture()) return;
    position_ = MakeTimeKey(content.frame.time);
  } else {
    position_ = MakeTimeKey(snapshot_.time);
  }
  lastTick_ = static_cast<uint32_t>(clock_.TickMs());
  timers_.SetTimer(kVideoTimerId, VideoPeriodMs(state_), [this] { OnVideoTimer(); });
  videoTimerRunning_ = true;
}

// The play state belongs to whichever timer runs: stopping the other one
// leaves it alone.
void CMgrPlayControl::StopVideoPlay() {
  if (videoTimerRunning_ || timers_.IsTimerRunning(kVideoTimerId)) timers_.KillTimer(kVideoTimerId);
  videoTimerRunning_ = false;
  if (!logTimerRunning_) SetState(PS_STOP);
}

// The position follows the measured time, not the number of ticks, so the
// picture keeps to the recorded time whatever the timer's jitter. The tick
// is a 32-bit count that wraps after 49 days.
void CMgrPlayControl::OnVideoTimer() {
  const auto now = static_cast<uint32_t>(clock_.TickMs());
  const uint32_t elapsed = now - lastTick_;
  lastTick_ = now;
  position_ += PlayDelta(state_, elapsed);
  if (!navigator_.Advance(state_, position_).ended) return;
  if (ContinueRun()) return;
  StopVideoPlay();
  EndOfPlay();
}

// The next recording is chosen as a click in the list would choose it
// (display update, slide bar, graph, map), then the timer goes on from its
// first frame's time (or, in reverse, its last).
bool CMgrPlayControl::ContinueRun() {
  if (CurrentViewMode() != kViewModeNormal) return false;
  const std::optional<RunStep> step = ::ContinueRun(navigator_.Run().recordings, store_.CurrentIndex(),
                                                    IsReverseState(state_), navigator_.ContinuousPlayOn());
  if (!step || step->recording >= static_cast<int>(store_.Videos().size())) return false;
  const PlayState state = state_;
  if (!navigator_.GoTo(step->recording, step->frame)) return false;
  if (out_.Map().InUse()) out_.RefreshMap();
  SetState(state);
  position_ = step->positionMs;
  timers_.SetTimer(kVideoTimerId, VideoPeriodMs(state_), [this] { OnVideoTimer(); });
  videoTimerRunning_ = true;
  return true;
}

void CMgrPlayControl::EndOfPlay() {
  if (out_.Map().InUse()) out_.RefreshMap();
}

// ---- log play ---------------------------------------------------------------

void CMgrPlayControl::StartLogPlay() {
  if (logTimerRunning_) timers_.KillTimer(kLogTimerId);
  const int point = logGraph_.FindPointByTime(MakeTimeKey(snapshot_.time), true);
  if (point >= 0) logGraph_.SetCursor(point, true);
  timers_.SetTimer(kLogTimerId, LogPeriodMs(state_), [this] { OnLogTimer(); });
  logTimerRunning_ = true;
}

void CMgrPlayControl::StopLogPlay() {
  if (logTimerRunning_ || timers_.IsTimerRunning(kLogTimerId)) timers_.KillTimer(kLogTimerId);
  logTimerRunning_ = false;
  if (!videoTimerRunning_) SetState(PS_STOP);
}

void CMgrPlayControl::OnLogTimer() {
  const int next = logGraph_.CurrentIndex() + LogStep(state_);
  if (next < 0 || next >= logGraph_.PointCount()) {
    StopLogPlay();
    EndOfPlay();
    return;
  }
  logGraph_.SetCursor(next, true);
  ShowLogRecord(next);
}

void CMgrPlayControl::StepLogRecord(int delta) {
  StopLogPlay();
  const int count = logGraph_.PointCount();
  if (count <= 0) return;
  const int next = std::clamp(logGraph_.CurrentIndex() + delta, 0, count - 1);
  logGraph_.SetCursor(next, true);
  ShowLogRecord(next);
}

void CMgrPlayControl::ShowLogRecord(int point) {
  if (showLogRecord_)
    showLogRecord_(point);
  else
    ShowLogRecordAlone(point);
}

// The record behind a log graph point: in the point's log, the first record
// of the same whole second.
void CMgrPlayControl::ShowLogRecordAlone(int point) {
  const GraphPoint& p = logGraph_.Point(point);
  const auto& logs = store_.Logs();
  const auto logIndex = static_cast<size_t>(p.segment);
  if (logIndex >= logs.size() || !logs[logIndex]) return;
  const CInfoLogFile& log = *logs[logIndex];
  for (int r = 0; r < log.RecordCount(); ++r) {
    const FRAMEINFOLOG* record = log.Record(r);
    if (record == nullptr || record->time / 1000 != p.time / 1000) continue;
    videoGraph_.ShowDetailWindowOf(logGraph_);
    DisplayUpdateForLogRecord(*record, record->time);
    return;
  }
}

// ---- display update ---------------------------------------------------------

void CMgrPlayControl::DisplayUpdate(const FRAMEINFOVIDEO& frame, int recording, int frameIndex) {
  const GpsBlock previous = snapshot_.gps;
  snapshot_.time = frame.time;
  snapshot_.gX = frame.gX;
  snapshot_.gY = frame.gY;
  snapshot_.gZ = frame.gZ;
  snapshot_.signal = frame.signal;
  snapshot_.pulse = frame.pulse;
  snapshot_.recording = recording;
  snapshot_.frame = frameIndex;
  snapshot_.gps = frame.gps;

  displays_.SetDateTime(frame.time);
  displays_.SetGValue(kAxisX, frame.gX);
  displays_.SetGValue(kAxisY, frame.gY);
  displays_.SetGValue(kAxisZ, frame.gZ - kGravity);
  displays_.SetSpeed(store_.PulseToKmh(frame.pulse), frame.gps.valid, frame.gps.speed);
  displays_.SetPosition(frame.gps);
  displays_.SetCarSignal(frame.signal);

  const int64_t timeKey = MakeTimeKey(frame.time);
  if (IsVideoMode()) videoGraph_.MoveCursorToTime(timeKey);
  out_.Map().FollowCurrentPosition();
  if (CurrentViewMode() == kViewModeNormal) {
    const SlideBarSpan& bar = navigator_.SlideBar();
    const int64_t seconds = (timeKey - bar.baseTimeKey) / 1000;
    out_.SlideBar().SetPosition(
        static_cast<int>(std::clamp<int64_t>(seconds, bar.minSeconds, std::max(bar.minSeconds, bar.maxSeconds))));
  }
  FollowOnMap(previous);
  SnapshotChanged();
}

void CMgrPlayControl::DisplayUpdateForLogRecord(const FRAMEINFOLOG& record, int64_t timeKey) {
  displays_.SetDateTime(TimeKeyToDateTime(timeKey));
  // The records carry the pulse counts too: with the car-pulse source the
  // log shows the pulse speed, as a video does.
  displays_.SetSpeed(store_.PulseToKmh(record.pulse), record.gpsValid, LogSpeedKmh(record.speed));
  displays_.SetPosition(GpsBlockOfLogRecord(record));
  for (int axis = 0; axis < DigitDisplays::kAxisCount; ++axis) displays_.SetGValue(axis, kNoGValue);
  // The record logged its own lamps; those of the last video frame would
  // tell of another moment.
  displays_.SetCarSignal(record.signal);
  const GpsBlock previous = snapshot_.gps;
  snapshot_.gps = GpsBlockOfLogRecord(record);
  snapshot_.signal = record.signal;
  snapshot_.pulse = record.pulse;
  const int current = logGraph_.CurrentIndex();
  if (CurrentViewMode() == kViewModeLog && current >= 0) {
    snapshot_.time = TimeKeyToDateTime(logGraph_.Point(current).time);
    displays_.SetDateTime(snapshot_.time);
    // The map's points of a log: recording 0, the graph point as the frame.
    snapshot_.recording = 0;
    snapshot_.frame = current;
  }
  out_.Map().FollowCurrentPosition();
  FollowOnMap(previous);
  SnapshotChanged();
}

void CMgrPlayControl::ResetSnapshot(const DateTime& now) {
  snapshot_ = FrameSnapshot{};
  snapshot_.time = now;
  SnapshotChanged();
}

// At the fast speeds the map window's own timer moves the arrow instead.
void CMgrPlayControl::FollowOnMap(const GpsBlock& before) {
  const GpsBlock& now = snapshot_.gps;
  if (now.valid != 0 && MovedOnMap(before, now) && IsNormalSpeedState(state_)) out_.Map().PostPositionMoved();
}

void CMgrPlayControl::SetSnapshotGps(const GpsBlock& gps) {
  snapshot_.gps = gps;
  SnapshotChanged();
}

// The play-time and image-info panels paint the snapshot: every change of
// it repaints them, whatever moved the position.
void CMgrPlayControl::SnapshotChanged() { out_.Pane().RepaintInfoPanel(); }
