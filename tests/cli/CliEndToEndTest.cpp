// korvane-cli on a generated card: what the readers report must be what the
// generator wrote, for every recording and every index variant.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "platform/TimeKey.h"
#include "platform/Utf8.h"
#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

using nlohmann::json;

// The options the command line below gives.
SampleCardOptions SmallCard() {
  SampleCardOptions options;
  options.seed = 7;
  options.events = 6;
  options.normals = 3;
  options.logs = 2;
  options.minutes = 1;
  options.width = 96;
  options.height = 64;
  return options;
}

std::string ExpectedSource(const SampleVideo& video) {
  if (video.damage != SampleIndexDamage::kNone || video.variant == SampleIndexVariant::kNoIndex) return "scan";
  if (video.variant == SampleIndexVariant::kNoTrailer) return "index-no-trailer";
  return "index";
}

double DecimalDegrees(double ddmm) {
  const double a = std::fabs(ddmm);
  const double degrees = std::trunc(a / 100);
  const double value = degrees + (a - degrees * 100) / 60;
  return ddmm < 0 ? -value : value;
}

// G in g as the reader must give it: raw / 1000, rotated and calibrated only
// when it came from an index whose trailer carries the calibration.
std::array<double, 3> ExpectedG(const SampleVideo& video, const SampleFrame& f, bool calibrated) {
  double x = f.gX / 1000.0, y = f.gY / 1000.0, z = f.gZ / 1000.0;
  if (!calibrated) return {x, y, z};
  const SampleCalibration& c = video.calibration;
  const double theta = c.angle * 3.1415926535 / 180;
  double ox = 0, oy = 0, oz = 0;
  if (c.offsetX || c.offsetY || c.offsetZ) {
    ox = c.angle ? c.offsetX / 1000.0 * std::cos(theta) - c.offsetZ / 1000.0 * std::sin(theta) : c.offsetX / 1000.0;
    oy = c.offsetY / 1000.0;
    oz = (c.angle ? c.offsetZ / 1000.0 * std::cos(theta) + c.offsetX / 1000.0 * std::sin(theta) : c.offsetZ / 1000.0) -
         1;
  }
  if (c.angle) {
    const double rx = x * std::cos(theta) - z * std::sin(theta);
    z = z * std::cos(theta) + x * std::sin(theta);
    x = rx;
  }
  return {x - ox, y - oy, z - oz};
}

class CliEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    const CliRun made = RunCli({"make-sample-card", (dir_->path() / "card").string(), "--seed", "7", "--events", "6",
                                "--normals", "3", "--logs", "2", "--minutes", "1", "--width", "96", "--height", "64"});
    made_ = made.exitStatus;
    // The same card once more in-process, to know what the files hold.
    card_ = new SampleCard;
    std::string error;
    WriteSampleCard(dir_->path() / "twin", SmallCard(), card_, &error);
  }
  static void TearDownTestSuite() {
    delete card_;
    delete dir_;
  }

  static std::string OnCliCard(const std::filesystem::path& twinPath) {
    return (dir_->path() / "card" / std::filesystem::relative(twinPath, dir_->path() / "twin")).string();
  }

  static TempDir* dir_;
  static SampleCard* card_;
  static int made_;
};
TempDir* CliEndToEnd::dir_ = nullptr;
SampleCard* CliEndToEnd::card_ = nullptr;
int CliEndToEnd::made_ = -1;

TEST_F(CliEndToEnd, EveryVideoRecordingReadsAsWritten) {
  ASSERT_EQ(made_, 0);
  ASSERT_FALSE(card_->videos.empty());
  for (const SampleVideo& video : card_->videos) {
    const std::string path = OnCliCard(video.dataPath);
    SCOPED_TRACE(path);
    const CliRun run = RunCli({"frames", path, "--json"});
    ASSERT_EQ(run.exitStatus, 0);
    const json doc = json::parse(run.out);
    EXPECT_EQ(doc["status"], 1);
    const std::string source = ExpectedSource(video);
    EXPECT_EQ(doc["source"], source);
    const bool fromTrailer = source == "index" && video.identityFlag != 0;
    EXPECT_EQ(doc["drid"],
              fromTrailer && video.variant == SampleIndexVariant::kTrailer92 ? Utf8Prefix(video.drid, 10) : "");
    if (source != "scan") {
      EXPECT_EQ(doc["event_code"], video.eventCode);
    }
    ASSERT_EQ(doc["frames"].size(), video.frames.size());
    for (size_t i = 0; i < video.frames.size(); ++i) {
      const SampleFrame& f = video.frames[i];
      const json& got = doc["frames"][i];
      SCOPED_TRACE("frame " + std::to_string(i));
      EXPECT_EQ(got["offset"], f.offset);
      EXPECT_EQ(got["size"], f.size);
      EXPECT_EQ(got["time"][0], f.time.year);
      EXPECT_EQ(got["time"][5], f.time.minute);
      EXPECT_EQ(got["time"][6], f.time.second);
      EXPECT_EQ(got["time"][7], f.time.milliseconds);
      EXPECT_EQ(got["time_key"], MakeTimeKey(f.time));
      EXPECT_EQ(got["kind"], f.kind);
      EXPECT_EQ(got["signal"], f.signal);
      EXPECT_EQ(got["pulse"], f.pulse);
      EXPECT_EQ(got["event"], f.eventBits);
      EXPECT_EQ(got["gps"]["valid"] != 0, f.gpsValid);
      EXPECT_EQ(got["gps"]["speed"], f.speed);
      EXPECT_NEAR(got["gps"]["lat"].get<double>(), DecimalDegrees(f.latitude), 1e-6);
      EXPECT_NEAR(got["gps"]["lon"].get<double>(), DecimalDegrees(f.longitude), 1e-6);
      const auto g = ExpectedG(video, f, fromTrailer);
      for (int axis = 0; axis < 3; ++axis) EXPECT_NEAR(got["g"][axis].get<double>(), g[axis], 1e-5) << axis;
    }
  }
}

TEST_F(CliEndToEnd, EveryLogReadsAsWritten) {
  ASSERT_EQ(made_, 0);
  ASSERT_FALSE(card_->logs.empty());
  for (const SampleLog& log : card_->logs) {
    const std::string path = OnCliCard(log.path);
    SCOPED_TRACE(path);
    const CliRun run = RunCli({"log", path, "--json"});
    ASSERT_EQ(run.exitStatus, 0);
    const json doc = json::parse(run.out);
    EXPECT_EQ(doc["header_value"], log.headerValue);
    EXPECT_EQ(doc["drid"], Utf8Prefix(log.drid, 10));
    ASSERT_EQ(doc["records"].size(), log.records.size());
    for (size_t i = 0; i < log.records.size(); ++i) {
      const SampleLogRecord& r = log.records[i];
      const json& got = doc["records"][i];
      SCOPED_TRACE("record " + std::to_string(i));
      EXPECT_EQ(got["time_ms"].get<int64_t>() / 1000, r.localSeconds);
      EXPECT_EQ(got["gps_valid"] != 0, r.gpsValid);
      if (r.gpsValid) {
        EXPECT_NEAR(got["lat"].get<double>(), r.latitude, 1e-6);
        EXPECT_NEAR(got["lon"].get<double>(), r.longitude, 1e-6);
      }
      EXPECT_NEAR(got["speed"].get<double>(), r.speedKnots * 1.852, 1e-3);
      EXPECT_EQ(got["sats_used"], r.satsUsed);
      EXPECT_EQ(got["sats_view"], r.satsInView);
      EXPECT_EQ(got["signal"], r.signal);
      EXPECT_EQ(got["pulse"], r.pulse);
    }
  }
}

TEST_F(CliEndToEnd, FrameCommandWritesPicturesAndDoublesHalfHeight) {
  ASSERT_EQ(made_, 0);
  const SampleVideo* half = nullptr;
  for (const SampleVideo& video : card_->videos) {
    if (video.halfHeight && !half) half = &video;
  }
  ASSERT_NE(half, nullptr) << "the card has a half-height recording";
  const std::string path = OnCliCard(half->dataPath);
  const auto jpg = dir_->path() / "f.jpg";
  const auto ppm = dir_->path() / "f.ppm";
  ASSERT_EQ(RunCli({"frame", path, "1", "-o", jpg.string()}).exitStatus, 0);
  EXPECT_EQ(std::filesystem::file_size(jpg), half->frames[1].size) << "the picture as recorded";
  ASSERT_EQ(RunCli({"frame", path, "1", "-o", ppm.string(), "--double"}).exitStatus, 0);
  const std::string header = TempDir::Read(ppm).substr(0, 16);
  EXPECT_EQ(header.rfind("P6\n" + std::to_string(half->width) + " " + std::to_string(half->height * 2) + "\n", 0), 0u)
      << header;
}

TEST(CliErrors, UsageAndLoadFailuresHaveTheirExitStatus) {
  TempDir dir;
  EXPECT_EQ(RunCli({}).exitStatus, 2);
  EXPECT_EQ(RunCli({"frames"}).exitStatus, 2);
  EXPECT_EQ(RunCli({"frames", (dir / "missing.vdd").string()}).exitStatus, 1);
  const auto junk = dir.Write("junk.vdd", "not a picture at all");
  EXPECT_EQ(RunCli({"frames", junk.string(), "--json"}).exitStatus, 1);
  EXPECT_EQ(RunCli({"log", dir.Write("empty.log", "").string()}).exitStatus, 1);
  EXPECT_EQ(RunCli({"frame", junk.string(), "0", "-o", (dir / "x.bmp").string()}).exitStatus, 2);
}

}  // namespace
