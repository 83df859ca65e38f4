// The window on a desktop lower than the skin (1024 x 700): the bottom strip
// closes it at the desktop's edge, and nothing it cuts off paints over it.
#include "shell/MainCommands.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/SkinEntries.h"
#include "skin/ui/SkinImages.h"
#include "telemetry/ui/DigitDisplayWidgets.h"
#include "telemetry/ui/VxDigitDisplays.h"

namespace main_window_test {
namespace {

class SmallScreenTest : public MainWindowTest {
 protected:
  static constexpr int kDesktopHeight = 700;

  void SetUp() override {
    MainWindowTest::SetUp();
    frame_.reset();
    MainFrameOptions options;
    options.prompt = &prompt_;
    options.mountInfoPath = QString::fromStdString((dir_ / "mountinfo").string());
    frame_ = std::make_unique<CMainFrame>(*settings_, app_, skin_, FrameGeometryFor(1024, kDesktopHeight), options);
    frame_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    Reactivate();
  }

  // The rows of the window where the strip stands, as the screen shows them.
  QImage StripRows(int stripHeight) const {
    return frame_->grab(QRect(0, kDesktopHeight - stripHeight, 1024, stripHeight))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  }
};

TEST_F(SmallScreenTest, TheBottomStripStaysAboveTheDisplaysItCutsOff) {
  ASSERT_TRUE(frame_->IsSmallScreen());
  ASSERT_EQ(frame_->height(), kDesktopHeight);
  const QImage strip = SkinImage(skin_, kSkinBottomStrip).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(strip.isNull());

  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  ASSERT_EQ(app_.viewMode, kViewModeEvent);
  EXPECT_EQ(StripRows(strip.height()), strip.copy(0, 0, 1024, strip.height()));

  // Of the G displays only the one the strip leaves whole shows.
  CDigitDisplayWidgets& digits = Parts().Digits();
  EXPECT_TRUE(digits.GValue(0)->isVisible());
  EXPECT_FALSE(digits.GValue(1)->isVisible());
  EXPECT_FALSE(digits.GValue(2)->isVisible());

  // The model-9 layout moves the G displays lower still.
  Panel().OnCommand(kIdToolModelMxH);
  const QImage strip9 = SkinImage(skin_, kSkinBottomStripMxH).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(StripRows(strip9.height()), strip9.copy(0, 0, 1024, strip9.height()));
  for (int axis = 0; axis < 3; ++axis) EXPECT_FALSE(digits.GValue(axis)->isVisible()) << axis;
  Panel().OnCommand(kIdToolModelFirst);
  EXPECT_TRUE(digits.GValue(0)->isVisible());
}

}  // namespace
}  // namespace main_window_test
