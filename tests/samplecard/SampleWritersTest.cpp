// The generator's pieces: the end-marker guard of the comment block, the
// raw G values against the reader's calibration, coordinates, the index
// variants written one by one, NMEA lines, and agreement between a video
// frame and the log record of the same second.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "samplecard/SampleCard.h"
#include "samplecard/SampleCommentBlock.h"
#include "samplecard/SampleIndexWriter.h"
#include "samplecard/SampleLogWriter.h"
#include "samplecard/SampleRecordings.h"
#include "samplecard/SampleTelemetry.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/TempDir.h"

namespace {

constexpr double kPi = 3.1415926535;

// The reader's calibration, written out here on its own: rotate the raw
// values by the angle, then subtract the rotated offsets less 1 g on Z.
void Calibrate(const std::array<int16_t, 3>& raw, const SampleCalibration& c, double out[3]) {
  const double t = c.angle * kPi / 180;
  auto turn = [t](double x, double y, double z, double v[3]) {
    v[0] = t != 0 ? x * std::cos(t) - z * std::sin(t) : x;
    v[1] = y;
    v[2] = t != 0 ? z * std::cos(t) + x * std::sin(t) : z;
  };
  turn(raw[0] / 1000.0, raw[1] / 1000.0, raw[2] / 1000.0, out);
  if (c.offsetX == 0 && c.offsetY == 0 && c.offsetZ == 0) return;
  double offset[3];
  turn(c.offsetX / 1000.0, c.offsetY / 1000.0, c.offsetZ / 1000.0, offset);
  offset[2] -= 1;
  for (int i = 0; i < 3; ++i) out[i] -= offset[i];
}

TEST(SampleCommentBlockTest, NoEndOfImageMarkerSurvivesInTheBlock) {
  SampleFrame frame;
  frame.time = DateTime{2024, 6, 5, 14, 9, 30, 0, 0};
  frame.gX = -5;   // FB FF
  frame.gY = 217;  // D9 00: FF D9 across the two fields
  frame.pulse = 0xD9FF;
  ASSERT_TRUE(HasJpegEndMarker(MakeSampleCommentBlock(frame).data(), kSampleCommentBlockSize));
  ASSERT_TRUE(AvoidEndMarkerInBlock(&frame));
  EXPECT_FALSE(HasJpegEndMarker(MakeSampleCommentBlock(frame).data(), kSampleCommentBlockSize));
  EXPECT_EQ(frame.gX, -5);
  EXPECT_EQ(frame.gY, 218);
  EXPECT_EQ(frame.pulse, 0xDA00);
}

TEST(SampleTelemetryTest, RawValuesCalibrateBackToTheTrueAcceleration) {
  const SampleCalibration mountings[] = {{0, 0, 0, 0}, {0, 12, -8, 1003}, {8, 151, -8, 993}, {-12, 0, 0, 0}};
  const double truth[][3] = {{0, 0, 1}, {0.3, -0.2, 1.05}, {-1.7, 0.8, 1.9}};
  for (const SampleCalibration& c : mountings) {
    for (const auto& g : truth) {
      double back[3];
      Calibrate(SampleRawG(g[0], g[1], g[2], c), c, back);
      for (int i = 0; i < 3; ++i) EXPECT_NEAR(back[i], g[i], 0.002) << int(c.angle) << " axis " << i;
    }
  }
  // At rest a calibrated sensor reads its offsets.
  const auto rest = SampleRawG(0, 0, 1, SampleCalibration{0, 12, -8, 1003});
  EXPECT_EQ(rest, (std::array<int16_t, 3>{12, -8, 1003}));
}

TEST(SampleTelemetryTest, CoordinatesAndPulsesAreOnTheRecordersGrid) {
  EXPECT_DOUBLE_EQ(SampleDegreesToDdmm(48.137), 4808.22);
  EXPECT_DOUBLE_EQ(SampleDegreesToDdmm(-33.5), -3330.0);
  EXPECT_DOUBLE_EQ(SampleDegreesToDdmm(11.9999999), 1200.0);  // never 1160.0000
  // 100 pulses of type 0 read as 282 km/h; the generator gives that speed 100 pulses.
  EXPECT_EQ(SamplePulsesForSpeed(282.7, 0), 100);
  EXPECT_EQ(SamplePulsesForSpeed(50, 5), 221);
  EXPECT_EQ(SamplePulsesForSpeed(50, -1), 0);
}

TEST(SampleIndexWriterTest, EachVariantEndsAsItsLayoutSays) {
  TempDir dir;
  SampleVideoRecipe recipe;
  recipe.seconds = 2;
  recipe.fps = 3;
  recipe.width = 32;
  recipe.height = 16;
  recipe.calibration = {5, 100, 2, 990};

  recipe.variant = SampleIndexVariant::kTrailer26;
  recipe.recordSize = 69;
  SampleVideo old = MakeSampleVideo(recipe);
  ASSERT_TRUE(WriteSampleVideo(dir.path(), &old, nullptr));
  const std::string oldIndex = TempDir::Read(old.indexPath);
  ASSERT_EQ(oldIndex.size(), 6u * 69 + 26);
  const std::string oldTrailer = oldIndex.substr(6 * 69);
  EXPECT_EQ(oldTrailer.substr(0, 4), std::string("\xA0\x00\x00\xFF", 4));
  EXPECT_EQ(static_cast<int8_t>(oldTrailer[14]), 5);
  EXPECT_EQ(old.drid, "");  // no room for the identity in the older trailer
  EXPECT_EQ(old.calibration.offsetZ, 990);

  recipe.variant = SampleIndexVariant::kNoTrailer;
  recipe.recordFormat = 2;
  recipe.number = 2;
  SampleVideo bare = MakeSampleVideo(recipe);
  ASSERT_TRUE(WriteSampleVideo(dir.path(), &bare, nullptr));
  const std::string bareIndex = TempDir::Read(bare.indexPath);
  ASSERT_EQ(bareIndex.size(), 6u * 69);
  EXPECT_EQ(bareIndex.substr(0, 4), std::string("\xA2\x00\x00\xDD", 4));
  EXPECT_EQ(bare.calibration.angle, 0);  // nothing to carry it, so the raw values are plain g
  EXPECT_EQ(bare.attributeB, 101);

  recipe.variant = SampleIndexVariant::kNoIndex;
  recipe.number = 3;
  SampleVideo none = MakeSampleVideo(recipe);
  ASSERT_TRUE(WriteSampleVideo(dir.path(), &none, nullptr));
  EXPECT_TRUE(none.indexPath.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator{}),
            5);  // three .vdd, two .vdx
}

TEST(SampleIndexWriterTest, AVideoWithoutFramesIsRefused) {
  TempDir dir;
  SampleVideo video;
  video.width = 32;
  video.height = 32;
  std::string error;
  EXPECT_FALSE(WriteSampleVideo(dir.path(), &video, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(SampleLogWriterTest, NmeaLinesEndWithTheXorOfTheirBody) {
  // The checksum of a well-known receiver sentence.
  EXPECT_EQ(SampleNmeaLine("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
            "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
}

TEST(SampleLogWriterTest, AFixlessSecondWritesEmptyPositionFields) {
  SampleLogRecipe recipe;
  recipe.seconds = 4;
  recipe.invalidFrom = 1;
  recipe.invalidSeconds = 2;
  const SampleLog log = MakeSampleLog(recipe);
  ASSERT_EQ(log.records.size(), 4u);
  EXPECT_TRUE(log.records[0].gpsValid);
  EXPECT_FALSE(log.records[1].gpsValid);
  EXPECT_EQ(log.records[1].latitude, 0.0);
  EXPECT_TRUE(log.records[3].gpsValid);
  const std::string text = BuildSampleLogText(log);
  EXPECT_NE(text.find(",V,,,,,,,140624,,,N*"), std::string::npos);
  EXPECT_NE(text.find(",A,4808.2200,N,01134.5000,E,"), std::string::npos);
}

TEST(SampleRecordingsTest, AVideoFrameAndTheLogRecordOfTheSameSecondAgree) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  SampleRouteOptions options;
  options.seed = 7;
  options.seconds = 40;
  options.shockMs = {12000};
  const SampleRoute route(options);
  const int64_t start = 1718350200;  // 2024-06-14 09:30:00 in Berlin
  SampleVideoRecipe videoRecipe;
  videoRecipe.kind = SampleVideoKind::kNormal;
  videoRecipe.seconds = 30;
  videoRecipe.fps = 4;
  videoRecipe.calibration = {0, 12, -8, 1003};
  SampleLogRecipe logRecipe;
  logRecipe.seconds = 30;
  logRecipe.calibration = videoRecipe.calibration;
  const SampleVideo video = MakeSampleVideoOnRoute(route, start, 5, videoRecipe);
  const SampleLog log = MakeSampleLogOnRoute(route, start, 0, logRecipe);
  int moving = 0;
  for (int second = 5; second < 30; ++second) {
    const SampleFrame& frame = video.frames[static_cast<size_t>((second - 5) * 4)];
    const SampleLogRecord& record = log.records[static_cast<size_t>(second)];
    ASSERT_EQ(frame.frameNumber, 0);
    EXPECT_EQ(frame.time.second, second % 60);
    EXPECT_EQ(frame.latitude, record.latitudeDdmm);
    EXPECT_EQ(frame.longitude, record.longitudeDdmm);
    EXPECT_EQ(frame.signal, record.signal);
    EXPECT_EQ(frame.pulse, record.pulse);
    EXPECT_EQ(frame.gZ, record.gZ);
    EXPECT_NEAR(frame.speed, record.speedKnots * 1.852, 0.6);
    if (frame.speed > 5) ++moving;
  }
  EXPECT_GT(moving, 5);
  // The shock shows in both.
  EXPECT_GT(log.records[12].gZ, 1500);
  EXPECT_GT(video.frames[(12 - 5) * 4].gZ, 1500);
}

}  // namespace
