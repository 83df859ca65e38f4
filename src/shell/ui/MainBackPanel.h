#pragma once
// The back panel: the whole visible surface of the main frame. It draws the
// skin, carries the skin buttons, the panes, the digit displays and the
// slide bar, holds the playback engine, and turns every command (button,
// menu item, accelerator, mouse gesture) into a call on the engine or the
// recording store. It is also the view of the store and the engine for the
// parts of the panel that follow what is loaded.
#include <QImage>
#include <QWidget>
#include <map>
#include <memory>

#include "platform/ui/QtDesktopOpener.h"
#include "playback/PlaybackEngineSinks.h"
#include "playback/PlaybackViews.h"
#include "recording/StoreViewSink.h"
#include "shell/MainCommands.h"
#include "shell/ui/ViewRelays.h"
#include "telemetry/ui/DigitStrips.h"

struct AppState;
class CAppSetting;
class CDigitDisplayWidgets;
class CGSensorControl;
class CMapPanel;
class CMgrDBSearch;
class CPlaySpeedLabel;
class CSkinPicture;
class CSkinPackage;
class CVxButton;
class CVxSlideBar;
class CWndImgInfoPanel;
class CWndPanePanel;
class CWndPlayTimePanel;
class CWndSearch;
class Clock;
class LoadingDialogRunner;
class PlaybackEngine;
class Prompt;
class TimerHost;
class QMenu;

// What the back panel works with; all of it outlives the panel.
struct BackPanelContext {
  CAppSetting& settings;
  AppState& app;
  CMgrDBSearch& store;
  const CSkinPackage& skin;
  Prompt& prompt;
  TimerHost& timers;
  const Clock& clock;
  bool smallScreen = false;
  int desktopWidth = 1024;
  int desktopHeight = 768;
};

class CMainBackPanel : public QWidget,
                       public BackPanelView,
                       public SlideBarView,
                       public StoreViewSink,
                       public EngineWindowView {
  Q_OBJECT

 public:
  static constexpr int kChildId = 0xE900;

  CMainBackPanel(const BackPanelContext& context, QWidget* parent);
  ~CMainBackPanel() override;

  // Runs the command of a button, menu item or accelerator id.
  void OnCommand(int id);
  // Opens the pull-down menu of menu button index 0..5 (File .. Help).
  void OpenMenu(int index);
  // The card of the data folder went away: what shows it is emptied.
  void OnMediaRemoved();

  PlaybackEngine& Engine() { return *engine_; }
  CWndSearch* Search() const { return search_; }
  CWndPanePanel* Panes() const { return panes_; }
  CGSensorControl* GSensorGraph() const { return gsensor_; }
  CGSensorControl* LogGraph() const { return logGraph_; }
  CDigitDisplayWidgets& Digits() const { return *digits_; }
  CVxSlideBar* SlideBar() const { return slideBar_; }
  CVxButton* Button(int id) const;
  bool IsModel9Layout() const { return model9Layout_; }
  // The menu last built for OpenMenu (for the tests; it is not shown then).
  QMenu* BuildMenu(int index);

  // ---- BackPanelView --------------------------------------------------------
  void ShowGpsPart(bool shown) override;
  void RedrawSpeedReadout(bool withCaption) override;
  void SetMapHasData(bool hasData) override;
  void RepaintPlayButtons(int playState) override;
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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void MakeEngine();
  void MakeWindows();
  void MakeButtons();
  void MakeDisplays();
  void MakeSlideBar();
  void ApplyModelLayout(bool model9);
  void LoadBackground();
  void PlaceBottomStrip();
  int StripTop() const;
  void UpdateButtonStates();
  void SetButtonEnabled(int id, bool enabled);

  void RunPlayCommand(MainCommand command);
  void ChooseModel(int modelId);
  void ChooseSpeedSource(int source);
  void OpenFolder();
  void OpenHelp();
  void OpenHomepage();
  void ShowVersionBox();
  void ShowSpeedMenu(QPoint at);
  void OnSlideDragged(int position);
  void OnSlideReleased(int position);
  bool HasLoadedVideo() const;
  bool HasLoadedData() const;
  void DrawTitleText(QPainter& painter);

  BackPanelContext context_;
  QtDesktopOpener desktop_;
  std::unique_ptr<LoadingDialogRunner> dialogs_;
  PaneViewRelay paneRelay_;
  GraphViewRelay videoGraphRelay_;
  GraphViewRelay logGraphRelay_;
  DigitDisplayViewRelay digitRelay_;
  std::unique_ptr<PlaybackEngine> engine_;

  CWndSearch* search_ = nullptr;
  CWndPanePanel* panes_ = nullptr;
  CGSensorControl* gsensor_ = nullptr;
  CGSensorControl* logGraph_ = nullptr;
  CMapPanel* map_ = nullptr;
  CWndPlayTimePanel* playTime_ = nullptr;
  CWndImgInfoPanel* imgInfo_ = nullptr;
  std::unique_ptr<CDigitDisplayWidgets> digits_;
  DigitStrips strips_;
  CVxSlideBar* slideBar_ = nullptr;
  std::map<int, CVxButton*> buttons_;
  CPlaySpeedLabel* playSpeed_ = nullptr;
  std::unique_ptr<QMenu> menu_;

  QImage background_;
  QImage bottomStrip_;
  CSkinPicture* bottomStripWindow_ = nullptr;
  bool model9Layout_ = false;
  bool speedCaption_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};
