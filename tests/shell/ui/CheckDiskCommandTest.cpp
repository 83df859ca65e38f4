// The disk check from the Tool menu of the real window: without a card it
// says so under the dialog's title; a card folder that is no removable
// card's device (the tests' temporary folder) is refused before any dialog
// opens.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "base/CommandIds.h"
#include "shell/ui/MainWindowFixture.h"
#include "tools/ui/DlgCheckDisk.h"

namespace main_window_test {
namespace {

using CheckDiskCommandTest = MainWindowTest;

TEST_F(CheckDiskCommandTest, WithoutACardTheMenuItemSaysNoEventIsLoaded) {
  ASSERT_TRUE(Panel().OnCommand(kIdToolCheckDisk));
  ASSERT_FALSE(prompt_.ShownBoxes().empty());
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "No Event is loaded");
  EXPECT_EQ(prompt_.ShownBoxes().back().caption, "Check Disk");
}

TEST_F(CheckDiskCommandTest, AFolderThatIsNoCardIsRefusedWithoutADialog) {
  ASSERT_TRUE(OpenCard());
  const size_t before = prompt_.ShownBoxes().size();
  auto opened = std::make_shared<bool>(false);
  QTimer::singleShot(0, [opened] {
    if (auto* dialog = qobject_cast<CDlgCheckDisk*>(QApplication::activeModalWidget())) {
      *opened = true;
      dialog->CloseButton()->click();
    }
  });
  ASSERT_TRUE(Panel().OnCommand(kIdToolCheckDisk));
  EXPECT_FALSE(*opened);
  ASSERT_EQ(prompt_.ShownBoxes().size(), before + 1);
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Not SD Card Drive");
  EXPECT_EQ(prompt_.ShownBoxes().back().caption, "Check Disk");
}

}  // namespace
}  // namespace main_window_test
