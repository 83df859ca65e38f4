#pragma once
// The play controller: the play state and play position of whatever is
// loaded, the two play timers, and the display update that pushes the
// current frame's (or log record's) telemetry to the digit displays, the
// G-sensor graph, the slide bar and the map.
//
// Every play command dispatches on the view mode: the video modes (event,
// normal) go to frame navigation, log mode steps through the log graph's
// points, and with nothing loaded a command does nothing. All calls and both
// timers come on the user-interface thread.

#include <cstdint>
#include <functional>
#include <optional>

#include "base/AppState.h"
#include "playback/FrameNavigator.h"
#include "playback/FrameSnapshot.h"
#include "playback/PlayState.h"
#include "playback/PlaybackSinks.h"
#include "recording/FrameInfoLog.h"

class Clock;
class TimerHost;

// What the map asks for the play position: the current frame and its place
// in decimal degrees, or indices -1 and zeros when there is no fix.
struct CurrentPositionRecord {
  int recording = -1;
  int frame = -1;
  double latitude = 0;
  double longitude = 0;
  uint8_t kind = 0;
};

// A log graph point becomes the shown log record: its log panes, the
// loaded-logs list and the display update.
using ShowLogRecordCall = std::function<void(int point)>;

class CMgrPlayControl final : private FrameNavigatorHost {
 public:
  static constexpr int kVideoTimerId = 1;
  static constexpr int kLogTimerId = 2;

  CMgrPlayControl(CMgrDBSearch& store, TimerHost& timers, const Clock& clock, GSensorGraphModel& videoGraph,
                  GSensorGraphModel& logGraph, DigitDisplays& displays, SpeedSourceQuery speedSource,
                  const PlaybackSinks& sinks);
  // The window's sinks, attached once its widgets exist.
  void AttachSinks(const PlaybackSinks& sinks) { out_.Attach(sinks); }
  void AttachMap(MapView* map) { out_.AttachMap(map); }
  void AddSinks(const PlaybackSinks& views) { out_.Add(views); }
  void RemoveSinks(const PlaybackSinks& views) { out_.Remove(views); }
  ~CMgrPlayControl() override;
  CMgrPlayControl(const CMgrPlayControl&) = delete;
  CMgrPlayControl& operator=(const CMgrPlayControl&) = delete;

  // Replaces what a log step shows (the log record view); without one the
  // record's telemetry goes to the displays alone.
  void SetShowLogRecord(ShowLogRecordCall show) { showLogRecord_ = std::move(show); }

  // ---- play commands --------------------------------------------------------
  void Play();
  void FastPlay();
  void ReversePlay();
  void FastReverse();
  void Stop();
  void NextFrame();
  void PreviousFrame();
  void PlayStopToggle();
  // A recording and frame in the video modes, a log graph point in log mode.
  void GoTo(int recording, int frameOrRecord);
  // Next Event / Previous Event: play stops at the next (or previous) event
  // start or hard moment of the loaded run; false when there is none.
  bool NextMark();
  bool PreviousMark();
  CurrentPositionRecord CurrentPosition() const;

  // The stops every other operation performs: state 1, timer killed.
  void StopVideoPlay() override;
  void StopLogPlay();

  // ---- display update -------------------------------------------------------
  void DisplayUpdate(const FRAMEINFOVIDEO& frame, int recording, int frameIndex) override;
  // The log record variant: date, speed and position of the record; the G
  // displays show no value. The snapshot takes the record's time and
  // position, and in log mode the graph point as its frame, so that the info
  // panel and the map follow the record as the displays do.
  void DisplayUpdateForLogRecord(const FRAMEINFOLOG& record, int64_t timeKey);

  const FrameSnapshot& Snapshot() const { return snapshot_; }
  // Nothing shown: the snapshot as at start-up, with the time now.
  void ResetSnapshot(const DateTime& now);
  const GpsBlock& SnapshotGps() const { return snapshot_.gps; }
  void SetSnapshotGps(const GpsBlock& gps) override;

  // ---- state ----------------------------------------------------------------
  PlayState CurrentPlayState() const { return state_; }
  int64_t PlayPosition() const { return position_; }
  bool IsVideoTimerRunning() const { return videoTimerRunning_; }
  FrameNavigator& Navigator() { return navigator_; }
  const FrameNavigator& Navigator() const { return navigator_; }

  // The timer handlers (timer ids 1 and 2).
  void OnVideoTimer();
  void OnLogTimer();

 private:
  ViewMode CurrentViewMode() const;
  bool IsVideoMode() const;
  bool HasLoadedData() const;
  // Sets the state the command leads to and starts the play of the mode.
  void StartPlay(PlayState (*nextState)(PlayState));
  void SetState(PlayState state);
  void StartVideoPlay();
  void StartLogPlay();
  void StepLogRecord(int delta);
  void ShowLogRecord(int point);
  void ShowLogRecordAlone(int point);
  void EndOfPlay();
  // At an end of a normal recording: play goes on in the neighbouring
  // recording of the run, at the same state; false when the run ends there.
  bool ContinueRun();
  bool GoToMark(const std::optional<RunMark>& mark);
  // The map follows every display update; at the normal speeds a position
  // that moved moves the arrow at once.
  void FollowOnMap(const GpsBlock& before);
  void SnapshotChanged();

  CMgrDBSearch& store_;
  TimerHost& timers_;
  const Clock& clock_;
  GSensorGraphModel& videoGraph_;
  GSensorGraphModel& logGraph_;
  DigitDisplays& displays_;
  PlaybackOutputs out_;
  FrameNavigator navigator_;
  ShowLogRecordCall showLogRecord_;

  PlayState state_ = PS_STOP;
  bool videoTimerRunning_ = false;
  bool logTimerRunning_ = false;
  int64_t position_ = 0;
  uint32_t lastTick_ = 0;
  FrameSnapshot snapshot_;
};
