#include "playback/EngineLoadTargets.h"

#include "playback/LogRecordView.h"
#include "playback/MgrPlayControl.h"
#include "playback/PlaybackSinks.h"
#include "recording/InfoLogFile.h"
#include "recording/MgrDBSearch.h"
#include "telemetry/DigitDisplays.h"
#include "telemetry/GSensorGraphModel.h"

EngineLoadTargets::EngineLoadTargets(CMgrDBSearch& store, CMgrPlayControl& control, GSensorGraphModel& logGraph,
                                     LogRecordView& logRecords, DigitDisplays& displays, const PlaybackOutputs& out)
    : store_(store), control_(control), logGraph_(logGraph), logRecords_(logRecords), displays_(displays), out_(out) {}

void EngineLoadTargets::StopVideoPlay() { control_.StopVideoPlay(); }
void EngineLoadTargets::StopLogPlay() { control_.StopLogPlay(); }
void EngineLoadTargets::RecordingsLoaded() { control_.Navigator().UpdateRun(); }
void EngineLoadTargets::SelectRecording(int index) { control_.Navigator().SelectRecording(index); }
void EngineLoadTargets::ShowCurrentFrame(bool displayUpdate) { control_.Navigator().ShowCurrentFrame(displayUpdate); }
void EngineLoadTargets::SetSnapshotGps(const GpsBlock& gps) { control_.SetSnapshotGps(gps); }

void EngineLoadTargets::ClearLogGraph() { logGraph_.Clear(); }

void EngineLoadTargets::LoadLogGraph() {
  logGraph_.LoadLogs(store_.Logs());
  logRecords_.SetSelectedLogRow(0);
}

int EngineLoadTargets::LogGraphPointCount() const { return logGraph_.PointCount(); }
void EngineLoadTargets::ShowLogRecord(int point) { logRecords_.ShowLogRecord(point); }

void EngineLoadTargets::ShowPosition(const GpsBlock& gps) { displays_.SetPosition(gps); }

void EngineLoadTargets::ClearPositionAndSpeed() {
  displays_.SetPosition(GpsBlock::NoPositionYet());
  displays_.SetSpeed(0, 0, 0);
}
