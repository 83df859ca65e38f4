// The skin buttons: which cell each state draws (checked on the painted
// pixels), hover tracking and its poll, and the fallback face.

#include <gtest/gtest.h>

#include <QCursor>
#include <QElapsedTimer>

#include "skin/ui/VxButton.h"
#include "skin/ui/VxCheckButton.h"
#include "skin/ui/VxTestEvents.h"

namespace {

const std::vector<QColor> kCellColours{Qt::red, Qt::green, Qt::blue, Qt::yellow};
constexpr int kCellWidth = 10;
constexpr int kCellHeight = 8;

SkinStrip FourCells() { return SkinStrip(vx_test::ColourStrip(kCellColours, kCellWidth, kCellHeight), 4); }

// The cell a paint drew, read from the middle of the button.
int PaintedCell(QWidget& button) {
  const QImage image = vx_test::Paint(button);
  const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
  for (size_t i = 0; i < kCellColours.size(); ++i) {
    if (middle == kCellColours[i]) return static_cast<int>(i);
  }
  return -1;
}

// A button of either kind, skinned with the colour strip.
template <typename Button>
class SkinnedButtonTest : public ::testing::Test {
 protected:
  SkinnedButtonTest() : button_(1014, nullptr) {
    button_.SetStrip(FourCells());
    button_.resize(80, 20);
  }
  Button button_;
};

using VxButtonTest = SkinnedButtonTest<CVxButton>;
using VxCheckButtonTest = SkinnedButtonTest<CVxCheckButton>;

TEST_F(VxButtonTest, CellFollowsStateInOrderOfPrecedence) {
  EXPECT_EQ(PaintedCell(button_), 0);

  vx_test::Move(button_, {5, 5});
  EXPECT_TRUE(button_.IsHovering());
  EXPECT_EQ(PaintedCell(button_), 2);

  vx_test::Press(button_, {5, 5});
  EXPECT_EQ(PaintedCell(button_), 1) << "pressed outranks hovering";

  button_.SetLatched(true);
  EXPECT_EQ(PaintedCell(button_), 2) << "latched outranks pressed";

  button_.setEnabled(false);
  EXPECT_EQ(PaintedCell(button_), 3) << "disabled outranks everything, hovering included";
  EXPECT_TRUE(button_.IsHovering());

  button_.setEnabled(true);
  button_.SetLatched(false);
  vx_test::Release(button_, {5, 5});
  EXPECT_EQ(PaintedCell(button_), 2);
}

TEST_F(VxButtonTest, CellIsStretchedOverTheWholeButton) {
  EXPECT_EQ(button_.sizeHint(), QSize(kCellWidth, kCellHeight));
  const QImage image = vx_test::Paint(button_);
  EXPECT_EQ(image.pixelColor(0, 0), kCellColours[0]);
  EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), kCellColours[0]);
}

TEST_F(VxButtonTest, ReleaseInsideClicksWithTheIdAtHand) {
  int clicks = 0;
  QObject::connect(&button_, &QAbstractButton::clicked, [&] { ++clicks; });
  vx_test::Press(button_, {5, 5});
  vx_test::Release(button_, {5, 5});
  vx_test::Press(button_, {5, 5});
  vx_test::Release(button_, {200, 5});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button_.Id(), 1014);
}

TEST_F(VxButtonTest, PollEndsHoveringOnceTheCursorIsOutside) {
  button_.move(100, 100);
  button_.show();
  QCursor::setPos(button_.mapToGlobal(QPoint(5, 5)));
  vx_test::Move(button_, {5, 5});
  vx_test::Spin(40);
  EXPECT_TRUE(button_.IsHovering()) << "the cursor is still over the button";

  QCursor::setPos(button_.mapToGlobal(QPoint(-50, -50)));
  // A loaded machine may run the 10 ms poll late; a second is plenty.
  QElapsedTimer waited;
  waited.start();
  while (button_.IsHovering() && waited.elapsed() < 1000) vx_test::Spin(10);
  EXPECT_FALSE(button_.IsHovering());
  EXPECT_EQ(PaintedCell(button_), 0);
}

TEST_F(VxButtonTest, LeaveEndsHovering) {
  vx_test::Move(button_, {5, 5});
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button_, &leave);
  EXPECT_FALSE(button_.IsHovering());
}

TEST(VxButtonFallbackTest, ButtonWithoutPictureIsStillPainted) {
  CVxButton button(1001, nullptr);
  button.resize(30, 20);
  const QImage image = vx_test::Paint(button);
  const QColor middle = image.pixelColor(15, 10);
  EXPECT_NE(middle, QColor(Qt::black));
  EXPECT_NE(middle, QColor(Qt::white));
  EXPECT_TRUE(button.sizeHint().isValid());
}

TEST_F(VxCheckButtonTest, CellFollowsCheckedAndHovering) {
  EXPECT_EQ(PaintedCell(button_), 0);
  vx_test::Move(button_, {5, 5});
  EXPECT_EQ(PaintedCell(button_), 1);
  button_.SetChecked(true);
  EXPECT_EQ(PaintedCell(button_), 3);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button_, &leave);
  EXPECT_EQ(PaintedCell(button_), 2);
}

TEST_F(VxCheckButtonTest, ClickToggles) {
  vx_test::Press(button_, {5, 5});
  vx_test::Release(button_, {5, 5});
  EXPECT_TRUE(button_.IsChecked());
  vx_test::Press(button_, {5, 5});
  vx_test::Release(button_, {5, 5});
  EXPECT_FALSE(button_.IsChecked());
}

// The columns of the image that hold caption pixels of the given colour.
std::pair<int, int> CaptionSpan(const QImage& image, const QColor& colour) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixelColor(x, y) != colour) continue;
      if (first < 0) first = x;
      last = x;
    }
  }
  return {first, last};
}

TEST_F(VxCheckButtonTest, CaptionIsCentredWhiteOrGreyAndShiftsTenPixels) {
  button_.SetCaption("IIII");
  const auto [left, right] = CaptionSpan(vx_test::Paint(button_), Qt::white);
  ASSERT_GE(left, 0) << "a white caption is drawn";
  EXPECT_NEAR((left + right) / 2.0, button_.width() / 2.0, 2.0);

  button_.SetCaption("IIII", true);
  const auto [shiftedLeft, shiftedRight] = CaptionSpan(vx_test::Paint(button_), Qt::white);
  EXPECT_EQ(shiftedLeft - left, 10);
  EXPECT_EQ(shiftedRight - right, 10);

  button_.setEnabled(false);
  const QImage disabled = vx_test::Paint(button_);
  EXPECT_EQ(CaptionSpan(disabled, Qt::white).first, -1);
  EXPECT_GE(CaptionSpan(disabled, QColor(0xB4, 0xB4, 0xB4)).first, 0);
}

}  // namespace
