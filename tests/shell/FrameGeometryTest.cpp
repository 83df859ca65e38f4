#include <gtest/gtest.h>

#include <vector>

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

// Three buttons 50 wide at gaps of 10 on a bar ending at 200; a word needs
// its letters times the size in pixels.
TEST(FrameGeometryTest, MenuWordsWidenTheirButtonsWithinTheBarAtOneSize) {
  const std::vector<PanelRect> skin = {{10, 0, 60, 20}, {70, 0, 120, 20}, {130, 0, 180, 20}};
  struct Case {
    std::vector<int> letters;
    int pixelSize;
    std::vector<PanelRect> places;
  };
  for (const Case& c : {
           // Words that fit keep the skin's places.
           Case{{4, 4, 4}, 12, skin},
           // Six letters are 72 wide at 12 and push the last button past the
           // bar; at 11 the middle one is 66 wide and the last moves along.
           Case{{4, 6, 4}, 11, {{10, 0, 60, 20}, {70, 0, 136, 20}, {146, 0, 196, 20}}},
           // No size lets the row widen: the skin's places at the smallest.
           Case{{30, 30, 30}, 6, skin},
       }) {
    const MenuBarWords words =
        LayOutMenuBar(skin, 200, 12, 6, [&](size_t word, int pixels) { return c.letters[word] * pixels; });
    EXPECT_EQ(words.pixelSize, c.pixelSize) << c.letters[1];
    EXPECT_EQ(words.places, c.places) << c.letters[1];
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
