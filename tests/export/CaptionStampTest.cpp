// A caption stamp put on a picture: on pixels it replaces what it covers and
// nothing else; on the codec's planes it gives what the encoder would take
// from those pixels, so a caption looks the same either way.

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdlib>
#include <vector>

#include "export/CaptionStamp.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kClear = 0;

// A stamp with a yellow bar in a black frame, clear around it; `x` and `y`
// odd so that it starts inside a chroma block.
CaptionStamp Bar(int x, int y, int width, int height) {
  CaptionStamp stamp{x, y, width, height, std::vector<uint32_t>(size_t(width) * height, kClear)};
  for (int row = 1; row + 1 < height; ++row) {
    for (int column = 1; column + 1 < width; ++column) {
      const bool edge = row == 1 || row + 2 == height || column == 1 || column + 2 == width;
      stamp.pixels[size_t(row) * width + column] = edge ? kBlack : kYellow;
    }
  }
  return stamp;
}

YuvPicture PlanesOf(const Bytes& bgr, int width, int height) {
  YuvPicture planes;
  planes.Resize(width, height);
  unsigned char* out[] = {planes.luma.data(), planes.blue.data(), planes.red.data()};
  int strides[] = {width, planes.ChromaWidth(), planes.ChromaWidth()};
  tjhandle handle = tjInitCompress();
  EXPECT_EQ(0, tjEncodeYUVPlanes(handle, bgr.data(), width, width * 3, height, TJPF_BGR, out, strides, TJSAMP_420, 0));
  tjDestroy(handle);
  return planes;
}

// Over a plane's own bytes, not the room the codec has beyond them.
int WorstDifference(const Bytes& a, const Bytes& b, size_t count) {
  int worst = 0;
  for (size_t i = 0; i < count; ++i) worst = std::max(worst, std::abs(int(a[i]) - int(b[i])));
  return worst;
}

TEST(CaptionStampTest, PlanesGetWhatTheEncoderTakesFromStampedPixels) {
  struct Case {
    int width;
    int height;
    CaptionStamp stamp;
  };
  // Inside, over the right and bottom edges of an odd-sized picture, and
  // beyond its top left corner.
  for (const Case& c :
       {Case{64, 32, Bar(5, 7, 21, 9)}, Case{33, 17, Bar(24, 10, 12, 10)}, Case{40, 30, Bar(-3, -4, 10, 9)}}) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << c.stamp.x << ", " << c.stamp.y);
    Bytes pixels(size_t(c.width) * c.height * 3);
    // Greys of every shade: luma changes from pixel to pixel while the
    // chroma of a block stays, as in a decoded 4:2:0 picture.
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(60 + (i / 3 * 7) % 90);
    YuvPicture planes = PlanesOf(pixels, c.width, c.height);
    const Bytes before = pixels;

    StampBgr(pixels.data(), c.width, c.height, {c.stamp});
    StampYuv(planes, {c.stamp});

    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const int sx = x - c.stamp.x;
        const int sy = y - c.stamp.y;
        const bool inside = sx >= 0 && sy >= 0 && sx < c.stamp.width && sy < c.stamp.height;
        const uint32_t over = inside ? c.stamp.pixels[size_t(sy) * c.stamp.width + sx] : kClear;
        const unsigned char* p = &pixels[(size_t(y) * c.width + x) * 3];
        const unsigned char* was = &before[(size_t(y) * c.width + x) * 3];
        const uint32_t expected =
            over == kClear ? (uint32_t(was[2]) << 16 | uint32_t(was[1]) << 8 | was[0]) : (over & 0xFFFFFF);
        ASSERT_EQ(expected, uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]) << "pixel " << x << ", " << y;
      }
    }
    const YuvPicture fromPixels = PlanesOf(pixels, c.width, c.height);
    const size_t chroma = size_t(planes.ChromaWidth()) * planes.ChromaHeight();
    EXPECT_LE(WorstDifference(planes.luma, fromPixels.luma, size_t(c.width) * c.height), 1);
    EXPECT_LE(WorstDifference(planes.blue, fromPixels.blue, chroma), 1);
    EXPECT_LE(WorstDifference(planes.red, fromPixels.red, chroma), 1);
  }
}

TEST(CaptionStampTest, AStampOfTheWrongSizeChangesNothing) {
  Bytes pixels(16 * 16 * 3, 0x40);
  YuvPicture planes = PlanesOf(pixels, 16, 16);
  const YuvPicture before = planes;
  CaptionStamp broken = Bar(2, 2, 8, 8);
  broken.pixels.pop_back();
  StampBgr(pixels.data(), 16, 16, {broken});
  StampYuv(planes, {broken});
  EXPECT_EQ(Bytes(16 * 16 * 3, 0x40), pixels);
  EXPECT_EQ(before.luma, planes.luma);
  EXPECT_EQ(before.blue, planes.blue);
}

}  // namespace
