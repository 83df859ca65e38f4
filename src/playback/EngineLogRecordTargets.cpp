#include "playback/EngineLogRecordTargets.h"

#include "playback/MgrPlayControl.h"
#include "playback/PlaybackEngineSinks.h"
#include "telemetry/GSensorGraphModel.h"

EngineLogRecordTargets::EngineLogRecordTargets(CMgrPlayControl& control, GSensorGraphModel& logGraph,
                                               EngineWindowView& window)
    : control_(control), logGraph_(logGraph), window_(&window) {}

void EngineLogRecordTargets::StopLogPlay() { control_.StopLogPlay(); }

int EngineLogRecordTargets::GraphPointCount() const { return logGraph_.PointCount(); }

bool EngineLogRecordTargets::GraphPointAt(int index, int& segment, int64_t& timeKey) const {
  if (index < 0 || index >= logGraph_.PointCount()) return false;
  const GraphPoint& point = logGraph_.Point(index);
  segment = point.segment;
  timeKey = point.time;
  return true;
}

int EngineLogRecordTargets::FindGraphPointBySecond(int64_t timeKey) const {
  // The graph answers a time past its end with its last point; here only
  // the same second counts.
  const int found = logGraph_.FindPointByTime(timeKey, false);
  if (found < 0 || logGraph_.Point(found).time / 1000 != timeKey / 1000) return -1;
  return found;
}

void EngineLogRecordTargets::SetGraphCursor(int index) { logGraph_.SetCursor(index, true); }

void EngineLogRecordTargets::DisplayUpdateForLogRecord(const FRAMEINFOLOG& record, int64_t timeKey) {
  control_.DisplayUpdateForLogRecord(record, timeKey);
}

void EngineLogRecordTargets::RepaintLogInfo() { window_->RepaintLogInfo(); }
