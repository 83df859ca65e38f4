#pragma once
// The progress bar of an export dialog with its "part / parts" text beside
// it (shown while there is one), kept in step with the job's ExportProgress
// by a timer while the worker runs.

#include <QTimer>

struct ExportProgress;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QWidget;

class CExportProgressRow {
 public:
  // The bar and the text are children of dialog.
  CExportProgressRow(const ExportProgress& progress, QWidget* dialog);

  // The bar, stretched, with the text right of it.
  QHBoxLayout* MakeLayout() const;

  void Start() { poll_.start(); }
  // The bar keeps what it showed last.
  void Stop() { poll_.stop(); }
  // An empty bar and no text.
  void Clear();

  QProgressBar* Bar() const { return bar_; }
  QLabel* Status() const { return status_; }

 private:
  void Poll();

  const ExportProgress& progress_;
  QLabel* status_;
  QProgressBar* bar_;
  QTimer poll_;
};
