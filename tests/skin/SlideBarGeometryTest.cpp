// The slide bar's arithmetic: thumb centres and their inverse, the clamped
// position, markers, and the drag rules.

#include <gtest/gtest.h>

#include "skin/SlideBarGeometry.h"

namespace {

// A bar 220 wide with margins 5 and 15 and a 10-pixel thumb: the centre
// travels from 10 to 200, 190 pixels.
SlideBarGeometry Bar(int minimum, int maximum) {
  SlideBarGeometry bar;
  bar.SetTrack(5, 15, 220);
  bar.SetThumbWidth(10);
  bar.SetRange(minimum, maximum);
  return bar;
}

TEST(SlideBarGeometryTest, ThumbCentreSpansTheTravelAndTruncates) {
  const SlideBarGeometry bar = Bar(0, 600);
  EXPECT_EQ(bar.ThumbCentre(0), 10);
  EXPECT_EQ(bar.ThumbCentre(600), 200);
  EXPECT_EQ(bar.ThumbCentre(300), 105);
  // 5 + 1/600 × 190 + 5 = 10.316…
  EXPECT_EQ(bar.ThumbCentre(1), 10);
  // 5 + 599/600 × 190 + 5 = 199.68…, truncated, not rounded.
  EXPECT_EQ(bar.ThumbCentre(599), 199);

  const SlideBarGeometry offset = Bar(100, 290);
  EXPECT_EQ(offset.ThumbCentre(100), 10);
  EXPECT_EQ(offset.ThumbCentre(190), 100);
}

TEST(SlideBarGeometryTest, EmptyRangeKeepsTheThumbAtTheStart) {
  SlideBarGeometry bar = Bar(7, 7);
  EXPECT_EQ(bar.ThumbCentre(7), 10);
  EXPECT_EQ(bar.PositionAtX(150), 7);
  bar.Press(150);
  EXPECT_FALSE(bar.Move(180));
  EXPECT_EQ(bar.Position(), 7);
}

TEST(SlideBarGeometryTest, PositionAtXInvertsTheCentreAndClamps) {
  const SlideBarGeometry bar = Bar(0, 190);
  for (int position : {0, 1, 57, 189, 190}) EXPECT_EQ(bar.PositionAtX(bar.ThumbCentre(position)), position);
  EXPECT_EQ(bar.PositionAtX(-40), 0);
  EXPECT_EQ(bar.PositionAtX(500), 190);

  const SlideBarGeometry coarse = Bar(0, 19);
  EXPECT_EQ(coarse.PositionAtX(10 + 14), 1) << "rounds to the nearest position";
  EXPECT_EQ(coarse.PositionAtX(10 + 15), 2);
}

TEST(SlideBarGeometryTest, PositionIsClampedAndChangesOnlyOnce) {
  SlideBarGeometry bar = Bar(0, 100);
  EXPECT_TRUE(bar.SetPosition(250));
  EXPECT_EQ(bar.Position(), 100);
  EXPECT_FALSE(bar.SetPosition(100));
  EXPECT_FALSE(bar.SetPosition(300)) << "clamps to the position already stored";
  EXPECT_TRUE(bar.SetPosition(-5));
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_TRUE(bar.SetPosition(40));
  EXPECT_FALSE(bar.SetPosition(40));
}

TEST(SlideBarGeometryTest, NarrowerRangeDrawsThePositionIn) {
  SlideBarGeometry bar = Bar(0, 100);
  bar.SetPosition(80);
  EXPECT_TRUE(bar.SetRange(0, 50));
  EXPECT_EQ(bar.Position(), 50);
  EXPECT_FALSE(bar.SetRange(0, 60));

  EXPECT_TRUE(bar.SetRange(70, 20)) << "a maximum below the minimum is the minimum";
  EXPECT_EQ(bar.Maximum(), 70);
  EXPECT_EQ(bar.Position(), 70);
}

TEST(SlideBarGeometryTest, MarkersKeepInsertionOrderWithoutDuplicates) {
  SlideBarGeometry bar = Bar(0, 100);
  EXPECT_TRUE(bar.AddMarker(30));
  EXPECT_TRUE(bar.AddMarker(0));
  EXPECT_FALSE(bar.AddMarker(30));
  EXPECT_TRUE(bar.AddMarker(12));
  EXPECT_EQ(bar.Markers(), (std::vector<int>{30, 0, 12}));
  bar.ClearMarkers();
  EXPECT_TRUE(bar.Markers().empty());
  EXPECT_TRUE(bar.AddMarker(30));
}

TEST(SlideBarGeometryTest, PressOnTheThumbKeepsTheGrab) {
  SlideBarGeometry bar = Bar(0, 190);
  bar.SetPosition(90);  // centre at 100
  EXPECT_FALSE(bar.Press(103));
  EXPECT_TRUE(bar.Dragging());
  EXPECT_EQ(bar.GrabOffset(), 3);
  EXPECT_EQ(bar.Position(), 90);

  EXPECT_TRUE(bar.Move(113));
  EXPECT_EQ(bar.Position(), 100);
  EXPECT_FALSE(bar.Move(113));
  EXPECT_TRUE(bar.Release());
  EXPECT_FALSE(bar.Release());
  EXPECT_FALSE(bar.Move(150)) << "no drag after the release";
  EXPECT_EQ(bar.Position(), 100);
}

TEST(SlideBarGeometryTest, PressAwayFromTheThumbJumpsUnderTheCursor) {
  SlideBarGeometry bar = Bar(0, 190);
  bar.SetPosition(90);  // centre at 100, thumb 95..105
  EXPECT_TRUE(bar.Press(160));
  EXPECT_EQ(bar.GrabOffset(), 0);
  EXPECT_EQ(bar.ThumbCentre(bar.Position()), 160);

  bar.Release();
  bar.Press(bar.ThumbCentre(bar.Position()) - 6);
  EXPECT_EQ(bar.GrabOffset(), 0) << "just past half a thumb is off the thumb";
  bar.Release();
  bar.Press(bar.ThumbCentre(bar.Position()) - 5);
  EXPECT_EQ(bar.GrabOffset(), -5);
}

TEST(SlideBarGeometryTest, DragStopsAtTheEndsOfTheTravel) {
  SlideBarGeometry bar = Bar(0, 190);
  bar.SetPosition(95);
  bar.Press(105);
  EXPECT_TRUE(bar.Move(-300));
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_TRUE(bar.Move(900));
  EXPECT_EQ(bar.Position(), 190);
}

TEST(SlideBarGeometryTest, BarNarrowerThanItsThumbStaysAtTheMinimum) {
  SlideBarGeometry bar;
  bar.SetTrack(5, 5, 12);
  bar.SetThumbWidth(10);
  bar.SetRange(0, 50);
  bar.Press(11);
  bar.Move(3);
  EXPECT_EQ(bar.Position(), 0);
}

}  // namespace
