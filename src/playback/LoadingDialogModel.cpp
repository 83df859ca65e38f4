#include "playback/LoadingDialogModel.h"

#include <cstdio>

#include "base/MgrMultiLang.h"
#include "recording/MgrDBSearch.h"

namespace {

constexpr const char* kCaptionFormat = "%s  [ %d / %d ]";

}  // namespace

LoadingDialogModel::LoadingDialogModel(CMgrDBSearch& store, int kind, int index, int total, std::string path)
    : store_(store), kind_(kind), index_(index), total_(total), path_(std::move(path)) {}

std::string LoadingDialogModel::KindTitle(int kind) {
  if (kind == kLoadKindLog) return GetLangText("GUI", "LogFileLoad", "LOG File Loading");
  if (kind == kLoadKindNormal) return GetLangText("GUI", "NormalFileLoad", "NORMAL File Loading");
  return GetLangText("GUI", "EventFileLoad", "EVENT File Loading");
}

std::string LoadingDialogModel::Caption() const {
  const std::string title = KindTitle(kind_);
  char caption[640];
  std::snprintf(caption, sizeof caption, kCaptionFormat, title.c_str(), index_ + 1, total_);
  return caption;
}

std::string LoadingDialogModel::CancelCaption() { return GetLangText("GUI", "Cancel", "Cancel"); }

bool LoadingDialogModel::Start(LoadObserver& observer) {
  observer.Status().store(LoadStatus::kRunning);
  if (index_ < 0) return false;
  const auto entry = static_cast<size_t>(index_);
  if (IsVideo()) {
    if (entry >= store_.Videos().size() || !store_.Videos()[entry]) return false;
    store_.Videos()[entry]->LoadVideoRecording(path_, &observer);
    return true;
  }
  if (entry >= store_.Logs().size() || !store_.Logs()[entry]) return false;
  store_.Logs()[entry]->LoadLogRecording(path_, &observer);
  return true;
}

void LoadingDialogModel::Cancel(LoadObserver& observer) { observer.Status().store(LoadStatus::kCancel); }

LoadResult LoadingDialogModel::Complete(LoadObserver& observer) {
  const LoadStatus request = observer.Status().load();
  if (request != LoadStatus::kCancel && request != LoadStatus::kFailed) return LoadResult::kLoaded;
  // A video entry keeps what it read (a failed one shows as crashed); its
  // reader has posted its completion as its last act and is joined when the
  // entry is released. A log entry is released here, which waits for it.
  const auto entry = static_cast<size_t>(index_);
  if (!IsVideo() && index_ >= 0 && entry < store_.Logs().size() && store_.Logs()[entry]) store_.Logs()[entry]->Clear();
  return request == LoadStatus::kCancel ? LoadResult::kCancelled : LoadResult::kFailed;
}
