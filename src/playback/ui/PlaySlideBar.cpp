#include "playback/ui/PlaySlideBar.h"

#include "base/AppState.h"
#include "platform/Ports.h"
#include "platform/TimeKey.h"
#include "playback/PlaybackEngine.h"
#include "playback/SlideSpan.h"

CPlaySlideBar::CPlaySlideBar(int id, PlaybackEngine& engine, const CMgrDBSearch& store, const AppState& app,
                             const Clock& clock, QWidget* parent)
    : CVxSlideBar(id, parent), engine_(engine), store_(store), app_(app), clock_(clock) {
  // The drag is posted, the release sent.
  connect(
      this, &CVxSlideBar::dragged, this, [this](int position) { Seek(position, false); }, Qt::QueuedConnection);
  connect(
      this, &CVxSlideBar::released, this, [this](int position) { Seek(position, true); }, Qt::DirectConnection);
  engine_.AddViews(PlaybackSinks{.slideBar = this});
}

CPlaySlideBar::~CPlaySlideBar() { engine_.RemoveViews(PlaybackSinks{.slideBar = this}); }

void CPlaySlideBar::Seek(int position, bool released) {
  if (app_.viewMode != kViewModeNormal) return;
  engine_.SeekToTime(position, released);
}

void CPlaySlideBar::ResetToNow() {
  const int64_t now = MakeTimeKey(clock_.LocalNow());
  SetTimes(now, now, now);
  SetRange(0, 0);
  ClearMarks();
  SetPosition(0);
}

void CPlaySlideBar::SetTimes(int64_t baseTimeKey, int64_t /*startTimeKey*/, int64_t /*endTimeKey*/) {
  SetFileSpanEnd(FileSpanEnd(store_, app_.viewMode, baseTimeKey));
}
