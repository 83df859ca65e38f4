#pragma once
// The log search pane: find the loaded log records by GPS speed and by
// G-sensor thresholds. The pane's check boxes and edit texts are the fields
// here; the search reads the texts as numbers, writes "0" / "0.00" back
// into empty ones, and fills the result rows.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "recording/FrameInfoLog.h"

class CInfoLogFile;

struct LogSearchFields {
  bool speedChecked = false;
  std::string speedText = "60";
  bool accelChecked = false;          // the acceleration search as a whole
  std::array<bool, 3> axisChecked{};  // X, Y, Z
  std::array<std::string, 3> axisText{"0.40", "0.40", "0.40"};
};

struct LogSearchRow {
  std::string no;          // "%d", from 1 in the order found
  std::string dateTime;    // the record's local date and time
  std::string recordText;  // the record index (a hidden column)
  std::string eventType;
  int log = -1;  // the row's log
  int record = -1;
};

// A record's speed as the search compares it: whole km/h, rounded.
int SearchSpeed(float kmh);
// An axis value as the search compares it: |value| rounded to two decimals.
double SearchAxis(float value);

// The event type text of a log record. A record carries no event code of
// its own; its data value A is the recorder's per-record code, printed by
// the lists' rule (a log has no extended code, so 32 prints empty).
std::string LogRecordEventType(const FRAMEINFOLOG& record);

class LogSearch {
 public:
  LogSearchFields& Fields() { return fields_; }
  const LogSearchFields& Fields() const { return fields_; }

  // The Search button (after log play was stopped): empty fields are filled
  // in, the rows emptied and refilled from all logs.
  const std::vector<LogSearchRow>& Search(const std::vector<std::unique_ptr<CInfoLogFile>>& logs);

  const std::vector<LogSearchRow>& Rows() const { return rows_; }
  // The logs were closed.
  void ClearRows() { rows_.clear(); }

 private:
  struct Thresholds;
  Thresholds ReadThresholds();
  void AddRow(int log, int record, const FRAMEINFOLOG& r);

  LogSearchFields fields_;
  std::vector<LogSearchRow> rows_;
};
