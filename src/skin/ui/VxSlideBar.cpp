#include "skin/ui/VxSlideBar.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/ui/SkinFallback.h"

namespace {

constexpr int kUnskinnedThumbWidth = 12;
constexpr QSize kUnskinnedSize(200, 20);
const QColor kSpanColour(250, 0, 0);
constexpr int kSpanPen = 6;
constexpr int kSpanAboveBottom = 3;
// The short ticks at both ends of the span line.
constexpr int kTickOuter = 5;
constexpr int kTickInner = 14;
const QColor kMarkerColour(250, 250, 0);
constexpr int kMarkerPen = 2;
constexpr int kMarkerBelowOrigin = 2;

}  // namespace

CVxSlideBar::CVxSlideBar(int id, QWidget* parent) : QWidget(parent), id_(id) {
  setFocusPolicy(Qt::ClickFocus);
  geometry_.SetThumbWidth(kUnskinnedThumbWidth);
  SyncTrack();
}

void CVxSlideBar::SetBitmaps(QImage track, QImage thumb, QImage track2) {
  track_ = std::move(track);
  thumb_ = std::move(thumb);
  track2_ = std::move(track2);
  geometry_.SetThumbWidth(thumb_.isNull() ? kUnskinnedThumbWidth : thumb_.width());
  updateGeometry();
  update();
}

void CVxSlideBar::SetTrackGeometry(int originX, int originY, int leftMargin, int rightMargin) {
  originX_ = originX;
  originY_ = originY;
  geometry_.SetTrack(leftMargin, rightMargin, width());
  update();
}

void CVxSlideBar::SetRange(int minimum, int maximum) {
  geometry_.SetRange(minimum, maximum);
  update();
}

bool CVxSlideBar::SetPosition(int position) {
  if (!geometry_.SetPosition(position)) return false;
  update();
  return true;
}

void CVxSlideBar::AddMarker(int position) {
  if (geometry_.AddMarker(position)) update();
}

void CVxSlideBar::ClearMarkers() {
  geometry_.ClearMarkers();
  update();
}

void CVxSlideBar::SetStyle(int style) {
  style_ = style == kStyleFileSpan ? kStyleFileSpan : kStylePlain;
  update();
}

void CVxSlideBar::SetBackground(const QColor& colour) {
  background_ = colour;
  update();
}

void CVxSlideBar::SetFileSpanEnd(std::optional<int> seconds) {
  if (fileSpanEnd_ == seconds) return;
  fileSpanEnd_ = seconds;
  update();
}

QSize CVxSlideBar::sizeHint() const { return track_.isNull() ? kUnskinnedSize : track_.size(); }

QRect CVxSlideBar::TrackRect() const {
  return QRect(originX_, originY_, width() - 2 * originX_, height() - 2 * originY_);
}

void CVxSlideBar::SyncTrack() { geometry_.SetTrack(geometry_.LeftMargin(), geometry_.RightMargin(), width()); }

void CVxSlideBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  if (!track_.isNull()) painter.drawImage(TrackRect(), track_);
  if (style_ == kStyleFileSpan) {
    DrawFileSpan(painter);
    DrawMarkers(painter);
  }
  DrawThumb(painter);
}

void CVxSlideBar::DrawFileSpan(QPainter& painter) const {
  if (!fileSpanEnd_) return;
  const int y = height() - kSpanAboveBottom;
  painter.setPen(QPen(kSpanColour, kSpanPen, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(ThumbCentre(Minimum()), y, ThumbCentre(*fileSpanEnd_), y);
  painter.drawLine(kTickOuter, y, kTickInner, y);
  painter.drawLine(width() - kTickOuter, y, width() - kTickInner, y);
}

void CVxSlideBar::DrawMarkers(QPainter& painter) const {
  painter.setPen(QPen(kMarkerColour, kMarkerPen, Qt::SolidLine, Qt::FlatCap));
  for (int marker : Markers()) {
    const int x = ThumbCentre(marker);
    painter.drawLine(x, originY_ + kMarkerBelowOrigin, x, height());
  }
}

void CVxSlideBar::DrawThumb(QPainter& painter) const {
  const QRect track = TrackRect();
  const int thumbHeight = thumb_.isNull() ? track.height() : thumb_.height();
  const QRect thumb(ThumbCentre(Position()) - ThumbWidth() / 2, track.top() + (track.height() - thumbHeight) / 2,
                    ThumbWidth(), thumbHeight);
  if (thumb_.isNull()) {
    skin_fallback::DrawFace(painter, thumb, true);
    return;
  }
  painter.drawImage(thumb.topLeft(), thumb_);
}

void CVxSlideBar::resizeEvent(QResizeEvent* event) {
  SyncTrack();
  QWidget::resizeEvent(event);
}

void CVxSlideBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    QWidget::mousePressEvent(event);
    return;
  }
  // Qt keeps the mouse grabbed for this widget while the button is held.
  setFocus(Qt::MouseFocusReason);
  if (geometry_.Press(event->position().toPoint().x())) {
    update();
    emit dragged(Position());
  }
}

void CVxSlideBar::mouseMoveEvent(QMouseEvent* event) {
  if (!geometry_.Move(event->position().toPoint().x())) return;
  update();
  emit dragged(Position());
}

void CVxSlideBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !geometry_.Release()) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  emit released(Position());
}

void CVxSlideBar::changeEvent(QEvent* event) {
  // A bar disabled mid-drag lets go without a release report: whatever
  // disabled it has taken the position out of the user's hands.
  if (event->type() == QEvent::EnabledChange && !isEnabled()) geometry_.Release();
  QWidget::changeEvent(event);
}
