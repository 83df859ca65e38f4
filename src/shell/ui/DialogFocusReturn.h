#pragma once
// Gives the keyboard back when a dialog closes: to the dialog still open
// below it, else to the main window, so its accelerators (Ctrl+P, Alt+T)
// answer at once. A window manager may hand the activation to another
// program, or to none at all for a frameless main window; Qt does not take
// it back by itself.
#include <QObject>
#include <QPointer>

class QWidget;

class DialogFocusReturn final : public QObject {
  Q_OBJECT

 public:
  // Watches every dialog of the application for as long as it lives.
  explicit DialogFocusReturn(QWidget* mainWindow);
  ~DialogFocusReturn() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ReturnFocus();

  QPointer<QWidget> mainWindow_;
};
