#pragma once
// The children of the back panel and the playback engine they show. The
// engine is made first, then the widgets that paint its models, then the
// engine's views are attached: from then on the parts are the views of the
// store and the engine for everything the panel shows of them.
#include <QImage>
#include <map>
#include <memory>

#include "base/ViewLayout.h"
#include "playback/PlayState.h"
#include "playback/PlaybackCommands.h"
#include "playback/PlaybackEngineSinks.h"
#include "playback/PlaybackViews.h"
#include "recording/StoreViewSink.h"
#include "shell/ui/BackPanelContext.h"
#include "telemetry/ui/DigitStrips.h"

class CDigitDisplayWidgets;
class CGSensorControl;
class CMainBackPanel;
class CMgrMapSync;
class CPlaySpeedLabel;
class CVxButton;
class CVxSlideBar;
class CWndImgInfoPanel;
class CWndPanePanel;
class CWndPlayTimePanel;
class CWndGpsMap;
class CWndSearch;
class LoadingDialogRunner;
class PlaybackEngine;
class QtUiQueue;

class MainPanelParts final : public PaneView,
                             public BackPanelView,
                             public SlideBarView,
                             public StoreViewSink,
                             public EngineWindowView,
                             public SearchCommands {
 public:
  MainPanelParts(const BackPanelContext& context, CMainBackPanel& panel);
  ~MainPanelParts() override;
  MainPanelParts(const MainPanelParts&) = delete;
  MainPanelParts& operator=(const MainPanelParts&) = delete;

  PlaybackEngine& Engine() const { return *engine_; }
  CWndSearch* Search() const { return search_; }
  CWndPanePanel* Panes() const { return panes_; }
  CGSensorControl* GSensorGraph() const { return gsensor_; }
  CGSensorControl* LogGraph() const { return logGraph_; }
  CWndGpsMap* Map() const { return map_; }
  CMgrMapSync& MapSync() const { return *mapSync_; }
  CDigitDisplayWidgets& Digits() const { return *digits_; }
  const DigitStrips& Strips() const { return strips_; }
  CVxSlideBar* SlideBar() const { return slideBar_; }
  CVxButton* Button(int id) const;
  const std::map<int, CVxButton*>& Buttons() const { return buttons_; }
  bool IsMxHLayout() const { return mxhLayout_; }

  // The MX-H layout or the ordinary one: the G-value displays move, the car
  // signal shows or hides, the background and bottom strip follow.
  void ApplyModelLayout(bool mxh);
  // The card of the data folder went away: the lists are emptied.
  void OnMediaRemoved();

  // ---- PaneView: the pane container, and the buttons after a layout change --
  void SetLayout(ViewLayout layout) override;
  void RepaintPane(int pane) override;
  void SetSelectedPane(int pane) override;
  void RepaintInfoPanel() override;
  void ShowNotice(const std::string& text) override;
  // ---- BackPanelView --------------------------------------------------------
  void ShowGpsPart(bool shown) override;
  void RedrawSpeedReadout(bool withCaption) override;
  void SetMapHasData(bool hasData) override;
  void RepaintPlayButtons(PlayState playState) override;
  // ---- SlideBarView ---------------------------------------------------------
  void ResetToNow() override;
  void SetTimes(int64_t baseTimeKey, int64_t startTimeKey, int64_t endTimeKey) override;
  void SetRange(int minSeconds, int maxSeconds) override;
  void ClearMarks() override;
  void AddMark(int seconds) override;
  void SetPosition(int seconds) override;
  // ---- StoreViewSink --------------------------------------------------------
  void ClearFileLists() override;
  void ResetPicture() override;
  void ResetDisplays() override;
  void ResetGraph() override {}
  void StopPlayback() override;
  void SetWaitCursor(bool busy) override;
  void RefreshFileLists() override;
  void ShowFileList(FileListKind kind) override;
  void ShowRoot(const std::string& root) override;
  // ---- EngineWindowView -----------------------------------------------------
  void RepaintLogInfo() override;
  void RepaintLogSearchRows() override;
  void ShowFileLists(FileListKind kind, bool withLogTab) override;
  // ---- SearchCommands -------------------------------------------------------
  void LoadKind(FileListKind kind) override;
  void SetAllChecked(bool checked) override;

 private:
  void MakeWindows();
  void MakeSearchWindow();
  void MakeDisplays();
  void MakeButtons();
  void LayOutMenuWords();
  void MakeSlideBar();
  void MakeMap();
  void AttachEngineViews();
  void OnSlideDragged(int position);
  void OnSlideReleased(int position);

  BackPanelContext context_;
  CMainBackPanel& panel_;
  std::unique_ptr<LoadingDialogRunner> dialogs_;
  std::unique_ptr<PlaybackEngine> engine_;

  CWndSearch* search_ = nullptr;
  CWndPanePanel* panes_ = nullptr;
  CGSensorControl* gsensor_ = nullptr;
  CGSensorControl* logGraph_ = nullptr;
  CWndGpsMap* map_ = nullptr;
  std::unique_ptr<QtUiQueue> mapQueue_;
  std::unique_ptr<CMgrMapSync> mapSync_;
  CWndPlayTimePanel* playTime_ = nullptr;
  CWndImgInfoPanel* imgInfo_ = nullptr;
  std::unique_ptr<CDigitDisplayWidgets> digits_;
  DigitStrips strips_;
  CVxSlideBar* slideBar_ = nullptr;
  std::map<int, CVxButton*> buttons_;
  CPlaySpeedLabel* playSpeed_ = nullptr;
  bool mxhLayout_ = false;
};
