#pragma once
// The search window's states and what each one shows. The window is either
// on its file lists (one list at a time, picked by its tab) or on what a
// load left: the loaded recordings, the current recording's event markers
// in their place, or the loaded logs under the disabled log list. Events
// come in from the window's clicks and from the loading; the window paints
// the look that comes out and does nothing else on its own.

#include <array>
#include <cstddef>
#include <functional>

#include "base/AppState.h"
#include "recording/CardCatalogue.h"

enum class SearchWindowMode { kLists, kRecordings, kMarkers, kLogs };

// Which children show, each per-kind array indexed by FileListKind.
struct SearchWindowLook {
  std::array<bool, kFileListKindCount> listShown{};
  std::array<bool, kFileListKindCount> listEnabled{};
  std::array<bool, kFileListKindCount> tabShown{};
  std::array<bool, kFileListKindCount> tabLit{};
  bool loadShown = false;
  bool checkAllShown = false;
  bool unCheckAllShown = false;
  bool closeShown = false;
  bool loadedRecordingsShown = false;
  bool markersShown = false;
  bool markerButtonShown = false;
  bool markerButtonLatched = false;
  bool loadedLogsShown = false;
  // The file lists take the upper half of their area, the loaded logs the
  // lower; otherwise the lists fill it.
  bool listsInUpperPart = false;

  static size_t Index(FileListKind kind) { return static_cast<size_t>(kind); }
};

// The list to show and whether the Log tab goes with it.
struct SearchListsChoice {
  FileListKind kind = FileListKind::kEvent;
  bool withLogTab = false;
};

// What a tab press does.
enum class SearchTabPress {
  kRefused,     // nothing changes; the tab's own toggle must be undone
  kPicked,      // the pressed list is now the visible one
  kLeavesLogs,  // the caller closes the loaded logs, then shows the lists
};

// What a press of the event marker button does.
enum class SearchMarkerPress {
  kIgnored,         // the button is not up
  kMarkersShown,    // the caller fills the marker list of the current recording
  kRecordingsShown  // back to the loaded recordings
};

// The search window's controls that the keyboard reaches.
enum class SearchControl {
  kTabEvent,
  kTabNormal,
  kTabLog,
  kTabTrip,
  kEventList,
  kNormalList,
  kLogList,
  kTripList,
  kLoadedRecordings,
  kMarkers,
  kLoadedLogs,
  kLoad,
  kCheckAll,
  kUnCheckAll,
  kClose,
  kEventMarker,
};
inline constexpr size_t kSearchControlCount = 16;

// The order Tab visits them in, hidden ones passed over: first what picks a
// list, then the list or what a load left in its place, then the buttons
// that act on it, the one that starts the next step (Load) first.
const std::array<SearchControl, kSearchControlCount>& SearchTabOrder();

class SearchWindowState {
 public:
  // Whether any row of the list of kind is checked; asked only when the
  // check button is matched to a list.
  using AnyCheckedQuery = std::function<bool(FileListKind)>;

  SearchWindowState(bool withLogTab, AnyCheckedQuery anyChecked);

  // ---- events -----------------------------------------------------------
  // The file lists with kind visible (the event list when kind is the log
  // list and the Log tab is left out).
  void ShowLists(FileListKind kind, bool withLogTab);
  // The lists were refilled or their checks changed without a click: the
  // check button follows the visible list again.
  void ChecksChanged();
  // Only the list of kind changed; nothing happens unless it is the visible one.
  void ChecksChanged(FileListKind kind);
  // Check All (checked) or UnCheck All acted on the visible list; the button
  // swaps to its twin whether or not the list had rows.
  void AllChecked(bool checked);
  // The list of kind becomes the visible one; only while the lists are up.
  bool PickList(FileListKind kind);
  SearchTabPress PressTab(FileListKind kind);
  void RecordingsLoaded(bool withMarkerButton);
  void LogsLoaded();
  SearchMarkerPress PressMarkerButton();

  // The lists Close goes back to: the list of the closed view mode, and the
  // Log tab when the card has logs or logs were what was closed.
  static SearchListsChoice ListsAfterClose(ViewMode viewMode, bool cardHasLogs);

  // ---- what it is and shows ---------------------------------------------
  SearchWindowMode Mode() const { return mode_; }
  bool ShowsLists() const { return mode_ == SearchWindowMode::kLists; }
  FileListKind VisibleKind() const { return visible_; }
  bool IsShowingLoadedList() const {
    return mode_ == SearchWindowMode::kRecordings || mode_ == SearchWindowMode::kMarkers;
  }
  bool IsShowingMarkers() const { return mode_ == SearchWindowMode::kMarkers; }
  SearchWindowLook Look() const;

 private:
  AnyCheckedQuery anyChecked_;
  SearchWindowMode mode_ = SearchWindowMode::kLists;
  FileListKind visible_ = FileListKind::kEvent;
  bool withLogTab_ = false;
  bool withMarkerButton_ = false;
  // Latched at the moments the button is matched, not read live: a check
  // clicked in a row leaves the button as it was.
  bool checkAllShown_ = true;
};
