#pragma once
// Where the keyboard is: the amber frame a control of the window shows while
// it has the focus, the colour the lists and fields use for theirs.
#include <QColor>
#include <QPainter>
#include <QRect>

inline const QColor kFocusFrameColour(0xF0, 0xB4, 0x3C);

inline void DrawFocusFrame(QPainter& painter, const QRect& rect) {
  painter.setPen(QPen(kFocusFrameColour, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
}
