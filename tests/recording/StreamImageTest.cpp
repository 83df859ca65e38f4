#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "recording/StreamImage.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A smooth BGR picture, so that JPEG's losses stay small and comparable.
Bytes Gradient(int width, int height) {
  Bytes pixels(size_t(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &pixels[(size_t(y) * width + x) * 3];
      p[0] = static_cast<unsigned char>(x * 255 / (width - 1));
      p[1] = static_cast<unsigned char>(y * 255 / (height - 1));
      p[2] = static_cast<unsigned char>((x + y) * 255 / (width + height - 2));
    }
  }
  return pixels;
}

Bytes Noise(int width, int height) {
  std::mt19937 rng(7);
  Bytes pixels(size_t(width) * height * 3);
  for (auto& b : pixels) b = static_cast<unsigned char>(rng());
  return pixels;
}

Bytes Compress(const Bytes& pixels, int width, int height, int subsampling, int quality) {
  tjhandle handle = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long size = 0;
  const int rc =
      tjCompress2(handle, pixels.data(), width, width * 3, height, TJPF_BGR, &out, &size, subsampling, quality, 0);
  Bytes jpeg;
  if (rc == 0) jpeg.assign(out, out + size);
  tjFree(out);
  tjDestroy(handle);
  return jpeg;
}

Bytes Decompress(const Bytes& jpeg, int& width, int& height) {
  tjhandle handle = tjInitDecompress();
  int subsampling = 0;
  int colorspace = 0;
  Bytes pixels;
  if (tjDecompressHeader3(handle, jpeg.data(), jpeg.size(), &width, &height, &subsampling, &colorspace) == 0) {
    pixels.resize(size_t(width) * height * 3);
    if (tjDecompress2(handle, jpeg.data(), jpeg.size(), pixels.data(), width, width * 3, height, TJPF_BGR, 0) != 0) {
      pixels.clear();
    }
  }
  tjDestroy(handle);
  return pixels;
}

// A complete segment: marker, big-endian length, then a recognisable payload.
Bytes Segment(unsigned char marker, size_t totalSize, unsigned char fill) {
  Bytes seg(totalSize, fill);
  seg[0] = 0xFF;
  seg[1] = marker;
  const size_t length = totalSize - 2;
  seg[2] = static_cast<unsigned char>(length >> 8);
  seg[3] = static_cast<unsigned char>(length & 0xFF);
  for (size_t i = 4; i < totalSize; ++i) seg[i] = static_cast<unsigned char>(fill + i);
  return seg;
}

// Offset of the first byte after the leading APP0/APP1/COM segments.
size_t AfterLeadingMetadata(const Bytes& jpeg) {
  size_t pos = 2;
  while (pos + 4 <= jpeg.size() && jpeg[pos] == 0xFF &&
         (jpeg[pos + 1] == 0xE0 || jpeg[pos + 1] == 0xE1 || jpeg[pos + 1] == 0xFE)) {
    pos += 2 + ((size_t(jpeg[pos + 2]) << 8) | jpeg[pos + 3]);
  }
  return pos;
}

// The encoder's picture with its own leading segments replaced by `segments`.
Bytes WithSegments(const Bytes& jpeg, const std::vector<Bytes>& segments) {
  Bytes out{0xFF, 0xD8};
  for (const auto& seg : segments) out.insert(out.end(), seg.begin(), seg.end());
  out.insert(out.end(), jpeg.begin() + long(AfterLeadingMetadata(jpeg)), jpeg.end());
  return out;
}

double MeanAbsDiff(const unsigned char* a, const unsigned char* b, size_t n) {
  double sum = 0;
  for (size_t i = 0; i < n; ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / double(n);
}

class StreamImageTest : public ::testing::Test {
 protected:
  Bytes Frame(int width, int height, const std::vector<Bytes>& segments) {
    return WithSegments(Compress(Gradient(width, height), width, height, TJSAMP_420, 90), segments);
  }

  const Bytes app0_ = Segment(0xE0, 40, 0x10);
  const Bytes app1_ = Segment(0xE1, 300, 0x20);
  const Bytes com_ = Segment(0xFE, 63, 0x30);  // the size of a recorder's frame comment
  CStreamImage codec_;
};

TEST_F(StreamImageTest, DoublesHalfHeightPictureKeepingMetadataInFixedOrder) {
  Bytes frame = Frame(640, 240, {com_, app1_, app0_});
  Bytes buffer(CStreamImage::kOutputCapacity);
  std::memcpy(buffer.data(), frame.data(), frame.size());
  int count = int(frame.size());

  ASSERT_TRUE(codec_.DoubleAndReencode(buffer.data(), count, int(buffer.size())));
  buffer.resize(size_t(count));

  int w = 0, h = 0;
  ASSERT_TRUE(codec_.GetImageSize(buffer.data(), count, w, h));
  EXPECT_EQ(640, w);
  EXPECT_EQ(480, h);
  EXPECT_EQ(WithSegments({0xFF, 0xD8}, {app0_, app1_, com_}),
            Bytes(buffer.begin(), buffer.begin() + 2 + 40 + 300 + 63));
  // Nothing of the encoder's own metadata follows the source's.
  EXPECT_EQ(2u + 40 + 300 + 63, AfterLeadingMetadata(buffer));

  // The re-encoded picture shows the doubled pixels of the source.
  Bytes expected(codec_.GetDoubledPixels(), codec_.GetDoubledPixels() + size_t(640) * 480 * 3);
  int dw = 0, dh = 0;
  Bytes decoded = Decompress(buffer, dw, dh);
  ASSERT_EQ(expected.size(), decoded.size());
  EXPECT_LT(MeanAbsDiff(decoded.data(), expected.data(), expected.size()), 2.0);
}

TEST_F(StreamImageTest, DoubledRowsFollowTheLineRule) {
  const int width = 10, height = 4;  // 2 * 4 < 10: half-height
  Bytes frame = Frame(width, height, {});
  ASSERT_TRUE(codec_.DecodeToPixels(frame.data(), int(frame.size())));
  const size_t rowBytes = width * 3;
  // Rows with odd sums (rounding down) and with sums above 255.
  const unsigned char rowValues[height] = {10, 13, 255, 254};
  for (int y = 0; y < height; ++y) std::memset(codec_.Pixels() + y * rowBytes, rowValues[y], rowBytes);
  codec_.Pixels()[0] = 0;  // a single byte differs: the rule is byte-wise

  const unsigned char* doubled = codec_.GetDoubledPixels();
  ASSERT_NE(nullptr, doubled);
  const unsigned char expectedRows[2 * height] = {10, 11, 13, 134, 255, 254, 254, 254};
  for (int y = 0; y < 2 * height; ++y) {
    for (size_t x = 0; x < rowBytes; ++x) {
      unsigned char expected = expectedRows[y];
      if (x == 0 && y == 0) expected = 0;
      if (x == 0 && y == 1) expected = 6;  // (0 + 13) / 2
      ASSERT_EQ(expected, doubled[y * rowBytes + x]) << "row " << y << " byte " << x;
    }
  }
}

TEST_F(StreamImageTest, FullHeightPictureIsLeftAsItIs) {
  Bytes frame = Frame(640, 480, {com_});
  const Bytes original = frame;
  int count = int(frame.size());
  EXPECT_TRUE(codec_.DoubleAndReencode(frame.data(), count, int(frame.size())));
  EXPECT_EQ(int(original.size()), count);
  EXPECT_EQ(original, frame);

  ASSERT_TRUE(codec_.DecodeToPixels(frame.data(), count));
  EXPECT_EQ(nullptr, codec_.GetDoubledPixels());
}

TEST_F(StreamImageTest, WithoutMetadataTheOutputIsTheEncodersDataAfterItsOwnSegments) {
  const Bytes pixels = Gradient(320, 240);
  const Bytes source = WithSegments(Compress(pixels, 320, 240, TJSAMP_420, 90), {});
  ASSERT_TRUE(codec_.EncodePixels(source.data(), int(source.size()), pixels.data(), 320, 240));

  const Bytes reference = Compress(pixels, 320, 240, TJSAMP_420, 80);
  ASSERT_GT(AfterLeadingMetadata(reference), 2u) << "the encoder writes its own APP0";
  const Bytes expected = WithSegments(reference, {});
  EXPECT_EQ(expected, Bytes(codec_.OutputBytes(), codec_.OutputBytes() + codec_.OutputSize()));
  EXPECT_EQ(0, codec_.ComSize());
  EXPECT_EQ(0, codec_.App0Size());
  EXPECT_EQ(0, codec_.App1Size());
}

TEST_F(StreamImageTest, DecodedPixelsAreCloseToTheSource) {
  const Bytes source = Gradient(640, 480);
  const Bytes frame = WithSegments(Compress(source, 640, 480, TJSAMP_444, 95), {com_});
  ASSERT_TRUE(codec_.DecodeToPixels(frame.data(), int(frame.size())));
  EXPECT_EQ(640, codec_.Width());
  EXPECT_EQ(480, codec_.Height());

  int worst = 0;
  for (size_t i = 0; i < source.size(); ++i)
    worst = std::max(worst, std::abs(int(codec_.Pixels()[i]) - int(source[i])));
  EXPECT_LT(MeanAbsDiff(codec_.Pixels(), source.data(), source.size()), 1.5);
  EXPECT_LE(worst, 12);
}

TEST_F(StreamImageTest, SegmentSlotsKeepOnlyWhatFitsAndStopAtOtherMarkers) {
  const Bytes app0Full = Segment(0xE0, CStreamImage::kApp0SlotSize, 0x40);
  const Bytes comTooLong = Segment(0xFE, CStreamImage::kComSlotSize + 1, 0x50);
  const Bytes app1TooLong = Segment(0xE1, CStreamImage::kApp1SlotSize + 1, 0x60);

  Bytes frame = Frame(64, 48, {comTooLong, app0Full, app1_});
  ASSERT_TRUE(codec_.DecodeToPixels(frame.data(), int(frame.size())));
  EXPECT_EQ(0, codec_.ComSize());
  ASSERT_EQ(CStreamImage::kApp0SlotSize, codec_.App0Size());
  EXPECT_EQ(app0Full, Bytes(codec_.App0Segment(), codec_.App0Segment() + codec_.App0Size()));
  ASSERT_EQ(300, codec_.App1Size());
  EXPECT_EQ(app1_, Bytes(codec_.App1Segment(), codec_.App1Segment() + codec_.App1Size()));

  // Each decode starts afresh; an oversize APP1 is dropped too.
  frame = Frame(64, 48, {app1TooLong, com_});
  ASSERT_TRUE(codec_.DecodeToPixels(frame.data(), int(frame.size())));
  EXPECT_EQ(0, codec_.App0Size());
  EXPECT_EQ(0, codec_.App1Size());
  EXPECT_EQ(63, codec_.ComSize());

  // Only the first three segments are looked at, and another marker ends the look.
  const Bytes dqtLike = Segment(0xE2, 20, 0x70);
  frame = Frame(64, 48, {app0_, dqtLike, com_});
  ASSERT_TRUE(codec_.DecodeToPixels(frame.data(), int(frame.size())));
  EXPECT_EQ(40, codec_.App0Size());
  EXPECT_EQ(0, codec_.ComSize());
  frame = Frame(64, 48, {app0_, app0_, app0_, com_});
  ASSERT_TRUE(codec_.DecodeToPixels(frame.data(), int(frame.size())));
  EXPECT_EQ(0, codec_.ComSize());
}

TEST_F(StreamImageTest, DamagedBytesFailWithoutTouchingTheBuffer) {
  const Bytes good = Frame(64, 32, {com_});
  int w = 0, h = 0;

  EXPECT_FALSE(codec_.GetImageSize(nullptr, 100, w, h));
  EXPECT_FALSE(codec_.DecodeToPixels(nullptr, 100));
  EXPECT_FALSE(codec_.GetImageSize(good.data(), 3, w, h));
  EXPECT_FALSE(codec_.GetImageSize(good.data(), -1, w, h));

  std::mt19937 rng(3);
  Bytes garbage(5000);
  for (auto& b : garbage) b = static_cast<unsigned char>(rng());
  garbage[0] = 0xFF;
  garbage[1] = 0xD8;
  EXPECT_FALSE(codec_.GetImageSize(garbage.data(), int(garbage.size()), w, h));
  EXPECT_FALSE(codec_.DecodeToPixels(garbage.data(), int(garbage.size())));

  // A metadata segment whose length runs past the end of the bytes.
  Bytes overrun = {0xFF, 0xD8, 0xFF, 0xFE, 0xFF, 0xF0, 1, 2, 3};
  EXPECT_FALSE(codec_.DecodeToPixels(overrun.data(), int(overrun.size())));
  EXPECT_EQ(0, codec_.ComSize());

  // Cut inside the headers: nothing to show.
  const int headerCut = int(AfterLeadingMetadata(good)) + 40;
  EXPECT_FALSE(codec_.GetImageSize(good.data(), headerCut, w, h));
  Bytes cut(good.begin(), good.begin() + headerCut);
  int count = headerCut;
  EXPECT_FALSE(codec_.DoubleAndReencode(cut.data(), count, int(cut.size())));
  EXPECT_EQ(headerCut, count);
  EXPECT_EQ(Bytes(good.begin(), good.begin() + headerCut), cut);

  Bytes frame = Frame(64, 48, {});  // a header claiming 65520 x 65520 pixels
  size_t sof = 2;
  while (sof + 1 < frame.size() && !(frame[sof] == 0xFF && frame[sof + 1] == 0xC0)) ++sof;
  ASSERT_LT(sof + 9, frame.size());
  frame[sof + 5] = 0xFF, frame[sof + 6] = 0xF0;
  frame[sof + 7] = 0xFF, frame[sof + 8] = 0xF0;
  EXPECT_FALSE(codec_.GetImageSize(frame.data(), int(frame.size()), w, h));
  EXPECT_FALSE(codec_.DecodeToPixels(frame.data(), int(frame.size())));
}

TEST_F(StreamImageTest, PictureCutShortInItsDataStillShowsItsTop) {
  const Bytes source = Gradient(256, 256);
  const Bytes full = WithSegments(Compress(source, 256, 256, TJSAMP_444, 95), {});
  const Bytes cut(full.begin(), full.begin() + long(full.size() * 3 / 4));
  ASSERT_TRUE(codec_.DecodeToPixels(cut.data(), int(cut.size())));
  const size_t topRows = size_t(256) * 3 * 64;
  EXPECT_LT(MeanAbsDiff(codec_.Pixels(), source.data(), topRows), 1.5);
}

TEST_F(StreamImageTest, ResultThatDoesNotFitFails) {
  const Bytes frame = Frame(640, 240, {com_});
  Bytes buffer = frame;  // room for the half-height picture only
  int count = int(frame.size());
  EXPECT_FALSE(codec_.DoubleAndReencode(buffer.data(), count, int(buffer.size())));
  EXPECT_EQ(int(frame.size()), count);
  EXPECT_EQ(frame, buffer);

  // Noise does not compress: a 1024 x 1024 picture exceeds the output buffer.
  const Bytes noise = Noise(1024, 1024);
  EXPECT_FALSE(codec_.EncodePixels(frame.data(), int(frame.size()), noise.data(), 1024, 1024));
  EXPECT_EQ(0, codec_.OutputSize());
  EXPECT_FALSE(codec_.EncodePixels(frame.data(), int(frame.size()), nullptr, 64, 64));
  EXPECT_FALSE(codec_.EncodePixels(frame.data(), int(frame.size()), noise.data(), 0, 64));
}

TEST_F(StreamImageTest, BuffersAreReusedWhileTheSizeStays) {
  const Bytes a = Frame(640, 240, {com_});
  const Bytes b = WithSegments(Compress(Noise(640, 240), 640, 240, TJSAMP_420, 80), {});
  ASSERT_TRUE(codec_.DecodeToPixels(a.data(), int(a.size())));
  const unsigned char* pixels = codec_.Pixels();
  const unsigned char* doubled = codec_.GetDoubledPixels();
  ASSERT_TRUE(codec_.EncodePixels(a.data(), int(a.size()), doubled, 640, 480));
  const unsigned char* output = codec_.OutputBytes();

  ASSERT_TRUE(codec_.DecodeToPixels(b.data(), int(b.size())));
  EXPECT_EQ(pixels, codec_.Pixels());
  EXPECT_EQ(doubled, codec_.GetDoubledPixels());
  ASSERT_TRUE(codec_.EncodePixels(b.data(), int(b.size()), codec_.GetDoubledPixels(), 640, 480));
  EXPECT_EQ(output, codec_.OutputBytes());

  // A new size is taken on; a full-height picture has no doubled buffer.
  const Bytes c = Frame(320, 240, {});
  ASSERT_TRUE(codec_.DecodeToPixels(c.data(), int(c.size())));
  EXPECT_EQ(320, codec_.Width());
  EXPECT_EQ(240, codec_.Height());
  EXPECT_EQ(nullptr, codec_.GetDoubledPixels());
}

}  // namespace

namespace {

// Through the planes and back, for every chroma sampling a frame may have
// and sizes that do not fill a block: the picture stays what the pixel path
// gives, and the output carries the source's metadata like EncodePixels.
TEST_F(StreamImageTest, PlanesRoundTripMatchesThePixelPath) {
  struct Case {
    int subsampling;
    int width;
    int height;
  };
  for (const Case c : {Case{TJSAMP_420, 640, 480}, Case{TJSAMP_422, 641, 479}, Case{TJSAMP_444, 97, 31},
                       Case{TJSAMP_GRAY, 64, 48}, Case{TJSAMP_420, 33, 17}}) {
    SCOPED_TRACE(testing::Message() << "sampling " << c.subsampling << ", " << c.width << " x " << c.height);
    const Bytes frame =
        WithSegments(Compress(Gradient(c.width, c.height), c.width, c.height, c.subsampling, 95), {app0_, com_});
    YuvPicture planes;
    ASSERT_TRUE(codec_.DecodeToYuv(frame.data(), int(frame.size()), planes));
    EXPECT_EQ(c.width, planes.width);
    EXPECT_EQ(c.height, planes.height);
    ASSERT_TRUE(codec_.EncodeYuv(frame.data(), int(frame.size()), planes));
    const Bytes viaPlanes(codec_.OutputBytes(), codec_.OutputBytes() + codec_.OutputSize());
    EXPECT_EQ(0, std::memcmp(viaPlanes.data() + 2, app0_.data(), app0_.size())) << "metadata first, in order";
    EXPECT_EQ(0, std::memcmp(viaPlanes.data() + 2 + app0_.size(), com_.data(), com_.size()));

    ASSERT_TRUE(codec_.DecodeToPixels(frame.data(), int(frame.size())));
    const Bytes direct(codec_.Pixels(), codec_.Pixels() + size_t(c.width) * c.height * 3);
    int width = 0;
    int height = 0;
    const Bytes back = Decompress(viaPlanes, width, height);
    ASSERT_EQ(direct.size(), back.size());
    EXPECT_LT(MeanAbsDiff(back.data(), direct.data(), direct.size()), 2.0);
  }
}

TEST_F(StreamImageTest, PlanesOfAWrongSizeAreNotEncoded) {
  YuvPicture planes;
  planes.Resize(64, 48);
  planes.blue.resize(10);
  EXPECT_FALSE(codec_.EncodeYuv(nullptr, 0, planes));
  EXPECT_EQ(0, codec_.OutputSize());
}

TEST_F(StreamImageTest, PictureClaimingMorePixelsThanARecorderWritesIsRefusedUnallocated) {
  struct Claim {
    int width;
    int height;
    bool readable;
  };
  constexpr int kWidest = CStreamImage::kLargestFrameWidth;
  constexpr int kTallest = CStreamImage::kLargestFrameHeight;
  for (const Claim claim :
       {Claim{kWidest, kTallest, true}, Claim{2 * kWidest, kTallest / 2, true}, Claim{kWidest + 1, kTallest, false},
        Claim{kWidest, kTallest + 1, false}, Claim{65535, 65535, false}}) {
    SCOPED_TRACE(testing::Message() << claim.width << " x " << claim.height);
    Bytes frame = Frame(64, 48, {com_});
    size_t sof = 2;
    while (sof + 1 < frame.size() && !(frame[sof] == 0xFF && frame[sof + 1] == 0xC0)) ++sof;
    ASSERT_LT(sof + 9, frame.size());
    frame[sof + 5] = static_cast<unsigned char>(claim.height >> 8), frame[sof + 6] = claim.height & 0xFF;
    frame[sof + 7] = static_cast<unsigned char>(claim.width >> 8), frame[sof + 8] = claim.width & 0xFF;

    CStreamImage codec;
    int w = 0, h = 0;
    EXPECT_EQ(claim.readable, codec.GetImageSize(frame.data(), int(frame.size()), w, h));
    if (claim.readable) continue;
    EXPECT_FALSE(codec.DecodeToPixels(frame.data(), int(frame.size())));
    EXPECT_EQ(nullptr, codec.Pixels());
    EXPECT_EQ(0, codec.Width());
  }
}

}  // namespace
