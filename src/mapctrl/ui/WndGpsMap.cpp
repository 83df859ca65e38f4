#include "mapctrl/ui/WndGpsMap.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPainter>
#include <QUrl>

#include "base/MgrMultiLang.h"
#include "mapctrl/MapPageFiles.h"
#include "mapctrl/server/CVxServerSock.h"
#include "mapctrl/ui/MapBrowser.h"
#include "mapctrl/ui/MapBrowserModule.h"
#include "platform/Trace.h"

namespace {

// Qt WebEngine's Chromium aborts inside an AddressSanitizer process; a
// sanitizer build shows the fallback picture instead of the page.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kWebEngineUsable = false;
#else
constexpr bool kWebEngineUsable = true;
#endif

bool IsFastState(PlayState state) {
  return (IsForwardState(state) || IsReverseState(state)) && !IsNormalSpeedState(state);
}

}  // namespace

CWndGpsMap::CWndGpsMap(QImage fallback, const std::filesystem::path& dataFolder, const MapTiles& tiles, QWidget* parent)
    : QWidget(parent), fallback_(std::move(fallback)), server_(std::make_unique<CVxServerSock>()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  const std::filesystem::path folder = MapFilesFolder(dataFolder);
  server_->SetPage(ReadMapPage(folder, tiles));
  server_->SetLibFolder(folder);
  server_->SetClickHandler([this](const MapRequest& click) {
    if (hooks_.click) hooks_.click(click.recording, click.frame);
  });
  timer_.setInterval(kTimerMs);
  connect(&timer_, &QTimer::timeout, this, &CWndGpsMap::OnTimer);
  timer_.start();
  QCoreApplication::instance()->installEventFilter(this);
}

CWndGpsMap::~CWndGpsMap() {
  timer_.stop();
  QCoreApplication::instance()->removeEventFilter(this);
}

void CWndGpsMap::SetHasData(bool hasData) {
  if (hasData_ == hasData) return;
  hasData_ = hasData;
  UpdateShown();
}

void CWndGpsMap::SetSmallScreen(bool smallScreen, int desktopBottom) {
  smallScreen_ = smallScreen;
  desktopBottom_ = desktopBottom;
  PlaceView();
}

bool CWndGpsMap::StartServer(int& port) {
  serverStarted_ = server_->StartServer(port);
  UpdateShown();
  return serverStarted_;
}

void CWndGpsMap::Navigate(const std::string& address) {
  failed_ = false;
  MapBrowser* browser = Browser();
  if (browser == nullptr) {
    // No page will ever come: the completion, at once and without a document
    // to script, lets the map give up now instead of after its long wait.
    QTimer::singleShot(0, this, [this] {
      if (hooks_.documentComplete) hooks_.documentComplete();
    });
    return;
  }
  scripts_.DropDocument();
  browser->Load(QUrl(QString::fromStdString(address)));
  UpdateShown();
}

bool CWndGpsMap::SetDocument() { return browser_ != nullptr && scripts_.SetDocument(*browser_); }

bool CWndGpsMap::CallJScript(const std::string& function, const std::vector<std::string>& args) {
  if (browser_ == nullptr) {
    KTRACE("Cannot GetScript");
    return false;
  }
  return scripts_.CallJScript(*browser_, function, args);
}

void CWndGpsMap::ShowFallback() {
  failed_ = true;
  UpdateShown();
}

bool CWndGpsMap::ProcessEventsFor(int ms) {
  if (quitting_) return false;
  QEventLoop wait;
  QTimer::singleShot(ms, &wait, &QEventLoop::quit);
  wait.exec();
  return !quitting_;
}

std::string CWndGpsMap::ProgramFolder() const { return QCoreApplication::applicationDirPath().toStdString(); }

bool CWndGpsMap::ScriptsAllowed() const {
  // Before the view exists the engine's default holds, and nothing in the
  // program changes it: scripts are allowed.
  return browser_ == nullptr || browser_->ScriptsAllowed();
}

bool CWndGpsMap::ShowsView() const { return browser_ != nullptr && !browser_->Widget()->isHidden(); }

MapBrowser* CWndGpsMap::Browser() {
  if (browser_ != nullptr || moduleMissing_ || !kWebEngineUsable) return browser_;
  // Loading the module takes a moment the user-interface thread cannot
  // paint in: the window says so first.
  loadingModule_ = true;
  repaint();
  MapBrowserMaker* maker = LoadMapBrowserModule();
  loadingModule_ = false;
  if (maker == nullptr) {
    moduleMissing_ = true;
    update();
    return nullptr;
  }
  MapBrowserHooks hooks;
  hooks.documentComplete = [this] {
    if (hooks_.documentComplete) hooks_.documentComplete();
  };
  hooks.scriptError = [](const QString& text) { KTRACE("map page: %s", text.toUtf8().constData()); };
  browser_ = maker->MakeBrowser(this, std::move(hooks));
  browser_->Widget()->hide();
  PlaceView();
  return browser_;
}

void CWndGpsMap::paintEvent(QPaintEvent* /*event*/) {
  if (ShowsView()) return;
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (!fallback_.isNull()) painter.drawImage(rect(), fallback_);
  if (!loadingModule_) return;
  painter.setPen(Qt::white);
  painter.drawText(rect(), Qt::AlignCenter,
                   QString::fromStdString(GetLangText("GUI", "MapLoading", "Loading the map...")));
}

void CWndGpsMap::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceView();
}

bool CWndGpsMap::eventFilter(QObject* watched, QEvent* event) {
  // A quit asked for during a wait ends the wait; the main loop quits after.
  if (event->type() == QEvent::Quit) quitting_ = true;
  return QWidget::eventFilter(watched, event);
}

void CWndGpsMap::OnTimer() {
  UpdateShown();
  if (!hooks_.playState || !hooks_.moveArrow) return;
  if (IsFastState(hooks_.playState())) hooks_.moveArrow();
}

void CWndGpsMap::PlaceView() {
  QRect area = rect();
  if (smallScreen_) area.setBottom(area.bottom() + desktopBottom_ - kSmallScreenBottom);
  if (browser_ != nullptr) browser_->Widget()->setGeometry(area);
}

void CWndGpsMap::UpdateShown() {
  const bool enabled = !hooks_.mapEnabled || hooks_.mapEnabled();
  const bool show = enabled && !failed_ && serverStarted_ && hasData_;
  if (show == ShowsView()) return;
  MapBrowser* browser = show ? Browser() : browser_;
  // Without a view there is only the fallback to show.
  if (browser == nullptr) return;
  browser->Widget()->setVisible(show);
  update();
}
