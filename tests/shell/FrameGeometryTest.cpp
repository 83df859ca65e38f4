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

// A small desktop shows the whole panel by scrolling it above the strip; a
// large one shows it whole and has no strip.
TEST(FrameGeometryTest, ASmallDesktopScrollsThePanelAboveTheBottomStrip) {
  struct Case {
    int desktopWidth, desktopHeight, stripHeight;
    PanelViewport expected;
  };
  for (const Case& c : {
           Case{1280, 1024, 40, PanelViewport{1024, 768, 768, false}},
           Case{1024, 768, 40, PanelViewport{1024, 768, 768, false}},
           Case{1024, 700, 40, PanelViewport{1024, 660, 660, true}},
           Case{1024, 600, 40, PanelViewport{1024, 560, 560, true}},
           Case{800, 600, 40, PanelViewport{800, 560, 560, true}},
           Case{800, 900, 40, PanelViewport{800, 860, 860, true}},
           Case{1024, 700, 0, PanelViewport{1024, 700, 700, true}},
           Case{1024, 30, 40, PanelViewport{1024, 0, 0, true}},
       }) {
    EXPECT_EQ(PanelViewportFor(FrameGeometryFor(c.desktopWidth, c.desktopHeight), c.stripHeight), c.expected)
        << c.desktopWidth << " x " << c.desktopHeight << ", strip " << c.stripHeight;
  }
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
