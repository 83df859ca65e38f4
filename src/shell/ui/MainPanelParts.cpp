#include "shell/ui/MainPanelParts.h"

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/AppTitle.h"
#include "base/CommandIds.h"
#include "base/ModelTable.h"
#include "mapctrl/MapPageFiles.h"
#include "mapctrl/MgrMapSync.h"
#include "mapctrl/ui/WndGpsMap.h"
#include "platform/Ports.h"
#include "platform/UserFolders.h"
#include "platform/ui/QtPorts.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/PlaySlideBar.h"
#include "playback/ui/WndImgInfoPanel.h"
#include "playback/ui/WndPanePanel.h"
#include "playback/ui/WndPlayTimePanel.h"
#include "playback/ui/WndSearch.h"
#include "recording/MgrDBSearch.h"
#include "shell/BackPanelLayout.h"
#include "shell/FrameGeometry.h"
#include "shell/Viewer.h"
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

QRect RectOf(const PanelRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

}  // namespace

MainPanelParts::MainPanelParts(const BackPanelContext& context, QWidget& panel) : context_(context), panel_(panel) {
  MakeSearchWindow();
  MakeWindows();
  MakeDisplays();
  MakeButtons();
  MakeSlideBar();
  AttachEngineViews();
}

MainPanelParts::~MainPanelParts() {
  Viewer& viewer = context_.viewer;
  // The engine and the store keep nothing of the widgets, the map
  // synchronisation goes before the map window it calls.
  viewer.Engine().AttachViews({});
  viewer.DetachMap();
  viewer.RemoveStoreView(search_);
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
  mapSync_ = &context_.viewer.AttachMap(MapSyncPorts{*map_, *map_, context_.prompt, context_.clock, *mapQueue_});
  CMgrMapSync* sync = mapSync_;
  PlaybackEngine* engine = &context_.viewer.Engine();
  CWndGpsMap::Hooks hooks;
  hooks.documentComplete = [sync] { sync->OnMapDocumentComplete(); };
  hooks.click = [sync](int recording, int frame) { sync->OnMarkerClicked(recording, frame); };
  hooks.playState = [engine] { return engine->Control().CurrentPlayState(); };
  hooks.moveArrow = [sync] { sync->PostPositionMoved(); };
  hooks.mapEnabled = [sync] { return sync->IsMapEnabled(); };
  map_->SetHooks(std::move(hooks));
}

// The graphs, the displays and the load's view of the search window are
// the engine's only ones; the map synchronisation drives the map window.
void MainPanelParts::AttachEngineViews() {
  PlaybackEngineSinks sinks;
  sinks.playback.map = mapSync_;
  sinks.search = search_;
  sinks.videoGraph = gsensor_;
  sinks.logGraph = logGraph_;
  sinks.displays = digits_.get();
  context_.viewer.Engine().AttachViews(sinks);
}

void MainPanelParts::MakeSearchWindow() {
  const CSkinPackage& skin = context_.skin;
  search_ = new CWndSearch(context_.viewer.Store(), context_.app, &panel_);
  search_->SetEngine(&context_.viewer.Engine());
  context_.viewer.AddStoreView(search_);
  search_->setGeometry(SkinRect(skin, kSkinSearchWindow));
  SearchWindowSkin searchSkin;
  searchSkin.load = SkinStripOf(skin, kSkinButtonLoad, 4);
  searchSkin.close = SkinStripOf(skin, kSkinButtonClose, 4);
  searchSkin.checkAll = SkinStripOf(skin, kSkinButtonCheckAll, 4);
  searchSkin.unCheckAll = SkinStripOf(skin, kSkinButtonUnCheckAll, 4);
  searchSkin.tabEvent = SkinStripOf(skin, kSkinTabEvent, 4);
  searchSkin.tabNormal = SkinStripOf(skin, kSkinTabNormal, 4);
  searchSkin.tabLog = SkinStripOf(skin, kSkinTabLog, 4);
  searchSkin.tabTrip = SkinStripOf(skin, kSkinTabTrip, 4);
  searchSkin.eventMarker = SkinStripOf(skin, kSkinButtonEventMarker, 4);
  searchSkin.loadRect = SkinRect(skin, kSkinButtonLoad);
  searchSkin.closeRect = SkinRect(skin, kSkinButtonClose);
  searchSkin.checkAllRect = SkinRect(skin, kSkinButtonCheckAll);
  searchSkin.tabEventRect = SkinRect(skin, kSkinTabEvent);
  searchSkin.tabNormalRect = SkinRect(skin, kSkinTabNormal);
  searchSkin.tabLogRect = SkinRect(skin, kSkinTabLog);
  searchSkin.tabTripRect = SkinRect(skin, kSkinTabTrip);
  searchSkin.eventMarkerRect = SkinRect(skin, kSkinButtonEventMarker);
  search_->SetSkin(searchSkin);
}

void MainPanelParts::MakeWindows() {
  const CSkinPackage& skin = context_.skin;
  PlaybackEngine& engine = context_.viewer.Engine();
  panes_ = new CWndPanePanel(engine, context_.settings, &panel_);
  panes_->setGeometry(SkinRect(skin, kSkinPanePanel));
  panes_->SetEmptyPicture(SkinImage(skin, kSkinEmptyPicture));
  panes_->SetSmallScreen(context_.smallScreen);

  gsensor_ = new CGSensorControl(engine.VideoGraph(), &panel_);
  gsensor_->setGeometry(SkinRect(skin, kSkinGSensorWindow));
  logGraph_ = new CGSensorControl(engine.LogGraph(), &panel_);
  panes_->SetLogGraph(logGraph_);

  MakeMap();

  const QColor wells = SkinPanelColour(skin);
  playTime_ = new CWndPlayTimePanel(engine.Control(), context_.settings, &panel_);
  playTime_->setGeometry(SkinRect(skin, kSkinPlayTimePanel));
  playTime_->SetBackground(wells);
  imgInfo_ = new CWndImgInfoPanel(engine.Control(), context_.settings, &panel_);
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

  PlaybackEngine* engine = &context_.viewer.Engine();
  digits_ = std::make_unique<CDigitDisplayWidgets>(
      engine->Displays(), [engine] { return engine->CurrentSpeedSource(); }, &panel_);
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
    buttons_[entry.id] = button;
  }
  LayOutMenuWords();
  playSpeed_ = new CPlaySpeedLabel(&panel_);
  playSpeed_->setGeometry(RectOf(kPlaySpeedText));
}

void MainPanelParts::MakeSlideBar() {
  const CSkinPackage& skin = context_.skin;
  Viewer& viewer = context_.viewer;
  slideBar_ =
      new CPlaySlideBar(kIdPlayPositionBar, viewer.Engine(), viewer.Store(), context_.app, context_.clock, &panel_);
  slideBar_->setGeometry(SkinRect(skin, kSkinSlideBar));
  slideBar_->SetBitmaps(SkinImage(skin, kSkinSlideTrack), SkinImage(skin, kSkinSlideThumb),
                        SkinImage(skin, kSkinSlideTrack2));
  slideBar_->SetStyle(2);
  slideBar_->SetBackground(SkinPanelColour(skin));
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

CVxSlideBar* MainPanelParts::SlideBar() const { return slideBar_; }

// ---- layout -----------------------------------------------------------------

void MainPanelParts::PlaceModelDisplays(bool mxh) {
  mxhLayout_ = mxh;
  const auto rects = GValueDisplayRects(mxh);
  for (int axis = 0; axis < 3; ++axis) digits_->GValue(axis)->setGeometry(RectOf(rects[static_cast<size_t>(axis)]));
  digits_->CarSignal()->setVisible(mxh);
}
