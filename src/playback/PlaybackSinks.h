#pragma once
// The window sinks the play controller and frame navigation push to. A sink
// left null is replaced by one that does nothing, so the command-line tool
// and the tests hand in only what they look at.

#include <functional>

#include "playback/PlaybackViews.h"
#include "telemetry/SpeedSource.h"

struct PlaybackSinks {
  PaneView* pane = nullptr;
  SlideBarView* slideBar = nullptr;
  BackPanelView* backPanel = nullptr;
  MapView* map = nullptr;
  LoadedListView* loadedList = nullptr;
};

// The model and speed-source settings, read each time they are asked for
// (the settings object reads them from its file).
using SpeedSourceQuery = std::function<SpeedSource()>;

// The sinks with the nulls filled in; keeps the do-nothing ones it needs.
// The window attaches its sinks once its widgets exist; whoever holds the
// outputs reaches the sinks attached last.
class PlaybackOutputs {
 public:
  explicit PlaybackOutputs(const PlaybackSinks& sinks) { Attach(sinks); }
  PlaybackOutputs(const PlaybackOutputs&) = delete;
  PlaybackOutputs& operator=(const PlaybackOutputs&) = delete;

  void Attach(const PlaybackSinks& sinks) {
    pane_ = sinks.pane ? sinks.pane : &quietPane_;
    slideBar_ = sinks.slideBar ? sinks.slideBar : &quietSlideBar_;
    backPanel_ = sinks.backPanel ? sinks.backPanel : &quietBackPanel_;
    map_ = sinks.map ? sinks.map : &quietMap_;
    loadedList_ = sinks.loadedList ? sinks.loadedList : &quietLoadedList_;
  }

  PaneView& Pane() const { return *pane_; }
  SlideBarView& SlideBar() const { return *slideBar_; }
  BackPanelView& BackPanel() const { return *backPanel_; }
  MapView& Map() const { return *map_; }
  LoadedListView& LoadedList() const { return *loadedList_; }

  // Brings the map up to date; "noData" when there was nothing to show.
  void RefreshMap() const { map_->RefreshMap(); }

 private:
  PaneView quietPane_;
  SlideBarView quietSlideBar_;
  BackPanelView quietBackPanel_;
  MapView quietMap_;
  LoadedListView quietLoadedList_;
  PaneView* pane_ = nullptr;
  SlideBarView* slideBar_ = nullptr;
  BackPanelView* backPanel_ = nullptr;
  MapView* map_ = nullptr;
  LoadedListView* loadedList_ = nullptr;
};
