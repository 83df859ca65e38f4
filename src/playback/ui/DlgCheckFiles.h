#pragma once
// The check-files dialog every scan runs: a progress bar over the card's
// files, the verify box (ticked at start; unticking it lets the rest of the
// pass list files without checking them) and a Cancel button that does the
// same without closing the box. It starts the pass shortly after it opened,
// so that a user who does not want the files checked can untick the box
// first, and closes itself once the pass is done.
#include <QDialog>
#include <QTimer>

#include "recording/MgrDBSearch.h"

class CheckFilesPass;
class QCheckBox;
class QProgressBar;
class QPushButton;

class CDlgCheckFiles : public QDialog {
  Q_OBJECT

 public:
  // How long after opening the pass starts.
  static constexpr int kStartDelayMs = 500;
  static constexpr int kPollMs = 30;

  CDlgCheckFiles(CheckFilesPass& pass, QWidget* parent);
  ~CDlgCheckFiles() override;

  // Runs the dialog until the pass has ended; the pass's worker has been
  // joined when this returns.
  void RunPass();

  QCheckBox* VerifyBox() const { return verify_; }
  QPushButton* CancelButton() const { return cancel_; }
  QProgressBar* ProgressBar() const { return bar_; }

 public slots:
  // Esc acts as Cancel: the pass goes on unchecked and the box stays.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void StartPass();
  void Poll();

  CheckFilesPass& pass_;
  QProgressBar* bar_;
  QCheckBox* verify_;
  QPushButton* cancel_;
  QTimer start_;
  QTimer poll_;
};

// The store's check-files runner with the dialog over parent.
CheckFilesRunner MakeQtCheckFilesRunner(QWidget* parent);
