#include "playback/ui/PaneVideo.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>

#include "playback/PaneOverlayText.h"
#include "playback/PlaybackEngine.h"
#include "skin/ui/AppFonts.h"

namespace {

const QColor kNoPictureFill(16, 16, 18);
const QColor kOverlayText(200, 200, 200);
const QColor kSelectedText(255, 255, 0);
const QColor kSelectionLine(255, 255, 0);
const QColor kTextOutline(0, 0, 0);

constexpr int kSelectionLineWidth = 6;
constexpr int kSmallScreenSelectionLineWidth = 4;
constexpr int kThumbnailMargin = 3;
constexpr int kSelectedThumbnailMargin = 5;
constexpr int kMargin = 5;
constexpr int kFrameLineHeight = 26;
constexpr int kSizeLineHeight = 24;
constexpr int kLabelLineHeight = 24;
// In the 4 x 4 view the three lines scale with the pane and stay within
// about a third of it, so the picture they describe stays visible.
constexpr int kThumbnailLinesPerPane = 11;
constexpr int kThumbnailSmallestText = 8;
constexpr int kThumbnailLineLeading = 3;

// Dark copies one pixel off each side keep light text readable over a
// light picture.
void DrawOutlinedText(QPainter& painter, const QRect& rect, int flags, const QString& text, const QColor& colour) {
  static constexpr std::array<QPoint, 4> kOffsets{{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
  painter.setPen(kTextOutline);
  for (const QPoint& offset : kOffsets) painter.drawText(rect.translated(offset), flags, text);
  painter.setPen(colour);
  painter.drawText(rect, flags, text);
}

}  // namespace

CPaneVideo::CPaneVideo(int index, const PlaybackEngine& engine, QWidget* parent)
    : QWidget(parent), index_(index), engine_(engine) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPaneVideo::SetEmptyPicture(const QImage& picture) {
  emptyPicture_ = picture;
  update();
}

void CPaneVideo::SetSmallScreen(bool small) {
  if (smallScreen_ == small) return;
  smallScreen_ = small;
  update();
}

// The core keeps the rows top-down with no padding, blue first.
QImage CPaneVideo::PictureOf(const PaneContent& content) {
  if (!content.HasPicture()) return {};
  const size_t needed = static_cast<size_t>(content.width) * static_cast<size_t>(content.height) * kBytesPerPixel;
  if (content.pixels.size() < needed) return {};
  return QImage(content.pixels.data(), content.width, content.height, content.width * kBytesPerPixel,
                QImage::Format_BGR888);
}

bool CPaneVideo::IsThumbnail() const { return engine_.Control().Navigator().Layout() == kLayoutThumbnail; }

bool CPaneVideo::IsSelectedThumbnail() const {
  return IsThumbnail() && engine_.Control().Navigator().Panes().Selected() == index_;
}

void CPaneVideo::paintEvent(QPaintEvent*) {
  const PaneContent& content = engine_.Control().Navigator().Panes().Pane(index_);
  QPainter painter(this);
  DrawPicture(painter, content);
  if (IsSelectedThumbnail()) DrawSelectionLine(painter);
  const bool hideOverlay = smallScreen_ && engine_.Control().Navigator().Layout() == kLayoutLog;
  if (content.HoldsFrame() && !hideOverlay) DrawOverlay(painter, content);
}

void CPaneVideo::DrawPicture(QPainter& painter, const PaneContent& content) const {
  const QImage picture = PictureOf(content);
  const QImage& shown = picture.isNull() ? emptyPicture_ : picture;
  if (shown.isNull()) {
    painter.fillRect(rect(), kNoPictureFill);
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), shown);
}

void CPaneVideo::DrawSelectionLine(QPainter& painter) const {
  const int width = smallScreen_ ? kSmallScreenSelectionLineWidth : kSelectionLineWidth;
  painter.fillRect(QRect(0, height() - width, this->width(), width), kSelectionLine);
}

void CPaneVideo::DrawOverlay(QPainter& painter, const PaneContent& content) const {
  const bool thumbnail = IsThumbnail();
  const bool selected = IsSelectedThumbnail();
  int margin = kMargin;
  if (thumbnail) margin = selected && !smallScreen_ ? kSelectedThumbnailMargin : kThumbnailMargin;
  const QColor colour = selected ? kSelectedText : kOverlayText;
  QFont font = AppFont(thumbnail ? AppFontId::kSmall : AppFontId::kLarge);
  int frameHeight = kFrameLineHeight;
  int sizeHeight = kSizeLineHeight;
  int labelHeight = kLabelLineHeight;
  if (thumbnail) {
    const int textPixels = std::max(kThumbnailSmallestText, height() / kThumbnailLinesPerPane);
    font.setPixelSize(std::min(textPixels, font.pixelSize() > 0 ? font.pixelSize() : textPixels));
    frameHeight = sizeHeight = labelHeight = font.pixelSize() + kThumbnailLineLeading;
  }
  painter.setFont(font);

  const PaneOverlayText text = MakePaneOverlayText(content, engine_.PaneRecording(index_));
  const int textWidth = width() - 2 * margin;
  const QRect frameLine(margin, height() - margin - frameHeight, textWidth, frameHeight);
  const QRect sizeLine(margin, frameLine.top() - sizeHeight, textWidth, sizeHeight);
  // The lines stack in the bottom-right corner: recorders burn their own
  // time, speed and position into the other corners of the picture.
  const QRect labelLine(margin, sizeLine.top() - labelHeight, textWidth, labelHeight);
  const int flags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
  DrawOutlinedText(painter, frameLine, flags, QString::fromStdString(text.frameLine), colour);
  DrawOutlinedText(painter, sizeLine, flags, QString::fromStdString(text.sizeLine), colour);
  DrawOutlinedText(painter, labelLine, flags, QString::fromStdString(text.label), colour);
}

void CPaneVideo::mousePressEvent(QMouseEvent* event) {
  emit pressed(index_, event->button());
  event->accept();
}
