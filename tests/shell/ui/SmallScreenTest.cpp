// The window on desktops smaller than the skin: the panel keeps its layout
// and scrolls above the bottom strip that closes the frame at the desktop's
// edge, so every control can be brought into view and none is covered.
#include <QScrollArea>
#include <QScrollBar>

#include "shell/MainCommands.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/SkinEntries.h"
#include "skin/ui/SkinImages.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxCheckButton.h"
#include "skin/ui/VxListBox.h"
#include "skin/ui/VxSlideBar.h"
#include "telemetry/ui/DigitDisplayWidgets.h"
#include "telemetry/ui/VxDigitDisplays.h"

namespace main_window_test {
namespace {

class SmallScreenTest : public MainWindowTest {
 protected:
  static constexpr int kFocusMargin = 8;

  void Reopen(int desktopWidth, int desktopHeight) {
    frame_.reset();
    MainFrameOptions options;
    options.prompt = &prompt_;
    options.mountInfoPath = QString::fromStdString((dir_ / "mountinfo").string());
    frame_ =
        std::make_unique<CMainFrame>(*settings_, app_, skin_, FrameGeometryFor(desktopWidth, desktopHeight), options);
    frame_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    Reactivate();
  }

  // The rows of the window where the strip stands, as the screen shows them.
  QImage BottomRows(int rows) const {
    return frame_->grab(QRect(0, frame_->height() - rows, frame_->width(), rows))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  }

  // Scrolls widget into view; true when all of it that lies on the panel is
  // then inside the part of the panel on screen.
  bool BroughtIntoView(QWidget* widget) const {
    QScrollArea* scroller = frame_->PanelScroller();
    scroller->ensureWidgetVisible(widget, kFocusMargin, kFocusMargin);
    const QRect shown = scroller->viewport()->rect();
    const QRect panel(Panel().mapTo(scroller->viewport(), QPoint(0, 0)), Panel().size());
    const QRect at(widget->mapTo(scroller->viewport(), QPoint(0, 0)), widget->size());
    return shown.contains(at.intersected(panel));
  }
};

TEST_F(SmallScreenTest, EveryControlScrollsIntoViewAboveTheBottomStrip) {
  struct Desktop {
    int width, height, strip;
  };
  for (const Desktop desktop : {Desktop{1024, 700, kSkinBottomStrip}, Desktop{1024, 600, kSkinBottomStrip},
                                Desktop{800, 600, kSkinBottomStripNarrow}}) {
    SCOPED_TRACE(std::to_string(desktop.width) + " x " + std::to_string(desktop.height));
    Reopen(desktop.width, desktop.height);
    ASSERT_TRUE(frame_->IsSmallScreen());
    ASSERT_NE(frame_->PanelScroller(), nullptr);
    EXPECT_EQ(frame_->size(), QSize(desktop.width, desktop.height));
    EXPECT_EQ(Panel().size(), QSize(1024, 768)) << "the panel keeps its layout";
    ASSERT_TRUE(OpenCard());
    LoadFirst(FileListKind::kEvent, 1);
    ASSERT_EQ(app_.viewMode, kViewModeEvent);

    const QImage strip = SkinImage(skin_, desktop.strip).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(BottomRows(strip.height()), strip.copy(0, 0, desktop.width, strip.height()));
    EXPECT_EQ(frame_->PanelScroller()->height(), desktop.height - strip.height());

    for (const auto& [id, button] : Parts().Buttons()) {
      if (!button->isVisible()) continue;
      EXPECT_TRUE(BroughtIntoView(button)) << "button " << id;
    }
    for (QWidget* control :
         {static_cast<QWidget*>(Search().LoadedRecordingsBox()), static_cast<QWidget*>(Search().CloseButton()),
          static_cast<QWidget*>(Parts().Digits().GValue(2)), static_cast<QWidget*>(Parts().Digits().Gps()),
          static_cast<QWidget*>(Parts().SlideBar())}) {
      EXPECT_TRUE(control->isVisible()) << control->metaObject()->className();
      EXPECT_TRUE(BroughtIntoView(control)) << control->metaObject()->className();
    }
    Search().CloseButton()->click();
    for (QWidget* control :
         {static_cast<QWidget*>(Search().LoadButton()), static_cast<QWidget*>(Search().TabButton(FileListKind::kLog))})
      EXPECT_TRUE(BroughtIntoView(control)) << control->metaObject()->className();
  }
}

// The keyboard's walk scrolls the panel to the control it reaches.
TEST_F(SmallScreenTest, TheFocusedControlIsScrolledIntoView) {
  Reopen(800, 600);
  ASSERT_TRUE(OpenCard());
  QScrollArea* scroller = frame_->PanelScroller();
  scroller->horizontalScrollBar()->setValue(0);
  Search().LoadButton()->setFocus(Qt::TabFocusReason);
  QTest::qWait(10);
  const QRect at(Search().LoadButton()->mapTo(scroller->viewport(), QPoint(0, 0)), Search().LoadButton()->size());
  EXPECT_TRUE(scroller->viewport()->rect().contains(at));
  EXPECT_GT(scroller->horizontalScrollBar()->value(), 0);
}

}  // namespace
}  // namespace main_window_test
