#pragma once
// Every view of a kind that playback pushes to: each widget that shows a
// part of playback registers itself and is told in the order it came. One
// fan-out per view kind stands where a single sink stood, so the managers
// keep calling one view.

#include <algorithm>
#include <vector>

#include "playback/PlaybackViews.h"

template <class View>
class ViewObservers {
 public:
  void Add(View* view) {
    if (view != nullptr && std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
  }
  void Remove(View* view) { views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end()); }
  template <class Call>
  void Each(const Call& call) const {
    // A copy: a view may register or leave while it is told.
    const std::vector<View*> views = views_;
    for (View* view : views) call(*view);
  }

 private:
  std::vector<View*> views_;
};

class PaneViews final : public PaneView, public ViewObservers<PaneView> {
 public:
  void SetLayout(ViewLayout layout) override {
    Each([&](PaneView& v) { v.SetLayout(layout); });
  }
  void RepaintPane(int pane) override {
    Each([&](PaneView& v) { v.RepaintPane(pane); });
  }
  void SetSelectedPane(int pane) override {
    Each([&](PaneView& v) { v.SetSelectedPane(pane); });
  }
  void RepaintInfoPanel() override {
    Each([](PaneView& v) { v.RepaintInfoPanel(); });
  }
  void ShowNotice(const std::string& text) override {
    Each([&](PaneView& v) { v.ShowNotice(text); });
  }
};

class SlideBarViews final : public SlideBarView, public ViewObservers<SlideBarView> {
 public:
  void ResetToNow() override {
    Each([](SlideBarView& v) { v.ResetToNow(); });
  }
  void SetTimes(int64_t baseTimeKey, int64_t startTimeKey, int64_t endTimeKey) override {
    Each([&](SlideBarView& v) { v.SetTimes(baseTimeKey, startTimeKey, endTimeKey); });
  }
  void SetRange(int minSeconds, int maxSeconds) override {
    Each([&](SlideBarView& v) { v.SetRange(minSeconds, maxSeconds); });
  }
  void ClearMarks() override {
    Each([](SlideBarView& v) { v.ClearMarks(); });
  }
  void AddMark(int seconds) override {
    Each([&](SlideBarView& v) { v.AddMark(seconds); });
  }
  void SetPosition(int seconds) override {
    Each([&](SlideBarView& v) { v.SetPosition(seconds); });
  }
};

class BackPanelViews final : public BackPanelView, public ViewObservers<BackPanelView> {
 public:
  void ShowGpsPart(bool shown) override {
    Each([&](BackPanelView& v) { v.ShowGpsPart(shown); });
  }
  void RedrawSpeedReadout(bool withCaption) override {
    Each([&](BackPanelView& v) { v.RedrawSpeedReadout(withCaption); });
  }
  void SetMapHasData(bool hasData) override {
    Each([&](BackPanelView& v) { v.SetMapHasData(hasData); });
  }
  void RepaintPlayButtons(PlayState playState) override {
    Each([&](BackPanelView& v) { v.RepaintPlayButtons(playState); });
  }
};

class LoadedListViews final : public LoadedListView, public ViewObservers<LoadedListView> {
 public:
  void SelectLoadedRecordingRow(int recording) override {
    Each([&](LoadedListView& v) { v.SelectLoadedRecordingRow(recording); });
  }
  void SelectLoadedLogRow(int log) override {
    Each([&](LoadedListView& v) { v.SelectLoadedLogRow(log); });
  }
};
