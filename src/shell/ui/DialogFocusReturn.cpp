#include "shell/ui/DialogFocusReturn.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QWidget>

DialogFocusReturn::DialogFocusReturn(QWidget* mainWindow) : QObject(mainWindow), mainWindow_(mainWindow) {
  qApp->installEventFilter(this);
}

DialogFocusReturn::~DialogFocusReturn() { qApp->removeEventFilter(this); }

bool DialogFocusReturn::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && qobject_cast<QDialog*>(watched) && static_cast<QWidget*>(watched)->isWindow()) {
    // Once the closing dialog is gone from the modal stack.
    QTimer::singleShot(0, this, &DialogFocusReturn::ReturnFocus);
  }
  return QObject::eventFilter(watched, event);
}

void DialogFocusReturn::ReturnFocus() {
  if (QApplication::activePopupWidget()) return;
  QWidget* target = QApplication::activeModalWidget();
  if (!target) target = mainWindow_;
  if (!target || !target->isVisible() || QApplication::activeWindow() == target) return;
  target->raise();
  target->activateWindow();
}
