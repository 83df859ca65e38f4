// The caption renderer: yellow text with a black one-pixel outline, drawn
// into the picture's own pixels where the layout puts it and nowhere else.

#include <gtest/gtest.h>

#include <vector>

#include "export/render/QtCaptionPainter.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 80;
constexpr unsigned char kGrey = 0x80;

struct Box {
  int left = kWidth;
  int top = kHeight;
  int right = -1;
  int bottom = -1;
  int count = 0;
};

class QtCaptionPainterTest : public ::testing::Test {
 protected:
  QtCaptionPainterTest() : pixels_(static_cast<size_t>(kWidth) * kHeight * 3, kGrey) {}

  const unsigned char* At(int x, int y) const { return &pixels_[(static_cast<size_t>(y) * kWidth + x) * 3]; }

  // Where pixels of a colour (B, G, R) lie.
  Box Where(unsigned char b, unsigned char g, unsigned char r) const {
    Box box;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const unsigned char* p = At(x, y);
        if (p[0] != b || p[1] != g || p[2] != r) continue;
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
        ++box.count;
      }
    }
    return box;
  }

  Box Yellow() const { return Where(0, 255, 255); }
  Box Black() const { return Where(0, 0, 0); }

  std::vector<unsigned char> pixels_;
  QtCaptionPainter painter_;
};

TEST_F(QtCaptionPainterTest, TextIsYellowInsideABlackOutline) {
  painter_.Draw(pixels_.data(), kWidth, kHeight, {{"2012.05.03 10:15:30", CaptionAlign::kLeft, 4, kHeight - 1, -1}});
  const Box yellow = Yellow();
  const Box black = Black();
  ASSERT_GT(yellow.count, 50) << "the text is drawn in yellow";
  ASSERT_GT(black.count, yellow.count / 2) << "and outlined in black";
  EXPECT_GE(yellow.left, 4);
  EXPECT_LE(yellow.left, 6);
  EXPECT_LE(yellow.bottom, kHeight - 1);
  EXPECT_GE(yellow.bottom, kHeight - 8) << "bottom-aligned on the last line";
  EXPECT_EQ(black.left, yellow.left - 1) << "the outline is one pixel wide";
  EXPECT_EQ(black.top, yellow.top - 1);
  // Every yellow pixel has an outline or text neighbour on each side only
  // one pixel away: no pixel outside the outline changed.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const unsigned char* p = At(x, y);
      const bool changed = p[0] != kGrey || p[1] != kGrey || p[2] != kGrey;
      if (!changed) continue;
      EXPECT_GE(x, black.left);
      EXPECT_LE(x, black.right);
      EXPECT_GE(y, black.top);
    }
  }
}

TEST_F(QtCaptionPainterTest, TextsStandAtTheirAnchors) {
  painter_.Draw(pixels_.data(), kWidth, kHeight, {{"KX17A00042", CaptionAlign::kLeft, 4, -1, 0}});
  const Box top = Yellow();
  EXPECT_LE(top.top, 4) << "hangs from the first line";
  EXPECT_GE(top.left, 4);

  std::fill(pixels_.begin(), pixels_.end(), kGrey);
  painter_.Draw(
      pixels_.data(), kWidth, kHeight,
      {{"127\xCB\x9A 05\xE2\x80\x99 07.25\xE2\x80\x9D E", CaptionAlign::kRight, kWidth - 4, kHeight - 1, -1}});
  const Box right = Yellow();
  EXPECT_LE(right.right, kWidth - 5);
  EXPECT_GE(right.right, kWidth - 8) << "right-aligned at width - 4";

  std::fill(pixels_.begin(), pixels_.end(), kGrey);
  painter_.Draw(pixels_.data(), kWidth, kHeight, {{"88 km/h, [NE]", CaptionAlign::kCenter, kWidth / 2, 40, -1}});
  const Box centre = Yellow();
  EXPECT_NEAR((centre.left + centre.right) / 2.0, kWidth / 2.0, 3.0);
  EXPECT_LE(centre.bottom, 40);
  EXPECT_GE(centre.bottom, 33);
}

}  // namespace
