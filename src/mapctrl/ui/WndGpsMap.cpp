#include "mapctrl/ui/WndGpsMap.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPainter>
#include <QWebEngineSettings>

#include "mapctrl/MapPageFiles.h"
#include "mapctrl/server/CVxServerSock.h"
#include "mapctrl/ui/VxHtmlView.h"

namespace {

bool IsFastState(PlayState state) {
  return (IsForwardState(state) || IsReverseState(state)) && !IsNormalSpeedState(state);
}

}  // namespace

CWndGpsMap::CWndGpsMap(QImage fallback, const std::filesystem::path& dataFolder, const MapTiles& tiles, QWidget* parent)
    : QWidget(parent),
      fallback_(std::move(fallback)),
      view_(new CVxHtmlView(this)),
      server_(std::make_unique<CVxServerSock>()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  view_->hide();
  const std::filesystem::path folder = MapFilesFolder(dataFolder);
  server_->SetPage(ReadMapPage(folder, tiles));
  server_->SetLibFolder(folder);
  server_->SetClickHandler([this](const MapRequest& click) {
    if (hooks_.click) hooks_.click(click.recording, click.frame);
  });
  connect(view_, &CVxHtmlView::DocumentComplete, this, [this](bool /*ok*/) {
    if (hooks_.documentComplete) hooks_.documentComplete();
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
  view_->Page().DropDocument();
  view_->load(QUrl(QString::fromStdString(address)));
  UpdateShown();
}

bool CWndGpsMap::SetDocument() { return view_->Page().SetDocument(); }

bool CWndGpsMap::CallJScript(const std::string& function, const std::vector<std::string>& args) {
  return view_->Page().CallJScript(function, args);
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
  return view_->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled);
}

bool CWndGpsMap::ShowsView() const { return !view_->isHidden(); }

void CWndGpsMap::paintEvent(QPaintEvent* /*event*/) {
  if (ShowsView()) return;
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (!fallback_.isNull()) painter.drawImage(rect(), fallback_);
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
  view_->setGeometry(area);
}

void CWndGpsMap::UpdateShown() {
  const bool enabled = !hooks_.mapEnabled || hooks_.mapEnabled();
  const bool show = enabled && !failed_ && serverStarted_ && hasData_;
  if (show == ShowsView()) return;
  view_->setVisible(show);
  update();
}
