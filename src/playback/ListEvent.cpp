#include "playback/ListEvent.h"

#include <algorithm>
#include <filesystem>

void CListEvent::Fill(const std::vector<FileListRow>& rows) {
  rows_.clear();
  rows_.reserve(rows.size());
  for (const FileListRow& file : rows) {
    ListEventRow row;
    row.columns[kListColumnNo] = file.no;
    row.columns[kListColumnFile] = file.title;
    row.columns[kListColumnInfo] = kind_ == FileListKind::kEvent ? file.type : file.duration;
    row.columns[kListColumnPath] = file.path;
    row.columns[kListColumnDrid] = file.drid;
    row.columns[kListColumnSdid] = file.sdid;
    rows_.push_back(std::move(row));
  }
}

void CListEvent::Fill(const std::vector<TripListRow>& rows) {
  rows_.clear();
  rows_.reserve(rows.size());
  for (const TripListRow& trip : rows) {
    ListEventRow row;
    row.columns[kListColumnNo] = trip.no;
    row.columns[kTripColumnDate] = trip.date;
    row.columns[kTripColumnSpan] = trip.span;
    row.columns[kListColumnPath] = std::to_string(trip.trip);
    row.columns[kTripColumnDuration] = trip.duration;
    row.columns[kTripColumnDistance] = trip.distance;
    row.columns[kTripColumnTopSpeed] = trip.topSpeed;
    row.columns[kTripColumnEvents] = trip.events;
    row.columns[kTripColumnHard] = trip.hard;
    rows_.push_back(std::move(row));
  }
}

const ListEventRow* CListEvent::Row(int row) const {
  if (row < 0 || row >= RowCount()) return nullptr;
  return &rows_[static_cast<size_t>(row)];
}

void CListEvent::SetChecked(int row, bool checked) {
  if (row < 0 || row >= RowCount()) return;
  rows_[static_cast<size_t>(row)].checked = checked;
}

void CListEvent::SetAllChecked(bool checked) {
  for (ListEventRow& row : rows_) row.checked = checked;
}

bool CListEvent::AnyChecked() const {
  return std::any_of(rows_.begin(), rows_.end(), [](const ListEventRow& row) { return row.checked; });
}

std::vector<std::string> CListEvent::CheckedPaths() const {
  std::vector<std::string> paths;
  for (const ListEventRow& row : rows_) {
    if (row.checked) paths.push_back(row.Path());
  }
  return paths;
}

void CListEvent::Select(int row) {
  for (int i = 0; i < RowCount(); ++i) {
    ListEventRow& each = rows_[static_cast<size_t>(i)];
    each.selected = each.focused = i == row;
  }
}

int CListEvent::SelectedRow() const {
  for (int i = 0; i < RowCount(); ++i) {
    if (rows_[static_cast<size_t>(i)].selected) return i;
  }
  return -1;
}

void CListEvent::ClickRow(int row, int column) {
  if (row < 0 || row >= RowCount() || column == kListColumnNo) return;
  Select(row);
  ListEventRow& clicked = rows_[static_cast<size_t>(row)];
  clicked.checked = !clicked.checked;
}

bool CListEvent::ClickHeader(int column) {
  if (!sort_.ClickHeader(column)) return false;
  // Stable, so rows with equal texts keep their order in either direction.
  std::stable_sort(rows_.begin(), rows_.end(), [this, column](const ListEventRow& a, const ListEventRow& b) {
    return sort_.Before(a.columns[static_cast<size_t>(column)], b.columns[static_cast<size_t>(column)]);
  });
  return true;
}

int CListEvent::RowOf(const std::string& path) const {
  for (int row = 0; row < RowCount(); ++row) {
    std::error_code error;
    if (std::filesystem::equivalent(rows_[row].Path(), path, error)) return row;
  }
  return -1;
}
