#include "playback/SlideSpan.h"

#include "base/AppState.h"
#include "platform/TimeKey.h"
#include "recording/InfoEventFile.h"
#include "recording/MgrDBSearch.h"

namespace {

constexpr int64_t kMsPerSecond = 1000;

}  // namespace

std::optional<int> FileSpanEnd(const CMgrDBSearch& store, ViewMode viewMode, int64_t baseTimeKey) {
  if (viewMode != kViewModeNormal) return std::nullopt;
  const int current = store.CurrentIndex();
  if (current < 0 || current >= static_cast<int>(store.Videos().size())) return std::nullopt;
  const CInfoEventFile* video = store.Videos()[static_cast<size_t>(current)].get();
  if (!video || video->FrameCount() == 0) return std::nullopt;
  const int64_t last = MakeTimeKey(video->Frame(video->FrameCount() - 1).time);
  if (last < baseTimeKey) return std::nullopt;
  return static_cast<int>((last - baseTimeKey) / kMsPerSecond);
}
