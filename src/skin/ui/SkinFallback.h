#pragma once
// What a skin control paints when its picture is missing, so that a broken
// skin package leaves every control visible and usable.
#include <QColor>
#include <QPainter>
#include <QRectF>

namespace skin_fallback {

inline const QColor kFace(58, 58, 62);
inline const QColor kFaceLit(88, 92, 104);
inline const QColor kEdge(120, 120, 128);

// A dark rounded face, lighter while lit (pressed, hovering, checked).
inline void DrawFace(QPainter& painter, const QRectF& rect, bool lit) {
  constexpr qreal kRadius = 4.0;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(kEdge);
  painter.setBrush(lit ? kFaceLit : kFace);
  painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
  painter.restore();
}

}  // namespace skin_fallback
