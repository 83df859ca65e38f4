#include "shell/ui/MainBackPanel.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <array>

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/AppTitle.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "platform/Ports.h"
#include "platform/TimeKey.h"
#include "platform/Trace.h"
#include "platform/ui/QtDesktopOpener.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/DlgCheckFiles.h"
#include "playback/ui/DlgLoading.h"
#include "playback/ui/WndImgInfoPanel.h"
#include "playback/ui/WndPanePanel.h"
#include "playback/ui/WndPlayTimePanel.h"
#include "playback/ui/WndSearch.h"
#include "recording/MgrDBSearch.h"
#include "shell/BackPanelLayout.h"
#include "shell/HelpAndHomepage.h"
#include "shell/MainCommands.h"
#include "shell/ui/DlgVersion.h"
#include "shell/ui/MainMenus.h"
#include "shell/ui/MapPanel.h"
#include "shell/ui/PlaySpeedLabel.h"
#include "skin/SkinEntries.h"
#include "skin/SkinPackage.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/OutlinedText.h"
#include "skin/ui/SkinImages.h"
#include "skin/ui/SkinPicture.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxSlideBar.h"
#include "telemetry/ui/DigitDisplayWidgets.h"
#include "telemetry/ui/GSensorControl.h"
#include "telemetry/ui/VxDigitDisplays.h"

namespace {

// Where the panel's own text goes: the chosen folder in the title bar.
constexpr int kTitleTextLeft = 120;
constexpr int kTitleTextTop = 6;
const QColor kTitleText(210, 214, 220);
const QColor kTitleOutline(10, 12, 14);
// The panel colour when the skin does not give one.
const QColor kDefaultSkinPanel(40, 42, 46);

// The background entry's value holds the colour of the skin's wells
// (0xRRGGBB), which the panels painted on them take.
QColor SkinPanelColour(const CSkinPackage& skin) {
  const SkinControl_Info* info = skin.Find(kSkinBackground);
  if (!info || info->value <= 0) return kDefaultSkinPanel;
  return QColor::fromRgb(static_cast<QRgb>(info->value) | 0xFF000000u);
}

struct ButtonEntry {
  int entry;
  int id;
  const char* tooltipKey;
  const char* tooltipDefault;
};

constexpr std::array kButtons = {
    ButtonEntry{kSkinButtonAbout, kIdAbout, "About", "About"},
    ButtonEntry{kSkinButtonMinimize, kIdMinimize, "Minimize", "Minimize"},
    ButtonEntry{kSkinButtonExit, kIdExit, "Exit", "Exit"},
    ButtonEntry{kSkinButtonOpen, kIdOpen, "Open", "Open"},
    ButtonEntry{kSkinButtonSaveImage, kIdSaveImage, "SaveImage", "Save image"},
    ButtonEntry{kSkinButtonPrintImage, kIdPrintImage, "PrintImage", "Print image"},
    ButtonEntry{kSkinButtonSaveAvi, kIdSaveAvi, "SaveAvi", "Save AVI"},
    ButtonEntry{kSkinButtonBackup, kIdBackup, "Backup", "Backup"},
    ButtonEntry{kSkinButtonGoogleEarth, kIdGoogleEarth, "GoogleEarth", "Run Google Earth"},
    // The language table keeps this tooltip under "Setting".
    ButtonEntry{kSkinButtonSetup, kIdSetup, "Setting", "Setup"},
    ButtonEntry{kSkinButtonHomepage, kIdHomepage, "GotoHomepage", "Homepage"},
    ButtonEntry{kSkinButtonBackFast, kIdBackFast, "BackFast", "Fast back play"},
    ButtonEntry{kSkinButtonPrevious, kIdPrevious, "Previous", "Previous frame"},
    ButtonEntry{kSkinButtonBackPlay, kIdBackPlay, "BackPlay", "Back play"},
    ButtonEntry{kSkinButtonPause, kIdPause, "Pause", "Pause"},
    ButtonEntry{kSkinButtonPlay, kIdPlay, "Play", "Play"},
    ButtonEntry{kSkinButtonNext, kIdNext, "Next", "Next frame"},
    ButtonEntry{kSkinButtonPlayFast, kIdPlayFast, "PlayFast", "Fast Play"},
    ButtonEntry{kSkinButtonZoomIn, kIdZoomIn, "ZoomIn", "Zoom in graph"},
    ButtonEntry{kSkinButtonZoomOut, kIdZoomOut, "ZoomOut", "Zoom out graph"},
    ButtonEntry{kSkinButtonMenuFile, kIdMenuFile, nullptr, nullptr},
    ButtonEntry{kSkinButtonMenuEdit, kIdMenuFile + 1, nullptr, nullptr},
    ButtonEntry{kSkinButtonMenuView, kIdMenuFile + 2, nullptr, nullptr},
    ButtonEntry{kSkinButtonMenuPlay, kIdMenuFile + 3, nullptr, nullptr},
    ButtonEntry{kSkinButtonMenuTool, kIdMenuFile + 4, nullptr, nullptr},
    ButtonEntry{kSkinButtonMenuHelp, kIdMenuHelp, nullptr, nullptr},
    ButtonEntry{kSkinButtonSingleView, kIdSingleView, "SingleView", "Single View"},
    ButtonEntry{kSkinButtonThumbView, kIdThumbView, "4x4View", "4x4 View"},
    ButtonEntry{kSkinButtonDefaultGraph, kIdDefaultGraph, "Default", "Default graph"},
};

// The commands whose work arrives with the export, print, map and card-tool
// pieces: their buttons and menu items are there, but disabled.
constexpr std::array kNotYetAvailable = {MainCommand::kSaveImage, MainCommand::kPrintImage, MainCommand::kSaveAvi,
                                         MainCommand::kBackup,    MainCommand::kSetup,      MainCommand::kGoogleEarth,
                                         MainCommand::kSdInit};

// The button latched for a play state: the one that started it.
int ButtonOfState(int state) {
  if (state == PS_PLAY || state == PS_PLAY_HALF) return kIdPlay;
  if (state >= PS_FAST_2 && state <= PS_FAST_16) return kIdPlayFast;
  if (state == PS_REVERSE || state == PS_REVERSE_HALF) return kIdBackPlay;
  if (state >= PS_FAST_REVERSE_2 && state <= PS_FAST_REVERSE_16) return kIdBackFast;
  return 0;
}

QRect RectOf(const PanelRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

}  // namespace

CMainBackPanel::CMainBackPanel(const BackPanelContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("MainBackPanel"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  dialogs_ = std::make_unique<QtLoadingDialogRunner>(this);
  search_ = new CWndSearch(context_.store, context_.app, this);
  MakeEngine();
  MakeWindows();
  MakeDisplays();
  MakeButtons();
  MakeSlideBar();
  context_.store.SetViewSink(this);
  context_.store.SetCheckFilesRunner(MakeQtCheckFilesRunner(this));
  ApplyModelLayout(IsHLayoutModel(context_.settings.GetCurrentModel()));
  engine_->ResetForCard(context_.clock.LocalNow());
  ResetToNow();
  UpdateButtonStates();
}

CMainBackPanel::~CMainBackPanel() {
  context_.store.SetViewSink(nullptr);
  // The engine goes before the widgets it paints through.
  engine_.reset();
}

void CMainBackPanel::MakeEngine() {
  PlaybackEngineSinks sinks;
  sinks.playback.pane = &paneRelay_;
  sinks.playback.slideBar = this;
  sinks.playback.backPanel = this;
  sinks.playback.loadedList = search_;
  sinks.search = search_;
  sinks.videoGraph = &videoGraphRelay_;
  sinks.logGraph = &logGraphRelay_;
  sinks.displays = &digitRelay_;
  sinks.window = this;
  engine_ = std::make_unique<PlaybackEngine>(context_.store, context_.settings, context_.timers, context_.clock,
                                             context_.prompt, *dialogs_, sinks);
  search_->SetEngine(engine_.get());
}

void CMainBackPanel::MakeWindows() {
  const CSkinPackage& skin = context_.skin;
  panes_ = new CWndPanePanel(*engine_, context_.settings, this);
  panes_->setGeometry(SkinRect(skin, kSkinPanePanel));
  panes_->SetEmptyPicture(SkinImage(skin, kSkinEmptyPicture));
  panes_->SetSmallScreen(context_.smallScreen);
  paneRelay_.Attach(panes_);
  // Loading, closing and the view commands all change the layout; the
  // buttons that depend on what is loaded follow it.
  paneRelay_.SetLayoutFollower([this] { UpdateButtonStates(); });

  gsensor_ = new CGSensorControl(engine_->VideoGraph(), this);
  gsensor_->setGeometry(SkinRect(skin, kSkinGSensorWindow));
  videoGraphRelay_.Attach(gsensor_);
  logGraph_ = new CGSensorControl(engine_->LogGraph(), this);
  panes_->SetLogGraph(logGraph_);
  logGraphRelay_.Attach(logGraph_);

  map_ = new CMapPanel(SkinImage(skin, kSkinFallback), this);
  map_->setGeometry(SkinRect(skin, kSkinMapWindow));

  search_->setGeometry(SkinRect(skin, kSkinSearchWindow));
  SearchWindowSkin searchSkin;
  searchSkin.load = SkinStripOf(skin, kSkinButtonLoad, 4);
  searchSkin.close = SkinStripOf(skin, kSkinButtonClose, 4);
  searchSkin.checkAll = SkinStripOf(skin, kSkinButtonCheckAll, 4);
  searchSkin.unCheckAll = SkinStripOf(skin, kSkinButtonUnCheckAll, 4);
  searchSkin.tabEvent = SkinStripOf(skin, kSkinTabEvent, 4);
  searchSkin.tabNormal = SkinStripOf(skin, kSkinTabNormal, 4);
  searchSkin.tabLog = SkinStripOf(skin, kSkinTabLog, 4);
  searchSkin.eventMarker = SkinStripOf(skin, kSkinButtonEventMarker, 4);
  searchSkin.loadRect = SkinRect(skin, kSkinButtonLoad);
  searchSkin.closeRect = SkinRect(skin, kSkinButtonClose);
  searchSkin.checkAllRect = SkinRect(skin, kSkinButtonCheckAll);
  searchSkin.tabEventRect = SkinRect(skin, kSkinTabEvent);
  searchSkin.tabNormalRect = SkinRect(skin, kSkinTabNormal);
  searchSkin.tabLogRect = SkinRect(skin, kSkinTabLog);
  searchSkin.eventMarkerRect = SkinRect(skin, kSkinButtonEventMarker);
  search_->SetSkin(searchSkin);

  playTime_ = new CWndPlayTimePanel(engine_->Control(), context_.settings, this);
  playTime_->setGeometry(SkinRect(skin, kSkinPlayTimePanel));
  imgInfo_ = new CWndImgInfoPanel(engine_->Control(), context_.settings, this);
  imgInfo_->setGeometry(SkinRect(skin, kSkinImgInfoPanel));
  playTime_->SetBackground(SkinPanelColour(skin));
  imgInfo_->SetBackground(SkinPanelColour(skin));
  panes_->SetInfoPanelRepaint([this] {
    playTime_->update();
    imgInfo_->update();
  });
}

void CMainBackPanel::MakeDisplays() {
  const CSkinPackage& skin = context_.skin;
  strips_.Of(DigitStrip::kDateSmall) = SkinStripOf(skin, kSkinDigitsSmall, 11);
  strips_.Of(DigitStrip::kDateLarge) = SkinStripOf(skin, kSkinDigitsLarge, 11);
  strips_.Of(DigitStrip::kDateSeparator) = SkinStripOf(skin, kSkinDateSeparators, 2);
  strips_.Of(DigitStrip::kWeekday) = SkinStripOf(skin, kSkinWeekdays, 7);
  strips_.Of(DigitStrip::kSpeedDigit) = SkinStripOf(skin, kSkinDigitsSpeed, 11);
  strips_.Of(DigitStrip::kGDigit) = SkinStripOf(skin, kSkinDigitsG, 11);
  strips_.Of(DigitStrip::kGPoint) = SkinStripOf(skin, kSkinDecimalPoint, 1);
  strips_.Of(DigitStrip::kPosDigit) = strips_.Of(DigitStrip::kGDigit);
  strips_.Of(DigitStrip::kPosPoint) = strips_.Of(DigitStrip::kGPoint);
  strips_.Of(DigitStrip::kPosSymbol) = SkinStripOf(skin, kSkinGpsSymbols, 3);
  strips_.Of(DigitStrip::kHemisphere) = SkinStripOf(skin, kSkinHemispheres, 4);
  strips_.Of(DigitStrip::kSpeedCaption) = SkinStripOf(skin, kSkinSpeedCaption, 2);
  strips_.Of(DigitStrip::kSpeedIndicator) = SkinStripOf(skin, kSkinSpeedIndicator, 2);
  strips_.Of(DigitStrip::kLeftLamp) = SkinStripOf(skin, kSkinLampLeft, 4);
  strips_.Of(DigitStrip::kRightLamp) = SkinStripOf(skin, kSkinLampRight, 4);

  PlaybackEngine* engine = engine_.get();
  digits_ = std::make_unique<CDigitDisplayWidgets>(
      engine_->Displays(), [engine] { return engine->CurrentSpeedSource(); }, this);
  digits_->SetStrips(strips_);
  digits_->DateTime()->setGeometry(SkinRect(skin, kSkinDateTimeDisplay));
  digits_->Speed()->setGeometry(SkinRect(skin, kSkinSpeedDisplay));
  digits_->Gps()->setGeometry(SkinRect(skin, kSkinGpsDisplay));
  digits_->CarSignal()->setGeometry(SkinRect(skin, kSkinCarSignal));
  digits_->CarSignal()->SetBackground(SkinPanelColour(skin));
  digitRelay_.Attach(digits_.get());
}

void CMainBackPanel::MakeButtons() {
  const CSkinPackage& skin = context_.skin;
  for (const ButtonEntry& entry : kButtons) {
    const SkinControl_Info* info = skin.Find(entry.entry);
    if (!info) {
      context_.prompt.Show(MissingEntryMessage(), std::string(kApplicationTitle), PromptButtons::Ok);
      continue;
    }
    auto* button = new CVxButton(entry.id, this);
    button->SetStrip(SkinStripOf(skin, entry.entry, 4));
    button->setGeometry(SkinRect(skin, entry.entry));
    button->setVisible(info->visible != 0);
    if (entry.tooltipKey) {
      button->setToolTip(QString::fromStdString(GetLangText("ToolTip", entry.tooltipKey, entry.tooltipDefault)));
    }
    const int id = entry.id;
    connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
    buttons_[id] = button;
  }
  playSpeed_ = new CPlaySpeedLabel(this);
  playSpeed_->setGeometry(RectOf(kPlaySpeedText));
}

void CMainBackPanel::MakeSlideBar() {
  const CSkinPackage& skin = context_.skin;
  slideBar_ = new CVxSlideBar(kIdPlayPositionBar, this);
  slideBar_->setGeometry(SkinRect(skin, kSkinSlideBar));
  slideBar_->SetBitmaps(SkinImage(skin, kSkinSlideTrack), SkinImage(skin, kSkinSlideThumb),
                        SkinImage(skin, kSkinSlideTrack2));
  slideBar_->SetStyle(2);
  slideBar_->SetBackground(SkinPanelColour(skin));
  // The drag is posted, the release sent.
  connect(slideBar_, &CVxSlideBar::dragged, this, &CMainBackPanel::OnSlideDragged, Qt::QueuedConnection);
  connect(slideBar_, &CVxSlideBar::released, this, &CMainBackPanel::OnSlideReleased, Qt::DirectConnection);
}

CVxButton* CMainBackPanel::Button(int id) const {
  auto found = buttons_.find(id);
  return found == buttons_.end() ? nullptr : found->second;
}

// ---- layout -----------------------------------------------------------------

void CMainBackPanel::ApplyModelLayout(bool model9) {
  model9Layout_ = model9;
  const auto rects = GValueDisplayRects(model9);
  for (int axis = 0; axis < 3; ++axis) digits_->GValue(axis)->setGeometry(RectOf(rects[static_cast<size_t>(axis)]));
  digits_->CarSignal()->setVisible(model9);
  LoadBackground();
  PlaceBottomStrip();
  for (int axis = 0; axis < 3; ++axis) {
    digits_->GValue(axis)->setVisible(bottomStrip_.isNull() ||
                                      ClearOfBottomStrip(rects[static_cast<size_t>(axis)], StripTop()));
  }
  update();
}

void CMainBackPanel::LoadBackground() {
  const CSkinPackage& skin = context_.skin;
  background_ = SkinImage(skin, model9Layout_ ? kSkinBackgroundModel9 : kSkinBackground);
  bottomStrip_ = QImage();
  if (!context_.smallScreen) return;
  const int strip = context_.desktopWidth < 1024 ? kSkinBottomStripNarrow
                    : model9Layout_              ? kSkinBottomStripModel9
                                                 : kSkinBottomStrip;
  bottomStrip_ = SkinImage(skin, strip);
}

int CMainBackPanel::StripTop() const { return context_.desktopHeight - bottomStrip_.height(); }

// In small-screen mode the strip closes the panel at the desktop's bottom
// edge. It is a window above the others, so the displays it cuts off do not
// paint over it.
void CMainBackPanel::PlaceBottomStrip() {
  if (!bottomStripWindow_) bottomStripWindow_ = new CSkinPicture(this);
  bottomStripWindow_->SetPicture(bottomStrip_);
  bottomStripWindow_->move(0, StripTop());
  bottomStripWindow_->raise();
}

void CMainBackPanel::SetButtonEnabled(int id, bool enabled) {
  if (CVxButton* button = Button(id)) button->setEnabled(enabled);
}

void CMainBackPanel::UpdateButtonStates() {
  for (const auto& [id, button] : buttons_) {
    if (std::find(kNotYetAvailable.begin(), kNotYetAvailable.end(), CommandForId(id).command) != kNotYetAvailable.end())
      button->setEnabled(false);
  }
  const bool loaded = HasLoadedData();
  SetButtonEnabled(kIdZoomIn, loaded);
  SetButtonEnabled(kIdZoomOut, loaded);
  SetButtonEnabled(kIdDefaultGraph, loaded);
  const int layout = engine_->Control().Navigator().Layout();
  SetButtonEnabled(kIdSingleView, layout == kLayoutThumbnail);
  SetButtonEnabled(kIdThumbView, HasLoadedVideo() && layout == kLayoutSingle);
  // The log layout has no use for the view buttons.
  const bool logLayout = layout == kLayoutLog && context_.app.viewMode == kViewModeLog;
  if (CVxButton* button = Button(kIdSingleView)) button->setVisible(!logLayout);
  if (CVxButton* button = Button(kIdThumbView)) button->setVisible(!logLayout);
}

bool CMainBackPanel::HasLoadedVideo() const {
  const int mode = context_.app.viewMode;
  return (mode == kViewModeEvent || mode == kViewModeNormal) && !context_.store.Videos().empty();
}

bool CMainBackPanel::HasLoadedData() const {
  return HasLoadedVideo() || (context_.app.viewMode == kViewModeLog && !context_.store.Logs().empty());
}

// ---- commands ---------------------------------------------------------------

void CMainBackPanel::OnCommand(int id) {
  const CommandOf command = CommandForId(id);
  PlaybackEngine& engine = *engine_;
  switch (command.command) {
    case MainCommand::kNone:
      break;
    case MainCommand::kHelp:
      OpenHelp();
      break;
    case MainCommand::kMinimize:
      window()->showMinimized();
      break;
    case MainCommand::kExit:
      engine.Control().StopVideoPlay();
      QMetaObject::invokeMethod(window(), &QWidget::close, Qt::QueuedConnection);
      break;
    case MainCommand::kOpen:
      OpenFolder();
      break;
    case MainCommand::kFastReverse:
    case MainCommand::kPrevious:
    case MainCommand::kReversePlay:
    case MainCommand::kStop:
    case MainCommand::kPlay:
    case MainCommand::kNext:
    case MainCommand::kFastPlay:
      RunPlayCommand(command.command);
      break;
    case MainCommand::kSingleView:
      if (engine.Control().Navigator().Layout() == kLayoutThumbnail) engine.SetLayout(kLayoutSingle);
      break;
    case MainCommand::kThumbView:
      if (HasLoadedVideo() && engine.Control().Navigator().Layout() == kLayoutSingle)
        engine.SetLayout(kLayoutThumbnail);
      break;
    case MainCommand::kZoomIn:
      if (HasLoadedData()) engine.ZoomIn();
      break;
    case MainCommand::kZoomOut:
      if (HasLoadedData()) engine.ZoomOut();
      break;
    case MainCommand::kZoomDefault:
      if (HasLoadedData()) engine.ZoomDefault();
      break;
    case MainCommand::kMenuFile:
      OpenMenu(0);
      break;
    case MainCommand::kMenuEdit:
      OpenMenu(1);
      break;
    case MainCommand::kMenuView:
      OpenMenu(2);
      break;
    case MainCommand::kMenuPlay:
      OpenMenu(3);
      break;
    case MainCommand::kMenuTool:
      OpenMenu(4);
      break;
    case MainCommand::kMenuHelp:
      OpenMenu(5);
      break;
    case MainCommand::kLoadEvent:
      search_->LoadKind(FileListKind::kEvent);
      break;
    case MainCommand::kLoadNormal:
      search_->LoadKind(FileListKind::kNormal);
      break;
    case MainCommand::kLoadLog:
      if (context_.app.hasLogs) search_->LoadKind(FileListKind::kLog);
      break;
    case MainCommand::kFileList:
      if (HasLoadedData()) engine.Close();
      break;
    case MainCommand::kSelectAll:
      search_->SetAllChecked(true);
      break;
    case MainCommand::kUnselectAll:
      search_->SetAllChecked(false);
      break;
    case MainCommand::kScale1:
      engine.SetScale(1);
      break;
    case MainCommand::kScale2:
      engine.SetScale(2);
      break;
    case MainCommand::kScale3:
      engine.SetScale(3);
      break;
    case MainCommand::kScale4:
      engine.SetScale(4);
      break;
    case MainCommand::kModel:
      ChooseModel(command.model);
      break;
    case MainCommand::kSpeedGps:
      ChooseSpeedSource(kDisplaySpeedGps);
      break;
    case MainCommand::kSpeedPulse:
      ChooseSpeedSource(kDisplaySpeedPulse);
      break;
    case MainCommand::kHomepage:
      OpenHomepage();
      break;
    case MainCommand::kVersion:
      ShowVersionBox();
      break;
    // Exports, printing, the device settings, the card tools and the globe
    // viewer come with their own pieces; their buttons and items are
    // disabled until then, and their keys do nothing.
    case MainCommand::kSaveImage:
    case MainCommand::kPrintImage:
    case MainCommand::kSaveAvi:
    case MainCommand::kBackup:
    case MainCommand::kSetup:
    case MainCommand::kGoogleEarth:
    case MainCommand::kSdInit:
      break;
  }
  UpdateButtonStates();
}

void CMainBackPanel::RunPlayCommand(MainCommand command) {
  PlaybackEngine& engine = *engine_;
  switch (command) {
    case MainCommand::kFastReverse:
      engine.FastReverse();
      break;
    case MainCommand::kPrevious:
      engine.Previous();
      break;
    case MainCommand::kReversePlay:
      engine.ReversePlay();
      break;
    case MainCommand::kStop:
      engine.Stop();
      break;
    case MainCommand::kPlay:
      engine.Play();
      break;
    case MainCommand::kNext:
      engine.Next();
      break;
    case MainCommand::kFastPlay:
      engine.FastPlay();
      break;
    default:
      break;
  }
}

void CMainBackPanel::OpenFolder() {
  engine_->Control().StopVideoPlay();
  engine_->Control().StopLogPlay();
  context_.store.SelectAndScan();
  UpdateButtonStates();
}

void CMainBackPanel::ChooseModel(int modelId) {
  if (!FindModel(modelId)) return;
  // Playback stops before the displays move under it.
  engine_->Control().StopVideoPlay();
  engine_->Control().StopLogPlay();
  const LayoutChange change = context_.settings.ChooseModel(modelId);
  if (change != LayoutChange::kNone) ApplyModelLayout(change == LayoutChange::kToHLayout);
  engine_->SpeedSourceChanged();
  update(RectOf(kSpeedReadoutRedraw));
}

void CMainBackPanel::ChooseSpeedSource(int source) {
  context_.settings.SetDisplaySpeed(source);
  engine_->SpeedSourceChanged();
  update(RectOf(kSpeedReadoutRedraw));
}

void CMainBackPanel::OpenHelp() { OpenHelpGuide(context_.settings.StartFolder(), desktop_, context_.prompt); }

void CMainBackPanel::OpenHomepage() { ::OpenHomepage(desktop_, context_.prompt); }

void CMainBackPanel::ShowVersionBox() {
  engine_->Control().StopVideoPlay();
  CDlgVersion box(context_.store.Root(), context_.settings.ModelName(), this);
  box.exec();
}

void CMainBackPanel::OpenMenu(int index) {
  QMenu* menu = BuildMenu(index);
  if (!menu) return;
  CVxButton* button = Button(kIdMenuFile + index);
  const QPoint at = button ? button->mapToGlobal(QPoint(0, button->height())) : mapToGlobal(QPoint(12, 58));
  QAction* chosen = menu->exec(at);
  if (chosen && chosen->data().isValid()) OnCommand(chosen->data().toInt());
}

QMenu* CMainBackPanel::BuildMenu(int index) {
  const MenuState state =
      MenuStateFor(context_.app.viewMode, HasLoadedVideo(),
                   context_.app.viewMode == kViewModeLog && !context_.store.Logs().empty(), context_.app.hasLogs);
  MenuContext menuContext;
  menuContext.state = state;
  menuContext.currentModel = context_.settings.GetCurrentModel();
  menuContext.displaySpeed = context_.settings.GetDisplaySpeed();
  menuContext.unavailable.assign(kNotYetAvailable.begin(), kNotYetAvailable.end());
  menu_ = BuildPullDownMenu(index, menuContext, this);
  return menu_.get();
}

void CMainBackPanel::ShowSpeedMenu(QPoint at) {
  menu_ = BuildSpeedMenu(context_.settings.GetDisplaySpeed(), this);
  QAction* chosen = menu_->exec(mapToGlobal(at));
  if (chosen && chosen->data().isValid()) OnCommand(chosen->data().toInt());
}

void CMainBackPanel::OnMediaRemoved() {
  search_->ResetLists();
  context_.store.ForgetRoot();
  UpdateButtonStates();
  update();
  context_.prompt.Show(GetLangText("Message", "MediaRemoved", "Media has been removed."),
                       std::string(kApplicationTitle), PromptButtons::Ok);
}

// ---- the slide bar ----------------------------------------------------------

void CMainBackPanel::OnSlideDragged(int position) {
  if (context_.app.viewMode != kViewModeNormal) return;
  engine_->SeekToTime(position, false);
}

void CMainBackPanel::OnSlideReleased(int position) {
  if (context_.app.viewMode != kViewModeNormal) return;
  engine_->SeekToTime(position, true);
}

void CMainBackPanel::ResetToNow() {
  const int64_t now = MakeTimeKey(context_.clock.LocalNow());
  SetTimes(now, now, now);
  SetRange(0, 0);
  ClearMarks();
  SetPosition(0);
}

void CMainBackPanel::SetTimes(int64_t baseTimeKey, int64_t /*startTimeKey*/, int64_t /*endTimeKey*/) {
  // In a normal run the red span marks how far the current recording
  // reaches: from the bar's start to its last frame.
  std::optional<int> spanEnd;
  const CMgrDBSearch& store = context_.store;
  const int current = store.CurrentIndex();
  if (context_.app.viewMode == kViewModeNormal && current >= 0 && current < static_cast<int>(store.Videos().size())) {
    const CInfoEventFile& video = *store.Videos()[static_cast<size_t>(current)];
    if (video.FrameCount() > 0) {
      const int64_t last = MakeTimeKey(video.Frame(video.FrameCount() - 1).time);
      if (last >= baseTimeKey) spanEnd = static_cast<int>((last - baseTimeKey) / 1000);
    }
  }
  slideBar_->SetFileSpanEnd(spanEnd);
}

void CMainBackPanel::SetRange(int minSeconds, int maxSeconds) { slideBar_->SetRange(minSeconds, maxSeconds); }
void CMainBackPanel::ClearMarks() { slideBar_->ClearMarkers(); }
void CMainBackPanel::AddMark(int seconds) { slideBar_->AddMarker(seconds); }
void CMainBackPanel::SetPosition(int seconds) { slideBar_->SetPosition(seconds); }

// ---- BackPanelView ----------------------------------------------------------

void CMainBackPanel::ShowGpsPart(bool shown) { digits_->Gps()->setVisible(shown); }

void CMainBackPanel::RedrawSpeedReadout(bool withCaption) {
  speedCaption_ = withCaption;
  update(RectOf(kSpeedReadoutRedraw));
  digits_->Speed()->update();
}

void CMainBackPanel::SetMapHasData(bool hasData) { map_->SetHasData(hasData); }

void CMainBackPanel::RepaintPlayButtons(int playState) {
  const int latched = ButtonOfState(playState);
  for (int id : {kIdPlay, kIdPlayFast, kIdBackPlay, kIdBackFast}) {
    if (CVxButton* button = Button(id)) button->SetLatched(id == latched);
  }
  if (playSpeed_) playSpeed_->SetPlayState(playState);
}

// ---- StoreViewSink ----------------------------------------------------------

void CMainBackPanel::ClearFileLists() { search_->ResetLists(); }

void CMainBackPanel::ResetPicture() {
  engine_->ResetForCard(context_.clock.LocalNow());
  ResetToNow();
}

void CMainBackPanel::ResetDisplays() {
  speedCaption_ = false;
  update(RectOf(kSpeedReadoutRedraw));
}

void CMainBackPanel::StopPlayback() {
  engine_->Control().StopVideoPlay();
  engine_->Control().StopLogPlay();
}

void CMainBackPanel::SetWaitCursor(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void CMainBackPanel::RefreshFileLists() { search_->FillFromCatalogue(); }

void CMainBackPanel::ShowFileList(FileListKind kind) {
  search_->ShowFileList(kind);
  UpdateButtonStates();
}

// The folder is drawn in the title strip.
void CMainBackPanel::ShowRoot(const std::string& /*root*/) { update(0, 0, width(), kDragStripHeight); }

// ---- EngineWindowView -------------------------------------------------------

void CMainBackPanel::RepaintLogInfo() { panes_->RepaintLogInfo(); }
void CMainBackPanel::RepaintLogSearchRows() { panes_->RepaintLogSearchRows(); }

void CMainBackPanel::ShowFileLists(FileListKind kind, bool withLogTab) {
  search_->ShowFileLists(kind, withLogTab);
  UpdateButtonStates();
}

// ---- painting and mouse -----------------------------------------------------

void CMainBackPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kDefaultSkinPanel);
  if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_);
  DrawTitleText(painter);
  // The speed source and model are read again so the caption is current.
  if (speedCaption_) {
    const SpeedReadout readout = engine_->Displays().SpeedCells(engine_->CurrentSpeedSource());
    DrawSpeedCaption(painter, strips_, readout, QPoint(kSpeedCaptionX, kSpeedCaptionY),
                     QPoint(kSpeedIndicatorX, kSpeedIndicatorY));
  }
}

void CMainBackPanel::DrawTitleText(QPainter& painter) {
  const std::string& root = context_.store.Root();
  if (root.empty()) return;
  painter.setFont(AppFont(AppFontId::kNormal));
  DrawOutlinedText(painter, QPoint(kTitleTextLeft, kTitleTextTop + painter.fontMetrics().ascent()),
                   QString::fromStdString(root), kTitleText, kTitleOutline);
}

void CMainBackPanel::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::RightButton && model9Layout_ && kSpeedMenuArea.Contains(at.x(), at.y())) {
    ShowSpeedMenu(at);
    return;
  }
  if (event->button() != Qt::LeftButton || at.y() > kDragStripHeight) return;
  // The top strip is the title bar: the window manager moves the frame
  // where it can, we move it ourselves where it cannot.
  QWindow* handle = window()->windowHandle();
  if (handle && handle->startSystemMove()) return;
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void CMainBackPanel::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  window()->move(event->globalPosition().toPoint() - dragOffset_);
}

void CMainBackPanel::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton && kHomepageMark.Contains(at.x(), at.y())) OpenHomepage();
}

void CMainBackPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!kCloseCorner.Contains(at.x(), at.y())) return;
  engine_->Control().StopVideoPlay();
  window()->close();
}
