#pragma once
// A window's size kept inside the screen it opens on, with room for the
// window manager's title bar and border, so that its buttons stay in reach
// on a small desktop (1024 x 768).
#include <QSize>

class QWidget;

// Resizes window to wanted, less what the screen's free area cannot hold.
void ResizeWithinScreen(QWidget& window, QSize wanted);
