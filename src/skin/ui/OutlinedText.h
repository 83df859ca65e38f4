#pragma once
// Text on the skin is outlined so that it reads on any artwork: drawn four
// times in the outline colour, one pixel up, right, down and left, then
// once in its own colour.
#include <QColor>
#include <QPainter>
#include <QString>

inline void DrawOutlinedText(QPainter& painter, QPoint baseline, const QString& text, const QColor& colour,
                             const QColor& outline) {
  painter.setPen(outline);
  for (QPoint offset : {QPoint(0, -1), QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0)}) {
    painter.drawText(baseline + offset, text);
  }
  painter.setPen(colour);
  painter.drawText(baseline, text);
}
