// The trips' own reading of a recording gives every frame exactly as the
// loader does, and with it the same figures: over whole indexes of each
// layout (the index alone) and over those the loader must read itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "platform/TimeKey.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"
#include "telemetry/CardTrips.h"
#include "telemetry/TripFigures.h"
#include "telemetry/TripRecordingRead.h"

namespace {

constexpr int kFps = 5;
constexpr int kSeconds = 6;
constexpr int64_t kSecondMs = 1000;

struct Case {
  const char* name;
  int startSecond;  // after the sample start: a gap between recordings
  SampleIndexVariant variant = SampleIndexVariant::kTrailer92;
  SampleIndexDamage damage = SampleIndexDamage::kNone;
  uint32_t recordSize = 66;
  uint8_t recordFormat = 1;
  SampleVideoKind kind = SampleVideoKind::kNormal;
  int invalidFrom = -1;  // the fix lost from this second
  int invalidSeconds = 0;
  bool hardBrake = false;
  bool fromIndex = true;  // the index alone gives the frames
};

auto Fields(const TripFrame& f) {
  return std::tuple(f.timeMs, f.gX, f.gY, f.fix, f.latitude, f.longitude, f.speedKmh, f.frame);
}

// Frames 10..14 brake: a strong pull backwards while the speed falls.
void AddHardBrake(SampleVideo& video) {
  for (size_t i = 10; i < 15; ++i) {
    video.frames[i].gX = -650;
    video.frames[i].speed = static_cast<uint16_t>(60 - 8 * (i - 10));
  }
}

TEST(TripRecordingReadTest, TheIndexAloneGivesTheLoadersFramesAndFigures) {
  const ZoneGuard zone;
  const TempDir dir;
  const std::vector<Case> cases = {
      {.name = "calibrated, long records, a hard brake", .startSecond = 0, .recordSize = 69, .hardBrake = true},
      {.name = "the fix lost for two seconds", .startSecond = kSeconds + 1, .invalidFrom = 2, .invalidSeconds = 2},
      {.name = "no fix at all, after a gap",
       .startSecond = 40,
       .recordFormat = 2,
       .invalidFrom = 0,
       .invalidSeconds = kSeconds},
      {.name = "older trailer", .startSecond = 60, .variant = SampleIndexVariant::kTrailer26},
      {.name = "event with its trigger", .startSecond = 80, .kind = SampleVideoKind::kEvent},
      {.name = "no trailer", .startSecond = 100, .variant = SampleIndexVariant::kNoTrailer, .fromIndex = false},
      {.name = "a damaged record", .startSecond = 120, .damage = SampleIndexDamage::kMonth13, .fromIndex = false},
      {.name = "no index", .startSecond = 140, .variant = SampleIndexVariant::kNoIndex, .fromIndex = false},
  };
  std::vector<TripFrame> loaded;
  std::vector<TripFrame> read;
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SampleVideoRecipe recipe;
    recipe.kind = c.kind;
    recipe.number = ++number;
    recipe.seed = static_cast<uint64_t>(number);
    recipe.start = TimeKeyToDateTime(MakeTimeKey(kSampleStart) + c.startSecond * kSecondMs);
    recipe.seconds = kSeconds;
    recipe.fps = kFps;
    recipe.width = 16;
    recipe.height = 16;
    recipe.variant = c.variant;
    recipe.damage = c.damage;
    recipe.recordSize = c.recordSize;
    recipe.recordFormat = c.recordFormat;
    recipe.calibration = SampleCalibration{12, 30, -20, 15};
    recipe.invalidFrom = c.invalidFrom;
    recipe.invalidSeconds = c.invalidSeconds;
    SampleVideo video = MakeSampleVideo(recipe);
    if (c.hardBrake) AddHardBrake(video);
    std::string error;
    std::filesystem::create_directories(dir / "ch1");
    ASSERT_TRUE(WriteSampleVideo(dir / "ch1", &video, &error)) << error;
    const std::string path = video.dataPath.string();
    const std::string indexPath = video.indexPath.string();

    TripRecording full;
    ASSERT_TRUE(LoadTripRecording(path, full));
    TripRecording fast;
    EXPECT_EQ(ReadTripFramesFromIndex(path, indexPath, fast), c.fromIndex);
    EXPECT_EQ(fast.frames.empty(), !c.fromIndex) << "nothing is kept of an index the loader must read";
    TripRecording either;
    ASSERT_TRUE(ReadTripRecording(path, indexPath, either));
    EXPECT_EQ(either.path, full.path);
    EXPECT_EQ(either.triggerMs, full.triggerMs);
    ASSERT_EQ(either.frames.size(), full.frames.size());
    for (size_t i = 0; i < full.frames.size(); ++i) ASSERT_EQ(Fields(either.frames[i]), Fields(full.frames[i])) << i;
    if (c.kind == SampleVideoKind::kEvent) {
      EXPECT_NE(either.triggerMs, either.frames.front().timeMs);
    }
    loaded.insert(loaded.end(), full.frames.begin(), full.frames.end());
    read.insert(read.end(), either.frames.begin(), either.frames.end());
  }
  const TripFigures expected = FiguresOf(loaded, kDefaultHardG);
  const TripFigures figures = FiguresOf(read, kDefaultHardG);
  EXPECT_GT(expected.distanceMetres, 0);
  EXPECT_EQ(figures.distanceMetres, expected.distanceMetres);
  EXPECT_EQ(figures.topSpeedKmh, expected.topSpeedKmh);
  EXPECT_TRUE(std::any_of(expected.hard.begin(), expected.hard.end(),
                          [](const HardMoment& m) { return m.kind == HardKind::kBraking; }));
  ASSERT_EQ(figures.hard.size(), expected.hard.size());
  for (size_t i = 0; i < expected.hard.size(); ++i) {
    EXPECT_EQ(
        std::tuple(figures.hard[i].startMs, figures.hard[i].endMs, figures.hard[i].peakG, figures.hard[i].frame),
        std::tuple(expected.hard[i].startMs, expected.hard[i].endMs, expected.hard[i].peakG, expected.hard[i].frame));
  }
}

}  // namespace
