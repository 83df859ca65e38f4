#pragma once
// The loading dialog: one modal box per file with the kind's caption, a
// progress bar driven by the reader and a Cancel button. It is the reader's
// observer. The reader reports from its own threads, so every report only
// writes an atomic here; a timer on the user-interface thread carries the
// values to the bar and notices the end of the load. No Qt object is ever
// touched from a reader thread.
//
// The box shows for every kind, video ones included: a load of a long
// recording takes seconds, and a hidden modal box would leave the user with
// a window that does not answer and no way to cancel.
#include <QDialog>
#include <QTimer>
#include <atomic>

#include "playback/LoadingDialogModel.h"
#include "playback/LoadingDialogRunner.h"
#include "recording/LoadObserver.h"

class QProgressBar;
class QPushButton;

class CDlgLoading : public QDialog, public LoadObserver {
  Q_OBJECT

 public:
  // How often the reader's reports are carried to the screen.
  static constexpr int kPollMs = 20;

  CDlgLoading(LoadingDialogModel& model, QWidget* parent);

  // Starts the reader and runs the dialog until the load has ended; the
  // model's result (loaded, cancelled, failed).
  LoadResult RunLoad();

  QProgressBar* ProgressBar() const { return bar_; }
  QPushButton* CancelButton() const { return cancel_; }

  // LoadObserver, called from the reader's threads.
  void PostLoadEnded() override { ended_.store(true); }
  void SetProgressRange(int low, int high) override;
  void SetProgressPos(int pos) override { pos_.store(pos); }
  void ShowProgress() override { shown_.store(true); }

 public slots:
  // Esc and the window's close box ask the reader to stop, as Cancel does;
  // the box stays until the reader has ended.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Poll();

  LoadingDialogModel& model_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  QTimer poll_;
  std::atomic<bool> ended_{false};
  std::atomic<int> low_{0};
  std::atomic<int> high_{0};
  std::atomic<int> pos_{0};
  std::atomic<bool> shown_{false};
  LoadResult result_ = LoadResult::kFailed;
};

// What the search window's loading runs each file under.
class QtLoadingDialogRunner final : public LoadingDialogRunner {
 public:
  explicit QtLoadingDialogRunner(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  LoadResult Run(LoadingDialogModel& model) override;
  void CancelShown() override;

 private:
  QWidget* parent_;
  CDlgLoading* shown_ = nullptr;
};
