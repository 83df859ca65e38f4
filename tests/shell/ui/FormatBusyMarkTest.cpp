// While a card is being formatted it leaves the system and comes back; the
// window does not take that for the user pulling it. Once the mark is
// cleared, a card that is really gone is reported again.
#include "shell/ui/MainWindowFixture.h"
#include "tools/CardBusyMark.h"

namespace main_window_test {
namespace {

TEST_F(MainWindowTest, TheCardLeavingDuringAFormatIsNotReportedAsPulled) {
  ASSERT_TRUE(OpenCard());
  const size_t boxes = prompt_.ShownBoxes().size();
  {
    const CardBusyMark::Hold formatting(frame_->CardBusy());
    WriteMountTable(false);
    frame_->Media().Rescan();
  }
  EXPECT_EQ(prompt_.ShownBoxes().size(), boxes);
  EXPECT_EQ(frame_->Store().Root(), Card().string());

  WriteMountTable(true);
  frame_->Media().Rescan();
  WriteMountTable(false);
  frame_->Media().Rescan();
  ASSERT_EQ(prompt_.ShownBoxes().size(), boxes + 1);
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Media has been removed.");
}

}  // namespace
}  // namespace main_window_test
