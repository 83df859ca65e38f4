#include "shell/ui/MainBackPanel.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <future>

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/AppTitle.h"
#include "base/CommandIds.h"
#include "base/ModelTable.h"
#include "mapctrl/ui/WndGpsMap.h"
#include "platform/Ports.h"
#include "playback/PlaybackCommands.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/WndSearch.h"
#include "recording/MgrDBSearch.h"
#include "shell/BackPanelLayout.h"
#include "shell/Viewer.h"
#include "shell/ui/MainMenus.h"
#include "shell/ui/MainPanelParts.h"
#include "shell/ui/MainWindowActions.h"
#include "shell/ui/PlaySpeedLabel.h"
#include "skin/SkinEntries.h"
#include "skin/SkinWords.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/OutlinedText.h"
#include "skin/ui/SkinImages.h"
#include "skin/ui/SkinText.h"
#include "skin/ui/VxButton.h"
#include "telemetry/ui/DigitDisplayWidgets.h"
#include "telemetry/ui/VxDigitDisplays.h"

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
const QColor kSpeedUnitInk(236, 239, 242);
constexpr int kSpeedUnitPixels = 12;
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

// The button latched for a play state: the one that started it.
int ButtonOfState(PlayState state) {
  if (state == PS_PLAY || state == PS_PLAY_HALF) return kIdPlay;
  if (state >= PS_FAST_2 && state <= PS_FAST_16) return kIdPlayFast;
  if (state == PS_REVERSE || state == PS_REVERSE_HALF) return kIdBackPlay;
  if (state >= PS_FAST_REVERSE_2 && state <= PS_FAST_REVERSE_16) return kIdBackFast;
  return 0;
}

}  // namespace

CMainBackPanel::CMainBackPanel(const BackPanelContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("MainBackPanel"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  Viewer& viewer = context_.viewer;
  const bool mxh = IsMxHModel(context_.settings.GetCurrentModel());
  // The background, the largest picture, is decoded on another core while
  // the parts are built. The package reads its picture file afresh for each
  // picture and changes nothing as it does, so no lock is needed.
  std::future<QImage> background =
      std::async(std::launch::async, [&skin = context_.skin, mxh] { return SkinImage(skin, BackgroundEntryFor(mxh)); });
  parts_ = std::make_unique<MainPanelParts>(context_, *this);
  actions_ = std::make_unique<CMainWindowActions>(context_, *this);
  viewer.AttachWindow(*actions_, *parts_->Search());
  ConnectButtons();
  viewer.Engine().AddViews(PlaybackSinks{.pane = this, .backPanel = this}, this);
  viewer.AddStoreView(this);

  ApplyModelLayout(mxh, background.get());
  viewer.ShowNothingLoaded();
  UpdateCommandStates();
}

CMainBackPanel::~CMainBackPanel() {
  context_.viewer.RemoveStoreView(this);
  context_.viewer.Engine().RemoveViews(PlaybackSinks{.pane = this, .backPanel = this}, this);
  // The parts take their widgets off the viewer before they go.
  parts_.reset();
}

void CMainBackPanel::ConnectButtons() {
  for (const auto& [id, button] : parts_->Buttons()) {
    button->setToolTip(QString::fromStdString(Commands().TipText(id)));
    const int command = id;
    connect(button, &QAbstractButton::clicked, this, [this, command] { OnCommand(command); });
  }
}

const CommandTable& CMainBackPanel::Commands() const { return context_.viewer.Commands(); }

// ---- commands ---------------------------------------------------------------

bool CMainBackPanel::OnCommand(int id) {
  const bool ran = context_.viewer.RunCommand(id);
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
  const CommandState state = context_.viewer.CurrentCommandState();
  const bool viewButtons = ViewButtonsShown(state);
  for (const auto& [id, button] : parts_->Buttons()) {
    button->setEnabled(Commands().IsEnabled(id, state));
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
  menu_ = BuildPullDownMenu(index, Commands(), context_.viewer.MenuCommandState(), this);
  return menu_.get();
}

void CMainBackPanel::ShowSpeedMenu(QPoint at) {
  menu_ = BuildSpeedMenu(Commands(), context_.viewer.MenuCommandState(), this);
  RunChosen(*menu_, mapToGlobal(at));
}

void CMainBackPanel::RunChosen(QMenu& menu, QPoint at) {
  QAction* chosen = menu.exec(at);
  if (chosen && chosen->data().isValid()) OnCommand(chosen->data().toInt());
}

// ---- the layout and what follows playback and the store ---------------------

void CMainBackPanel::ApplyModelLayout(bool mxh) {
  ApplyModelLayout(mxh, SkinImage(context_.skin, BackgroundEntryFor(mxh)));
}

void CMainBackPanel::ApplyModelLayout(bool mxh, QImage background) {
  parts_->PlaceModelDisplays(mxh);
  const QImage strip = SetBackground(mxh, std::move(background));
  if (context_.showBottomStrip) context_.showBottomStrip(strip);
}

// Loading, closing and the view commands all change the layout; the
// buttons that depend on what is loaded follow it.
void CMainBackPanel::SetLayout(ViewLayout /*layout*/) { UpdateCommandStates(); }

void CMainBackPanel::ShowGpsPart(bool shown) { parts_->Digits().Gps()->setVisible(shown); }

void CMainBackPanel::RedrawSpeedReadout(bool withCaption) {
  ShowSpeedCaption(withCaption);
  parts_->Digits().Speed()->update();
}

void CMainBackPanel::SetMapHasData(bool hasData) { parts_->Map()->SetHasData(hasData); }

void CMainBackPanel::RepaintPlayButtons(PlayState playState) {
  const int latched = ButtonOfState(playState);
  for (int id : {kIdPlay, kIdPlayFast, kIdBackPlay, kIdBackFast}) {
    if (CVxButton* button = parts_->Button(id)) button->SetLatched(id == latched);
  }
  parts_->PlaySpeed()->SetPlayState(playState);
}

void CMainBackPanel::ShowFileLists(FileListKind /*kind*/, bool /*withLogTab*/) { UpdateCommandStates(); }

void CMainBackPanel::ResetDisplays() { ShowSpeedCaption(false); }

void CMainBackPanel::SetWaitCursor(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void CMainBackPanel::ShowFileList(FileListKind /*kind*/) { UpdateCommandStates(); }

// A card chosen, scanned or gone: the folder in the title strip and the
// commands that need a card follow.
void CMainBackPanel::ShowRoot(const std::string& /*root*/) {
  RepaintTitle();
  UpdateCommandStates();
}

// ---- the painted panel --------------------------------------------------------

void CMainBackPanel::ShowSpeedCaption(bool shown) {
  speedCaption_ = shown;
  RepaintSpeedReadout();
}

void CMainBackPanel::RepaintSpeedReadout() { update(RectOf(kSpeedReadoutRedraw)); }

// The folder is drawn in the title strip.
void CMainBackPanel::RepaintTitle() { update(0, 0, width(), kDragStripHeight); }

QImage CMainBackPanel::SetBackground(bool mxhLayout, QImage background) {
  const CSkinPackage& skin = context_.skin;
  background_ = std::move(background);
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
    const PlaybackEngine& engine = context_.viewer.Engine();
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
  SkinTextLook unit = look;
  unit.colour = kSpeedUnitInk;
  unit.pixelSize = kSpeedUnitPixels;
  unit.alignment = Qt::AlignCenter;
  const std::string_view label = SpeedUnitLabel(context_.viewer.Engine().CurrentSpeedSource().unit);
  DrawSkinText(painter, RectOf(kSpeedUnitLabel), QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())),
               unit);
  // Beside the G column the label may take two lines; above the MX-H
  // displays it has one.
  const bool mxh = parts_->IsMxHLayout();
  look.pixelSize = kGSensorLabelPixels;
  look.wrap = !mxh;
  DrawSkinText(painter, RectOf(mxh ? kGSensorLabelPlaceMxH : kGSensorLabelPlace),
               QString::fromStdString(SkinWordText(SkinWord::kGSensorLabel)), look);
}

void CMainBackPanel::DrawTitleText(QPainter& painter) {
  const std::string& root = context_.viewer.Store().Root();
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
  context_.viewer.Engine().Control().StopVideoPlay();
  window()->close();
}
