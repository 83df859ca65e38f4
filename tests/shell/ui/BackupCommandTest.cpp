// The Backup button and Tool menu item of the real window: without a card
// they say so; with one, the backup dialog opens on the recordings ticked
// in the file lists.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "base/CommandIds.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxListBox.h"
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

}  // namespace
}  // namespace main_window_test
