#pragma once
// Where a finished load hands the loaded set in the engine: the play
// controller and its navigation, the log graph, the log record view, the
// digit displays.

#include "playback/LoadTargets.h"

class CMgrDBSearch;
class CMgrPlayControl;
class DigitDisplays;
class GSensorGraphModel;
class LogRecordView;
class PlaybackOutputs;

class EngineLoadTargets final : public LoadTargets {
 public:
  EngineLoadTargets(CMgrDBSearch& store, CMgrPlayControl& control, GSensorGraphModel& logGraph,
                    LogRecordView& logRecords, DigitDisplays& displays, const PlaybackOutputs& out);

  void StopVideoPlay() override;
  void StopLogPlay() override;
  void RecordingsLoaded() override;
  void SelectRecording(int index) override;
  void ShowCurrentFrame(bool displayUpdate) override;
  void SetSnapshotGps(const GpsBlock& gps) override;

  void ClearLogGraph() override;
  // Also selects row 0 of the loaded-logs list box, as the list is filled.
  void LoadLogGraph() override;
  int LogGraphPointCount() const override;
  void ShowLogRecord(int point) override;

  void ShowPosition(const GpsBlock& gps) override;
  void ClearPositionAndSpeed() override;

 private:
  CMgrDBSearch& store_;
  CMgrPlayControl& control_;
  GSensorGraphModel& logGraph_;
  LogRecordView& logRecords_;
  DigitDisplays& displays_;
  const PlaybackOutputs& out_;
};
