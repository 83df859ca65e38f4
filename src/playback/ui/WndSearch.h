#pragma once
// The search window: the recording lists and the Trip list with their tabs, Load,
// Close, Check All / UnCheck All, and after a load the list boxes of what
// was loaded (recordings, logs, the current recording's event markers)
// under the overall progress strip. Which of them shows, which tab is lit
// and which check button is up is SearchWindowState's to say; this window
// paints its look, places the children and turns every click into one
// engine call. The rules live in the engine, its lists and that state.
//
// The back panel makes this window before the engine, which takes it as its
// search view and loaded-list view, and hands the engine in afterwards; until
// then every click does nothing.
#include <QRect>
#include <QWidget>
#include <array>

#include "playback/PlaybackCommands.h"
#include "playback/PlaybackEngineSinks.h"
#include "playback/PlaybackViews.h"
#include "playback/SearchWindowState.h"
#include "playback/SearchWindowView.h"
#include "recording/StoreViewSink.h"
#include "skin/ui/SkinStrip.h"

struct AppState;
class CFileListView;
class CMgrDBSearch;
class CVxButton;
class CVxCheckButton;
class CVxListBox;
class PlaybackEngine;
class QProgressBar;

struct SearchWindowSkin {
  SkinStrip load, close, checkAll, unCheckAll, tabEvent, tabNormal, tabLog, tabTrip, eventMarker;
  // Relative to the search window; an empty rectangle keeps the window's own
  // place for the control. UnCheck All sits where Check All does.
  QRect loadRect, closeRect, checkAllRect, tabEventRect, tabNormalRect, tabLogRect, tabTripRect, eventMarkerRect;
};

class CWndSearch : public QWidget,
                   public SearchWindowView,
                   public LoadedListView,
                   public EngineWindowView,
                   public StoreViewSink,
                   public SearchCommands {
  Q_OBJECT

 public:
  // Control ids.
  static constexpr int kIdEventList = 1025;
  static constexpr int kIdNormalList = 1156;
  static constexpr int kIdLogList = 1026;
  static constexpr int kIdLoad = 1019;
  static constexpr int kIdClose = 1020;
  static constexpr int kIdCheckAll = 1021;
  static constexpr int kIdUnCheckAll = 1112;
  static constexpr int kIdTabEvent = 1022;
  static constexpr int kIdTabNormal = 1155;
  static constexpr int kIdTabLog = 1023;
  static constexpr int kIdEventMarker = 1162;
  static constexpr int kIdLoadedRecordings = 1027;
  static constexpr int kIdLoadedLogs = 1148;
  static constexpr int kIdMarkerList = 1163;
  static constexpr int kIdTripList = 1170;
  static constexpr int kIdTabTrip = 1171;

  CWndSearch(CMgrDBSearch& store, AppState& app, QWidget* parent);
  ~CWndSearch() override;

  // The engine the clicks go to; the file lists show its lists from now on
  // and the window follows its loaded lists.
  void SetEngine(PlaybackEngine* engine);

  // ---- StoreViewSink: the store's catalogue in the file lists ---------------
  void ClearFileLists() override { ResetLists(); }
  void RefreshFileLists() override { FillFromCatalogue(); }
  void SetSkin(const SearchWindowSkin& skin);

  // ---- what the back panel and the menus call -----------------------------
  // Reads the store's catalogue into the engine's lists and shows them.
  void FillFromCatalogue();
  // Paints the lists again from the engine's lists (after they were
  // filled).
  void RefillFileLists();
  // The list of kind with its tab lit; Load, Check All and the tabs enabled.
  void ShowFileList(FileListKind kind) override;
  // What Close leaves: the list of kind, Load, Check All, the tabs (the Log
  // tab only with withLogTab); the loaded list boxes and Close hidden.
  void ShowFileLists(FileListKind kind, bool withLogTab) override;
  // The Trip list's rows arrived (or went for a new read).
  void RefreshTripList() override;
  // Empties the lists and the loaded list boxes.
  void ResetLists();
  // Edit > Select All / Unselect All on the visible list.
  void SetAllChecked(bool checked) override;
  FileListKind VisibleKind() const { return state_.VisibleKind(); }
  // File > Load > Event / Normal / Log: that list's checked rows are loaded.
  void LoadKind(FileListKind kind) override;
  // The loaded-recordings list box or the event marker list is up.
  bool IsShowingLoadedList() const { return state_.IsShowingLoadedList(); }
  bool IsShowingMarkers() const { return state_.IsShowingMarkers(); }

  // ---- SearchWindowView -------------------------------------------------
  void ShowProgressStrip(int total) override;
  void SetProgressPos(int pos) override;
  void HideProgressStrip() override;
  void RefreshChecks(FileListKind kind) override;
  void ShowLoadedRecordings(const std::vector<LoadedListRow>& rows, int selectedRow, bool withMarkerButton) override;
  void ShowLoadedLogs(const std::vector<LoadedListRow>& rows, int selectedRow) override;
  void ShowLogsLoaded() override;
  void RunWithWaitMessage(const std::string& text, const std::function<void()>& work) override;

  // ---- LoadedListView ---------------------------------------------------
  void SelectLoadedRecordingRow(int recording) override;
  void SelectLoadedLogRow(int log) override;

  // ---- the children, for the back panel's painting and the tests ---------
  // A list is built the first time it shows or is asked for here.
  CFileListView* FileListWidget(FileListKind kind);
  CVxCheckButton* TabButton(FileListKind kind) const { return tabs_[Index(kind)]; }
  CVxButton* LoadButton() const { return load_; }
  CVxButton* CloseButton() const { return close_; }
  CVxButton* CheckAllButton() const { return checkAll_; }
  CVxButton* UnCheckAllButton() const { return unCheckAll_; }
  CVxButton* EventMarkerButton() const { return markerButton_; }
  // A list box, like a list, is built the first time it shows or is asked
  // for here: most starts never show one.
  CVxListBox* LoadedRecordingsBox() { return Box(LoadedBox::kRecordings); }
  CVxListBox* LoadedLogsBox() { return Box(LoadedBox::kLogs); }
  CVxListBox* MarkerBox() { return Box(LoadedBox::kMarkers); }
  QProgressBar* ProgressStrip() const { return progress_; }
  // Null for a list not built yet.
  QWidget* Control(SearchControl control) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  enum class LoadedBox { kRecordings, kLogs, kMarkers };
  static constexpr size_t kLoadedBoxCount = 3;
  static size_t Index(FileListKind kind) { return static_cast<size_t>(kind); }
  static size_t Index(LoadedBox box) { return static_cast<size_t>(box); }

  CVxListBox* Box(LoadedBox box);
  // Empties a box that has been built; one never built holds nothing.
  void ClearBox(LoadedBox box);
  QRect BoxPlace(LoadedBox box) const;

  void MakeChildren();
  void ChainTabOrder();
  void ConnectChildren();
  void ApplyLook();
  void Layout();
  QRect ListPlace() const;
  bool AnyChecked(FileListKind kind) const;

  void OnTab(FileListKind kind);
  void OnCheckAll(bool checked);
  void OnLoad();
  void OnClose();
  void OnMarkerButton();
  // The current recording's event markers into the marker list box.
  void FillMarkers();
  void OnMarkerChosen(int frame);
  // What follows a load's outcome when the load did not leave a view of its own.
  void AfterLoad(FileListKind kind);

  CMgrDBSearch& store_;
  AppState& app_;
  PlaybackEngine* engine_ = nullptr;
  SearchWindowSkin skin_;

  std::array<CFileListView*, kFileListKindCount> lists_{};
  std::array<CVxCheckButton*, kFileListKindCount> tabs_{};
  CVxButton* load_ = nullptr;
  CVxButton* close_ = nullptr;
  CVxButton* checkAll_ = nullptr;
  CVxButton* unCheckAll_ = nullptr;
  CVxButton* markerButton_ = nullptr;
  std::array<CVxListBox*, kLoadedBoxCount> boxes_{};
  QProgressBar* progress_ = nullptr;

  SearchWindowState state_;
};
