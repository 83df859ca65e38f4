// What the window shows once the card it showed is gone: refused in favour
// of a folder that is no card, or pulled out. Nothing loaded is left, so
// the search window is back at its lists, not at an empty loaded list.
#include "playback/ui/FileListView.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxCheckButton.h"
#include "skin/ui/VxListBox.h"

namespace main_window_test {
namespace {

class CardGoneTest : public MainWindowTest {
 protected:
  void ExpectTheFileLists() const {
    CWndSearch& search = Search();
    EXPECT_FALSE(search.IsShowingLoadedList());
    EXPECT_TRUE(search.LoadButton()->isVisible());
    EXPECT_FALSE(search.CloseButton()->isVisible());
    EXPECT_FALSE(search.LoadedRecordingsBox()->isVisible());
    EXPECT_FALSE(search.LoadedLogsBox()->isVisible());
    EXPECT_TRUE(search.FileListWidget(FileListKind::kEvent)->isVisible());
    EXPECT_TRUE(search.FileListWidget(FileListKind::kEvent)->isEnabled());
    EXPECT_TRUE(search.TabButton(FileListKind::kEvent)->isVisible());
    EXPECT_TRUE(search.TabButton(FileListKind::kNormal)->isVisible());
  }
};

TEST_F(CardGoneTest, AFolderThatIsNoCardLeavesTheListsUp) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  ASSERT_TRUE(Search().IsShowingLoadedList());
  std::filesystem::create_directories(dir_ / "empty");
  EXPECT_FALSE(frame_->OpenFolder(QString::fromStdString((dir_ / "empty").string())));
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Invalid drive recorder folder.");
  ExpectTheFileLists();

  // The same after logs were loaded, which keep the log list up.
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kLog, 1);
  ASSERT_EQ(app_.viewMode, kViewModeLog);
  EXPECT_FALSE(frame_->OpenFolder(QString::fromStdString((dir_ / "empty").string())));
  ExpectTheFileLists();
}

TEST_F(CardGoneTest, APulledCardLeavesTheListsUp) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kNormal, 1);
  ASSERT_TRUE(Search().IsShowingLoadedList());
  WriteMountTable(false);
  frame_->Media().Rescan();
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Media has been removed.");
  ExpectTheFileLists();
}

}  // namespace
}  // namespace main_window_test
