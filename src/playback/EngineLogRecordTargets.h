#pragma once
// The log record view's targets in the engine: the log graph, the play
// controller, the G-sensor window's detail graph and the log info pane.

#include "playback/LogRecordView.h"

class CMgrPlayControl;
class EngineWindowView;
class GSensorGraphModel;

class EngineLogRecordTargets final : public LogRecordTargets {
 public:
  EngineLogRecordTargets(CMgrPlayControl& control, GSensorGraphModel& logGraph, GSensorGraphModel& detailGraph,
                         EngineWindowView& window);

  void StopLogPlay() override;
  int GraphPointCount() const override;
  bool GraphPoint(int index, int& segment, int64_t& timeKey) const override;
  int FindGraphPointBySecond(int64_t timeKey) const override;
  // The G-sensor window's graph follows with the records around the cursor.
  void SetGraphCursor(int index) override;
  void DisplayUpdateForLogRecord(const FRAMEINFOLOG& record, int64_t timeKey) override;
  void RepaintLogInfo() override;

 private:
  CMgrPlayControl& control_;
  GSensorGraphModel& logGraph_;
  GSensorGraphModel& detailGraph_;
  EngineWindowView& window_;
};
