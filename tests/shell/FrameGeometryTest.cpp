#include <gtest/gtest.h>

#include "shell/BackPanelLayout.h"
#include "shell/FrameGeometry.h"

namespace {

TEST(FrameGeometryTest, SmallDesktopsPinTheFrameLargeOnesCentreIt) {
  EXPECT_EQ(FrameGeometryFor(1024, 700), (FrameGeometry{true, 0, 0, 1024, 700}));
  EXPECT_EQ(FrameGeometryFor(800, 900), (FrameGeometry{true, 0, 0, 800, 900}));
  EXPECT_EQ(FrameGeometryFor(1280, 1024), (FrameGeometry{false, 128, 128, 1024, 768}));
  EXPECT_EQ(FrameGeometryFor(1024, 768), (FrameGeometry{false, 0, 0, 1024, 768}));
}

TEST(FrameGeometryTest, GValueDisplaysFormAColumnOrTheMxHArrangement) {
  const auto column = GValueDisplayRects(false);
  EXPECT_EQ(column[0], (PanelRect{85, 622, 152, 642}));
  EXPECT_EQ(column[2].top, 678);
  const auto mxh = GValueDisplayRects(true);
  EXPECT_EQ(mxh[0], (PanelRect{115, 655, 178, 675}));
  EXPECT_EQ(mxh[1], (PanelRect{30, 678, 93, 698}));
  EXPECT_EQ(mxh[2], (PanelRect{115, 678, 178, 698}));
}

// On a 700 pixel desktop the 40 pixel strip starts at 660: of the column
// only X stays whole, of the model-9 arrangement none.
TEST(FrameGeometryTest, TheBottomStripHidesTheDisplaysItWouldCut) {
  constexpr int kStripTop = 700 - 40;
  const auto column = GValueDisplayRects(false);
  EXPECT_TRUE(ClearOfBottomStrip(column[0], kStripTop));
  EXPECT_FALSE(ClearOfBottomStrip(column[1], kStripTop));
  EXPECT_FALSE(ClearOfBottomStrip(column[2], kStripTop));
  for (const PanelRect& display : GValueDisplayRects(true)) EXPECT_FALSE(ClearOfBottomStrip(display, kStripTop));
  EXPECT_TRUE(ClearOfBottomStrip(PanelRect{0, 640, 10, 660}, kStripTop)) << "touching is not cutting";
}

// The redraw of the speed read-out holds its caption and indicator.
TEST(FrameGeometryTest, TheSpeedReadoutRedrawHoldsCaptionAndIndicator) {
  for (const PanelRect& part : {kSpeedReadout, kSpeedCaption, kSpeedIndicator}) {
    EXPECT_EQ(Union(kSpeedReadoutRedraw, part), kSpeedReadoutRedraw);
  }
  EXPECT_EQ(kSpeedCaption, (PanelRect{121, 576, 163, 588}));
  EXPECT_EQ(kSpeedIndicator, (PanelRect{168, 580, 179, 591}));
}

}  // namespace
