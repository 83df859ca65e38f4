#pragma once
// The play-position slide bar of the back panel: the skin's slide bar as
// playback's slide-bar view. It registers with the engine itself; in a
// normal recording a drag seeks (posted) and the release seeks again (sent).
#include "playback/PlaybackViews.h"
#include "skin/ui/VxSlideBar.h"

struct AppState;
class CMgrDBSearch;
class Clock;
class PlaybackEngine;

class CPlaySlideBar final : public CVxSlideBar, public SlideBarView {
 public:
  CPlaySlideBar(int id, PlaybackEngine& engine, const CMgrDBSearch& store, const AppState& app, const Clock& clock,
                QWidget* parent);
  ~CPlaySlideBar() override;

  // ---- SlideBarView ---------------------------------------------------------
  void ResetToNow() override;
  void SetTimes(int64_t baseTimeKey, int64_t startTimeKey, int64_t endTimeKey) override;
  void SetRange(int minSeconds, int maxSeconds) override { CVxSlideBar::SetRange(minSeconds, maxSeconds); }
  void ClearMarks() override { ClearMarkers(); }
  void AddMark(int seconds) override { AddMarker(seconds); }
  void SetPosition(int seconds) override { CVxSlideBar::SetPosition(seconds); }

 private:
  void Seek(int position, bool released);

  PlaybackEngine& engine_;
  const CMgrDBSearch& store_;
  const AppState& app_;
  const Clock& clock_;
};
