// A captioned picture spliced from recorded rows and re-encoded ones: where
// the caption is it equals the picture encoded whole, everywhere else it is
// the recorded picture itself; and a picture coded otherwise is left to the
// whole encode.

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <random>
#include <vector>

#include "export/CaptionRowSplicer.h"
#include "recording/JpegRowWriter.h"
#include "recording/JpegScan.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int kOurQuality = 80;

// Noise over a gradient: every block has coefficients of every kind.
Bytes Scene(int width, int height) {
  std::mt19937 rng(11);
  Bytes pixels(size_t(width) * height * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>((i / 3 % 200) + rng() % 56);
  return pixels;
}

Bytes Compress(const Bytes& pixels, int width, int height, int subsampling, int quality) {
  tjhandle handle = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long size = 0;
  Bytes jpeg;
  if (tjCompress2(handle, pixels.data(), width, width * 3, height, TJPF_BGR, &out, &size, subsampling, quality, 0) == 0)
    jpeg.assign(out, out + size);
  tjFree(out);
  tjDestroy(handle);
  return jpeg;
}

YuvPicture Planes(const unsigned char* jpeg, int size) {
  CStreamImage codec;
  YuvPicture planes;
  EXPECT_TRUE(codec.DecodeToYuv(jpeg, size, planes));
  return planes;
}

CaptionStamp Bar(int x, int y, int width, int height) {
  CaptionStamp stamp{x, y, width, height, std::vector<uint32_t>(size_t(width) * height, 0xFF000000)};
  for (size_t i = 0; i < stamp.pixels.size(); i += 3) stamp.pixels[i] = 0xFFFFFF00;
  return stamp;
}

bool RowTouched(const std::vector<CaptionStamp>& stamps, int row, int height) {
  for (const CaptionStamp& s : stamps) {
    const int top = std::max(s.y, 0);
    const int bottom = std::min(s.y + s.height, height);
    if (top < bottom && top / kJpegRowLines <= row && row <= (bottom - 1) / kJpegRowLines) return true;
  }
  return false;
}

// Lines [top, bottom) of two pictures' planes alike.
void ExpectSameLines(const YuvPicture& a, const YuvPicture& b, int top, int bottom) {
  const size_t width = size_t(a.width);
  const size_t chroma = size_t(a.ChromaWidth());
  for (int y = top; y < bottom; ++y) {
    ASSERT_TRUE(std::equal(&a.luma[y * width], &a.luma[y * width] + width, &b.luma[y * width])) << "luma line " << y;
  }
  for (int y = top / 2; y < (bottom + 1) / 2; ++y) {
    ASSERT_TRUE(std::equal(&a.blue[y * chroma], &a.blue[y * chroma] + chroma, &b.blue[y * chroma])) << "line " << y;
    ASSERT_TRUE(std::equal(&a.red[y * chroma], &a.red[y * chroma] + chroma, &b.red[y * chroma])) << "line " << y;
  }
}

TEST(CaptionRowSplicerTest, TouchedRowsAreTheWholeEncodeAndTheRestIsTheRecordedPicture) {
  struct Case {
    int width;
    int height;
    std::vector<CaptionStamp> stamps;
  };
  // Top and bottom as the film caption stands; one row in the middle; a
  // picture with a part row at the bottom and a part block at the right,
  // captioned over its last line and beyond its top.
  const std::vector<Case> cases = {
      {640, 480, {Bar(4, 0, 80, 20), Bar(4, 440, 200, 40), Bar(300, 462, 120, 18)}},
      {320, 240, {Bar(100, 120, 60, 10)}},
      {200, 90, {Bar(10, 80, 50, 14), Bar(150, -5, 40, 12)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const Bytes source = Compress(Scene(c.width, c.height), c.width, c.height, TJSAMP_420, kOurQuality);
    ASSERT_FALSE(source.empty());

    CStreamImage codec;
    CaptionRowSplicer splicer;
    ASSERT_TRUE(splicer.Make(codec, source, c.stamps, c.width, c.height));
    const YuvPicture spliced = Planes(splicer.Bytes(), splicer.Size());

    YuvPicture whole;
    ASSERT_TRUE(codec.DecodeToYuv(source.data(), int(source.size()), whole));
    StampYuv(whole, c.stamps);
    ASSERT_TRUE(codec.EncodeYuv(source.data(), int(source.size()), whole));
    const YuvPicture encodedWhole = Planes(codec.OutputBytes(), codec.OutputSize());
    const YuvPicture recorded = Planes(source.data(), int(source.size()));

    for (int row = 0; row * kJpegRowLines < c.height; ++row) {
      SCOPED_TRACE(testing::Message() << "row " << row);
      const int top = row * kJpegRowLines;
      const int bottom = std::min(top + kJpegRowLines, c.height);
      ExpectSameLines(spliced, RowTouched(c.stamps, row, c.height) ? encodedWhole : recorded, top, bottom);
    }
  }
}

TEST(CaptionRowSplicerTest, APictureCodedOtherwiseIsLeftToTheWholeEncode) {
  const Bytes scene = Scene(320, 240);
  const Bytes ours = Compress(scene, 320, 240, TJSAMP_420, kOurQuality);
  Bytes truncated(ours.begin(), ours.begin() + ours.size() / 2);
  const std::vector<CaptionStamp> stamps = {Bar(4, 220, 60, 18)};
  struct Case {
    const char* what;
    Bytes source;
  };
  for (const Case& c : {Case{"other quality", Compress(scene, 320, 240, TJSAMP_420, 90)},
                        Case{"other sampling", Compress(scene, 320, 240, TJSAMP_444, kOurQuality)},
                        Case{"data that ends early", truncated}, Case{"no picture", Bytes{0xFF, 0xD8, 0xFF}}}) {
    SCOPED_TRACE(c.what);
    CStreamImage codec;
    CaptionRowSplicer splicer;
    EXPECT_FALSE(splicer.Make(codec, c.source, stamps, 320, 240));
  }
}

// Every row its own run: each first block's DC difference is coded afresh
// and must come out as the recorded bits.
TEST(CaptionRowSplicerTest, RowsWrittenOneByOneGiveTheRecordedData) {
  const Bytes source = Compress(Scene(200, 90), 200, 90, TJSAMP_420, kOurQuality);
  JpegScan scan;
  ASSERT_TRUE(scan.Read(source.data(), source.size()));
  Bytes data;
  JpegRowWriter writer(data);
  for (int row = 0; row < scan.Rows(); ++row) ASSERT_TRUE(writer.Append(scan, row, row + 1));
  writer.Finish();
  const Bytes recorded(source.begin() + static_cast<std::ptrdiff_t>(scan.ScanDataOffset()), source.end() - 2);
  EXPECT_EQ(recorded, data);
}

}  // namespace
