#include "shell/ui/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QPainterPath>
#include <QRegion>
#include <QScrollArea>
#include <QShortcut>
#include <array>
#include <optional>
#include <string>

#include "base/AppSetting.h"
#include "base/AppTitle.h"
#include "export/ui/ExportDialogs.h"
#include "platform/SpawnDesktopOpener.h"
#include "platform/Trace.h"
#include "platform/ui/MediaWatcher.h"
#include "platform/ui/QtPorts.h"
#include "playback/ui/DlgCheckFiles.h"
#include "playback/ui/DlgLoading.h"
#include "recording/MgrDBSearch.h"
#include "shell/MainCommands.h"
#include "shell/Viewer.h"
#include "shell/ui/DialogFocusReturn.h"
#include "shell/ui/MainBackPanel.h"
#include "skin/ui/SkinPicture.h"
#include "tools/ui/ToolDialogs.h"

namespace {

// What the scrolled panel shows around the control the keyboard reached.
constexpr int kFocusMargin = 8;

// The corner ellipse of the rounded outline.
constexpr int kCornerDiameter = 13;

// Slim bars in the panel's colours, so the scrolled panel still looks
// like one piece.
const char* const kScrollBarStyle =
    "QScrollArea { background: #14171b; }"
    "QScrollBar:horizontal { background: #1b1f24; height: 12px; margin: 0; }"
    "QScrollBar:vertical { background: #1b1f24; width: 12px; margin: 0; }"
    "QScrollBar::handle { background: #3a424c; border-radius: 5px; min-width: 32px; min-height: 32px; }"
    "QScrollBar::handle:hover { background: #4a545f; }"
    "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
    "QScrollBar::add-page, QScrollBar::sub-page { background: none; }";

struct Accelerator {
  QKeyCombination keys;
  int id;
};

const std::array kAccelerators = {
    Accelerator{QKeyCombination(Qt::Key_Left), kIdAccelLeft},
    Accelerator{QKeyCombination(Qt::Key_Right), kIdAccelRight},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_O), kIdAccelOpen},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_E), kIdAccelLoadEvent},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_L), kIdAccelLoadLog},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_P), kIdAccelPrint},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_Q), kIdAccelExit},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_A), kIdAccelSelectAll},
    Accelerator{QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_A), kIdAccelUnselectAll},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_F), kIdAccelPlay},
    Accelerator{QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F), kIdAccelFastPlay},
    Accelerator{QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_N), kIdAccelNextFrame},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_B), kIdAccelReversePlay},
    Accelerator{QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_P), kIdAccelPreviousFrame},
    Accelerator{QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_B), kIdAccelFastReverse},
    Accelerator{QKeyCombination(Qt::ControlModifier, Qt::Key_S), kIdAccelStop},
    Accelerator{QKeyCombination(Qt::Key_F1), kIdAccelHelp},
    Accelerator{QKeyCombination(Qt::Key_PageDown), kIdAccelNextEvent},
    Accelerator{QKeyCombination(Qt::Key_PageUp), kIdAccelPreviousEvent},
    Accelerator{QKeyCombination(Qt::AltModifier, Qt::Key_F), kIdAccelMenuFile},
    Accelerator{QKeyCombination(Qt::AltModifier, Qt::Key_E), kIdAccelMenuEdit},
    Accelerator{QKeyCombination(Qt::AltModifier, Qt::Key_V), kIdAccelMenuView},
    Accelerator{QKeyCombination(Qt::AltModifier, Qt::Key_P), kIdAccelMenuPlay},
    Accelerator{QKeyCombination(Qt::AltModifier, Qt::Key_T), kIdAccelMenuTool},
    Accelerator{QKeyCombination(Qt::AltModifier, Qt::Key_I), kIdAccelMenuHelp},
};

}  // namespace

CMainFrame::CMainFrame(CAppSetting& settings, AppState& app, const CSkinPackage& skin, const FrameGeometry& geometry,
                       const MainFrameOptions& options)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), settings_(settings), app_(app), geometry_(geometry) {
  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  setGeometry(geometry.left, geometry.top, geometry.width, geometry.height);
  if (!options.prompt) ownPrompt_ = std::make_unique<QtPrompt>(this);
  prompt_ = options.prompt ? options.prompt : ownPrompt_.get();
  ui_ = std::make_unique<QtUiQueue>(this);
  timers_ = std::make_unique<QtTimerHost>(this);
  clock_ = std::make_unique<QtClock>();
  loadingDialogs_ = std::make_unique<QtLoadingDialogRunner>(this);
  desktop_ = std::make_unique<SpawnDesktopOpener>();
  exportDialogs_ = std::make_unique<QtExportDialogLauncher>(this, settings_, *prompt_, *desktop_);
  toolDialogs_ = std::make_unique<QtToolDialogLauncher>(this, settings_, *prompt_, cardBusy_);
  viewer_ = std::make_unique<Viewer>(ViewerPorts{settings_, app_, *prompt_, *ui_, *timers_, *clock_, volumes_,
                                                 *loadingDialogs_, *exportDialogs_, *toolDialogs_, cardBusy_});
  viewer_->Store().SetCheckFilesRunner(MakeQtCheckFilesRunner(this));

  BackPanelContext context{settings_,
                           app_,
                           *viewer_,
                           skin,
                           *prompt_,
                           *clock_,
                           geometry.smallScreen,
                           geometry.width,
                           [this](const QImage& strip) { ShowBottomStrip(strip); }};
  if (geometry.smallScreen) MakeScrollArea();
  panel_ = new CMainBackPanel(context, scroll_ ? static_cast<QWidget*>(scroll_) : this);
  panel_->setGeometry(0, 0, kFrameWidth, kFrameHeight);
  if (scroll_) scroll_->setWidget(panel_);
  MakeAccelerators();
  new DialogFocusReturn(this);
  // A click anywhere that takes no keyboard of its own (the skin, the
  // pictures, the graphs) takes it from a field the user typed in, so the
  // step keys step again.
  setFocusPolicy(Qt::ClickFocus);

  media_ = new MediaWatcher(options.mountInfoPath, this);
  connect(media_, &MediaWatcher::mediaRemoved, this, &CMainFrame::OnMediaRemoved);
  connect(media_, &MediaWatcher::mediaInserted, this, &CMainFrame::OnMediaInserted);
  insertNotice_ = new CardInsertNotice(this);
  connect(insertNotice_, &CardInsertNotice::openRequested, this, &CMainFrame::OpenInsertedCard);
  connect(insertNotice_, &CardInsertNotice::ignored, this,
          [this](const QString& mountPoint) { insertOffers_.Ignore(mountPoint.toStdString()); });
}

CMainFrame::~CMainFrame() {
  // The play timers stop before the panel that they drive goes, the panel
  // before the viewer it shows.
  viewer_->StopBothPlays();
  delete panel_;
  panel_ = nullptr;
  viewer_.reset();
}

CMgrDBSearch& CMainFrame::Store() const { return viewer_->Store(); }

// The panel keeps its layout on a small desktop and scrolls; the keyboard's
// walk brings each control it reaches into view.
void CMainFrame::MakeScrollArea() {
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(false);
  scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setStyleSheet(QString::fromLatin1(kScrollBarStyle));
  PlaceViewport(0);
  qApp->installEventFilter(this);
}

// Only the keyboard's own walk scrolls: the focus a load or a click moves
// leaves the panel where the user has it.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && scroll_ && panel_) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && widget && panel_->isAncestorOf(widget))
      scroll_->ensureWidgetVisible(widget, kFocusMargin, kFocusMargin);
  }
  return QWidget::eventFilter(watched, event);
}

void CMainFrame::PlaceViewport(int stripHeight) {
  const PanelViewport viewport = PanelViewportFor(geometry_, stripHeight);
  scroll_->setGeometry(0, 0, viewport.width, viewport.height);
  if (bottomStrip_) bottomStrip_->move(0, viewport.stripTop);
}

void CMainFrame::ShowBottomStrip(const QImage& strip) {
  if (!scroll_) return;
  if (!bottomStrip_) bottomStrip_ = new CSkinPicture(this);
  bottomStrip_->SetPicture(strip);
  PlaceViewport(strip.isNull() ? 0 : strip.height());
}

void CMainFrame::MakeAccelerators() {
  for (const Accelerator& accelerator : kAccelerators) {
    auto* shortcut = new QShortcut(QKeySequence(accelerator.keys), this);
    shortcut->setContext(Qt::WindowShortcut);
    const int id = accelerator.id;
    connect(shortcut, &QShortcut::activated, this, [this, id] { panel_->OnKeyboardCommand(id); });
  }
}

bool CMainFrame::OpenFolder(const QString& folder) {
  if (!Store().ChooseRoot(folder.toStdString())) return false;
  Store().Scan();
  return true;
}

void CMainFrame::OnMediaInserted(const QString& mountPoint) {
  KTRACE("Media Inserted : %s", mountPoint.toUtf8().constData());
  if (Store().Root() == mountPoint.toStdString()) return;
  const std::optional<std::string> notice = insertOffers_.Mounted(mountPoint.toStdString());
  if (notice) insertNotice_->Offer(mountPoint, QString::fromStdString(*notice));
}

void CMainFrame::OpenInsertedCard(const QString& mountPoint) {
  viewer_->StopBothPlays();
  OpenFolder(mountPoint);
}

void CMainFrame::OnMediaRemoved(const QString& mountPoint) {
  KTRACE("Media Removed : %s", mountPoint.toUtf8().constData());
  insertOffers_.Unmounted(mountPoint.toStdString());
  if (insertNotice_->isVisible() && insertNotice_->MountPoint() == mountPoint) insertNotice_->hide();
  viewer_->OnMediaRemoved(mountPoint.toStdString());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  viewer_->StopBothPlays();
  event->accept();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  QPainterPath outline;
  outline.addRoundedRect(QRectF(rect()), kCornerDiameter / 2.0, kCornerDiameter / 2.0);
  setMask(QRegion(outline.toFillPolygon().toPolygon()));
}
