// The image info and play-time panels paint the snapshot: the position in
// light grey with a fix and dark grey without, the date green and the time
// yellow, over the skin colour.

#include "playback/ui/PaneUiFixture.h"
#include "playback/ui/WndImgInfoPanel.h"
#include "playback/ui/WndPlayTimePanel.h"

namespace pane_ui_test {
namespace {

int CountIn(const QImage& image, const QRect& area, QColor colour) {
  int n = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) n += image.pixelColor(x, y) == colour;
  return n;
}

class PaneInfoPanelTest : public PaneUiTest {
 protected:
  static GpsBlock Gps(bool valid) {
    GpsBlock gps;
    gps.valid = valid ? 1 : 0;
    gps.latHemi = 'N';
    gps.latDeg = 48;
    gps.latMin = 7;
    gps.latSec = 12.5f;
    gps.lonHemi = 'E';
    gps.lonDeg = 11;
    gps.lonMin = 34;
    gps.lonSec = 1.25f;
    gps.speed = 57;
    return gps;
  }
};

TEST_F(PaneInfoPanelTest, PositionLinesFollowTheFix) {
  CWndImgInfoPanel panel(engine_->Control(), settings_, nullptr);
  panel.resize(300, 110);
  const QRect speedRow(0, 25, 300, 24);
  const QRect positionRows(0, 50, 300, 50);

  engine_->Control().SetSnapshotGps(Gps(true));
  QImage shown = Render(&panel);
  EXPECT_EQ(shown.pixelColor(1, 1), kDefaultSkinPanel);
  EXPECT_GT(CountIn(shown, speedRow, CWndImgInfoPanel::kTextColour), 10);
  EXPECT_GT(CountIn(shown, positionRows, CWndImgInfoPanel::kTextColour), 20);
  EXPECT_EQ(CountIn(shown, positionRows, CWndImgInfoPanel::kNoFixColour), 0);

  engine_->Control().SetSnapshotGps(Gps(false));
  panel.SetBackground(QColor(10, 60, 90));
  shown = Render(&panel);
  EXPECT_EQ(shown.pixelColor(1, 1), QColor(10, 60, 90));
  EXPECT_GT(CountIn(shown, speedRow, CWndImgInfoPanel::kTextColour), 10);
  EXPECT_EQ(CountIn(shown, positionRows, CWndImgInfoPanel::kTextColour), 0);
  EXPECT_GT(CountIn(shown, positionRows, CWndImgInfoPanel::kNoFixColour), 20);
}

TEST_F(PaneInfoPanelTest, PlayTimeDateGreenAboveTheYellowTime) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  CWndPlayTimePanel panel(engine_->Control(), settings_, nullptr);
  panel.resize(260, 70);
  const QImage shown = Render(&panel);
  const QRect dateRow(0, 0, 260, 34);
  const QRect timeRow(0, 34, 260, 36);
  EXPECT_GT(CountIn(shown, dateRow, CWndPlayTimePanel::kDateColour), 20);
  EXPECT_EQ(CountIn(shown, timeRow, CWndPlayTimePanel::kDateColour), 0);
  EXPECT_GT(CountIn(shown, timeRow, CWndPlayTimePanel::kTimeColour), 20);
  EXPECT_EQ(CountIn(shown, dateRow, CWndPlayTimePanel::kTimeColour), 0);
  EXPECT_EQ(shown.pixelColor(1, 1), kDefaultSkinPanel);
}

}  // namespace
}  // namespace pane_ui_test
