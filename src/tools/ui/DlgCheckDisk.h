#pragma once
// The disk-check dialog: the card's device (or image), a progress bar with
// the percent beside it, and Start, Cancel and Close. Start runs the check
// on its worker thread; Cancel ends the check and leaves the card as it
// was. The result is told in a message box; the dialog ends with OK only
// after a successful check, and waits for the user after a failure or a
// cancel.
#include <QDialog>
#include <QTimer>
#include <atomic>

#include "platform/ChildRunner.h"
#include "platform/WorkerThread.h"
#include "platform/ui/QtPorts.h"
#include "tools/DiskCheckJob.h"

class Prompt;
class QLabel;
class QProgressBar;
class QPushButton;

class CDlgCheckDisk : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPollMs = 50;

  // target: resolved and not refused. targets and runner outlive the dialog.
  CDlgCheckDisk(DiskCheckTarget target, const DiskCheckTargets& targets, ChildRunner& runner, Prompt& prompt,
                QWidget* parent);
  ~CDlgCheckDisk() override;

  QLabel* DriveLabel() const { return drive_; }
  QLabel* StatusLabel() const { return status_; }
  QProgressBar* ProgressBar() const { return bar_; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* CloseButton() const { return close_; }
  bool Checking() const { return worker_.Running(); }
  // The last check's outcome, once it has ended.
  const DiskCheckOutcome& Outcome() const { return outcome_; }

 public slots:
  // Esc and the close box: Cancel while checking (the box stays), else Close.
  void reject() override;

 private:
  void OnStart();
  void OnEnded();
  void Poll();
  void SetChecking(bool checking);
  void TellWhereTheCardIs();

  DiskCheckJob job_;
  DiskCheckTarget target_;
  Prompt& prompt_;
  QLabel* drive_;
  QLabel* status_;
  QProgressBar* bar_;
  QPushButton* start_;
  QPushButton* cancel_;
  QPushButton* close_;
  QTimer poll_;
  std::atomic<int> percent_{0};
  DiskCheckOutcome outcome_;
  QtUiQueue queue_;
  // Last: its destructor waits for the thread that writes the members above.
  WorkerThread worker_;
};
