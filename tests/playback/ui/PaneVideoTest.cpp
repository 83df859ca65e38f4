// What a frame pane paints: the stored picture in its own colours, the
// empty picture, the selection line and the overlay text.

#include "playback/ui/PaneUiFixture.h"

namespace pane_ui_test {
namespace {

class PaneVideoTest : public PaneUiTest {
 protected:
  // The colour of the stored picture at (x, y), read as the core keeps it.
  static QColor StoredColour(const PaneContent& content, int x, int y) {
    const size_t at = (static_cast<size_t>(y) * content.width + x) * kBytesPerPixel;
    return QColor(content.pixels[at + 2], content.pixels[at + 1], content.pixels[at]);
  }

  // The mean channel difference between the stored picture and a ten
  // times larger painting of it, sampled at the centre of every source
  // pixel away from the overlay; swapped reads red as blue.
  static double MeanDifference(const PaneContent& content, const QImage& shown, bool swapped) {
    double sum = 0;
    int samples = 0;
    for (int y = content.height / 4; y < content.height * 3 / 4; ++y) {
      for (int x = 0; x < content.width; ++x) {
        const QColor stored = StoredColour(content, x, y);
        const QColor painted = shown.pixelColor(x * 10 + 5, y * 10 + 5);
        const int red = swapped ? stored.blue() : stored.red();
        const int blue = swapped ? stored.red() : stored.blue();
        sum += std::abs(painted.red() - red) + std::abs(painted.green() - stored.green()) +
               std::abs(painted.blue() - blue);
        samples += 3;
      }
    }
    return sum / samples;
  }
};

TEST_F(PaneVideoTest, StoredFrameIsPaintedInItsOwnColours) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  const PaneContent& content = Content(0);
  ASSERT_TRUE(content.HasPicture());
  ASSERT_EQ(content.width, kPictureWidth);

  const QImage shown = Render(panel_->Pane(0));
  ASSERT_EQ(shown.size(), QSize(640, 480));
  const double difference = MeanDifference(content, shown, false);
  const double swapped = MeanDifference(content, shown, true);
  EXPECT_LT(difference, 4.0);
  // The sample scene has colour enough for a channel mix-up to show.
  EXPECT_GT(swapped, difference + 10.0);
}

TEST_F(PaneVideoTest, EmptyPanesShowTheEmptyPicture) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  engine_->SetLayout(kLayoutThumbnail);
  engine_->GoTo(0, 2);  // panes 0..5 lie before frame 0
  ASSERT_FALSE(Content(1).HoldsFrame());

  const QRgb plain = Render(panel_->Pane(1)).pixel(50, 40);
  QImage empty(8, 8, QImage::Format_RGB32);
  empty.fill(QColor(200, 0, 200));
  panel_->SetEmptyPicture(empty);
  const QImage shown = Render(panel_->Pane(1));
  EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(200, 0, 200));
  EXPECT_NE(plain, qRgb(200, 0, 200));
  // A pane with a picture does not show it.
  EXPECT_NE(Render(panel_->Pane(9)).pixelColor(50, 40), QColor(200, 0, 200));
}

TEST_F(PaneVideoTest, SelectedThumbnailHasTheYellowBottomLine) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  engine_->SetLayout(kLayoutThumbnail);
  const int selected = engine_->Control().Navigator().Panes().Selected();
  const QColor yellow(255, 255, 0);
  const auto lineRows = [&](int pane) {
    const QImage shown = Render(panel_->Pane(pane));
    int rows = 0;
    // Right of the overlay text, which may be yellow too.
    while (rows < shown.height() && shown.pixelColor(shown.width() - 3, shown.height() - 1 - rows) == yellow) ++rows;
    return rows;
  };
  EXPECT_EQ(lineRows(selected), 6);
  EXPECT_EQ(lineRows(selected - 1), 0);
  panel_->SetSmallScreen(true);
  EXPECT_EQ(lineRows(selected), 4);
  // The single view marks nothing.
  engine_->SetLayout(kLayoutSingle);
  panel_->SetSmallScreen(false);
  EXPECT_EQ(lineRows(0), 0);
}

TEST_F(PaneVideoTest, OverlayIsLightTextWithADarkOutlineAndYellowWhenSelected) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  const auto count = [](const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
  };
  const QColor grey(200, 200, 200);
  const QColor yellow(255, 255, 0);
  const QImage single = Render(panel_->Pane(0));
  EXPECT_GT(count(single, grey), 20);
  EXPECT_GT(count(single, Qt::black), 20);

  engine_->SetLayout(kLayoutThumbnail);
  const int selected = engine_->Control().Navigator().Panes().Selected();
  const QImage mark = Render(panel_->Pane(selected));
  // More yellow than the line alone holds: the text above it is yellow too
  // (small and smoothed, so counted as yellowish).
  EXPECT_GT(count(mark, yellow), 6 * mark.width());
  const auto yellowish = [](const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height() - 6; ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        n += c.red() > 200 && c.green() > 200 && c.blue() < 100;
      }
    return n;
  };
  EXPECT_GT(yellowish(mark), 20);
  EXPECT_LT(yellowish(Render(panel_->Pane(selected + 1))), 5);
  EXPECT_EQ(count(Render(panel_->Pane(selected + 1)), yellow), 0);
}

}  // namespace
}  // namespace pane_ui_test
