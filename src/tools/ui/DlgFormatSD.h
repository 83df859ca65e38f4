#pragma once
// The format dialog: the file system, the card's device, "Quick Format",
// "Backup configuration file" (ticked and free only where the card's
// settings may be put back), a progress bar with the percent beside it, and
// Start, Cancel and Close. Start runs the format on its worker thread; only
// a full format can be cancelled. The dialog ends with OK after a
// successful format; after a failure or a cancel it stays open for another
// try. While the format runs the main window's busy mark is set, so that the
// card leaving the system is not taken for the user pulling it.
#include <QDialog>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/WorkerThread.h"
#include "platform/ui/QtPorts.h"
#include "tools/CardBusyMark.h"
#include "tools/FormatRun.h"

class Prompt;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

class CDlgFormatSD : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPollMs = 50;

  // target: what is formatted, already checked. formatter outlives the
  // dialog. askCardType: the card-type question, asked before the format
  // starts when the card's size is unknown. busy: held while the format
  // runs (none: nobody watches the card).
  CDlgFormatSD(FormatTarget target, bool restoreAllowed, CardFormatter& formatter, Prompt& prompt,
               CardTypeQuestion askCardType, QWidget* parent, CardBusyMark* busy = nullptr);
  ~CDlgFormatSD() override;

  QLabel* DriveLabel() const { return drive_; }
  QLabel* StatusLabel() const { return status_; }
  QCheckBox* QuickBox() const { return quick_; }
  QCheckBox* BackupBox() const { return backup_; }
  QProgressBar* ProgressBar() const { return bar_; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* CloseButton() const { return close_; }
  bool Formatting() const { return worker_.Running(); }

  // After OK: whether the settings are to be put back, and where the card is
  // mounted now.
  bool RestoreTicked() const;
  const FormatOutcome& Outcome() const { return outcome_.format; }

 public slots:
  // Esc and the close box: Cancel while formatting (the box stays), else Close.
  void reject() override;

 private:
  void OnStart();
  void OnEnded();
  void Poll();
  void SetFormatting(bool formatting, bool cancellable);

  FormatTarget target_;
  bool restoreAllowed_;
  CardBusyMark* busy_;
  // While the format runs.
  std::optional<CardBusyMark::Hold> busyHold_;
  CardFormatter& formatter_;
  Prompt& prompt_;
  CardTypeQuestion askCardType_;
  QLabel* drive_;
  QLabel* status_;
  QCheckBox* quick_;
  QCheckBox* backup_;
  QProgressBar* bar_;
  QPushButton* start_;
  QPushButton* cancel_;
  QPushButton* close_;
  QTimer poll_;
  std::atomic<int> percent_{0};
  FormatRunOutcome outcome_;
  QtUiQueue queue_;
  // Last: its destructor waits for the thread that writes the members above.
  WorkerThread worker_;
};
