#include "export/render/QtCaptionPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QMessageLogContext>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdint>

namespace {

// Pixel size of the caption font: a latitude line 18 pixels above the
// longitude must not touch it.
constexpr int kFontPixels = 14;
const QColor kTextColor(255, 255, 0);
const QColor kOutlineColor(0, 0, 0);
constexpr QPoint kOutlineOffsets[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
// Room around a text's bounding box for its outline and overhanging glyphs.
constexpr int kStampMargin = 3;

// The rectangle a text is aligned in: its anchor edge on the anchor line.
QRect AnchorRect(const CaptionLine& text, int width, int height) {
  const int top = text.bottom < 0 ? text.top : 0;
  const int bottom = text.bottom < 0 ? height - 1 : text.bottom;
  switch (text.align) {
    case CaptionAlign::kLeft:
      return QRect(QPoint(text.x, top), QPoint(width - 1, bottom));
    case CaptionAlign::kRight:
      return QRect(QPoint(0, top), QPoint(text.x - 1, bottom));
    case CaptionAlign::kCenter:
      break;
  }
  const int half = std::min(text.x, width - text.x);
  return QRect(QPoint(text.x - half, top), QPoint(text.x + half - 1, bottom));
}

int AlignmentFlags(const CaptionLine& text) {
  int flags = text.bottom < 0 ? Qt::AlignTop : Qt::AlignBottom;
  if (text.align == CaptionAlign::kLeft) return flags | Qt::AlignLeft;
  if (text.align == CaptionAlign::kRight) return flags | Qt::AlignRight;
  return flags | Qt::AlignHCenter;
}

bool SameLine(const CaptionLine& a, const CaptionLine& b) {
  return a.text == b.text && a.align == b.align && a.x == b.x && a.bottom == b.bottom && a.top == b.top;
}

}  // namespace

struct QtCaptionPainter::Fonts {
  QFont caption;
};

QtCaptionPainter::QtCaptionPainter() : fonts_(std::make_unique<Fonts>()) {
  fonts_->caption = QFont(QStringLiteral("DejaVu Sans"));
  fonts_->caption.setPixelSize(kFontPixels);
  fonts_->caption.setBold(true);
  // Whole pixels of one colour: the outline stays a clean border and the
  // encoder sees no fringe.
  fonts_->caption.setStyleStrategy(QFont::NoAntialias);
}

QtCaptionPainter::~QtCaptionPainter() = default;

std::vector<CaptionStamp> QtCaptionPainter::Render(int width, int height, const std::vector<CaptionLine>& texts) {
  std::vector<CaptionStamp> stamps;
  if (width <= 0 || height <= 0) return stamps;
  std::vector<Drawn> drawn;
  drawn.reserve(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    const CaptionLine& text = texts[i];
    Drawn now;
    if (i < last_.size() && last_[i].width == width && last_[i].height == height && SameLine(last_[i].line, text)) {
      now = std::move(last_[i]);
    } else {
      now.line = text;
      now.width = width;
      now.height = height;
      std::optional<CaptionStamp> stamp = RenderOne(width, height, text);
      now.empty = !stamp;
      if (stamp) now.stamp = std::move(*stamp);
    }
    if (!now.empty) stamps.push_back(now.stamp);
    drawn.push_back(std::move(now));
  }
  last_ = std::move(drawn);
  return stamps;
}

std::optional<CaptionStamp> QtCaptionPainter::RenderOne(int width, int height, const CaptionLine& text) {
  const QFontMetrics metrics(fonts_->caption);
  const QString words = QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size()));
  const QRect anchor = AnchorRect(text, width, height);
  const int flags = AlignmentFlags(text) | Qt::TextSingleLine | Qt::TextDontClip;
  // The outline's pixel and a glyph's overhang beyond its advance.
  const QRect box = metrics.boundingRect(anchor, flags, words)
                        .adjusted(-kStampMargin, -kStampMargin, kStampMargin, kStampMargin)
                        .intersected(QRect(0, 0, width, height));
  if (box.isEmpty()) return std::nullopt;
  QImage picture(box.size(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter.setFont(fonts_->caption);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.translate(-box.topLeft());
    painter.setPen(kOutlineColor);
    for (const QPoint& offset : kOutlineOffsets) painter.drawText(anchor.translated(offset), flags, words);
    painter.setPen(kTextColor);
    painter.drawText(anchor, flags, words);
  }
  CaptionStamp stamp;
  stamp.x = box.x();
  stamp.y = box.y();
  stamp.width = box.width();
  stamp.height = box.height();
  stamp.pixels.resize(static_cast<size_t>(stamp.width) * static_cast<size_t>(stamp.height));
  for (int y = 0; y < stamp.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(picture.constScanLine(y));
    std::copy(row, row + stamp.width, stamp.pixels.begin() + static_cast<std::ptrdiff_t>(y) * stamp.width);
  }
  return stamp;
}

void QtCaptionPainter::Draw(unsigned char* pixels, int width, int height, const std::vector<CaptionLine>& texts) {
  if (!pixels || width <= 0 || height <= 0 || texts.empty()) return;
  StampBgr(pixels, width, height, Render(width, height, texts));
}

bool EnsureTextRendering() {
  if (QGuiApplication::instance()) return true;
  static int argc = 3;
  static char name[] = "korvane-cli";
  static char option[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  // Making it complains about a desktop session the offscreen platform
  // never uses; a command-line tool keeps stderr for its own messages.
  const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  qInstallMessageHandler(previous);
  return application != nullptr;
}
