#include "shell/ui/MainPanelParts.h"

#include <QApplication>

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/AppTitle.h"
#include "base/CommandIds.h"
#include "base/ModelTable.h"
#include "mapctrl/MapPageFiles.h"
#include "mapctrl/MgrMapSync.h"
#include "mapctrl/ui/WndGpsMap.h"
#include "platform/Ports.h"
#include "platform/TimeKey.h"
#include "platform/UserFolders.h"
#include "platform/ui/QtPorts.h"
#include "playback/PlayState.h"
#include "playback/PlaybackEngine.h"
#include "playback/SlideSpan.h"
#include "playback/ui/DlgCheckFiles.h"
#include "playback/ui/DlgLoading.h"
#include "playback/ui/WndImgInfoPanel.h"
#include "playback/ui/WndPanePanel.h"
#include "playback/ui/WndPlayTimePanel.h"
#include "playback/ui/WndSearch.h"
#include "recording/MgrDBSearch.h"
#include "shell/BackPanelLayout.h"
#include "shell/FrameGeometry.h"
#include "shell/ui/MainBackPanel.h"
#include "shell/ui/PlaySpeedLabel.h"
#include "skin/SkinEntries.h"
#include "skin/SkinPackage.h"
#include "skin/SkinWords.h"
#include "skin/ui/SkinImages.h"
#include "skin/ui/SkinText.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxSlideBar.h"
#include "telemetry/ui/DigitDisplayWidgets.h"
#include "telemetry/ui/GSensorControl.h"
#include "telemetry/ui/VxDigitDisplays.h"

namespace {

// The skin buttons of the panel; the command table gives their tooltips.
struct ButtonEntry {
  int entry;
  int id;
};

constexpr std::array kButtons = {
    ButtonEntry{kSkinButtonAbout, kIdAbout},
    ButtonEntry{kSkinButtonMinimize, kIdMinimize},
    ButtonEntry{kSkinButtonExit, kIdExit},
    ButtonEntry{kSkinButtonOpen, kIdOpen},
    ButtonEntry{kSkinButtonSaveImage, kIdSaveImage},
    ButtonEntry{kSkinButtonPrintImage, kIdPrintImage},
    ButtonEntry{kSkinButtonSaveAvi, kIdSaveAvi},
    ButtonEntry{kSkinButtonBackup, kIdBackup},
    ButtonEntry{kSkinButtonGoogleEarth, kIdGoogleEarth},
    ButtonEntry{kSkinButtonSetup, kIdSetup},
    ButtonEntry{kSkinButtonHomepage, kIdHomepage},
    ButtonEntry{kSkinButtonBackFast, kIdBackFast},
    ButtonEntry{kSkinButtonPrevious, kIdPrevious},
    ButtonEntry{kSkinButtonBackPlay, kIdBackPlay},
    ButtonEntry{kSkinButtonPause, kIdPause},
    ButtonEntry{kSkinButtonPlay, kIdPlay},
    ButtonEntry{kSkinButtonNext, kIdNext},
    ButtonEntry{kSkinButtonPlayFast, kIdPlayFast},
    ButtonEntry{kSkinButtonZoomIn, kIdZoomIn},
    ButtonEntry{kSkinButtonZoomOut, kIdZoomOut},
    ButtonEntry{kSkinButtonMenuFile, kIdMenuFile},
    ButtonEntry{kSkinButtonMenuEdit, kIdMenuFile + 1},
    ButtonEntry{kSkinButtonMenuView, kIdMenuFile + 2},
    ButtonEntry{kSkinButtonMenuPlay, kIdMenuFile + 3},
    ButtonEntry{kSkinButtonMenuTool, kIdMenuFile + 4},
    ButtonEntry{kSkinButtonMenuHelp, kIdMenuHelp},
    ButtonEntry{kSkinButtonSingleView, kIdSingleView},
    ButtonEntry{kSkinButtonThumbView, kIdThumbView},
    ButtonEntry{kSkinButtonDefaultGraph, kIdDefaultGraph},
};

// The menu buttons' words, as large as the menu bar has room for.
constexpr int kMenuWordPixels = 13;
constexpr int kSmallestMenuWordPixels = 9;

// The button latched for a play state: the one that started it.
int ButtonOfState(PlayState state) {
  if (state == PS_PLAY || state == PS_PLAY_HALF) return kIdPlay;
  if (state >= PS_FAST_2 && state <= PS_FAST_16) return kIdPlayFast;
  if (state == PS_REVERSE || state == PS_REVERSE_HALF) return kIdBackPlay;
  if (state >= PS_FAST_REVERSE_2 && state <= PS_FAST_REVERSE_16) return kIdBackFast;
  return 0;
}

QRect RectOf(const PanelRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

}  // namespace

MainPanelParts::MainPanelParts(const BackPanelContext& context, CMainBackPanel& panel)
    : context_(context), panel_(panel) {
  dialogs_ = std::make_unique<QtLoadingDialogRunner>(&panel_);
  engine_ = std::make_unique<PlaybackEngine>(context_.store, context_.settings, context_.timers, context_.clock,
                                             context_.prompt, *dialogs_);
  MakeSearchWindow();
  MakeWindows();
  MakeDisplays();
  MakeButtons();
  MakeSlideBar();
  AttachEngineViews();
  context_.store.SetViewSink(this);
  context_.store.SetCheckFilesRunner(MakeQtCheckFilesRunner(&panel_));
}

MainPanelParts::~MainPanelParts() {
  context_.store.SetViewSink(nullptr);
  // The engine goes before the widgets it paints through and the map it
  // drives; the map synchronisation before the map window it calls.
  engine_.reset();
  mapSync_.reset();
  context_.settings.SetScriptPolicy(nullptr);
}

// The map window hosts the page and its server; the map synchronisation
// drives it from what playback loads, selects and plays.
void MainPanelParts::MakeMap() {
  const CSkinPackage& skin = context_.skin;
  map_ = new CWndGpsMap(SkinImage(skin, kSkinFallback), ProgramDataFolder(), MapTilesFrom(context_.settings), &panel_);
  map_->setGeometry(SkinRect(skin, kSkinMapWindow));
  // The panel scrolls at its full height on a small desktop: the bottom the
  // map reaches for is the panel's.
  map_->SetSmallScreen(context_.smallScreen, kFrameHeight);
  // Whether the map may run scripts is the web view's own setting.
  context_.settings.SetScriptPolicy(map_);
  mapQueue_ = std::make_unique<QtUiQueue>(map_);
  mapSync_ = std::make_unique<CMgrMapSync>(context_.store, engine_->Control(), engine_->LogGraph(),
                                           MapSyncPorts{*map_, *map_, context_.prompt, context_.clock, *mapQueue_});
  CMgrMapSync* sync = mapSync_.get();
  PlaybackEngine* engine = engine_.get();
  CWndGpsMap::Hooks hooks;
  hooks.documentComplete = [sync] { sync->OnMapDocumentComplete(); };
  hooks.click = [sync](int recording, int frame) { sync->OnMarkerClicked(recording, frame); };
  hooks.playState = [engine] { return engine->Control().CurrentPlayState(); };
  hooks.moveArrow = [sync] { sync->PostPositionMoved(); };
  hooks.mapEnabled = [sync] { return sync->IsMapEnabled(); };
  map_->SetHooks(std::move(hooks));
}

void MainPanelParts::AttachEngineViews() {
  PlaybackEngineSinks sinks;
  sinks.playback.pane = this;
  sinks.playback.slideBar = this;
  sinks.playback.backPanel = this;
  sinks.playback.loadedList = search_;
  sinks.playback.map = mapSync_.get();
  sinks.search = search_;
  sinks.videoGraph = gsensor_;
  sinks.logGraph = logGraph_;
  sinks.displays = digits_.get();
  sinks.window = this;
  engine_->AttachViews(sinks);
}

void MainPanelParts::MakeSearchWindow() {
  const CSkinPackage& skin = context_.skin;
  search_ = new CWndSearch(context_.store, context_.app, &panel_);
  search_->SetEngine(engine_.get());
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
}

void MainPanelParts::MakeWindows() {
  const CSkinPackage& skin = context_.skin;
  panes_ = new CWndPanePanel(*engine_, context_.settings, &panel_);
  panes_->setGeometry(SkinRect(skin, kSkinPanePanel));
  panes_->SetEmptyPicture(SkinImage(skin, kSkinEmptyPicture));
  panes_->SetSmallScreen(context_.smallScreen);

  gsensor_ = new CGSensorControl(engine_->VideoGraph(), &panel_);
  gsensor_->setGeometry(SkinRect(skin, kSkinGSensorWindow));
  logGraph_ = new CGSensorControl(engine_->LogGraph(), &panel_);
  panes_->SetLogGraph(logGraph_);

  MakeMap();

  const QColor wells = SkinPanelColour(skin);
  playTime_ = new CWndPlayTimePanel(engine_->Control(), context_.settings, &panel_);
  playTime_->setGeometry(SkinRect(skin, kSkinPlayTimePanel));
  playTime_->SetBackground(wells);
  imgInfo_ = new CWndImgInfoPanel(engine_->Control(), context_.settings, &panel_);
  imgInfo_->setGeometry(SkinRect(skin, kSkinImgInfoPanel));
  imgInfo_->SetBackground(wells);
  panes_->SetInfoPanelRepaint([this] {
    playTime_->update();
    imgInfo_->update();
  });
}

void MainPanelParts::MakeDisplays() {
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
      engine_->Displays(), [engine] { return engine->CurrentSpeedSource(); }, &panel_);
  digits_->SetStrips(strips_);
  digits_->DateTime()->setGeometry(SkinRect(skin, kSkinDateTimeDisplay));
  digits_->Speed()->setGeometry(SkinRect(skin, kSkinSpeedDisplay));
  digits_->Gps()->setGeometry(SkinRect(skin, kSkinGpsDisplay));
  digits_->CarSignal()->setGeometry(SkinRect(skin, kSkinCarSignal));
  digits_->CarSignal()->SetBackground(SkinPanelColour(skin));
}

void MainPanelParts::MakeButtons() {
  const CSkinPackage& skin = context_.skin;
  for (const ButtonEntry& entry : kButtons) {
    const SkinControl_Info* info = skin.Find(entry.entry);
    if (!info) {
      context_.prompt.Show(MissingEntryMessage(), std::string(kApplicationTitle), PromptButtons::Ok);
      continue;
    }
    auto* button = new CVxButton(entry.id, &panel_);
    button->SetStrip(SkinStripOf(skin, entry.entry, 4));
    button->setGeometry(SkinRect(skin, entry.entry));
    button->setVisible(info->visible != 0);
    const int id = entry.id;
    QObject::connect(button, &QAbstractButton::clicked, &panel_, [this, id] { panel_.OnCommand(id); });
    buttons_[id] = button;
  }
  LayOutMenuWords();
  playSpeed_ = new CPlaySpeedLabel(&panel_);
  playSpeed_->setGeometry(RectOf(kPlaySpeedText));
}

void MainPanelParts::MakeSlideBar() {
  const CSkinPackage& skin = context_.skin;
  slideBar_ = new CVxSlideBar(kIdPlayPositionBar, &panel_);
  slideBar_->setGeometry(SkinRect(skin, kSkinSlideBar));
  slideBar_->SetBitmaps(SkinImage(skin, kSkinSlideTrack), SkinImage(skin, kSkinSlideThumb),
                        SkinImage(skin, kSkinSlideTrack2));
  slideBar_->SetStyle(2);
  slideBar_->SetBackground(SkinPanelColour(skin));
  // The drag is posted, the release sent.
  QObject::connect(
      slideBar_, &CVxSlideBar::dragged, &panel_, [this](int position) { OnSlideDragged(position); },
      Qt::QueuedConnection);
  QObject::connect(
      slideBar_, &CVxSlideBar::released, &panel_, [this](int position) { OnSlideReleased(position); },
      Qt::DirectConnection);
}

// A language's longer menu words widen their buttons along the bar.
void MainPanelParts::LayOutMenuWords() {
  std::vector<CVxButton*> buttons;
  std::vector<PanelRect> places;
  std::vector<QString> words;
  for (int id = kIdMenuFile; id <= kIdMenuHelp; ++id) {
    CVxButton* button = Button(id);
    if (!button) return;
    buttons.push_back(button);
    const QRect at = button->geometry();
    places.push_back(PanelRect{at.left(), at.top(), at.right() + 1, at.bottom() + 1});
    const auto word = static_cast<SkinWord>(static_cast<int>(SkinWord::kMenuFile) + id - kIdMenuFile);
    words.push_back(QString::fromStdString(SkinWordText(word)));
  }
  const SkinTextLook look;
  const MenuBarWords bar =
      LayOutMenuBar(places, kMenuBarRight, kMenuWordPixels, kSmallestMenuWordPixels, [&](size_t word, int pixels) {
        return SkinTextWidth(words[word], look, pixels) + 2 * CVxButton::kCaptionPadding;
      });
  for (size_t i = 0; i < buttons.size(); ++i) {
    buttons[i]->setGeometry(RectOf(bar.places[i]));
    buttons[i]->SetCaption(words[i], bar.pixelSize);
  }
}

CVxButton* MainPanelParts::Button(int id) const {
  auto found = buttons_.find(id);
  return found == buttons_.end() ? nullptr : found->second;
}

// ---- layout -----------------------------------------------------------------

void MainPanelParts::ApplyModelLayout(bool mxh) {
  mxhLayout_ = mxh;
  const auto rects = GValueDisplayRects(mxh);
  for (int axis = 0; axis < 3; ++axis) digits_->GValue(axis)->setGeometry(RectOf(rects[static_cast<size_t>(axis)]));
  digits_->CarSignal()->setVisible(mxh);
  const QImage strip = panel_.SetBackgroundFor(mxh);
  if (context_.showBottomStrip) context_.showBottomStrip(strip);
}

void MainPanelParts::OnMediaRemoved() {
  search_->ResetLists();
  context_.store.ForgetRoot();
}

// ---- the slide bar ----------------------------------------------------------

void MainPanelParts::OnSlideDragged(int position) {
  if (context_.app.viewMode != kViewModeNormal) return;
  engine_->SeekToTime(position, false);
}

void MainPanelParts::OnSlideReleased(int position) {
  if (context_.app.viewMode != kViewModeNormal) return;
  engine_->SeekToTime(position, true);
}

void MainPanelParts::ResetToNow() {
  const int64_t now = MakeTimeKey(context_.clock.LocalNow());
  SetTimes(now, now, now);
  SetRange(0, 0);
  ClearMarks();
  SetPosition(0);
}

void MainPanelParts::SetTimes(int64_t baseTimeKey, int64_t /*startTimeKey*/, int64_t /*endTimeKey*/) {
  slideBar_->SetFileSpanEnd(FileSpanEnd(context_.store, context_.app.viewMode, baseTimeKey));
}

void MainPanelParts::SetRange(int minSeconds, int maxSeconds) { slideBar_->SetRange(minSeconds, maxSeconds); }
void MainPanelParts::ClearMarks() { slideBar_->ClearMarkers(); }
void MainPanelParts::AddMark(int seconds) { slideBar_->AddMarker(seconds); }
void MainPanelParts::SetPosition(int seconds) { slideBar_->SetPosition(seconds); }

// ---- PaneView ---------------------------------------------------------------

void MainPanelParts::SetLayout(ViewLayout layout) {
  panes_->SetLayout(layout);
  // Loading, closing and the view commands all change the layout; the
  // buttons that depend on what is loaded follow it.
  panel_.UpdateCommandStates();
}

void MainPanelParts::RepaintPane(int pane) { panes_->RepaintPane(pane); }
void MainPanelParts::SetSelectedPane(int pane) { panes_->SetSelectedPane(pane); }
void MainPanelParts::RepaintInfoPanel() { panes_->RepaintInfoPanel(); }

void MainPanelParts::ShowNotice(const std::string& text) {
  context_.prompt.Show(text, std::string(kApplicationTitle), PromptButtons::Ok);
}

// ---- BackPanelView ----------------------------------------------------------

void MainPanelParts::ShowGpsPart(bool shown) { digits_->Gps()->setVisible(shown); }

void MainPanelParts::RedrawSpeedReadout(bool withCaption) {
  panel_.ShowSpeedCaption(withCaption);
  digits_->Speed()->update();
}

void MainPanelParts::SetMapHasData(bool hasData) { map_->SetHasData(hasData); }

void MainPanelParts::RepaintPlayButtons(PlayState playState) {
  const int latched = ButtonOfState(playState);
  for (int id : {kIdPlay, kIdPlayFast, kIdBackPlay, kIdBackFast}) {
    if (CVxButton* button = Button(id)) button->SetLatched(id == latched);
  }
  playSpeed_->SetPlayState(playState);
}

// ---- StoreViewSink ----------------------------------------------------------

void MainPanelParts::ClearFileLists() { search_->ResetLists(); }

void MainPanelParts::ResetPicture() {
  engine_->ResetForCard(context_.clock.LocalNow());
  ResetToNow();
}

void MainPanelParts::ResetDisplays() { panel_.ShowSpeedCaption(false); }

void MainPanelParts::StopPlayback() {
  engine_->Control().StopVideoPlay();
  engine_->Control().StopLogPlay();
}

void MainPanelParts::SetWaitCursor(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void MainPanelParts::RefreshFileLists() { search_->FillFromCatalogue(); }

void MainPanelParts::ShowFileList(FileListKind kind) {
  search_->ShowFileList(kind);
  panel_.UpdateCommandStates();
}

void MainPanelParts::ShowRoot(const std::string& /*root*/) { panel_.RepaintTitle(); }

// ---- EngineWindowView -------------------------------------------------------

void MainPanelParts::RepaintLogInfo() { panes_->RepaintLogInfo(); }
void MainPanelParts::RepaintLogSearchRows() { panes_->RepaintLogSearchRows(); }

void MainPanelParts::ShowFileLists(FileListKind kind, bool withLogTab) {
  search_->ShowFileLists(kind, withLogTab);
  panel_.UpdateCommandStates();
}

// ---- SearchCommands ---------------------------------------------------------

void MainPanelParts::LoadKind(FileListKind kind) { search_->LoadKind(kind); }
void MainPanelParts::SetAllChecked(bool checked) { search_->SetAllChecked(checked); }
