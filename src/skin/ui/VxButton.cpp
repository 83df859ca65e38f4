#include "skin/ui/VxButton.h"

#include <QEvent>
#include <QPainter>

#include "skin/SkinWords.h"
#include "skin/ui/FocusFrame.h"
#include "skin/ui/HoverPoll.h"
#include "skin/ui/SkinFallback.h"
#include "skin/ui/SkinText.h"

namespace {

constexpr int kCellNormal = 0;
constexpr int kCellPressed = 1;
constexpr int kCellLit = 2;
constexpr int kCellDisabled = 3;
constexpr int kStripCells = 4;
constexpr QSize kUnskinnedSize(24, 24);
const QColor kCaptionColour(0xFF, 0xFF, 0xFF);
const QColor kDisabledCaptionColour(0xB4, 0xB4, 0xB4);

}  // namespace

CVxButton::CVxButton(int id, QWidget* parent) : QAbstractButton(parent), id_(id) {
  setMouseTracking(true);
  // The main frame's accelerators drive the keyboard; a button takes it only
  // where its owner lets Tab reach it (a focused button takes Space).
  setFocusPolicy(Qt::NoFocus);
}

void CVxButton::SetStrip(const SkinStrip& strip) {
  strip_ = strip.IsNull() ? strip : SkinStrip(strip.Image(), kStripCells);
  updateGeometry();
  update();
}

void CVxButton::SetCaption(const QString& caption, int pixelSize, bool besideIcon) {
  caption_ = caption;
  captionPixelSize_ = pixelSize;
  besideIcon_ = besideIcon;
  update();
}

void CVxButton::SetLatched(bool latched) {
  if (latched_ == latched) return;
  latched_ = latched;
  update();
}

int CVxButton::CurrentCell() const {
  if (!isEnabled()) return kCellDisabled;
  if (latched_) return kCellLit;
  if (isDown()) return kCellPressed;
  return hovering_ ? kCellLit : kCellNormal;
}

QSize CVxButton::sizeHint() const {
  if (strip_.IsNull()) return kUnskinnedSize;
  return QSize(strip_.CellWidth(), strip_.CellHeight());
}

void CVxButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int cell = CurrentCell();
  if (strip_.IsNull()) {
    skin_fallback::DrawFace(painter, rect(), cell == kCellPressed || cell == kCellLit);
  } else {
    strip_.DrawStretched(painter, rect(), cell);
  }
  DrawCaption(painter, cell);
  if (hasFocus()) DrawFocusFrame(painter, rect());
}

SkinTextLook CVxButton::CaptionLook(int cell) const {
  SkinTextLook look;
  look.pixelSize = captionPixelSize_;
  look.colour = cell == kCellDisabled ? kDisabledCaptionColour : kCaptionColour;
  return look;
}

int CVxButton::CaptionLeft() const { return besideIcon_ ? IconButtonWordLeft(height()) : kCaptionPadding; }

int CVxButton::CaptionWidth() const {
  if (caption_.isEmpty()) return 0;
  return CaptionLeft() + SkinTextWidth(caption_, CaptionLook(kCellNormal), captionPixelSize_) + kCaptionPadding;
}

void CVxButton::DrawCaption(QPainter& painter, int cell) const {
  if (caption_.isEmpty()) return;
  QRect box = rect().adjusted(CaptionLeft(), 0, -kCaptionPadding, 0);
  // A pressed face sinks by a pixel; its word goes with it.
  if (cell == kCellPressed) box.translate(0, 1);
  SkinTextLook look = CaptionLook(cell);
  look.alignment = (besideIcon_ ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
  DrawSkinText(painter, box, caption_, look);
}

void CVxButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QAbstractButton::changeEvent(event);
}

void CVxButton::mouseMoveEvent(QMouseEvent* event) {
  hover_poll::OnMove(*this, hovering_, hoverPoll_);
  QAbstractButton::mouseMoveEvent(event);
}

void CVxButton::timerEvent(QTimerEvent* event) {
  if (!hover_poll::OnTimer(*this, *event, hovering_, hoverPoll_)) QAbstractButton::timerEvent(event);
}

void CVxButton::leaveEvent(QEvent* event) {
  hover_poll::OnLeave(*this, hovering_, hoverPoll_);
  QAbstractButton::leaveEvent(event);
}
