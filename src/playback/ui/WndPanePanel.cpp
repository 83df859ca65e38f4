#include "playback/ui/WndPanePanel.h"

#include "playback/PlaybackEngine.h"
#include "playback/ui/PaneLogInfo.h"
#include "playback/ui/PaneLogSearch.h"
#include "playback/ui/PaneVideo.h"

namespace {

const QColor kContainerBackground(20, 22, 25);

// The grid gives up this many pixels of each side before dividing it; the
// gaps between the panes come out of them.
constexpr int kGridTrim = 8;

// The log layout: the picture and the search pane share the upper half,
// the info pane and the graph the lower one.
constexpr int kLogPictureHeightPercent = 31;
constexpr int kLogGraphHeightPercent = 36;

}  // namespace

CWndPanePanel::CWndPanePanel(PlaybackEngine& engine, const CAppSetting& /*settings*/, QWidget* parent)
    : QWidget(parent), engine_(engine) {
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kContainerBackground);
  setPalette(palette);
  for (int pane = 0; pane < kPaneCount; ++pane) {
    auto* view = new CPaneVideo(pane, engine_, this);
    connect(view, &CPaneVideo::pressed, this, &CWndPanePanel::OnPanePressed);
    panes_[static_cast<size_t>(pane)] = view;
  }
  logSearch_ = new CPaneLogSearch(engine_, this);
  logInfo_ = new CPaneLogInfo(
      engine_.LogRecords(), [this] { return engine_.CurrentSpeedSource().unit; }, this);
  layout_ = engine_.Control().Navigator().Layout();
  Arrange();
  engine_.AddViews(PlaybackSinks{.pane = this}, this);
}

CWndPanePanel::~CWndPanePanel() { engine_.RemoveViews(PlaybackSinks{.pane = this}, this); }

void CWndPanePanel::SetEmptyPicture(const QImage& picture) {
  for (CPaneVideo* pane : panes_) pane->SetEmptyPicture(picture);
}

void CWndPanePanel::SetSmallScreen(bool small) {
  for (CPaneVideo* pane : panes_) pane->SetSmallScreen(small);
}

void CWndPanePanel::SetLogGraph(QWidget* graph) {
  logGraph_ = graph;
  if (logGraph_ != nullptr) logGraph_->setParent(this);
  Arrange();
}

void CWndPanePanel::SetLayout(ViewLayout layout) {
  if (layout != kLayoutSingle && layout != kLayoutThumbnail && layout != kLayoutLog) return;
  layout_ = layout;
  Arrange();
}

void CWndPanePanel::RepaintPane(int pane) {
  if (PaneSet::IsPane(pane)) panes_[static_cast<size_t>(pane)]->update();
}

// The mark moves between panes, and the old one has to lose it too.
void CWndPanePanel::SetSelectedPane(int /*pane*/) {
  for (CPaneVideo* view : panes_) view->update();
}

void CWndPanePanel::RepaintInfoPanel() {
  if (infoPanelRepaint_) infoPanelRepaint_();
}

void CWndPanePanel::RepaintLogInfo() { logInfo_->update(); }

void CWndPanePanel::RepaintLogSearchRows() { logSearch_->RepaintRows(); }

// ---- geometry -----------------------------------------------------------------

QRect CWndPanePanel::ThumbnailRect(QSize size, int pane) {
  const int width = (size.width() - kGridTrim) / kGridSize;
  const int height = (size.height() - kGridTrim) / kGridSize;
  const int column = pane % kGridSize;
  const int row = pane / kGridSize;
  return QRect(column * (width + kGridGap), row * (height + kGridGap), width, height);
}

// The log layout: the (empty) picture and the record's values down the
// left, the search with room for its results on the right, and the graph of
// the whole drive along the bottom, wide enough for its time labels.
QRect CWndPanePanel::LogPictureRect(QSize size) {
  return QRect(0, 0, size.width() / 2, size.height() * kLogPictureHeightPercent / 100);
}

QRect CWndPanePanel::LogSearchRect(QSize size) {
  const int left = size.width() / 2;
  return QRect(left, 0, size.width() - left, size.height() - LogGraphRect(size).height());
}

QRect CWndPanePanel::LogInfoRect(QSize size) {
  const QRect picture = LogPictureRect(size);
  return QRect(0, picture.bottom() + 1, picture.width(), LogGraphRect(size).top() - picture.bottom() - 1);
}

QRect CWndPanePanel::LogGraphRect(QSize size) {
  const int height = size.height() * kLogGraphHeightPercent / 100;
  return QRect(0, size.height() - height, size.width(), height);
}

void CWndPanePanel::resizeEvent(QResizeEvent*) { Arrange(); }

void CWndPanePanel::Arrange() {
  if (layout_ == kLayoutThumbnail) {
    ArrangeThumbnails();
  } else if (layout_ == kLayoutLog) {
    ArrangeLog();
  } else {
    ArrangeSingle();
  }
}

void CWndPanePanel::ArrangeSingle() {
  ShowLogParts(false);
  for (int pane = 1; pane < kPaneCount; ++pane) panes_[static_cast<size_t>(pane)]->hide();
  panes_[0]->setGeometry(rect());
  panes_[0]->show();
}

void CWndPanePanel::ArrangeThumbnails() {
  ShowLogParts(false);
  for (int pane = 0; pane < kPaneCount; ++pane) {
    CPaneVideo* view = panes_[static_cast<size_t>(pane)];
    view->setGeometry(ThumbnailRect(size(), pane));
    view->show();
  }
}

void CWndPanePanel::ArrangeLog() {
  for (int pane = 1; pane < kPaneCount; ++pane) panes_[static_cast<size_t>(pane)]->hide();
  panes_[0]->setGeometry(LogPictureRect(size()));
  panes_[0]->show();
  logSearch_->setGeometry(LogSearchRect(size()));
  logInfo_->setGeometry(LogInfoRect(size()));
  if (logGraph_ != nullptr) logGraph_->setGeometry(LogGraphRect(size()));
  ShowLogParts(true);
}

void CWndPanePanel::ShowLogParts(bool shown) {
  logSearch_->setVisible(shown);
  logInfo_->setVisible(shown);
  if (logGraph_ != nullptr) logGraph_->setVisible(shown);
}

// ---- presses ------------------------------------------------------------------

void CWndPanePanel::OnPanePressed(int pane, Qt::MouseButton button) {
  if (button == Qt::RightButton) {
    engine_.ToggleThumbnailView();
    return;
  }
  if (button == Qt::LeftButton && layout_ == kLayoutThumbnail) engine_.ClickThumbnail(pane);
}
