#pragma once
// The delete-files dialog: a progress bar under the title "Delete Files ...".
// Half a second after it opens it counts the files to delete, then deletes
// them on its worker thread and ends itself with OK. It has no buttons; Esc
// and the close box do nothing while it works.
#include <QDialog>
#include <QTimer>
#include <atomic>
#include <filesystem>

#include "platform/WorkerThread.h"
#include "platform/ui/QtPorts.h"
#include "tools/DeleteFiles.h"

class QProgressBar;

class CDlgDelFiles : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kCountDelayMs = 500;
  static constexpr int kPollMs = 20;

  // root: the card's root; deleteVideo: the files of ch1/event and
  // ch1/normal; deleteLogs: the files of log. Run with exec().
  CDlgDelFiles(std::filesystem::path root, bool deleteVideo, bool deleteLogs, QWidget* parent);
  ~CDlgDelFiles() override;

  QProgressBar* ProgressBar() const { return bar_; }
  // How many files were deleted, once the dialog has ended.
  int Deleted() const { return deleted_.load(); }

 public slots:
  void reject() override {}

 private:
  void CountAndStart();
  void Poll();

  DeleteFilesJob job_;
  QProgressBar* bar_;
  QTimer count_;
  QTimer poll_;
  std::atomic<int> low_{0};
  std::atomic<int> high_{0};
  std::atomic<int> pos_{0};
  std::atomic<int> deleted_{0};
  QtUiQueue queue_;
  // Last: its destructor waits for the thread that writes the atomics above.
  WorkerThread worker_;
};
