#include "export/render/QtCaptionPainter.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QMessageLogContext>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <algorithm>

namespace {

// Pixel size of the caption font: a latitude line 18 pixels above the
// longitude must not touch it.
constexpr int kFontPixels = 14;
const QColor kTextColor(255, 255, 0);
const QColor kOutlineColor(0, 0, 0);
constexpr QPoint kOutlineOffsets[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};

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

void QtCaptionPainter::Draw(unsigned char* pixels, int width, int height, const std::vector<CaptionLine>& texts) {
  if (!pixels || width <= 0 || height <= 0 || texts.empty()) return;
  QImage picture(pixels, width, height, width * 3, QImage::Format_BGR888);
  QPainter painter(&picture);
  painter.setFont(fonts_->caption);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  for (const CaptionLine& text : texts) {
    const QString words = QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size()));
    const QRect anchor = AnchorRect(text, width, height);
    const int flags = AlignmentFlags(text) | Qt::TextSingleLine | Qt::TextDontClip;
    painter.setPen(kOutlineColor);
    for (const QPoint& offset : kOutlineOffsets) painter.drawText(anchor.translated(offset), flags, words);
    painter.setPen(kTextColor);
    painter.drawText(anchor, flags, words);
  }
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
