#pragma once
// Loading what the user checked in the search window's visible list: the
// checked paths in list order, everything loaded before released, one
// loading dialog per file run modally under the overall progress strip,
// cancel and failure reported in one message box, and on completion the view
// mode set and the loaded set handed to navigation, the graphs, the map and
// the list boxes.

#include <string>
#include <vector>

#include "base/AppState.h"
#include "playback/LoadTargets.h"
#include "playback/LoadingDialogRunner.h"
#include "playback/PlaybackViews.h"
#include "playback/SearchWindowView.h"

class CListEvent;
class CMgrDBSearch;
class LoadingDialogRunner;
class Prompt;

enum class LoadOutcome {
  kNothingChecked,  // the NoSelected message; nothing changed
  kNotTimeOrder,    // logs out of time order: every row unchecked, nothing changed
  kCancelled,       // nothing loaded any more
  kFailed,          // a log failed: nothing loaded any more
  kLoaded,
};

class LoadSequence {
 public:
  LoadSequence(CMgrDBSearch& store, Prompt& prompt, LoadingDialogRunner& dialogs);

  void SetSearchView(SearchWindowView* view) { search_ = view ? view : &defaultSearch_; }
  void SetTargets(LoadTargets* targets) { targets_ = targets ? targets : &defaultTargets_; }
  void SetPaneView(PaneView* view) { panes_ = view ? view : &defaultPanes_; }
  void SetSlideBarView(SlideBarView* view) { slideBar_ = view ? view : &defaultSlideBar_; }
  void SetBackPanelView(BackPanelView* view) { backPanel_ = view ? view : &defaultBackPanel_; }
  void SetMapView(MapView* view) { map_ = view ? view : &defaultMap_; }

  // The Load button: stops video and log play, then loads from the visible
  // list by its kind.
  LoadOutcome Load(CListEvent& visibleList);
  // Loads the checked rows of an event or normal list.
  LoadOutcome LoadVideos(CListEvent& list);
  LoadOutcome LoadLogs(CListEvent& list);
  // The Load button over the Trip list: stops both plays, then loads the
  // ticked trips' recordings (none: the NoSelectedTrip message) as one
  // normal run, or as events.
  LoadOutcome LoadTrips(const std::vector<std::string>& paths, bool asEvents);

  // Whether each log starts, in whole seconds, at or after the end of the
  // log with a time before it. A log without any time claims no order; its
  // load then says that it cannot be read.
  static bool LogsInTimeOrder(const CMgrDBSearch& store, const std::vector<std::string>& paths);

 private:
  void ReleaseAll();
  LoadOutcome LoadVideoPaths(bool events, const std::vector<std::string>& paths);
  // Runs one dialog per path into the store's entries; the last result.
  // The path of a failed log is kept in failedPath_.
  LoadResult RunDialogs(int kind, const std::vector<std::string>& paths);
  void CompleteVideos(ViewMode viewMode);
  void CompleteLogs();
  void SetUpLogView();
  void ShowFirstLogPosition();
  void Tell(const std::string& key, const char* english, const std::string& caption);

  CMgrDBSearch& store_;
  Prompt& prompt_;
  LoadingDialogRunner& dialogs_;
  std::string failedPath_;

  SearchWindowView defaultSearch_;
  LoadTargets defaultTargets_;
  PaneView defaultPanes_;
  SlideBarView defaultSlideBar_;
  BackPanelView defaultBackPanel_;
  MapView defaultMap_;
  SearchWindowView* search_ = &defaultSearch_;
  LoadTargets* targets_ = &defaultTargets_;
  PaneView* panes_ = &defaultPanes_;
  SlideBarView* slideBar_ = &defaultSlideBar_;
  BackPanelView* backPanel_ = &defaultBackPanel_;
  MapView* map_ = &defaultMap_;
};
