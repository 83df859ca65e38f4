#pragma once
// The window sinks the play controller and frame navigation push to. A sink
// left null is none, so the command-line tool and the tests hand in only
// what they look at.

#include <functional>

#include "playback/PlaybackViews.h"
#include "playback/ViewObservers.h"
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

// What the managers push to: every registered view of each kind, and the
// one map synchronisation. The sinks handed to Attach are registered in
// place of those of the Attach before (the command-line tool and the tests
// attach theirs that way); widgets register themselves with Add and leave
// with Remove.
class PlaybackOutputs {
 public:
  explicit PlaybackOutputs(const PlaybackSinks& sinks) { Attach(sinks); }
  PlaybackOutputs(const PlaybackOutputs&) = delete;
  PlaybackOutputs& operator=(const PlaybackOutputs&) = delete;

  void Attach(const PlaybackSinks& sinks) {
    Remove(attached_);
    attached_ = sinks;
    Add(sinks);
    map_ = sinks.map ? sinks.map : &quietMap_;
  }
  // The one map synchronisation (null: none).
  void AttachMap(MapView* map) {
    attached_.map = map;
    map_ = map ? map : &quietMap_;
  }
  // Registers the views that are set (the map is attached, never added).
  void Add(const PlaybackSinks& views) {
    panes_.Add(views.pane);
    slideBars_.Add(views.slideBar);
    backPanels_.Add(views.backPanel);
    loadedLists_.Add(views.loadedList);
  }
  void Remove(const PlaybackSinks& views) {
    panes_.Remove(views.pane);
    slideBars_.Remove(views.slideBar);
    backPanels_.Remove(views.backPanel);
    loadedLists_.Remove(views.loadedList);
  }

  PaneView& Pane() const { return panes_; }
  SlideBarView& SlideBar() const { return slideBars_; }
  BackPanelView& BackPanel() const { return backPanels_; }
  MapView& Map() const { return *map_; }
  LoadedListView& LoadedList() const { return loadedLists_; }

  // Brings the map up to date; "noData" when there was nothing to show.
  void RefreshMap() const { map_->RefreshMap(); }

 private:
  PlaybackSinks attached_;
  mutable PaneViews panes_;
  mutable SlideBarViews slideBars_;
  mutable BackPanelViews backPanels_;
  mutable LoadedListViews loadedLists_;
  MapView quietMap_;
  MapView* map_ = nullptr;
};
