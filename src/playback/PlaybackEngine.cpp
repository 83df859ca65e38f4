#include "playback/PlaybackEngine.h"

#include "base/AppSetting.h"
#include "platform/TimeKey.h"
#include "playback/PlayState.h"
#include "recording/FileListRows.h"
#include "recording/InfoEventFile.h"
#include "recording/MgrDBSearch.h"

PlaybackEngine::PlaybackEngine(CMgrDBSearch& store, const CAppSetting& settings, TimerHost& timers, const Clock& clock,
                               Prompt& prompt, LoadingDialogRunner& dialogs, const PlaybackEngineSinks& sinks)
    : store_(store),
      clock_(clock),
      speedSource_([&settings] { return SpeedSourceOf(settings); }),
      out_(PlaybackSinks{}),
      videoGraphView_(nullptr, [this](int index, bool released) { OnVideoGraphPointChosen(index, released); }),
      logGraphView_(
          nullptr, [this](int index, bool released) { OnLogPointChosen(index, released); },
          [this] { FollowLogCursor(); }),
      control_(store, timers, clock, videoGraph_, logGraph_, displays_, speedSource_, PlaybackSinks{}),
      gsensor_(videoGraph_, control_, out_),
      logTargets_(control_, logGraph_, windows_),
      logRecords_(store.Logs(), logTargets_, out_),
      loadTargets_(store, control_, logGraph_, logRecords_, displays_, out_),
      layoutPanes_(control_, out_),
      loading_(store, prompt, dialogs),
      tripFill_(store.Ui()) {
  videoGraph_.SetView(&videoGraphView_);
  logGraph_.SetView(&logGraphView_);
  control_.SetShowLogRecord([this](int point) { logRecords_.ShowLogRecord(point); });
  hardG_ = [&settings] { return settings.HardG(kDefaultHardG); };
  control_.Navigator().SetRunSettings([&settings] { return settings.ContinuousPlay(); }, hardG_);
  loading_.SetTargets(&loadTargets_);
  loading_.SetPaneView(&layoutPanes_);
  AttachViews(sinks);
}

void PlaybackEngine::AttachViews(const PlaybackEngineSinks& sinks) {
  windows_.Remove(attachedWindow_);
  attachedWindow_ = sinks.window;
  windows_.Add(attachedWindow_);
  out_.Attach(sinks.playback);
  control_.AttachSinks(sinks.playback);
  videoGraphView_.Attach(sinks.videoGraph);
  logGraphView_.Attach(sinks.logGraph);
  displays_.SetView(sinks.displays);
  loading_.SetSearchView(sinks.search);
  loading_.SetSlideBarView(&out_.SlideBar());
  loading_.SetBackPanelView(&out_.BackPanel());
  loading_.SetMapView(&out_.Map());
}

void PlaybackEngine::AddViews(const PlaybackSinks& views, EngineWindowView* window) {
  out_.Add(views);
  control_.AddSinks(views);
  windows_.Add(window);
}

void PlaybackEngine::RemoveViews(const PlaybackSinks& views, EngineWindowView* window) {
  out_.Remove(views);
  control_.RemoveSinks(views);
  windows_.Remove(window);
}

void PlaybackEngine::AttachMap(MapView* map) {
  out_.AttachMap(map);
  control_.AttachMap(map);
  loading_.SetMapView(&out_.Map());
}

ViewMode PlaybackEngine::CurrentViewMode() const { return store_.App().viewMode; }

// ---- play commands ----------------------------------------------------------

void PlaybackEngine::RefreshMapInUse() {
  if (out_.Map().InUse()) out_.RefreshMap();
}

void PlaybackEngine::Stop() {
  control_.Stop();
  RefreshMapInUse();
}

void PlaybackEngine::Next() {
  control_.NextFrame();
  RefreshMapInUse();
}

void PlaybackEngine::Previous() {
  control_.PreviousFrame();
  RefreshMapInUse();
}

void PlaybackEngine::NextEvent() {
  if (control_.NextMark()) RefreshMapInUse();
}

void PlaybackEngine::PreviousEvent() {
  if (control_.PreviousMark()) RefreshMapInUse();
}

// ---- the search window ------------------------------------------------------

void PlaybackEngine::FillLists() {
  for (CListEvent& list : lists_) {
    if (list.Kind() != FileListKind::kTrip) list.Fill(MakeFileListRows(store_, list.Kind()));
  }
  FillTripList();
}

void PlaybackEngine::FillTripList() {
  // Nothing of the card listed before may stay ticked while the new one is read.
  trips_.clear();
  List(FileListKind::kTrip).Clear();
  tripFill_.Start(TripSourcesOf(store_), hardG_(), [this](std::vector<CardTrip> trips) {
    trips_ = std::move(trips);
    RefreshTripRows();
  });
  windows_.RefreshTripList();
}

void PlaybackEngine::RefreshTripRows() {
  List(FileListKind::kTrip).Fill(MakeTripListRows(trips_, speedSource_().unit));
  windows_.RefreshTripList();
}

void PlaybackEngine::ClearLists() {
  tripFill_.Cancel();
  trips_.clear();
  for (CListEvent& list : lists_) list.Clear();
}

LoadOutcome PlaybackEngine::LoadCheckedTrips() {
  std::vector<size_t> chosen;
  for (const std::string& place : List(FileListKind::kTrip).CheckedPaths()) chosen.push_back(std::stoul(place));
  const TripPlay play = PlayOfTrips(trips_, chosen);
  return loading_.LoadTrips(play.paths, play.asEvents);
}

LoadOutcome PlaybackEngine::LoadChecked(FileListKind kind) {
  const LoadOutcome outcome = kind == FileListKind::kTrip ? LoadCheckedTrips() : loading_.Load(List(kind));
  if (outcome == LoadOutcome::kCancelled || outcome == LoadOutcome::kFailed) {
    // The store let go of everything; the views of the earlier load go too.
    CloseLoadedData();
    return outcome;
  }
  if (outcome != LoadOutcome::kLoaded) return outcome;
  displays_.SetHasData(true);
  if (CurrentViewMode() == kViewModeLog) {
    // Without log records no cursor ever moves: the G-sensor window's graph
    // must not keep the curve of the recordings loaded before, nor the lamps
    // their lamps (a shown record brought its own).
    videoGraph_.ShowDetailWindowOf(logGraph_);
    if (!logRecords_.HasRecord()) displays_.SetCarSignal(0);
  } else {
    // The logs went with the load; nothing may still show their records.
    logGraph_.Clear();
    logRecords_.ClearRecord();
    logSearch_.ClearRows();
    windows_.RepaintLogSearchRows();
  }
  return outcome;
}

void PlaybackEngine::Close() {
  control_.StopVideoPlay();
  const ViewMode mode = CurrentViewMode();
  if (mode == kViewModeLog) {
    windows_.ShowFileLists(FileListKind::kLog, true);
  } else {
    const FileListKind kind = mode == kViewModeNormal ? FileListKind::kNormal : FileListKind::kEvent;
    windows_.ShowFileLists(kind, store_.App().hasLogs);
  }
  CloseLoadedData();
}

void PlaybackEngine::ResetForCard(const DateTime& now) { CloseLoadedData(now); }

void PlaybackEngine::CloseLoadedData() { CloseLoadedData(clock_.LocalNow()); }

// Every view goes back to what it showed at start-up: nothing of the closed
// data may stay on screen, least of all over another card.
void PlaybackEngine::CloseLoadedData(const DateTime& now) {
  control_.StopVideoPlay();
  control_.StopLogPlay();
  store_.Videos().clear();
  store_.Logs().clear();
  store_.App().viewMode = kViewModeNone;
  FrameNavigator& navigator = control_.Navigator();
  // The log layout empties every pane; selecting no recording then puts
  // the single view back with the slide bar at the time now.
  navigator.SetLayout(kLayoutLog);
  navigator.SelectRecording(-1);
  navigator.UpdateRun();
  videoGraph_.Clear();
  logGraph_.Clear();
  logRecords_.ClearRecord();
  logSearch_.ClearRows();
  windows_.RepaintLogSearchRows();
  loadTargets_.ClearPositionAndSpeed();
  displays_.SetCarSignal(0);
  displays_.SetHasData(false);
  displays_.Reset(now);
  control_.ResetSnapshot(now);
  out_.BackPanel().RedrawSpeedReadout(false);
  out_.BackPanel().SetMapHasData(false);
  out_.Map().ClearLoadedData();
}

// Selecting centres the map and draws the route before the frame is shown;
// the arrow then moves onto that frame, not the one shown before.
bool PlaybackEngine::SelectLoadedRecording(int recording) {
  FrameNavigator& navigator = control_.Navigator();
  if (!navigator.SelectRecording(recording)) return false;
  const bool shown = navigator.ShowCurrentFrame(true);
  out_.RefreshMap();
  return shown;
}

// ---- the picture panes ------------------------------------------------------

bool PlaybackEngine::ClickThumbnail(int pane) {
  if (control_.CurrentPlayState() != PS_STOP) return false;
  return control_.Navigator().ClickThumbnail(pane);
}

PaneRecordingInfo PlaybackEngine::PaneRecording(int pane) const {
  PaneRecordingInfo info;
  info.viewMode = CurrentViewMode();
  const int recording = control_.Navigator().Panes().Pane(pane).recording;
  const auto& videos = store_.Videos();
  if (recording < 0 || recording >= static_cast<int>(videos.size()) || !videos[static_cast<size_t>(recording)]) {
    return info;
  }
  const CInfoEventFile& video = *videos[static_cast<size_t>(recording)];
  info.eventCode = video.EventCode();
  info.extendedEventCode = video.ExtendedEventCode();
  return info;
}

// ---- the log search pane ----------------------------------------------------

const std::vector<LogSearchRow>& PlaybackEngine::SearchLog() {
  control_.StopLogPlay();
  logSearch_.Search(store_.Logs());
  windows_.RepaintLogSearchRows();
  return logSearch_.Rows();
}

bool PlaybackEngine::ShowSearchResult(int row) {
  const std::vector<LogSearchRow>& rows = logSearch_.Rows();
  if (row < 0 || static_cast<size_t>(row) >= rows.size()) return false;
  return logRecords_.ShowSearchResult(rows[static_cast<size_t>(row)]);
}

// ---- the log graph ----------------------------------------------------------

// Every move of the log graph's cursor repaints it, whoever moved it (play,
// steps, clicks, the lists, the search); the G-sensor window's graph then
// shows the records around the new cursor.
void PlaybackEngine::FollowLogCursor() {
  if (CurrentViewMode() != kViewModeLog) return;
  const int shown = videoGraph_.CurrentIndex() < 0 ? -1 : videoGraph_.WindowStart() + videoGraph_.CurrentIndex();
  if (shown != logGraph_.CurrentIndex()) videoGraph_.ShowDetailWindowOf(logGraph_);
}

// In log mode the G-sensor window's graph plots a window of the log graph's
// records: a point chosen there is that record of the log graph.
void PlaybackEngine::OnVideoGraphPointChosen(int index, bool released) {
  if (CurrentViewMode() != kViewModeLog) {
    gsensor_.OnPointChosen(index);
    return;
  }
  OnLogPointChosen(index < 0 ? -1 : videoGraph_.WindowStart() + index, released);
}

void PlaybackEngine::OnLogPointChosen(int index, bool released) {
  if (CurrentViewMode() != kViewModeLog) return;
  control_.StopLogPlay();
  if (index < 0) {
    logRecords_.ClearRecord();
  } else if (index < logGraph_.PointCount()) {
    logTargets_.SetGraphCursor(index);
    if (!logRecords_.ShowLogRecord(index)) logRecords_.ClearRecord();
    out_.RefreshMap();
  }
  if (!released) return;
  // The cursor goes back to the point of the play position, which the
  // shown record has just set.
  const int point = logGraph_.FindPointByTime(MakeTimeKey(control_.Snapshot().time), true);
  if (point >= 0 && point != logGraph_.CurrentIndex()) logGraph_.SetCursor(point, true);
}

// ---- scale ------------------------------------------------------------------

void PlaybackEngine::SetScale(int command) {
  videoGraph_.SetScale(command);
  logGraph_.SetScale(command);
}

void PlaybackEngine::ZoomIn() {
  videoGraph_.ZoomIn();
  logGraph_.ZoomIn();
}

void PlaybackEngine::ZoomOut() {
  videoGraph_.ZoomOut();
  logGraph_.ZoomOut();
}

void PlaybackEngine::ZoomDefault() {
  videoGraph_.ZoomDefault();
  logGraph_.ZoomDefault();
}
