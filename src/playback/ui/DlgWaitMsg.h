#pragma once
// A small box with one line of text, shown over its parent while work runs
// on the user-interface thread (the log graph being built), so the user sees
// why the window does not answer.
#include <QDialog>
#include <functional>

class QLabel;

class CDlgWaitMsg : public QDialog {
  Q_OBJECT

 public:
  CDlgWaitMsg(const QString& text, QWidget* parent);

  QString Text() const;

  // Shows the box, lets it paint once, runs work and takes the box down.
  static void Run(const QString& text, QWidget* parent, const std::function<void()>& work);

 private:
  QLabel* label_;
};
