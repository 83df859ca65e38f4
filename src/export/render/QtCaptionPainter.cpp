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
// Room around a text's bounding box for its outline and overhanging glyphs.
constexpr int kStampMargin = 3;
constexpr int kOpaqueAlpha = 255;

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

// A pixel of the outlined text from the text drawn once: the text where it
// is drawn, over black where the text lies one pixel up, right, down or
// left of it, as drawing the text in black at those offsets and then in
// yellow in place gives. `above` and `below` are the drawn rows next to
// `row`, each with a pixel beside x on either side.
uint32_t OutlinedPixel(const QRgb* above, const QRgb* row, const QRgb* below, int x) {
  const QRgb drawn = row[x];
  if (qAlpha(drawn) == kOpaqueAlpha) return drawn;
  const bool outlined =
      qAlpha(above[x]) != 0 || qAlpha(row[x + 1]) != 0 || qAlpha(below[x]) != 0 || qAlpha(row[x - 1]) != 0;
  if (!outlined) return drawn;
  // Premultiplied text over opaque black keeps the text's colour and is
  // opaque.
  return qRgba(qRed(drawn), qGreen(drawn), qBlue(drawn), kOpaqueAlpha);
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
  // The text once, with a pixel of room all round: the outline of a pixel
  // at the box's edge may come from text beyond it.
  const QRect around = box.adjusted(-1, -1, 1, 1);
  QImage drawn(around.size(), QImage::Format_ARGB32_Premultiplied);
  drawn.fill(Qt::transparent);
  {
    QPainter painter(&drawn);
    painter.setFont(fonts_->caption);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.translate(-around.topLeft());
    painter.setPen(kTextColor);
    painter.drawText(anchor, flags, words);
  }
  CaptionStamp stamp;
  stamp.x = box.x();
  stamp.y = box.y();
  stamp.width = box.width();
  stamp.height = box.height();
  stamp.pixels.resize(static_cast<size_t>(stamp.width) * static_cast<size_t>(stamp.height));
  // The drawn text has a pixel of room around the stamp.
  const auto line = [&](int y) { return reinterpret_cast<const QRgb*>(drawn.constScanLine(y)); };
  for (int y = 0; y < stamp.height; ++y) {
    uint32_t* out = stamp.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(stamp.width);
    const QRgb* above = line(y);
    const QRgb* row = line(y + 1);
    const QRgb* below = line(y + 2);
    for (int x = 0; x < stamp.width; ++x) out[x] = OutlinedPixel(above, row, below, x + 1);
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
