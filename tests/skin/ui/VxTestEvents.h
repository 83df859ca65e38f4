#pragma once
// Mouse input and pixel reading for the skin control tests, without a real
// pointer: events go straight to the widget, paints go to an image.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace vx_test {

inline void Mouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton,
                  Qt::MouseButtons held = Qt::NoButton) {
  QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}
inline void Move(QWidget& widget, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
  Mouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}
inline void Press(QWidget& widget, QPoint at) {
  Mouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}
inline void Release(QWidget& widget, QPoint at) { Mouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton); }

inline QImage Paint(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Runs the event loop for a while, so that timers fire.
inline void Spin(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A strip of equal cells, each a flat colour, so a painted pixel tells the cell.
inline QImage ColourStrip(const std::vector<QColor>& colours, int cellWidth, int height) {
  QImage strip(cellWidth * static_cast<int>(colours.size()), height, QImage::Format_RGB32);
  QPainter painter(&strip);
  for (size_t i = 0; i < colours.size(); ++i)
    painter.fillRect(static_cast<int>(i) * cellWidth, 0, cellWidth, height, colours[i]);
  return strip;
}

}  // namespace vx_test
