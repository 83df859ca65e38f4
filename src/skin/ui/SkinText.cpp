#include "skin/ui/SkinText.h"

#include <QFontMetrics>
#include <QPainter>

#include "skin/SkinWords.h"
#include "skin/ui/AppFonts.h"

namespace {

// Below this a word is no longer read; it is drawn there, cut if it must.
constexpr int kSmallestPixelSize = 6;

int Flags(const SkinTextLook& look) { return look.alignment | (look.wrap ? Qt::TextWordWrap : Qt::TextSingleLine); }

QFont SkinFont(const SkinTextLook& look) {
  QFont font = AppFont(AppFontId::kNormal);
  font.setWeight(look.weight);
  return font;
}

}  // namespace

int SkinTextWidth(const QString& text, const SkinTextLook& look, int pixelSize) {
  QFont font = SkinFont(look);
  font.setPixelSize(pixelSize);
  return QFontMetrics(font).horizontalAdvance(text);
}

QFont FittedSkinFont(const QString& text, const QRect& box, const SkinTextLook& look) {
  QFont font = SkinFont(look);
  const int size = FittingPixelSize(look.pixelSize, kSmallestPixelSize, [&](int pixels) {
    font.setPixelSize(pixels);
    const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), 1 << 16), Flags(look), text);
    return needed.width() <= box.width() && needed.height() <= box.height();
  });
  font.setPixelSize(size);
  return font;
}

void DrawSkinText(QPainter& painter, const QRect& box, const QString& text, const SkinTextLook& look) {
  if (text.isEmpty() || box.isEmpty()) return;
  painter.save();
  painter.setFont(FittedSkinFont(text, box, look));
  if (look.outline.isValid()) {
    painter.setPen(look.outline);
    for (QPoint offset : {QPoint(0, -1), QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0)})
      painter.drawText(box.translated(offset), Flags(look), text);
  }
  painter.setPen(look.colour);
  painter.drawText(box, Flags(look), text);
  painter.restore();
}
