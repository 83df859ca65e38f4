#include "shell/ui/MainBackPanel.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/AppTitle.h"
#include "base/CommandIds.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "export/ui/ExportCommands.h"
#include "platform/Ports.h"
#include "platform/SpawnDesktopOpener.h"
#include "playback/PlaybackCommands.h"
#include "playback/PlaybackEngine.h"
#include "recording/MgrDBSearch.h"
#include "shell/BackPanelLayout.h"
#include "shell/MainCommands.h"
#include "shell/ui/MainMenus.h"
#include "shell/ui/MainPanelParts.h"
#include "shell/ui/MainWindowActions.h"
#include "skin/SkinEntries.h"
#include "skin/SkinWords.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/OutlinedText.h"
#include "skin/ui/SkinImages.h"
#include "skin/ui/SkinText.h"
#include "skin/ui/VxButton.h"
#include "telemetry/ui/VxDigitDisplays.h"
#include "tools/ui/ToolCommands.h"

namespace {

// Where the panel's own text goes: the chosen folder in the title bar.
constexpr int kTitleTextLeft = 120;
constexpr int kTitleTextTop = 6;
const QColor kTitleText(210, 214, 220);
const QColor kTitleOutline(10, 12, 14);

QRect RectOf(const PanelRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }
QRect RectOf(const SkinPlace& place) { return QRect(place.left, place.top, place.Width(), place.Height()); }

// The panel's own labels, in the skin's muted ink.
const QColor kLabelInk(160, 166, 173);
constexpr int kSpeedLabelPixels = 8;
constexpr int kGSensorLabelPixels = 9;

// The item the arrow keys would reach first. Set once the menu shows: the
// popup would otherwise start with none.
void HighlightFirstItem(QMenu& menu) {
  QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu] {
    for (QAction* action : menu.actions()) {
      if (action->isSeparator() || !action->isVisible() || !action->isEnabled()) continue;
      menu.setActiveAction(action);
      return;
    }
  });
}

// What the export dialogs take from the panes: the current recording's
// frames among them.
ExportView ExportViewOf(PlaybackEngine& engine, int currentRecording, const CommandState& state) {
  const FrameNavigator& navigator = engine.Control().Navigator();
  const PaneSet& panes = navigator.Panes();
  ExportView view;
  view.videoLoaded = state.videoLoaded;
  view.logLoaded = state.logLoaded;
  view.thumbnail = navigator.Layout() == kLayoutThumbnail;
  view.selectedPane = panes.Selected();
  const int shown = view.thumbnail ? kPaneCount : 1;
  for (int pane = 0; pane < shown; ++pane) {
    const PaneContent& content = panes.Pane(pane);
    const bool ours = content.HoldsFrame() && content.recording == currentRecording;
    view.paneFrames.push_back(ours ? content.frameIndex : -1);
    view.pictureShown = view.pictureShown || (ours && content.HasPicture());
  }
  view.logGraph = &engine.LogGraph();
  return view;
}

}  // namespace

CMainBackPanel::CMainBackPanel(const BackPanelContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("MainBackPanel"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  parts_ = std::make_unique<MainPanelParts>(context_, *this);
  AddCommands();
  for (const auto& [id, button] : parts_->Buttons()) button->setToolTip(QString::fromStdString(commands_.TipText(id)));

  parts_->ApplyModelLayout(IsMxHModel(context_.settings.GetCurrentModel()));
  parts_->Engine().ResetForCard(context_.clock.LocalNow());
  parts_->ResetToNow();
  UpdateCommandStates();
}

// Each subsystem adds its own rows, with the context its handlers work on.
void CMainBackPanel::AddCommands() {
  actions_ = std::make_unique<CMainWindowActions>(context_, *this, *parts_);
  AddMainCommands(commands_, *actions_);

  playbackCommands_ = std::make_unique<PlaybackCommandContext>(PlaybackCommandContext{parts_->Engine(), *parts_});
  AddPlaybackCommands(commands_, *playbackCommands_);

  PlaybackEngine& engine = parts_->Engine();
  const CMgrDBSearch& store = context_.store;
  toolCommands_ = std::make_unique<ToolCommandContext>(
      ToolCommandContext{this, context_.settings, context_.prompt, [&store] { return store.Root(); },
                         [&engine] {
                           return BackupSelectionFromPaths(engine.List(FileListKind::kEvent).CheckedPaths(),
                                                           engine.List(FileListKind::kNormal).CheckedPaths(),
                                                           engine.List(FileListKind::kLog).CheckedPaths());
                         },
                         [&engine] {
                           engine.Control().StopVideoPlay();
                           engine.Control().StopLogPlay();
                         },
                         [this] { context_.store.PostRescan(); }, [this] { context_.store.ForgetRoot(); },
                         [this](const std::string& root) { context_.store.ChooseRoot(root); }});
  toolCommands_->chooseCard = [this] { return context_.store.SelectFolder(); };
  toolCommands_->releaseRecordings = [this] { context_.store.Reset(); };
  toolCommands_->pulseTypeSaved = [this, &engine](int type) {
    context_.store.SetPulseType(type);
    engine.SpeedSourceChanged();
  };
  toolCommands_->volumes = &context_.store.Drives();
  AddToolCommands(commands_, *toolCommands_);

  desktop_ = std::make_unique<SpawnDesktopOpener>();
  exportCommands_ = std::make_unique<ExportCommandContext>(ExportCommandContext{
      this, context_.settings, context_.prompt, context_.store, *desktop_,
      [this] { return ExportViewOf(parts_->Engine(), context_.store.CurrentIndex(), CurrentCommandState()); },
      [&engine] { engine.Control().StopVideoPlay(); }});
  AddExportCommands(commands_, *exportCommands_);
}

CMainBackPanel::~CMainBackPanel() {
  // The parts (the engine first) go before the commands that reach them.
  parts_.reset();
}

CommandState CMainBackPanel::CurrentCommandState() const {
  return CommandStateOf(context_.app, context_.store, parts_->Engine().Control().Navigator().Layout());
}

CommandState CMainBackPanel::MenuCommandState() const {
  return CommandStateWithTicks(context_.app, context_.store, context_.settings,
                               parts_->Engine().Control().Navigator().Layout());
}

// ---- commands ---------------------------------------------------------------

bool CMainBackPanel::OnCommand(int id) {
  const bool ran = commands_.Run(id, CurrentCommandState());
  UpdateCommandStates();
  return ran;
}

bool CMainBackPanel::OnKeyboardCommand(int id) {
  keyboardCommand_ = true;
  const bool ran = OnCommand(id);
  keyboardCommand_ = false;
  return ran;
}

void CMainBackPanel::UpdateCommandStates() {
  const CommandState state = CurrentCommandState();
  const bool viewButtons = ViewButtonsShown(state);
  for (const auto& [id, button] : parts_->Buttons()) {
    button->setEnabled(commands_.IsEnabled(id, state));
    if (id == kIdSingleView || id == kIdThumbView) button->setVisible(viewButtons);
  }
}

void CMainBackPanel::OpenMenu(int index) {
  QMenu* menu = BuildMenu(index);
  if (!menu) return;
  CVxButton* button = parts_->Button(kIdMenuFile + index);
  const QPoint at = button ? button->mapToGlobal(QPoint(0, button->height())) : mapToGlobal(QPoint(12, 58));
  if (keyboardCommand_) HighlightFirstItem(*menu);
  RunChosen(*menu, at);
}

QMenu* CMainBackPanel::BuildMenu(int index) {
  menu_ = BuildPullDownMenu(index, commands_, MenuCommandState(), this);
  return menu_.get();
}

void CMainBackPanel::ShowSpeedMenu(QPoint at) {
  menu_ = BuildSpeedMenu(commands_, MenuCommandState(), this);
  RunChosen(*menu_, mapToGlobal(at));
}

void CMainBackPanel::RunChosen(QMenu& menu, QPoint at) {
  QAction* chosen = menu.exec(at);
  if (chosen && chosen->data().isValid()) OnCommand(chosen->data().toInt());
}

void CMainBackPanel::OnMediaRemoved() {
  parts_->OnMediaRemoved();
  UpdateCommandStates();
  update();
  context_.prompt.Show(GetLangText("Message", "MediaRemoved", "Media has been removed."),
                       std::string(kApplicationTitle), PromptButtons::Ok);
}

// ---- what the parts ask of the painted panel --------------------------------

void CMainBackPanel::ShowSpeedCaption(bool shown) {
  speedCaption_ = shown;
  RepaintSpeedReadout();
}

void CMainBackPanel::RepaintSpeedReadout() { update(RectOf(kSpeedReadoutRedraw)); }

// The folder is drawn in the title strip.
void CMainBackPanel::RepaintTitle() { update(0, 0, width(), kDragStripHeight); }

QImage CMainBackPanel::SetBackgroundFor(bool mxhLayout) {
  const CSkinPackage& skin = context_.skin;
  background_ = SkinImage(skin, mxhLayout ? kSkinBackgroundMxH : kSkinBackground);
  update();
  if (!context_.smallScreen) return QImage();
  const int strip = context_.desktopWidth < 1024 ? kSkinBottomStripNarrow
                    : mxhLayout                  ? kSkinBottomStripMxH
                                                 : kSkinBottomStrip;
  return SkinImage(skin, strip);
}

// ---- painting and mouse -----------------------------------------------------

void CMainBackPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kDefaultSkinPanel);
  if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_);
  DrawTitleText(painter);
  DrawPanelLabels(painter);
  // The speed source and model are read again so the caption is current.
  if (speedCaption_) {
    const PlaybackEngine& engine = parts_->Engine();
    const SpeedReadout readout = engine.Displays().SpeedCells(engine.CurrentSpeedSource());
    DrawSpeedCaption(painter, parts_->Strips(), readout, QPoint(kSpeedCaptionX, kSpeedCaptionY),
                     QPoint(kSpeedIndicatorX, kSpeedIndicatorY));
  }
}

void CMainBackPanel::DrawPanelLabels(QPainter& painter) const {
  SkinTextLook look;
  look.weight = QFont::Bold;
  look.colour = kLabelInk;
  look.alignment = Qt::AlignLeft | Qt::AlignVCenter;
  look.pixelSize = kSpeedLabelPixels;
  DrawSkinText(painter, RectOf(kSpeedLabelPlace), QString::fromStdString(SkinWordText(SkinWord::kSpeedLabel)), look);
  // Beside the G column the label may take two lines; above the MX-H
  // displays it has one.
  const bool mxh = parts_->IsMxHLayout();
  look.pixelSize = kGSensorLabelPixels;
  look.wrap = !mxh;
  DrawSkinText(painter, RectOf(mxh ? kGSensorLabelPlaceMxH : kGSensorLabelPlace),
               QString::fromStdString(SkinWordText(SkinWord::kGSensorLabel)), look);
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
  if (event->button() == Qt::RightButton && parts_->IsMxHLayout() && kSpeedMenuArea.Contains(at.x(), at.y())) {
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
  if (event->button() == Qt::LeftButton && kHomepageMark.Contains(at.x(), at.y())) OnCommand(kIdHomepage);
}

void CMainBackPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!kCloseCorner.Contains(at.x(), at.y())) return;
  parts_->Engine().Control().StopVideoPlay();
  window()->close();
}
