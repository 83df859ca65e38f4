// A caption stamp put on a picture: on pixels it replaces what it covers and
// nothing else; on the codec's planes it gives what the encoder would take
// from those pixels, and on a picture's coefficients what the planes get,
// so a caption looks the same any way.

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "export/CaptionStamp.h"
#include "recording/JpegCoefficients.h"
#include "recording/StreamImage.h"

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

Bytes Jpeg(const Bytes& bgr, int width, int height) {
  tjhandle handle = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long size = 0;
  EXPECT_EQ(0, tjCompress2(handle, bgr.data(), width, width * 3, height, TJPF_BGR, &out, &size, TJSAMP_420, 80, 0));
  Bytes jpeg(out, out + size);
  tjFree(out);
  tjDestroy(handle);
  return jpeg;
}

YuvPicture Decoded(CStreamImage& codec, const unsigned char* jpeg, int size) {
  YuvPicture planes;
  EXPECT_TRUE(codec.DecodeToYuv(jpeg, size, planes));
  return planes;
}

TEST(CaptionStampTest, CoefficientsGetWhatThePlanesGetAndNothingBeyondTheStampsBlocks) {
  constexpr int kWidth = 97;  // odd, so the last MCUs stand over the edges
  constexpr int kHeight = 65;
  Bytes pixels(size_t(kWidth) * kHeight * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(40 + (i * 13 / 3) % 170);
  const Bytes jpeg = Jpeg(pixels, kWidth, kHeight);
  // Inside, beyond the top left corner, over the right and bottom edges,
  // and two in neighbouring MCUs that become one region.
  const std::vector<CaptionStamp> stamps = {Bar(21, 19, 9, 7), Bar(-3, -2, 12, 9), Bar(88, 58, 14, 10),
                                            Bar(33, 40, 12, 6), Bar(47, 44, 10, 6)};
  CStreamImage codec;
  YuvPicture stampedPlanes = Decoded(codec, jpeg.data(), int(jpeg.size()));
  const YuvPicture recorded = stampedPlanes;
  StampYuv(stampedPlanes, stamps);

  JpegCoefficients coefficients;
  ASSERT_TRUE(codec.DecodeToCoefficients(jpeg.data(), int(jpeg.size()), coefficients));
  StampCoefficients(coefficients, stamps);
  ASSERT_TRUE(codec.EncodeCoefficients(jpeg.data(), int(jpeg.size()), coefficients));
  const Bytes written(codec.OutputBytes(), codec.OutputBytes() + codec.OutputSize());
  const YuvPicture got = Decoded(codec, written.data(), int(written.size()));

  // The planes path encodes the same stamped planes at the film's quality:
  // the coefficients' picture is to be as close to them as its is.
  EXPECT_TRUE(codec.EncodeYuv(jpeg.data(), int(jpeg.size()), stampedPlanes));
  const YuvPicture viaPlanes = Decoded(codec, codec.OutputBytes(), codec.OutputSize());

  // The MCUs, 16 x 16 pixels, that some stamp reaches.
  const auto stamped = [&](int x, int y) {
    for (const CaptionStamp& stamp : stamps) {
      const int left = std::max(stamp.x, 0) / 16 * 16;
      const int top = std::max(stamp.y, 0) / 16 * 16;
      const int right = (stamp.x + stamp.width + 15) / 16 * 16;
      const int bottom = (stamp.y + stamp.height + 15) / 16 * 16;
      if (x >= left && x < right && y >= top && y < bottom) return true;
    }
    return false;
  };
  struct Error {
    double sum = 0;
    int worst = 0;
    void Add(int a, int b) {
      sum += std::abs(a - b);
      worst = std::max(worst, std::abs(a - b));
    }
  };
  Error ours;
  Error planes;
  int counted = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const size_t at = size_t(y) * kWidth + x;
      const size_t chroma = size_t(y / 2) * recorded.ChromaWidth() + x / 2;
      if (!stamped(x, y)) {
        ASSERT_EQ(recorded.luma[at], got.luma[at]) << "pixel " << x << ", " << y << " outside the stamps' blocks";
        ASSERT_EQ(recorded.blue[chroma], got.blue[chroma]) << "pixel " << x << ", " << y;
        ASSERT_EQ(recorded.red[chroma], got.red[chroma]) << "pixel " << x << ", " << y;
        continue;
      }
      ++counted;
      for (const auto& [plane, index] : {std::pair{&YuvPicture::luma, at}, std::pair{&YuvPicture::blue, chroma},
                                         std::pair{&YuvPicture::red, chroma}}) {
        ours.Add((stampedPlanes.*plane)[index], (got.*plane)[index]);
        planes.Add((stampedPlanes.*plane)[index], (viaPlanes.*plane)[index]);
      }
    }
  }
  ASSERT_GT(counted, 0);
  EXPECT_LE(ours.sum / counted, planes.sum / counted * 1.05);
  EXPECT_LE(ours.worst, planes.worst + 2);
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
