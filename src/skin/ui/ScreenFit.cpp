#include "skin/ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// What a window manager's decoration usually takes beside the window.
constexpr int kDecorationHeight = 40;
constexpr int kDecorationWidth = 12;

}  // namespace

void ResizeWithinScreen(QWidget& window, QSize wanted) {
  const QWidget* anchor = window.parentWidget() ? window.parentWidget()->window() : &window;
  const QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
  if (!screen) {
    window.resize(wanted);
    return;
  }
  const QRect free = screen->availableGeometry();
  window.resize(std::min(wanted.width(), free.width() - kDecorationWidth),
                std::min(wanted.height(), free.height() - kDecorationHeight));
}
