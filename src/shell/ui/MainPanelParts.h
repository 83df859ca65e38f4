#pragma once
// The children of the back panel: the skin buttons, the search window, the
// panes, the graphs, the digit displays, the slide bar and the map window,
// each placed where the skin says. The widgets that show playback register
// with the viewer's engine themselves; the factory attaches the graphs, the
// displays, the search window's load view and the map window's page to the
// viewer, and takes them off again before they go. It never calls back into
// the panel: the panel connects the buttons it finds here.
#include <map>
#include <memory>

#include "shell/ui/BackPanelContext.h"
#include "telemetry/ui/DigitStrips.h"

class CDigitDisplayWidgets;
class CGSensorControl;
class CMgrMapSync;
class CPlaySlideBar;
class CPlaySpeedLabel;
class CVxButton;
class CVxSlideBar;
class CWndImgInfoPanel;
class CWndPanePanel;
class CWndPlayTimePanel;
class CWndGpsMap;
class CWndSearch;
class QWidget;
class QtUiQueue;

class MainPanelParts final {
 public:
  // The widgets are children of panel.
  MainPanelParts(const BackPanelContext& context, QWidget& panel);
  ~MainPanelParts();
  MainPanelParts(const MainPanelParts&) = delete;
  MainPanelParts& operator=(const MainPanelParts&) = delete;

  CWndSearch* Search() const { return search_; }
  CWndPanePanel* Panes() const { return panes_; }
  CGSensorControl* GSensorGraph() const { return gsensor_; }
  CGSensorControl* LogGraph() const { return logGraph_; }
  CWndGpsMap* Map() const { return map_; }
  CMgrMapSync& MapSync() const { return *mapSync_; }
  CDigitDisplayWidgets& Digits() const { return *digits_; }
  const DigitStrips& Strips() const { return strips_; }
  CVxSlideBar* SlideBar() const;
  CPlaySpeedLabel* PlaySpeed() const { return playSpeed_; }
  CVxButton* Button(int id) const;
  const std::map<int, CVxButton*>& Buttons() const { return buttons_; }
  bool IsMxHLayout() const { return mxhLayout_; }

  // The MX-H layout or the ordinary one: the G-value displays move and the
  // car signal shows or hides.
  void PlaceModelDisplays(bool mxh);

 private:
  void MakeWindows();
  void MakeSearchWindow();
  void MakeDisplays();
  void MakeButtons();
  void LayOutMenuWords();
  void MakeSlideBar();
  void MakeMap();
  void AttachEngineViews();

  BackPanelContext context_;
  QWidget& panel_;

  CWndSearch* search_ = nullptr;
  CWndPanePanel* panes_ = nullptr;
  CGSensorControl* gsensor_ = nullptr;
  CGSensorControl* logGraph_ = nullptr;
  CWndGpsMap* map_ = nullptr;
  std::unique_ptr<QtUiQueue> mapQueue_;
  CMgrMapSync* mapSync_ = nullptr;
  CWndPlayTimePanel* playTime_ = nullptr;
  CWndImgInfoPanel* imgInfo_ = nullptr;
  std::unique_ptr<CDigitDisplayWidgets> digits_;
  DigitStrips strips_;
  CPlaySlideBar* slideBar_ = nullptr;
  std::map<int, CVxButton*> buttons_;
  CPlaySpeedLabel* playSpeed_ = nullptr;
  bool mxhLayout_ = false;
};
