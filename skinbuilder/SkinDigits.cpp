#include "SkinDigits.h"

#include <QPainter>
#include <QPolygonF>
#include <array>

#include "SkinArt.h"

namespace skin {
namespace {

// Segments in the usual order a b c d e f g: top, upper right, lower right,
// bottom, lower left, upper left, middle.
constexpr std::array<uint8_t, 11> kSegments = {
    0b0111111,  // 0
    0b0000110,  // 1
    0b1011011,  // 2
    0b1001111,  // 3
    0b1100110,  // 4
    0b1101101,  // 5
    0b1111101,  // 6
    0b0000111,  // 7
    0b1111111,  // 8
    0b1101111,  // 9
    0b1000000,  // dash
};

QPolygonF Horizontal(qreal from, qreal to, qreal y, qreal t, qreal gap) {
  const qreal h = t / 2;
  return QPolygonF{{from + gap, y}, {from + gap + h, y - h}, {to - gap - h, y - h},
                   {to - gap, y},   {to - gap - h, y + h},   {from + gap + h, y + h}};
}

QPolygonF Vertical(qreal x, qreal from, qreal to, qreal t, qreal gap) {
  const qreal h = t / 2;
  return QPolygonF{{x, from + gap}, {x + h, from + gap + h}, {x + h, to - gap - h},
                   {x, to - gap},   {x - h, to - gap - h},   {x - h, from + gap + h}};
}

void DrawSegments(QPainter& painter, const QRectF& cell, uint8_t segments, const QColor& lit, qreal t) {
  const qreal padX = std::max(1.0, cell.width() * 0.14);
  const qreal padY = std::max(1.0, cell.height() * 0.06);
  const qreal left = cell.left() + padX + t / 2;
  const qreal right = cell.right() + 1 - padX - t / 2;
  const qreal top = cell.top() + padY + t / 2;
  const qreal bottom = cell.bottom() + 1 - padY - t / 2;
  const qreal middle = (top + bottom) / 2;
  const qreal gap = std::max(0.35, t * 0.18);
  const std::array<QPolygonF, 7> shapes = {
      Horizontal(left, right, top, t, gap),    Vertical(right, top, middle, t, gap),
      Vertical(right, middle, bottom, t, gap), Horizontal(left, right, bottom, t, gap),
      Vertical(left, middle, bottom, t, gap),  Vertical(left, top, middle, t, gap),
      Horizontal(left, right, middle, t, gap),
  };
  painter.save();
  // A slight forward lean, as on a car's own displays; the smallest digits
  // stay upright so their strokes keep to whole pixels.
  if (cell.height() >= 15) {
    const QPointF centre = cell.center();
    painter.translate(centre);
    painter.shear(-0.07, 0);
    painter.translate(-centre);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(lit);
  for (size_t i = 0; i < shapes.size(); ++i) {
    if (segments & (1u << i)) painter.drawPolygon(shapes[i]);
  }
  painter.restore();
}

QImage Filled(QSize cell, int cells, const QColor& background,
              const std::function<void(QPainter&, const QRectF&, int)>& paint) {
  return MakeStrip(NewPicture(cell, background), cells, paint);
}

}  // namespace

QImage SegmentDigitStrip(QSize cell, const QColor& background, const QColor& lit, qreal thickness) {
  return Filled(cell, static_cast<int>(kSegments.size()), background,
                [&](QPainter& painter, const QRectF& rect, int index) {
                  DrawSegments(painter, rect, kSegments[static_cast<size_t>(index)], lit, thickness);
                });
}

QImage SeparatorStrip(QSize cell, const QColor& background, const QColor& ink) {
  return Filled(cell, 2, background, [&](QPainter& painter, const QRectF& rect, int index) {
    const qreal dot = std::max(1.6, rect.width() * 0.34);
    const qreal x = rect.center().x() + 0.5 - dot / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    if (index == 0) {
      painter.drawRect(QRectF(x, rect.bottom() + 1 - 1 - dot, dot, dot));
    } else {
      painter.drawRect(QRectF(x, rect.top() + rect.height() * 0.3 - dot / 2, dot, dot));
      painter.drawRect(QRectF(x, rect.top() + rect.height() * 0.72 - dot / 2, dot, dot));
    }
  });
}

QImage DecimalPointCell(QSize cell, const QColor& background, const QColor& ink) {
  return Filled(cell, 1, background, [&](QPainter& painter, const QRectF& rect, int) {
    const qreal dot = std::min(rect.width() - 1, 2.4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRect(QRectF(rect.center().x() + 0.5 - dot / 2, rect.bottom() + 1 - 1.5 - dot, dot, dot));
  });
}

QImage AngleMarkStrip(QSize cell, const QColor& background, const QColor& ink) {
  return Filled(cell, 3, background, [&](QPainter& painter, const QRectF& rect, int index) {
    const qreal top = rect.top() + 2;
    const qreal cx = rect.center().x() + 0.5;
    QPen pen(ink, 1.4);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (index == 0) {
      painter.drawEllipse(QPointF(cx, top + 2.2), 1.9, 1.9);
      return;
    }
    const qreal spread = index == 1 ? 0 : 1.6;
    for (qreal dx : {-spread, spread}) {
      painter.drawLine(QPointF(cx + dx + 0.8, top), QPointF(cx + dx - 0.5, top + 4.5));
      if (spread == 0) break;
    }
  });
}

QImage WordStrip(QSize cell, const QStringList& words, const QColor& background, const QColor& ink, qreal pixelSize,
                 const QColor& firstInk) {
  const QFont font = UiFont(pixelSize, QFont::Bold);
  return Filled(cell, static_cast<int>(words.size()), background, [&](QPainter& painter, const QRectF& rect, int i) {
    const QColor colour = (i == 0 && firstInk.isValid()) ? firstInk : ink;
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect.adjusted(0, 0, 0, 0), Qt::AlignHCenter | Qt::AlignBottom, words[i]);
  });
}

}  // namespace skin
