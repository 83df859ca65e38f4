// SD Initialize from the Tool menu of the real window: the picker's Cancel
// ends it quietly, and a folder that is no removable card's root (the
// tests' card folder, which the system's own tables do not know as one) is
// refused before the card is let go or anything is asked.
#include "base/CommandIds.h"
#include "shell/ui/MainWindowFixture.h"

namespace main_window_test {
namespace {

using SdInitCommandTest = MainWindowTest;

TEST_F(SdInitCommandTest, CancelInThePickerEndsWithoutAMessage) {
  ASSERT_TRUE(OpenCard());
  const size_t before = prompt_.ShownBoxes().size();
  ASSERT_TRUE(Panel().OnCommand(kIdToolSdInit));
  EXPECT_EQ(prompt_.PickerTitles().back(), "Select SD Card Drive");
  EXPECT_EQ(prompt_.ShownBoxes().size(), before);
  EXPECT_EQ(frame_->Store().Root(), Card().string());
}

TEST_F(SdInitCommandTest, AFolderThatIsNoCardRootIsRefusedAndTheCardKept) {
  ASSERT_TRUE(OpenCard());
  const size_t before = prompt_.ShownBoxes().size();
  prompt_.QueueFolder(Card().string());
  ASSERT_TRUE(Panel().OnCommand(kIdToolSdInit));
  ASSERT_EQ(prompt_.ShownBoxes().size(), before + 1);
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Not SD Card Drive");
  EXPECT_EQ(prompt_.ShownBoxes().back().caption, "Setting");
  EXPECT_EQ(frame_->Store().Root(), Card().string()) << "the store keeps the card";
  EXPECT_FALSE(std::filesystem::is_empty(Card()));
}

}  // namespace
}  // namespace main_window_test
