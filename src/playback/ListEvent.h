#pragma once
// One of the search window's check-box lists (event, normal, log, trip):
// its rows with their check state, selection and focus, filled from the
// catalogue's rows and sorted by header clicks. The window's list view
// paints these rows and forwards clicks; the loading reads the checked paths.

#include <array>
#include <string>
#include <vector>

#include "playback/ListSort.h"
#include "recording/CardCatalogue.h"
#include "recording/FileListRows.h"
#include "telemetry/TripListRows.h"

constexpr int kListColumnNo = 0;
constexpr int kListColumnFile = 1;
constexpr int kListColumnInfo = 2;  // Type in the event list, Duration in the other two
constexpr int kListColumnPath = 3;  // hidden from here on
constexpr int kListColumnDrid = 4;
constexpr int kListColumnSdid = 5;
constexpr int kListColumnCount = 6;
// The Trip list's own columns. No. and the hidden columns stay where the
// file lists have them (its Path column holds the trip's place among the
// engine's trips), so checks, selection and sorting work alike; its other
// texts follow the hidden ones.
constexpr int kTripColumnDate = 1;
constexpr int kTripColumnSpan = 2;
constexpr int kTripColumnDuration = 6;
constexpr int kTripColumnDistance = 7;
constexpr int kTripColumnTopSpeed = 8;
constexpr int kTripColumnEvents = 9;
constexpr int kTripColumnHard = 10;
constexpr int kTripColumnCount = 11;
constexpr int kListColumnMax = kTripColumnCount;

// How many columns the list of kind has.
constexpr int ListColumnCount(FileListKind kind) {
  return kind == FileListKind::kTrip ? kTripColumnCount : kListColumnCount;
}

struct ListEventRow {
  std::array<std::string, kListColumnMax> columns;
  bool checked = false;
  bool selected = false;
  bool focused = false;

  const std::string& Path() const { return columns[kListColumnPath]; }
};

class CListEvent {
 public:
  explicit CListEvent(FileListKind kind) : kind_(kind) {}

  FileListKind Kind() const { return kind_; }

  // Empties the list and shows rows in their order, none checked.
  void Fill(const std::vector<FileListRow>& rows);
  // The same for the Trip list.
  void Fill(const std::vector<TripListRow>& rows);
  void Clear() { rows_.clear(); }

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Null outside the rows.
  const ListEventRow* Row(int row) const;

  void SetChecked(int row, bool checked);
  void SetAllChecked(bool checked);
  bool AnyChecked() const;
  // The hidden Path column of every checked row, in list order.
  std::vector<std::string> CheckedPaths() const;

  // Single selection: row becomes the selected and focused row (-1: none).
  void Select(int row);
  int SelectedRow() const;
  // The row that lists the file at path (the same file, however named);
  // -1 when none does.
  int RowOf(const std::string& path) const;

  // A click on a row: any column but the first selects the row and toggles
  // its check box; the first column holds the check box, which the list
  // view handles itself. A click outside the rows does nothing.
  void ClickRow(int row, int column);

  // A click on a column header; true when the rows were sorted.
  bool ClickHeader(int column);
  const ListSort& Sort() const { return sort_; }

 private:
  FileListKind kind_;
  std::vector<ListEventRow> rows_;
  ListSort sort_;
};
