#pragma once
// The playback core the window and the command-line tool create once: the
// two G-sensor graphs, the digit displays, the play controller with its
// frame navigation, the loading, the log record view, the log search and
// the G-sensor window, joined to one another and to the window's sinks.
// Each command of the main frame and the search window is one call here.
// Qt-free; every call comes on the user-interface thread.

#include <array>
#include <functional>
#include <memory>

#include "base/AppState.h"
#include "base/ViewLayout.h"
#include "playback/EngineGraphView.h"
#include "playback/EngineLoadTargets.h"
#include "playback/EngineLogRecordTargets.h"
#include "playback/GSensorWindow.h"
#include "playback/ListEvent.h"
#include "playback/LoadSequence.h"
#include "playback/LogRecordView.h"
#include "playback/LogSearch.h"
#include "playback/MgrPlayControl.h"
#include "playback/PaneOverlayText.h"
#include "playback/PlaybackEngineSinks.h"
#include "playback/TripListFill.h"
#include "telemetry/CardTrips.h"
#include "telemetry/DigitDisplays.h"
#include "telemetry/GSensorGraphModel.h"
#include "telemetry/SpeedUnit.h"

class CAppSetting;
class CMgrDBSearch;
class Clock;
class LoadingDialogRunner;
class Prompt;
class TimerHost;

class PlaybackEngine {
 public:
  PlaybackEngine(CMgrDBSearch& store, const CAppSetting& settings, TimerHost& timers, const Clock& clock,
                 Prompt& prompt, LoadingDialogRunner& dialogs, const PlaybackEngineSinks& sinks = {});
  // The views of one user (the command-line tool, a test), in place of
  // those attached before; a null sink is none.
  void AttachViews(const PlaybackEngineSinks& sinks);
  // A widget's views, told beside every other registered one until it
  // leaves (widgets paint the engine's models, so they register after it is
  // made and leave before it goes).
  void AddViews(const PlaybackSinks& views, EngineWindowView* window = nullptr);
  void RemoveViews(const PlaybackSinks& views, EngineWindowView* window = nullptr);
  // The map synchronisation, in place of the one attached before (null: none).
  void AttachMap(MapView* map);
  // Every slide bar goes back to an empty bar at the time now.
  void ResetSlideBarToNow() { out_.SlideBar().ResetToNow(); }
  PlaybackEngine(const PlaybackEngine&) = delete;
  PlaybackEngine& operator=(const PlaybackEngine&) = delete;

  // ---- play commands ---------------------------------------------------------
  void Play() { control_.Play(); }
  void FastPlay() { control_.FastPlay(); }
  void ReversePlay() { control_.ReversePlay(); }
  void FastReverse() { control_.FastReverse(); }
  // Stop and the single steps also bring the map up to date.
  void Stop();
  void Next();
  void Previous();
  // Next Event / Previous Event: to the next or previous event start or
  // hard moment of the loaded run.
  void NextEvent();
  void PreviousEvent();
  void PlayStopToggle() { control_.PlayStopToggle(); }
  void GoTo(int recording, int frameOrRecord) { control_.GoTo(recording, frameOrRecord); }
  // The normal-mode slide bar moved to seconds (released: the drag ended).
  bool SeekToTime(int seconds, bool released) { return control_.Navigator().SeekToTime(seconds, released); }
  void SetLayout(ViewLayout layout) { control_.Navigator().SetLayout(layout); }
  // A left press on a thumbnail pane; taken only while play is stopped.
  bool ClickThumbnail(int pane);
  // A right press on a frame pane.
  bool ToggleThumbnailView() { return control_.Navigator().ToggleThumbnailView(); }
  // What a pane's event label needs of the recording its frame came from.
  PaneRecordingInfo PaneRecording(int pane) const;

  // ---- the search window -------------------------------------------------
  // Refills the file lists from the store's catalogue and the Trip list
  // from the trips formed of it, none checked.
  void FillLists();
  // Refills the Trip list alone, its hard moments at the settings' HardG:
  // the list empties at once and its rows come when the card's indexes are
  // read, off this thread (TripListFill); a refill or ClearLists before
  // then drops that read.
  void FillTripList();
  // Whether the Trip list's rows are still being read.
  bool TripListFilling() const { return tripFill_.Running(); }
  // Waits until the Trip list's read has ended; its rows come with the
  // next drain of the store's queue (for a caller without a message loop).
  void WaitForTripList() { tripFill_.Join(); }
  // The Trip list's rows again from the trips read, their speeds in the
  // unit of the settings now (its ticks go).
  void RefreshTripRows();
  // Every file list empties and a Trip list read still running is dropped:
  // the store let go of its card.
  void ClearLists();
  // The trips the Trip list shows, its rows' Path column indexing them.
  const std::vector<CardTrip>& Trips() const { return trips_; }
  CListEvent& List(FileListKind kind) { return lists_[static_cast<size_t>(kind)]; }
  // The store let go of its card (a new scan, or the card was pulled):
  // both plays stop, everything loaded is closed and every display shows
  // zero with the time now.
  void ResetForCard(const DateTime& now);
  // The Load button over the list of kind; over the Trip list the ticked
  // trips play (PlayOfTrips).
  LoadOutcome LoadChecked(FileListKind kind);
  // The Close button: back to the file lists, the loaded data closed.
  void Close();
  // A row of the loaded-recordings list box (its recording) or of the
  // loaded-logs list box (its log).
  bool SelectLoadedRecording(int recording);
  bool SelectLoadedLog(int log) { return logRecords_.SelectLoadedLog(log); }

  // ---- the log search pane -----------------------------------------------
  LogSearchFields& SearchFields() { return logSearch_.Fields(); }
  // The Search button: log play stops, the rows are refilled.
  const std::vector<LogSearchRow>& SearchLog();
  // A result row was clicked; false outside the rows or for no record.
  bool ShowSearchResult(int row);
  const std::vector<LogSearchRow>& SearchRows() const { return logSearch_.Rows(); }

  // ---- the graphs --------------------------------------------------------
  // Scale commands 1..4 and zoom, on both graphs at once.
  void SetScale(int command);
  void ZoomIn();
  void ZoomOut();
  void ZoomDefault();

  // The speed source or unit setting changed: the speed display and the
  // info panels are redrawn.
  void SpeedSourceChanged() {
    displays_.RedrawSpeed();
    out_.Pane().RepaintInfoPanel();
    windows_.RepaintLogInfo();
  }
  // What the speed read-outs show, read from the settings now.
  SpeedSource CurrentSpeedSource() const { return speedSource_(); }

  // ---- the parts, for the window's painting and the tests ----------------
  CMgrPlayControl& Control() { return control_; }
  const CMgrPlayControl& Control() const { return control_; }
  GSensorGraphModel& VideoGraph() { return videoGraph_; }
  GSensorGraphModel& LogGraph() { return logGraph_; }
  const DigitDisplays& Displays() const { return displays_; }
  const LogRecordView& LogRecords() const { return logRecords_; }
  GSensorWindow& GSensor() { return gsensor_; }

 private:
  // The pane view the loading talks to: a layout change goes through frame
  // navigation, which tells the window.
  class LayoutPanes final : public PaneView {
   public:
    LayoutPanes(CMgrPlayControl& control, const PlaybackOutputs& out) : control_(control), out_(out) {}
    void SetLayout(ViewLayout layout) override { control_.Navigator().SetLayout(layout); }
    void RepaintPane(int pane) override { out_.Pane().RepaintPane(pane); }
    void SetSelectedPane(int pane) override { out_.Pane().SetSelectedPane(pane); }
    void RepaintInfoPanel() override { out_.Pane().RepaintInfoPanel(); }

   private:
    CMgrPlayControl& control_;
    const PlaybackOutputs& out_;
  };

  ViewMode CurrentViewMode() const;
  LoadOutcome LoadCheckedTrips();
  void RefreshMapInUse();
  // A point chosen on the G-sensor window's graph, while dragging or released.
  void OnVideoGraphPointChosen(int index, bool released);
  // A point chosen on the log graph, while dragging or released.
  void OnLogPointChosen(int index, bool released);
  void FollowLogCursor();
  // What Close, a new card and a failed load share: both plays stop, the
  // loaded data is released and every view shows what it showed at start-up
  // (zeros and the time now).
  void CloseLoadedData();
  void CloseLoadedData(const DateTime& now);

  CMgrDBSearch& store_;
  const Clock& clock_;
  SpeedSourceQuery speedSource_;
  EngineWindowView* attachedWindow_ = nullptr;
  EngineWindowViews windows_;
  PlaybackOutputs out_;
  EngineGraphView videoGraphView_;
  EngineGraphView logGraphView_;
  GSensorGraphModel videoGraph_;
  GSensorGraphModel logGraph_;
  DigitDisplays displays_;
  CMgrPlayControl control_;
  GSensorWindow gsensor_;
  EngineLogRecordTargets logTargets_;
  LogRecordView logRecords_;
  EngineLoadTargets loadTargets_;
  LayoutPanes layoutPanes_;
  LoadSequence loading_;
  LogSearch logSearch_;
  std::array<CListEvent, kFileListKindCount> lists_{CListEvent(FileListKind::kEvent), CListEvent(FileListKind::kNormal),
                                                    CListEvent(FileListKind::kLog), CListEvent(FileListKind::kTrip)};
  std::vector<CardTrip> trips_;
  std::function<double()> hardG_;
  // Last, so that it goes first: its posted rows reach into the lists.
  TripListFill tripFill_;
};
