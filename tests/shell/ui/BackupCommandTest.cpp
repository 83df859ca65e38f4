// The Backup button and Tool menu item of the real window: without a card
// they say so; with one, the backup dialog opens on the recordings ticked
// in the file lists, and both of its modes run to the end from the button.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "base/CommandIds.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxListBox.h"
#include "tools/BackupJob.h"
#include "tools/ui/DlgBackup.h"

namespace main_window_test {
namespace {

using BackupCommandTest = MainWindowTest;

// What the backup dialog showed when it opened; the test closes it at once.
struct SeenBackup {
  bool opened = false;
  int events = -1;
  int normals = -1;
};

TEST_F(BackupCommandTest, WithoutACardTheButtonSaysNoEventIsLoaded) {
  CVxButton* button = Parts().Button(kIdBackup);
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isEnabled());
  button->click();
  ASSERT_FALSE(prompt_.ShownBoxes().empty());
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "No Event is loaded");
  EXPECT_EQ(prompt_.ShownBoxes().back().caption, "Backup");
}

TEST_F(BackupCommandTest, TheDialogOpensOnTheTickedRecordings) {
  ASSERT_TRUE(OpenCard());
  CListEvent& events = Engine().List(FileListKind::kEvent);
  ASSERT_GE(events.RowCount(), 2);
  events.SetChecked(0, true);
  events.SetChecked(1, true);

  auto seen = std::make_shared<SeenBackup>();
  QTimer::singleShot(0, [seen] {
    auto* dialog = qobject_cast<CDlgBackup*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen->opened = true;
    seen->events = dialog->EventList()->RowCount();
    seen->normals = dialog->NormalList()->RowCount();
    dialog->CloseButton()->click();
  });
  ASSERT_TRUE(Panel().OnCommand(kIdToolBackup));
  EXPECT_TRUE(seen->opened);
  EXPECT_EQ(seen->events, 2);
  EXPECT_EQ(seen->normals, 0);
}

int FilesIn(const std::filesystem::path& folder) {
  std::error_code error;
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) count += entry.is_regular_file();
  return count;
}

// Presses the button; once the dialog is up, act sets it up and presses
// Start. The dialog ends itself with OK after "Backup OK".
void RunBackupFromTheButton(CMainFrame& frame, const std::function<void(CDlgBackup&)>& act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<CDlgBackup*>(QApplication::activeModalWidget());
    if (!dialog) return;
    act(*dialog);
    dialog->StartButton()->click();
  });
  CVxButton* button = frame.BackPanel().Parts().Button(kIdBackup);
  ASSERT_NE(button, nullptr);
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(QDialog::Rejected);
  });
  guard.start(20000);
  button->click();
}

TEST_F(BackupCommandTest, BothModesRunToTheEndFromTheButton) {
  const std::filesystem::path target = dir_ / "target";
  std::filesystem::create_directories(target);
  settings_->SetBackupFolder(target.string());
  ASSERT_TRUE(OpenCard());
  CListEvent& events = Engine().List(FileListKind::kEvent);
  ASSERT_EQ(events.RowCount(), 3);
  events.SetChecked(0, true);
  events.SetChecked(1, true);

  std::string selectedLabel;
  RunBackupFromTheButton(*frame_,
                         [&](CDlgBackup& dialog) { selectedLabel = dialog.SizeLabel()->text().toStdString(); });
  Reactivate();
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Backup OK");
  EXPECT_EQ(FilesIn(target / "CH1/event"), 4) << "two events, data and index each";
  EXPECT_EQ(FilesIn(target / "CH1/normal"), 0);
  BackupJob selected(Card());
  selected.Select(BackupSelectionFromPaths(events.CheckedPaths(), {}, {}));
  EXPECT_EQ(selectedLabel, selected.SizeLabel());

  std::string wholeLabel;
  // The files copied before are asked about; the scripted answer is Yes.
  RunBackupFromTheButton(*frame_, [&](CDlgBackup& dialog) {
    dialog.BackupAllBox()->setChecked(true);
    wholeLabel = dialog.SizeLabel()->text().toStdString();
  });
  Reactivate();
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Backup OK");
  BackupJob whole(Card());
  whole.SelectAll();
  EXPECT_EQ(wholeLabel, whole.SizeLabel());
  EXPECT_EQ(FilesIn(target / "CH1/event"), FilesIn(Card() / "ch1/event"));
  EXPECT_EQ(FilesIn(target / "CH1/normal"), FilesIn(Card() / "ch1/normal"));
  EXPECT_EQ(FilesIn(target / "log"), FilesIn(Card() / "log"));
  EXPECT_TRUE(std::filesystem::exists(target / "config/set.ini"));
}

}  // namespace
}  // namespace main_window_test
