#include "playback/LoadSequence.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "base/MgrMultiLang.h"
#include "platform/Prompt.h"
#include "platform/Trace.h"
#include "playback/ListEvent.h"
#include "playback/LoadedListRows.h"
#include "playback/LoadingDialogModel.h"
#include "playback/LoadingDialogRunner.h"
#include "playback/LogGps.h"
#include "playback/LogRecordView.h"
#include "playback/PlaybackNotices.h"
#include "recording/MgrDBSearch.h"

LoadSequence::LoadSequence(CMgrDBSearch& store, Prompt& prompt, LoadingDialogRunner& dialogs)
    : store_(store), prompt_(prompt), dialogs_(dialogs) {}

LoadOutcome LoadSequence::Load(CListEvent& visibleList) {
  targets_->StopVideoPlay();
  targets_->StopLogPlay();
  return visibleList.Kind() == FileListKind::kLog ? LoadLogs(visibleList) : LoadVideos(visibleList);
}

bool LoadSequence::LogsInTimeOrder(const CMgrDBSearch& store, const std::vector<std::string>& paths) {
  std::optional<int64_t> previousEnd;
  for (const std::string& path : paths) {
    const int64_t start = store.ReadLogStartTime(path);
    if (start == 0) continue;
    if (previousEnd && start < *previousEnd) return false;
    previousEnd = store.ReadLogEndTime(path);
  }
  return true;
}

void LoadSequence::Tell(const std::string& key, const char* english, const std::string& caption) {
  prompt_.Show(GetLangText("Message", key, english), caption, PromptButtons::Ok);
}

void LoadSequence::ReleaseAll() {
  store_.Logs().clear();
  store_.Videos().clear();
  store_.SetCurrentIndex(-1);
}

LoadResult LoadSequence::RunDialogs(int kind, const std::vector<std::string>& paths) {
  const int total = static_cast<int>(paths.size());
  search_->ShowProgressStrip(total);
  LoadResult result = LoadResult::kLoaded;
  for (int k = 0; k < total; ++k) {
    const std::string& path = paths[static_cast<size_t>(k)];
    LoadingDialogModel dialog(store_, kind, k, total, path);
    result = dialogs_.Run(dialog);
    // A dialog closed in any other way counts as cancelled: nothing half
    // loaded stays behind.
    if (result != LoadResult::kLoaded && result != LoadResult::kFailed) result = LoadResult::kCancelled;
    if (result == LoadResult::kCancelled) break;
    // The dialog runs an event loop; should the store have been emptied
    // meanwhile (a rescan after the card went away), the run is over.
    const size_t entries = kind == kLoadKindLog ? store_.Logs().size() : store_.Videos().size();
    if (entries != paths.size()) {
      result = LoadResult::kCancelled;
      break;
    }
    if (kind == kLoadKindLog) {
      if (result == LoadResult::kFailed) {
        failedPath_ = path;
        break;
      }
      store_.Logs()[static_cast<size_t>(k)]->SetListedPath(path);
    } else {
      // A video that failed stays as an entry without frames: "Crashed Video".
      store_.Videos()[static_cast<size_t>(k)]->SetDataFilePath(path);
    }
    search_->SetProgressPos(k + 1);
  }
  search_->HideProgressStrip();
  return result;
}

LoadOutcome LoadSequence::LoadVideos(CListEvent& list) {
  if (list.Kind() == FileListKind::kLog) return LoadLogs(list);
  const bool events = list.Kind() == FileListKind::kEvent;
  const std::vector<std::string> paths = list.CheckedPaths();
  if (paths.empty()) {
    const std::string title = LoadingDialogModel::KindTitle(events ? kLoadKindEvent : kLoadKindNormal);
    if (events)
      Tell("NoSelectedEvent", "No Event is selected", title);
    else
      Tell("NoSelectedNormal", "No Normal is selected", title);
    return LoadOutcome::kNothingChecked;
  }
  return LoadVideoPaths(events, paths);
}

LoadOutcome LoadSequence::LoadTrips(const std::vector<std::string>& paths, bool asEvents) {
  targets_->StopVideoPlay();
  targets_->StopLogPlay();
  if (paths.empty()) {
    Tell("NoSelectedTrip", "No Trip is selected", LoadingDialogModel::KindTitle(kLoadKindNormal));
    return LoadOutcome::kNothingChecked;
  }
  return LoadVideoPaths(asEvents, paths);
}

LoadOutcome LoadSequence::LoadVideoPaths(bool events, const std::vector<std::string>& paths) {
  const int kind = events ? kLoadKindEvent : kLoadKindNormal;
  const std::string title = LoadingDialogModel::KindTitle(kind);
  ReleaseAll();
  for (size_t i = 0; i < paths.size(); ++i) store_.Videos().push_back(std::make_unique<CInfoEventFile>());
  if (RunDialogs(kind, paths) == LoadResult::kCancelled) {
    store_.Videos().clear();
    if (events) {
      KTRACE("Cancel Loading Event.");
      Tell("EventLoadCancel", "Event Loading Cancel", title);
    } else {
      Tell("NormalLoadCancel", "Normal Loading Cancel", title);
    }
    return LoadOutcome::kCancelled;
  }
  CompleteVideos(events ? kViewModeEvent : kViewModeNormal);
  const std::string fromData = FramesFromDataFileText(store_.Videos());
  if (!fromData.empty()) prompt_.Show(fromData, title, PromptButtons::Ok);
  return LoadOutcome::kLoaded;
}

void LoadSequence::CompleteVideos(ViewMode viewMode) {
  const bool hasGps = store_.HasGpsFix(-1);
  if (hasGps) map_->CheckMapSecurity();
  store_.App().viewMode = viewMode;
  targets_->RecordingsLoaded();
  map_->MakeTriggerPoints();
  if (viewMode == kViewModeEvent) slideBar_->ResetToNow();
  const bool any = !store_.Videos().empty();
  if (any) targets_->SelectRecording(0);
  panes_->SetLayout(kLayoutSingle);
  search_->ShowLoadedRecordings(LoadedRecordingRows(store_.Videos(), viewMode), 0, viewMode == kViewModeNormal);
  if (any) {
    targets_->SelectRecording(0);
    targets_->ShowCurrentFrame(true);
    if (hasGps && store_.IsCurrentFrameWithoutFix(0)) {
      const CInfoEventFile& first = *store_.Videos().front();
      targets_->SetSnapshotGps(first.Frame(store_.FindNearestFixFrame(0)).gps);
    }
  }
  panes_->RepaintPane(0);
  panes_->RepaintInfoPanel();
  map_->ShowLoadedData();
}

LoadOutcome LoadSequence::LoadLogs(CListEvent& list) {
  const std::string title = LoadingDialogModel::KindTitle(kLoadKindLog);
  const std::vector<std::string> paths = list.CheckedPaths();
  if (paths.empty()) {
    Tell("NoSelectedLog", "No Log is selected", title);
    return LoadOutcome::kNothingChecked;
  }
  if (!LogsInTimeOrder(store_, paths)) {
    Tell("FilesAreNotTimeOrder", "Selected files are not time order. Please select again.", title);
    list.SetAllChecked(false);
    search_->RefreshChecks(list.Kind());
    return LoadOutcome::kNotTimeOrder;
  }

  ReleaseAll();
  for (size_t i = 0; i < paths.size(); ++i) store_.Logs().push_back(std::make_unique<CInfoLogFile>());
  const LoadResult result = RunDialogs(kLoadKindLog, paths);
  if (result == LoadResult::kCancelled) {
    // Everything this run loaded goes, the logs before the cancelled one too.
    ReleaseAll();
    KTRACE("Cancel Loading Log.");
    Tell("LogLoadCancel", "Log Loading Cancel", title);
    return LoadOutcome::kCancelled;
  }
  if (result == LoadResult::kFailed) {
    // The logs before the failed one are not shown anywhere; keeping them
    // would leave data loaded that the view mode does not know of.
    ReleaseAll();
    KTRACE("Fail Loading Log.");
    // Which of the ticked logs it was, so the user can leave it out.
    char named[640];
    std::snprintf(named, sizeof named, GetLangText("Message", "LogNotRead", "%s could not be read.").c_str(),
                  std::filesystem::path(failedPath_).filename().string().c_str());
    prompt_.Show(GetLangText("Message", "LogLoadError", "Log Loading Error") + "\n" + named, title, PromptButtons::Ok);
    return LoadOutcome::kFailed;
  }
  CompleteLogs();
  return LoadOutcome::kLoaded;
}

void LoadSequence::CompleteLogs() {
  map_->CheckMapSecurity();
  store_.App().viewMode = kViewModeLog;
  slideBar_->ResetToNow();
  targets_->ClearLogGraph();
  panes_->SetLayout(kLayoutLog);
  search_->RunWithWaitMessage(GetLangText("GUI", "LogGraphInitWait", "The log graph is initialized. Please wait"),
                              [this] { SetUpLogView(); });
  search_->ShowLogsLoaded();
}

void LoadSequence::SetUpLogView() {
  targets_->LoadLogGraph();
  search_->ShowLoadedLogs(LoadedLogRows(store_), 0);
  if (targets_->LogGraphPointCount() > 0) targets_->ShowLogRecord(0);
  if (map_->MakeLogTriggerPoints() > 0) KTRACE("Complete Loading Log.");
  map_->ShowLoadedData();
  ShowFirstLogPosition();
}

void LoadSequence::ShowFirstLogPosition() {
  const FRAMEINFOLOG* fix = FirstLogFix(store_.Logs());
  if (store_.App().hasLogs && fix != nullptr) {
    const GpsBlock gps = GpsBlockOfLogRecord(*fix);
    targets_->ShowPosition(gps);
    // The speed shown comes from the logged GPS: its caption says so.
    backPanel_->RedrawSpeedReadout(true);
    backPanel_->SetMapHasData(true);
    map_->MoveCenterMap(0, 0, fix->lat, fix->lon);
    targets_->SetSnapshotGps(gps);
    return;
  }
  targets_->ClearPositionAndSpeed();
  backPanel_->ShowGpsPart(false);
  backPanel_->SetMapHasData(false);
}
