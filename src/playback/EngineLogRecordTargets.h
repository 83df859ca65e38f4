#pragma once
// The log record view's targets in the engine: the log graph, the play
// controller and the log info pane.

#include "playback/LogRecordView.h"

class CMgrPlayControl;
class EngineWindowView;
class GSensorGraphModel;

class EngineLogRecordTargets final : public LogRecordTargets {
 public:
  EngineLogRecordTargets(CMgrPlayControl& control, GSensorGraphModel& logGraph, EngineWindowView& window);

  void StopLogPlay() override;
  int GraphPointCount() const override;
  bool GraphPointAt(int index, int& segment, int64_t& timeKey) const override;
  int FindGraphPointBySecond(int64_t timeKey) const override;
  void SetGraphCursor(int index) override;
  void DisplayUpdateForLogRecord(const FRAMEINFOLOG& record, int64_t timeKey) override;
  void RepaintLogInfo() override;

 private:
  CMgrPlayControl& control_;
  GSensorGraphModel& logGraph_;
  EngineWindowView* window_;
};
