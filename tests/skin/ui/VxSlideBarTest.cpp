// The slide bar window: what a drag reports, how disabling ends it, and
// what the file-span style paints.

#include <gtest/gtest.h>

#include "skin/ui/VxSlideBar.h"
#include "skin/ui/VxTestEvents.h"

namespace {

const QColor kSpanRed(250, 0, 0);
const QColor kMarkerYellow(250, 250, 0);

// A 220 × 20 bar with margins 5 and 15 and the plain 12-pixel knob: the
// centre travels from 11 to 199, one pixel per position.
class VxSlideBarTest : public ::testing::Test {
 protected:
  VxSlideBarTest() : bar_(1030, nullptr) {
    bar_.resize(220, 20);
    bar_.SetTrackGeometry(0, 0, 5, 15);
    bar_.SetRange(0, 188);
    QObject::connect(&bar_, &CVxSlideBar::dragged, [this](int position) { dragged_.push_back(position); });
    QObject::connect(&bar_, &CVxSlideBar::released, [this](int position) { released_.push_back(position); });
  }

  QPoint At(int x) const { return QPoint(x, 10); }
  void DragTo(int x) { vx_test::Move(bar_, At(x), Qt::LeftButton); }

  CVxSlideBar bar_;
  std::vector<int> dragged_;
  std::vector<int> released_;
};

using Positions = std::vector<int>;

TEST_F(VxSlideBarTest, DragReportsEachNewPositionAndReleasesOnce) {
  EXPECT_TRUE(bar_.SetPosition(50));
  EXPECT_FALSE(bar_.SetPosition(50));
  const int centre = bar_.ThumbCentre(50);
  vx_test::Press(bar_, At(centre + 2));
  EXPECT_TRUE(bar_.IsDragging());
  EXPECT_TRUE(dragged_.empty()) << "neither setting from code nor a press on the thumb moves it";

  DragTo(centre + 4);
  DragTo(centre + 4);
  DragTo(centre + 9);
  DragTo(centre + 9);
  EXPECT_EQ(dragged_, (Positions{52, 57}));

  vx_test::Release(bar_, At(centre + 9));
  EXPECT_EQ(released_, (Positions{57}));
  EXPECT_FALSE(bar_.IsDragging());
  DragTo(centre + 30);
  vx_test::Release(bar_, At(centre + 30));
  EXPECT_EQ(dragged_.size(), 2u);
  EXPECT_EQ(released_.size(), 1u);
}

TEST_F(VxSlideBarTest, ClickAwayFromTheThumbJumpsThere) {
  bar_.SetPosition(10);
  vx_test::Press(bar_, At(150));
  EXPECT_EQ(bar_.ThumbCentre(bar_.Position()), 150);
  EXPECT_EQ(dragged_, (Positions{bar_.Position()}));
  vx_test::Release(bar_, At(150));
  EXPECT_EQ(released_, (Positions{bar_.Position()}));
}

TEST_F(VxSlideBarTest, DisabledBarIgnoresThePressAndDisablingEndsADrag) {
  bar_.setEnabled(false);
  vx_test::Press(bar_, At(150));
  EXPECT_FALSE(bar_.IsDragging());
  EXPECT_EQ(bar_.Position(), 0);

  bar_.setEnabled(true);
  vx_test::Press(bar_, At(100));
  ASSERT_TRUE(bar_.IsDragging());
  bar_.setEnabled(false);
  EXPECT_FALSE(bar_.IsDragging());
  bar_.setEnabled(true);
  DragTo(160);
  EXPECT_EQ(bar_.ThumbCentre(bar_.Position()), 100) << "the ended drag moves nothing";
  EXPECT_TRUE(released_.empty());
}

int CountColumns(const QImage& image, int y, const QColor& colour) {
  int count = 0;
  for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  return count;
}

TEST_F(VxSlideBarTest, FileSpanStyleDrawsSpanTicksAndOneLinePerMarker) {
  bar_.SetBackground(Qt::black);
  bar_.SetPosition(188);  // keep the thumb clear of the span
  bar_.SetFileSpanEnd(60);
  bar_.AddMarker(20);
  bar_.AddMarker(120);
  bar_.AddMarker(20);

  const QImage plain = vx_test::Paint(bar_);
  EXPECT_EQ(CountColumns(plain, 18, kSpanRed), 0) << "the plain style shows neither span nor markers";
  EXPECT_EQ(CountColumns(plain, 5, kMarkerYellow), 0);

  bar_.SetStyle(CVxSlideBar::kStyleFileSpan);
  const QImage image = vx_test::Paint(bar_);
  EXPECT_EQ(image.pixelColor(bar_.ThumbCentre(30), 18), kSpanRed);
  EXPECT_EQ(image.pixelColor(bar_.ThumbCentre(30), 13), QColor(Qt::black)) << "the span is 6 pixels high";
  EXPECT_NE(image.pixelColor(bar_.ThumbCentre(90), 18), kSpanRed) << "the span ends at the file's end";
  EXPECT_EQ(image.pixelColor(7, 18), kSpanRed);
  EXPECT_EQ(image.pixelColor(bar_.width() - 8, 18), kSpanRed);

  EXPECT_EQ(CountColumns(image, 5, kMarkerYellow), 4) << "two markers of 2 pixels each";
  EXPECT_EQ(image.pixelColor(bar_.ThumbCentre(120), 2), kMarkerYellow);
  EXPECT_EQ(image.pixelColor(bar_.ThumbCentre(120), 1), QColor(Qt::black)) << "markers start 2 below the origin";

  bar_.ClearMarkers();
  bar_.SetFileSpanEnd(std::nullopt);
  const QImage cleared = vx_test::Paint(bar_);
  EXPECT_EQ(CountColumns(cleared, 5, kMarkerYellow), 0);
  EXPECT_EQ(CountColumns(cleared, 18, kSpanRed), 0);
}

TEST_F(VxSlideBarTest, ThumbPictureSetsTheTravel) {
  QImage thumb(20, 20, QImage::Format_RGB32);
  thumb.fill(Qt::green);
  bar_.SetBitmaps(QImage(), thumb, QImage());
  EXPECT_EQ(bar_.ThumbCentre(0), 15);
  EXPECT_EQ(bar_.ThumbCentre(188), 195);
  const QImage image = vx_test::Paint(bar_);
  EXPECT_EQ(image.pixelColor(15, 10), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(30, 10), QColor(Qt::white)) << "the background starts white";
}

}  // namespace
