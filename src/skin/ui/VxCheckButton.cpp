#include "skin/ui/VxCheckButton.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "skin/ui/AppFonts.h"
#include "skin/ui/FocusFrame.h"
#include "skin/ui/HoverPoll.h"
#include "skin/ui/SkinFallback.h"
#include "skin/ui/SkinText.h"

namespace {

constexpr int kCellUnchecked = 0;
constexpr int kCellChecked = 2;
constexpr int kHoverStep = 1;
constexpr int kStripCells = 4;
constexpr int kCaptionShift = 10;
constexpr int kCaptionMargin = 3;
constexpr QSize kUnskinnedSize(80, 24);
const QColor kCaptionColour(0xFF, 0xFF, 0xFF);
const QColor kDisabledCaptionColour(0xB4, 0xB4, 0xB4);

}  // namespace

CVxCheckButton::CVxCheckButton(int id, QWidget* parent) : QAbstractButton(parent), id_(id) {
  setCheckable(true);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
}

void CVxCheckButton::SetStrip(const SkinStrip& strip) {
  strip_ = strip.IsNull() ? strip : SkinStrip(strip.Image(), kStripCells);
  updateGeometry();
  update();
}

void CVxCheckButton::SetCaption(const QString& caption, bool shifted) {
  caption_ = caption;
  shifted_ = shifted;
  update();
}

int CVxCheckButton::CurrentCell() const {
  const int base = isChecked() ? kCellChecked : kCellUnchecked;
  return hovering_ ? base + kHoverStep : base;
}

QSize CVxCheckButton::sizeHint() const {
  if (strip_.IsNull()) return kUnskinnedSize;
  return QSize(strip_.CellWidth(), strip_.CellHeight());
}

void CVxCheckButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (strip_.IsNull()) {
    skin_fallback::DrawFace(painter, rect(), isChecked() || hovering_);
  } else {
    strip_.DrawStretched(painter, rect(), CurrentCell());
  }
  if (hasFocus()) DrawFocusFrame(painter, rect());
  if (caption_.isEmpty()) return;

  // A longer word takes a smaller font rather than overflow the tab. The
  // caption's box is centred on the button: its bottom edge sits half the
  // text height below the middle.
  SkinTextLook look;
  look.pixelSize = AppFont(AppFontId::kNormal).pixelSize();
  look.weight = AppFont(AppFontId::kNormal).weight();
  const int left = shifted_ ? kCaptionShift : 0;
  const QFont font = FittedSkinFont(caption_, QRect(left, 0, width() - left - 2 * kCaptionMargin, height()), look);
  const int textHeight = QFontMetrics(font).height();
  const int bottom = height() / 2 + textHeight / 2;
  const QRect box(left, bottom - textHeight, width(), textHeight);
  painter.setFont(font);
  painter.setPen(isEnabled() ? kCaptionColour : kDisabledCaptionColour);
  painter.drawText(box, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, caption_);
}

void CVxCheckButton::mouseMoveEvent(QMouseEvent* event) {
  hover_poll::OnMove(*this, hovering_, hoverPoll_);
  QAbstractButton::mouseMoveEvent(event);
}

void CVxCheckButton::timerEvent(QTimerEvent* event) {
  if (!hover_poll::OnTimer(*this, *event, hovering_, hoverPoll_)) QAbstractButton::timerEvent(event);
}

void CVxCheckButton::leaveEvent(QEvent* event) {
  hover_poll::OnLeave(*this, hovering_, hoverPoll_);
  QAbstractButton::leaveEvent(event);
}
