// The MP4 export read back with ffprobe and ffmpeg: one H.264 stream in
// yuv420p whose every picture keeps its recorded time, a mov_text track
// with a cue a second, the creation time and location tags, a film ffmpeg
// decodes without a word; what a range holds (its end's whole second, a
// short gap held, a long one ending the film); the GPX file beside it; a
// cancel that leaves nothing; and the overlay scenes' rules.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "ExportTestSupport.h"
#include "base/MgrMultiLang.h"
#include "export/Mp4ExportJob.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/AviProbe.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr DateTime kStart{2012, 5, 0, 3, 10, 15, 30, 0};

DateTime SecondsAfter(const DateTime& t, int seconds) {
  return TimeKeyToDateTime(MakeTimeKey(t) + int64_t{seconds} * 1000);
}

class Mp4ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLangFilePath("");
    fs::create_directories(Out());
  }

  CInfoEventFile& Load(int seconds, bool normal, DateTime start = kStart, int invalidFrom = -1) {
    SampleVideoRecipe recipe;
    recipe.start = start;
    recipe.number = static_cast<int>(videos_.size()) + 1;
    recipe.fps = 10;
    recipe.seconds = seconds;
    recipe.width = 64;
    recipe.height = 48;
    recipe.invalidFrom = invalidFrom;
    recipe.invalidSeconds = invalidFrom >= 0 ? seconds : 0;
    if (normal) {
      recipe.kind = SampleVideoKind::kNormal;
      recipe.eventCode = 0;
    }
    SampleVideo sample = MakeSampleVideo(recipe);
    std::string error;
    const fs::path folder = dir_ / ("card" + std::to_string(videos_.size()));
    fs::create_directories(folder);
    EXPECT_TRUE(WriteSampleVideo(folder, &sample, &error)) << error;
    videos_.push_back(std::make_unique<CInfoEventFile>());
    LoadVideo(sample.dataPath, *videos_.back());
    return *videos_.back();
  }

  fs::path Out() const { return dir_ / "out"; }

  Mp4ExportInputs Inputs(const CInfoEventFile& video) const {
    Mp4ExportInputs inputs = Mp4InputsOnOpening(video, 0, Out().string());
    inputs.fileName = "film";
    return inputs;
  }

  ExportResult Run(const Mp4ExportInputs& inputs, std::vector<CInfoEventFile*> recordings) {
    ExportResult result = ExportResult::kFailed;
    const AviStartResult start =
        job_.Start(inputs, {std::move(recordings), 0}, prompt_, [&](ExportResult r) { result = r; });
    EXPECT_EQ(start.outcome, AviStart::kStarted);
    if (start.outcome != AviStart::kStarted) return ExportResult::kFailed;
    DrainUntilEnd(ui_, [&] { return job_.Running(); });
    return result;
  }

  // Every picture's presentation time in ms, as ffprobe reads it.
  static std::vector<int64_t> PictureTimes(const fs::path& film) {
    const CliRun run = RunShell("ffprobe -v error -select_streams v -show_entries frame=pts_time -of csv=p=0 " +
                                ShellQuote(film.string()) + " 2>/dev/null");
    std::vector<int64_t> times;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
      if (!line.empty()) times.push_back(std::llround(std::stod(line) * 1000.0));
    return times;
  }

  TempDir dir_;
  std::vector<std::unique_ptr<CInfoEventFile>> videos_;
  ManualUiQueue ui_;
  ScriptedPrompt prompt_;
  Mp4ExportJob job_{ui_, nullptr};
};

TEST_F(Mp4ExportTest, TheFilmKeepsEveryRecordedTimeWithACueASecondAndItsTags) {
  CInfoEventFile& event = Load(4, false);
  ASSERT_EQ(Run(Inputs(event), {&event}), ExportResult::kDone) << job_.Error();
  const fs::path film = Out() / "film.mp4";

  const nlohmann::json probe = ProbeAvi(film);
  ASSERT_TRUE(probe.is_object());
  ASSERT_EQ(probe["streams"].size(), 2u);
  const nlohmann::json& video = probe["streams"][0];
  EXPECT_EQ(video["codec_name"], "h264");
  EXPECT_EQ(video["pix_fmt"], "yuv420p");
  EXPECT_EQ(video["nb_read_packets"], std::to_string(event.FrameCount()));
  const nlohmann::json& text = probe["streams"][1];
  EXPECT_EQ(text["codec_name"], "mov_text");
  EXPECT_EQ(text["nb_read_packets"], "4") << "one cue a second";
  EXPECT_EQ(job_.Cues(), 4);
  EXPECT_EQ(job_.Frames(), event.FrameCount());

  const int64_t first = MakeTimeKey(event.Frame(0).time);
  EXPECT_EQ(probe["format"]["tags"]["creation_time"], UtcCreationTime(first));
  const GpsBlock& gps = event.Frame(0).gps;
  ASSERT_NE(gps.valid, 0);
  EXPECT_EQ(probe["format"]["tags"]["location"], Iso6709Location(gps.LatitudeDegrees(), gps.LongitudeDegrees()));

  const std::vector<int64_t> times = PictureTimes(film);
  ASSERT_EQ(static_cast<int>(times.size()), event.FrameCount());
  for (int i = 0; i < event.FrameCount(); ++i)
    EXPECT_NEAR(times[static_cast<size_t>(i)], MakeTimeKey(event.Frame(i).time) - first, 1) << "picture " << i;

  const CliRun decode = RunShell("ffmpeg -v error -xerror -i " + ShellQuote(film.string()) + " -f null - 2>&1");
  EXPECT_EQ(decode.exitStatus, 0);
  EXPECT_EQ(decode.out, "") << "ffmpeg decodes the whole film without a word";
}

// A range runs on into the next recording across a short gap (its picture
// held until the next one's time) and stops at a long one or at the end's
// whole second.
TEST_F(Mp4ExportTest, ARangeEndsAtItsEndSecondOrAtALongGap) {
  CInfoEventFile& one = Load(3, true);
  CInfoEventFile& near = Load(2, true, SecondsAfter(kStart, 5));  // 2 s after one's end
  CInfoEventFile& far = Load(2, true, SecondsAfter(kStart, 14));  // 7 s after near's end
  struct Case {
    int endSecond;  // of the range, from kStart; -1 for the proposed end
    int frames;
    bool stoppedAtGap;
  };
  for (const Case& c : {Case{1, 20, false}, Case{-1, 50, true}}) {
    Mp4ExportInputs inputs = Inputs(one);
    inputs.rangeEnd = c.endSecond < 0 ? SecondsAfter(kStart, 60) : SecondsAfter(kStart, c.endSecond);
    prompt_.QueueAnswer(PromptAnswer::Yes);
    ASSERT_EQ(Run(inputs, {&one, &near, &far}), ExportResult::kDone) << job_.Error();
    EXPECT_EQ(job_.Frames(), c.frames) << "end second " << c.endSecond;
    EXPECT_EQ(job_.StoppedAtGap(), c.stoppedAtGap) << "end second " << c.endSecond;
    const std::vector<int64_t> times = PictureTimes(Out() / "film.mp4");
    ASSERT_EQ(static_cast<int>(times.size()), c.frames);
    if (c.frames == 50) {
      EXPECT_NEAR(times[30], 5000, 1) << "the gap is held, not filled or closed up";
    }
  }
}

TEST_F(Mp4ExportTest, TheGpxBesideTheFilmHoldsTheCuePointsAndACancelLeavesNothing) {
  CInfoEventFile& event = Load(3, false);
  Mp4ExportInputs inputs = Inputs(event);
  inputs.gpx = true;
  ASSERT_EQ(Run(inputs, {&event}), ExportResult::kDone) << job_.Error();
  const std::string gpx = TempDir::Read(Out() / "film.gpx");
  size_t points = 0;
  for (size_t at = gpx.find("<trkpt"); at != std::string::npos; at = gpx.find("<trkpt", at + 1)) ++points;
  EXPECT_EQ(points, 3u);

  inputs.fileName = "cancelled";
  ExportResult result = ExportResult::kFailed;
  ASSERT_EQ(job_.Start(inputs, {{&event}, 0}, prompt_, [&](ExportResult r) { result = r; }).outcome,
            AviStart::kStarted);
  job_.Cancel();
  DrainUntilEnd(ui_, [&] { return job_.Running(); });
  EXPECT_EQ(result, ExportResult::kCancelled);
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(Out())) left.insert(entry.path().filename().string());
  EXPECT_EQ(left, (std::set<std::string>{"film.gpx", "film.mp4"}));
}

TEST(FilmOverlayKeysTest, KeysReadBackAsTheyAreWritten) {
  struct Case {
    const char* keys;
    bool valid;
    const char* written;
  };
  for (const Case& c : {Case{"none", true, "none"}, Case{"route,caption", true, "caption,route"},
                        Case{"caption,speed,gmeter,graph,route,lamps", true, "caption,speed,gmeter,graph,route,lamps"},
                        Case{"speed,", false, ""}, Case{"map", false, ""}, Case{"", false, ""}}) {
    const std::optional<FilmOverlayItems> items = FilmOverlaysFromKeys(c.keys);
    ASSERT_EQ(items.has_value(), c.valid) << c.keys;
    if (items) {
      EXPECT_EQ(FilmOverlayKeys(*items), c.written) << c.keys;
    }
  }
  for (const Mp4Quality q : {Mp4Quality::kHigh, Mp4Quality::kMedium, Mp4Quality::kSmall})
    EXPECT_EQ(Mp4QualityFromKey(Mp4QualityKey(q)), q);
  EXPECT_EQ(Mp4Crf(Mp4Quality::kHigh), 18);
  EXPECT_EQ(Mp4Crf(Mp4Quality::kSmall), 28);
}

// Save MP4's unit follows the window's until a film is made in the other.
TEST(Mp4UnitTest, TheDialogFollowsTheWindowsUnitUnlessItRemembersAnother) {
  struct Case {
    const char* remembered;
    SpeedUnit shown;
    SpeedUnit opening;
  };
  for (const Case& c : {Case{"", SpeedUnit::kMph, SpeedUnit::kMph}, Case{"", SpeedUnit::kKmh, SpeedUnit::kKmh},
                        Case{"kmh", SpeedUnit::kMph, SpeedUnit::kKmh}, Case{"mph", SpeedUnit::kKmh, SpeedUnit::kMph},
                        Case{"knots", SpeedUnit::kMph, SpeedUnit::kMph}}) {
    const SpeedUnit opening = Mp4UnitOnOpening(c.remembered, c.shown);
    EXPECT_EQ(opening, c.opening) << c.remembered;
    EXPECT_EQ(Mp4UnitOnOpening(Mp4UnitToRemember(opening, c.shown), c.shown), opening) << c.remembered;
  }
  EXPECT_EQ(Mp4UnitToRemember(SpeedUnit::kMph, SpeedUnit::kMph), "");
  EXPECT_EQ(Mp4UnitToRemember(SpeedUnit::kMph, SpeedUnit::kKmh), "mph");
}

// Each overlay shows this frame's data or says it has none: no value
// outlives its frame, the trail keeps one second, the graph ten.
TEST(FilmTelemetryTest, AFrameWithoutDataShowsNoneAndHistoriesKeepTheirSpan) {
  FilmOverlayContext context;
  context.items = *FilmOverlaysFromKeys("caption,speed,gmeter,graph,route,lamps");
  context.unit = SpeedUnit::kMph;
  FilmTelemetry telemetry(context);
  telemetry.UseRecording("DR-0001", true);
  FRAMEINFOVIDEO frame;
  frame.gps.valid = 1;
  frame.gps.speed = 100;
  frame.gps.latHemi = 'N';
  frame.gps.latDeg = 37;
  frame.gps.lonHemi = 'E';
  frame.gps.lonDeg = 127;
  OverlayScene scene;
  for (int i = 0; i <= 120; ++i) {  // 12 s at 10 fps
    frame.gps.valid = i == 120 ? 0 : 1;
    frame.gps.latSec = static_cast<float>(i);
    scene = telemetry.Next(int64_t{i} * 100, frame, 640, 480);
    if (i == 119) {
      ASSERT_TRUE(scene.speed);
      EXPECT_DOUBLE_EQ(*scene.speed, 62.0);
      EXPECT_EQ(scene.speedUnit, "mph");
      const bool captionInMph = std::any_of(scene.caption.begin(), scene.caption.end(), [](const CaptionLine& line) {
        return line.text.find("62 mph") != std::string::npos;
      });
      EXPECT_TRUE(captionInMph) << "the caption's speed is in the film's one unit";
      ASSERT_TRUE(scene.position);
      EXPECT_GE(scene.position->y, 0.0);
      EXPECT_LE(scene.position->y, 0.1) << "the latest point is the northernmost: at the top";
    }
  }
  EXPECT_FALSE(scene.speed);
  EXPECT_FALSE(scene.position);
  EXPECT_EQ(scene.route.size(), 12u) << "a point a second, kept without a fix";
  EXPECT_EQ(scene.gTrail.size(), 11u);
  EXPECT_EQ(scene.graph.size(), 101u);
  EXPECT_FALSE(scene.caption.empty());
  EXPECT_FALSE(scene.lampsRecorded) << "not an MX-H";
}

}  // namespace
