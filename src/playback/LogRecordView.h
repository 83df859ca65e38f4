#pragma once
// The log layout's current record: which record a log graph point stands
// for, the log info pane that shows it, and the ways a record becomes
// current (log play and steps, graph clicks, the loaded-logs list box and
// the log search's result rows).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "playback/PlaybackSinks.h"
#include "recording/FrameInfoLog.h"
#include "recording/FrameInfoVideo.h"
#include "telemetry/SpeedUnit.h"

class CInfoLogFile;
struct LogSearchRow;

using LoadedLogs = std::vector<std::unique_ptr<CInfoLogFile>>;

// What the log views need of the log graph and the play controller.
class LogRecordTargets {
 public:
  virtual ~LogRecordTargets() = default;
  virtual void StopLogPlay() {}
  // The log graph: its point count, a point's segment (its log) and time
  // key (false outside the points), the point whose time equals timeKey to
  // the second (-1 when none), and the cursor (moved with a repaint).
  virtual int GraphPointCount() const { return 0; }
  virtual bool GraphPointAt(int /*index*/, int& /*segment*/, int64_t& /*timeKey*/) const { return false; }
  virtual int FindGraphPointBySecond(int64_t /*timeKey*/) const { return -1; }
  virtual void SetGraphCursor(int /*index*/) {}
  // The play controller's display update for a log record.
  virtual void DisplayUpdateForLogRecord(const FRAMEINFOLOG& /*record*/, int64_t /*timeKey*/) {}
  // The log info pane has a new record (or none) to paint.
  virtual void RepaintLogInfo() {}
};

// The index of the first record of log whose time equals timeKey to the
// second; -1 when there is none.
int FindLogRecordBySecond(const CInfoLogFile& log, int64_t timeKey);

// The first record with a valid GPS position in any of logs; null if none.
const FRAMEINFOLOG* FirstLogFix(const LoadedLogs& logs);

// One line of the log info pane: its label and its value as painted.
struct LogInfoLine {
  std::string label;
  std::string value;
  std::string Text() const { return label + ":" + value; }
};

struct LogInfoTexts {
  LogInfoLine eventFile;
  LogInfoLine recorderTime;
  LogInfoLine gpsTime;
  LogInfoLine latitude;
  LogInfoLine longitude;
  LogInfoLine speed;
  std::string heading;  // painted after the speed
};

// The pane's texts for record of the log file fileName; without a record
// every value shows its no-data form.
LogInfoTexts MakeLogInfoTexts(const std::string& fileName, const FRAMEINFOLOG* record, SpeedUnit unit);

class LogRecordView {
 public:
  LogRecordView(const LoadedLogs& logs, LogRecordTargets& targets, const PlaybackOutputs& out);

  // Show log record: the record behind log graph point index becomes
  // current and is shown in the info pane, the loaded-logs list box follows
  // its log, and the display update runs for it. False when the point
  // stands for no loaded record.
  bool ShowLogRecord(int point);

  // The loaded-logs list box selected log.
  bool SelectLoadedLog(int log);
  // A result row of the log search was clicked.
  bool ShowSearchResult(const LogSearchRow& row);

  // No record shown (a graph click that matched none, or the logs closed).
  void ClearRecord();
  // The list box's selection as the window set it (row 0 after a load).
  void SetSelectedLogRow(int row) { selectedLogRow_ = row; }

  bool HasRecord() const { return logIndex_ >= 0; }
  int LogIndex() const { return logIndex_; }
  int RecordIndex() const { return recordIndex_; }
  const FRAMEINFOLOG& Record() const { return record_; }
  int SelectedLogRow() const { return selectedLogRow_; }
  LogInfoTexts Texts(SpeedUnit unit) const;

 private:
  void UpdateMap();

  const LoadedLogs& logs_;
  LogRecordTargets& targets_;
  const PlaybackOutputs& out_;
  FRAMEINFOLOG record_{};
  int logIndex_ = -1;
  int recordIndex_ = -1;
  int selectedLogRow_ = 0;  // the list box starts with row 0 selected
};
