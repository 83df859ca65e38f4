#pragma once
// Runs a start-up step once the window has first been drawn on the screen,
// so that what can wait (opening the card named on the command line) does
// not keep the window blank. A window that is never exposed (started
// minimised, or a platform that never says) gets the step after a second.

#include <functional>

class QWidget;

void RunAfterFirstPaint(QWidget& window, std::function<void()> step);
