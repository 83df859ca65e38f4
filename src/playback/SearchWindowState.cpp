#include "playback/SearchWindowState.h"

#include <utility>

#include "base/AppState.h"

namespace {

constexpr std::array<FileListKind, kFileListKindCount> kKinds = {FileListKind::kEvent, FileListKind::kNormal,
                                                                 FileListKind::kLog, FileListKind::kTrip};

}  // namespace

const std::array<SearchControl, kSearchControlCount>& SearchTabOrder() {
  using C = SearchControl;
  static constexpr std::array<SearchControl, kSearchControlCount> kOrder = {
      C::kTabEvent, C::kTabNormal,        C::kTabLog,  C::kTabTrip,    C::kEventList, C::kNormalList, C::kLogList,
      C::kTripList, C::kLoadedRecordings, C::kMarkers, C::kLoadedLogs, C::kLoad,      C::kCheckAll,   C::kUnCheckAll,
      C::kClose,    C::kEventMarker};
  return kOrder;
}

SearchWindowState::SearchWindowState(bool withLogTab, AnyCheckedQuery anyChecked)
    : anyChecked_(std::move(anyChecked)), withLogTab_(withLogTab) {}

void SearchWindowState::ShowLists(FileListKind kind, bool withLogTab) {
  mode_ = SearchWindowMode::kLists;
  withLogTab_ = withLogTab;
  visible_ = kind == FileListKind::kLog && !withLogTab ? FileListKind::kEvent : kind;
  ChecksChanged();
}

void SearchWindowState::ChecksChanged() { checkAllShown_ = !anyChecked_ || !anyChecked_(visible_); }

void SearchWindowState::ChecksChanged(FileListKind kind) {
  if (kind == visible_) ChecksChanged();
}

void SearchWindowState::AllChecked(bool checked) {
  if (!ShowsLists()) return;
  checkAllShown_ = !checked;
}

bool SearchWindowState::PickList(FileListKind kind) {
  if (!ShowsLists()) return false;
  visible_ = kind;
  ChecksChanged();
  return true;
}

SearchTabPress SearchWindowState::PressTab(FileListKind kind) {
  if (mode_ == SearchWindowMode::kLogs) {
    // The log tab keeps the loaded logs up; any other tab leaves them.
    return kind == FileListKind::kLog ? SearchTabPress::kRefused : SearchTabPress::kLeavesLogs;
  }
  if (!PickList(kind)) return SearchTabPress::kRefused;
  return SearchTabPress::kPicked;
}

void SearchWindowState::RecordingsLoaded(bool withMarkerButton) {
  withMarkerButton_ = withMarkerButton;
  mode_ = SearchWindowMode::kRecordings;
}

void SearchWindowState::LogsLoaded() {
  mode_ = SearchWindowMode::kLogs;
  visible_ = FileListKind::kLog;
  withLogTab_ = true;
}

SearchMarkerPress SearchWindowState::PressMarkerButton() {
  if (mode_ == SearchWindowMode::kMarkers) {
    mode_ = SearchWindowMode::kRecordings;
    return SearchMarkerPress::kRecordingsShown;
  }
  if (mode_ != SearchWindowMode::kRecordings) return SearchMarkerPress::kIgnored;
  mode_ = SearchWindowMode::kMarkers;
  return SearchMarkerPress::kMarkersShown;
}

SearchListsChoice SearchWindowState::ListsAfterClose(ViewMode viewMode, bool cardHasLogs) {
  SearchListsChoice choice;
  choice.kind = viewMode == kViewModeLog      ? FileListKind::kLog
                : viewMode == kViewModeNormal ? FileListKind::kNormal
                                              : FileListKind::kEvent;
  choice.withLogTab = viewMode == kViewModeLog || cardHasLogs;
  return choice;
}

SearchWindowLook SearchWindowState::Look() const {
  const bool lists = mode_ == SearchWindowMode::kLists;
  const bool logs = mode_ == SearchWindowMode::kLogs;
  SearchWindowLook look;
  for (FileListKind kind : kKinds) {
    const size_t i = SearchWindowLook::Index(kind);
    look.listShown[i] = (lists || logs) && kind == visible_;
    look.listEnabled[i] = lists;
    look.tabShown[i] = (lists || logs) && (kind != FileListKind::kLog || withLogTab_);
    look.tabLit[i] = kind == visible_;
  }
  look.loadShown = lists;
  look.checkAllShown = lists && checkAllShown_;
  look.unCheckAllShown = lists && !checkAllShown_;
  look.closeShown = !lists;
  look.loadedRecordingsShown = mode_ == SearchWindowMode::kRecordings;
  look.markersShown = mode_ == SearchWindowMode::kMarkers;
  look.markerButtonShown = withMarkerButton_ && IsShowingLoadedList();
  look.markerButtonLatched = mode_ == SearchWindowMode::kMarkers;
  look.loadedLogsShown = logs;
  look.listsInUpperPart = logs;
  return look;
}
