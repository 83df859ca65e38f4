#pragma once
// The backup dialog: the recordings chosen in the file lists (or, with
// "Backup All", the whole card), the target folder, the size to copy, and
// two bars while a backup runs on its worker thread. It ends with OK only
// after a backup that reported "Backup OK"; however it ends, the folder is
// kept for next time.
#include <QDialog>
#include <QTimer>
#include <filesystem>

#include "platform/ui/QtPorts.h"
#include "tools/BackupJob.h"
#include "tools/BackupMessages.h"
#include "tools/BackupTask.h"

class CAppSetting;
class CVxListBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class CDlgBackup : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPollMs = 30;

  // card: the open card's root. selection: the recordings ticked in the
  // file lists (BackupSelectionFromPaths makes it from their paths).
  // wholeCard: open with "Backup All" ticked. setting: the folder field
  // starts from its backup folder, and Close stores the field there.
  // prompt: the messages, the overwrite question and the folder picker.
  CDlgBackup(std::filesystem::path card, BackupSelection selection, bool wholeCard, CAppSetting& setting,
             Prompt& prompt, QWidget* parent);
  ~CDlgBackup() override;

  QLineEdit* FolderField() const { return folder_; }
  QCheckBox* BackupAllBox() const { return all_; }
  QLabel* SizeLabel() const { return size_; }
  QProgressBar* FileBar() const { return fileBar_; }
  QProgressBar* OverallBar() const { return overallBar_; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* CloseButton() const { return close_; }
  QPushButton* BrowseButton() const { return browse_; }
  CVxListBox* EventList() const { return events_; }
  CVxListBox* NormalList() const { return normals_; }
  CVxListBox* LogList() const { return logs_; }
  bool Copying() const { return task_.Running(); }

 public slots:
  // Esc and the close box: Cancel while copying (the box stays), else Close.
  void reject() override;
  // Every way out passes here: the folder field is stored.
  void done(int result) override;

 private:
  void OnStart();
  void OnClose();
  void OnBrowse();
  void OnBackupAll(bool ticked);
  void OnEnded(const BackupResult& result);
  void Poll();
  void SetCopying(bool copying);
  void Show(const LangText& message);

  BackupJob job_;
  BackupSelection selection_;
  CAppSetting& setting_;
  Prompt& prompt_;
  QtUiQueue queue_;
  BackupTask task_;
  QLabel* eventCaption_;
  QLabel* normalCaption_;
  QLabel* logCaption_;
  CVxListBox* events_;
  CVxListBox* normals_;
  CVxListBox* logs_;
  QLineEdit* folder_;
  QPushButton* browse_;
  QCheckBox* all_;
  QLabel* size_;
  QProgressBar* fileBar_;
  QProgressBar* overallBar_;
  QPushButton* start_;
  QPushButton* cancel_;
  QPushButton* close_;
  QTimer poll_;
};
