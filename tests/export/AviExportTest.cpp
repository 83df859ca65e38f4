// The AVI export: the checks in their order, the film ffprobe reads back
// (one MJPG stream, frame rate, frame count, key frames, empty samples),
// recorded pictures copied byte for byte, half-height pictures doubled,
// re-encoded pictures in recorded order, thinning to the chosen rate, a
// range's gaps filled or ended, the range end, and a cancel that leaves
// nothing behind.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "ExportTestSupport.h"
#include "base/MgrMultiLang.h"
#include "export/AviExportJob.h"
#include "export/AviPictureMaker.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/AviProbe.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

namespace fs = std::filesystem;

// 2012-05-03 10:15:30
constexpr DateTime kStart{2012, 5, 0, 3, 10, 15, 30, 0};

class AviExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLangFilePath("");
    fs::create_directories(Out());
  }

  // A recording of `seconds` at fps; cut removes frames before it is
  // written (to make gaps).
  SampleVideo Make(int fps, int seconds, bool normal, int number = 1, DateTime start = kStart) {
    SampleVideoRecipe recipe;
    recipe.start = start;
    recipe.number = number;
    recipe.fps = fps;
    recipe.seconds = seconds;
    recipe.width = 64;
    recipe.height = 48;
    if (normal) {
      recipe.kind = SampleVideoKind::kNormal;
      recipe.eventCode = 0;
    }
    return MakeSampleVideo(recipe);
  }

  CInfoEventFile& Load(SampleVideo sample) {
    std::string error;
    const fs::path folder = dir_ / ("card" + std::to_string(videos_.size()));
    fs::create_directories(folder);
    EXPECT_TRUE(WriteSampleVideo(folder, &sample, &error)) << error;
    videos_.push_back(std::make_unique<CInfoEventFile>());
    LoadVideo(sample.dataPath, *videos_.back());
    return *videos_.back();
  }

  fs::path Out() const { return dir_ / "out"; }

  AviExportInputs Inputs(const CInfoEventFile& video, int startFrame = 0) const {
    AviExportInputs inputs = AviInputsOnOpening(video, startFrame, {}, Out().string());
    inputs.fileName = "film";
    return inputs;
  }

  std::optional<ExportResult> Run(const AviExportInputs& inputs, std::vector<CInfoEventFile*> recordings,
                                  int startFrame = 0) {
    std::optional<ExportResult> result;
    const AviStartResult start =
        job_.Start(inputs, {std::move(recordings), startFrame}, prompt_, [&](ExportResult r) { result = r; });
    EXPECT_EQ(start.outcome, AviStart::kStarted);
    if (start.outcome != AviStart::kStarted) return std::nullopt;
    DrainUntilEnd(ui_, [&] { return job_.Running(); });
    return result;
  }

  std::string Recorded(CInfoEventFile& video, int frame) {
    std::vector<uint8_t> bytes(FRAMEDATA_MAXSIZE);
    const int count = video.ReadFrameData(frame, bytes.data());
    return std::string(reinterpret_cast<const char*>(bytes.data()), static_cast<size_t>(std::max(count, 0)));
  }

  fs::path Film() const { return Out() / "film.avi"; }

  ZoneGuard zone_;
  TempDir dir_;
  std::vector<std::unique_ptr<CInfoEventFile>> videos_;
  ManualUiQueue ui_;
  ScriptedPrompt prompt_;
  AviExportJob job_{ui_, nullptr};
};

int Count(const std::vector<std::string>& samples, bool empty) {
  int n = 0;
  for (const std::string& s : samples) n += s.empty() == empty ? 1 : 0;
  return n;
}

TEST_F(AviExportTest, ChecksComeInTheirOrderWithOneMessageEach) {
  CInfoEventFile& video = Load(Make(5, 2, true));
  AviExportInputs inputs = Inputs(video);
  EXPECT_EQ(inputs.fileName, "film");
  EXPECT_EQ(ProposeAviFileName(inputs.rangeStart), "20120503_101530");
  EXPECT_EQ(inputs.rangeEnd.milliseconds, 999);

  AviExportInputs backwards = inputs;
  backwards.rangeEnd = inputs.rangeStart;
  backwards.rangeEnd.second -= 1;
  backwards.folder = (dir_ / "missing").string();
  EXPECT_EQ(CheckAviInputs(backwards), kMsgInvalidAviRange) << "the range is checked before the folder";
  AviExportInputs sameSecond = inputs;
  sameSecond.rangeEnd = inputs.rangeStart;
  EXPECT_EQ(CheckAviInputs(sameSecond), std::nullopt) << "the end's 999 ms put it after a start in the same second";

  AviExportInputs noFolder = inputs;
  noFolder.folder = (dir_ / "missing").string();
  noFolder.fileName = "  ";
  EXPECT_EQ(CheckAviInputs(noFolder), kMsgFolderNotExist) << "the folder is checked before the name";
  AviExportInputs noName = inputs;
  noName.fileName = " \t ";
  EXPECT_EQ(CheckAviInputs(noName), kMsgEnterFileName);

  const AviStartResult refused = job_.Start(backwards, {{&video}, 0}, prompt_, [](ExportResult) {});
  EXPECT_EQ(refused.outcome, AviStart::kInvalid);
  EXPECT_EQ(refused.message, kMsgInvalidAviRange);
  EXPECT_TRUE(prompt_.ShownBoxes().empty());
  EXPECT_TRUE(fs::is_empty(Out())) << "nothing is written before the checks pass";
}

TEST_F(AviExportTest, RecordedPicturesGoInByteForByteAsOneMjpgStream) {
  CInfoEventFile& video = Load(Make(15, 3, false));
  ASSERT_EQ(video.FrameCount(), 45);
  AviExportInputs inputs = Inputs(video);
  EXPECT_EQ(inputs.fps, 15);
  ASSERT_EQ(Run(inputs, {&video}), ExportResult::kDone);
  EXPECT_TRUE(job_.StreamCopy());
  EXPECT_EQ(job_.SampleCount(), 45);

  const nlohmann::json probe = ProbeAvi(Film());
  ASSERT_TRUE(probe.is_object()) << "ffprobe cannot read the film";
  ASSERT_EQ(probe["streams"].size(), 1u);
  const auto& stream = probe["streams"][0];
  EXPECT_EQ(stream["codec_type"], "video");
  EXPECT_EQ(stream["codec_name"], "mjpeg");
  EXPECT_EQ(stream["codec_tag_string"], "MJPG");
  EXPECT_EQ(stream["width"], 64);
  EXPECT_EQ(stream["height"], 48);
  EXPECT_EQ(stream["r_frame_rate"], "15/1");
  EXPECT_EQ(stream["nb_read_packets"], "45");
  EXPECT_EQ(probe["format"]["format_name"], "avi");
  EXPECT_NEAR(std::stod(probe["format"]["duration"].get<std::string>()), 3.0, 0.01);
  for (const std::string& flags : ProbePacketFlags(Film())) EXPECT_EQ(flags.substr(0, 1), "K");

  const std::vector<std::string> samples = AviVideoSamples(Film());
  ASSERT_EQ(samples.size(), 45u);
  for (int i = 0; i < 45; ++i) EXPECT_EQ(samples[static_cast<size_t>(i)], Recorded(video, i)) << "frame " << i;
  EXPECT_TRUE(TemporaryLeftovers(Out()).empty());
}

TEST_F(AviExportTest, WithoutTrueColourTheCaptionIsLeftOutAfterAWarning) {
  CInfoEventFile& video = Load(Make(5, 2, false));
  AviExportInputs inputs = Inputs(video);
  inputs.caption.dateTime = true;
  inputs.trueColorDisplay = false;
  ASSERT_EQ(Run(inputs, {&video}), ExportResult::kDone);
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, kMsgNoTrueColorOSDWarn.english);
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, kCaptionSaveAvi.english);
  EXPECT_TRUE(job_.StreamCopy()) << "no caption to draw: the pictures go in as recorded";
  EXPECT_EQ(AviVideoSamples(Film()).front(), Recorded(video, 0));
}

TEST_F(AviExportTest, ALowerRateTakesTheFramesAStepApart) {
  CInfoEventFile& video = Load(Make(30, 3, false));
  AviExportInputs inputs = Inputs(video);
  inputs.fps = 10;
  ASSERT_EQ(Run(inputs, {&video}), ExportResult::kDone);
  const std::vector<std::string> samples = AviVideoSamples(Film());
  ASSERT_EQ(samples.size(), 30u) << "step 100 ms over 3 s";
  for (int i = 0; i < 30; ++i) EXPECT_EQ(samples[static_cast<size_t>(i)], Recorded(video, 3 * i)) << "sample " << i;
  const nlohmann::json probe = ProbeAvi(Film());
  ASSERT_TRUE(probe.is_object());
  EXPECT_EQ(probe["streams"][0]["r_frame_rate"], "10/1");
  EXPECT_NEAR(std::stod(probe["format"]["duration"].get<std::string>()), 3.0, 0.01);

  inputs.fps = 7;
  prompt_.QueueAnswer(PromptAnswer::Yes);
  ASSERT_EQ(Run(inputs, {&video}), ExportResult::kDone);
  // step (int)(1000 / 7) = 142 ms; frames every 33.3 ms; 21 marks in 3 s.
  EXPECT_EQ(AviVideoSamples(Film()).size(), 21u);
  EXPECT_EQ(ProbeAvi(Film())["streams"][0]["r_frame_rate"], "7/1");
}

TEST_F(AviExportTest, HalfHeightPicturesAreDoubledAndReencoded) {
  SampleVideoRecipe recipe;
  recipe.start = kStart;
  recipe.fps = 5;
  recipe.seconds = 2;
  recipe.width = 64;
  recipe.height = 24;
  recipe.halfHeight = true;
  CInfoEventFile& video = Load(MakeSampleVideo(recipe));
  ASSERT_EQ(Run(Inputs(video), {&video}), ExportResult::kDone);
  EXPECT_FALSE(job_.StreamCopy());
  EXPECT_EQ(job_.Width(), 64);
  EXPECT_EQ(job_.Height(), 48);
  const nlohmann::json probe = ProbeAvi(Film());
  ASSERT_TRUE(probe.is_object());
  EXPECT_EQ(probe["streams"][0]["height"], 48);
  EXPECT_EQ(probe["streams"][0]["nb_read_packets"], "10");
  // Every picture decodes at the doubled size.
  const CliRun decoded = RunShell("ffmpeg -v error -i " + ShellQuote(Film().string()) +
                                  " -f rawvideo -pix_fmt gray - 2>/dev/null | wc -c");
  EXPECT_EQ(std::stoi(decoded.out), 10 * 64 * 48);
}

// One opaque box on every picture: the caption's path without a text
// renderer.
class BoxPainter final : public AviCaptionPainter {
 public:
  std::vector<CaptionStamp> Render(int, int, const std::vector<CaptionLine>&) override {
    constexpr int kSide = 6;
    return {CaptionStamp{3, 5, kSide, kSide, std::vector<uint32_t>(kSide * kSide, 0xFFFFFF00u)}};
  }
};

// However many threads make the pictures, each sample is the picture of its
// own recorded frame.
TEST_F(AviExportTest, PicturesMadeOnEveryCoreGoInInRecordedOrder) {
  struct Case {
    const char* name;
    int height;
    bool halfHeight;
    bool caption;
  };
  constexpr int kFrames = 60;
  for (const Case& c : {Case{"captioned", 48, false, true}, Case{"doubled", 24, true, false}}) {
    SCOPED_TRACE(c.name);
    SampleVideoRecipe recipe;
    recipe.start = kStart;
    recipe.fps = 30;
    recipe.seconds = 2;
    recipe.width = 64;
    recipe.height = c.height;
    recipe.halfHeight = c.halfHeight;
    CInfoEventFile& video = Load(MakeSampleVideo(recipe));
    BoxPainter painter;
    AviExportJob job(ui_, &painter);
    AviExportInputs inputs = Inputs(video);
    inputs.fileName = c.name;
    inputs.caption.dateTime = c.caption;
    std::optional<ExportResult> result;
    ASSERT_EQ(job.Start(inputs, {{&video}, 0}, prompt_, [&](ExportResult r) { result = r; }).outcome,
              AviStart::kStarted);
    DrainUntilEnd(ui_, [&] { return job.Running(); });
    ASSERT_EQ(result, ExportResult::kDone);
    EXPECT_FALSE(job.StreamCopy());

    const std::vector<std::string> samples = AviVideoSamples(Out() / (std::string(c.name) + ".avi"));
    ASSERT_EQ(samples.size(), static_cast<size_t>(kFrames));
    EXPECT_NE(samples[0], samples[1]) << "neighbouring pictures differ, so a sample out of order shows";
    AviPictureMaker maker(64, 48, c.halfHeight);
    const std::vector<CaptionStamp> stamps = c.caption ? painter.Render(64, 48, {}) : std::vector<CaptionStamp>{};
    for (int i = 0; i < kFrames; ++i) {
      const std::string recorded = Recorded(video, i);
      ASSERT_TRUE(maker.Make(std::vector<unsigned char>(recorded.begin(), recorded.end()), stamps));
      EXPECT_EQ(samples[static_cast<size_t>(i)],
                std::string(reinterpret_cast<const char*>(maker.Bytes()), static_cast<size_t>(maker.Size())))
          << "sample " << i;
    }
  }
}

// A normal recording at 10 fps with the frames of some seconds cut out.
SampleVideo WithGap(SampleVideo sample, int fromSecond, int seconds) {
  auto& frames = sample.frames;
  const int fps = sample.fps;
  frames.erase(frames.begin() + fromSecond * fps, frames.begin() + (fromSecond + seconds) * fps);
  return sample;
}

TEST_F(AviExportTest, ARangeFillsAShortGapWithEmptySamplesBeforeTheLateFrame) {
  CInfoEventFile& video = Load(WithGap(Make(10, 8, true), 3, 3));
  ASSERT_EQ(video.FrameCount(), 50);
  ASSERT_EQ(Run(Inputs(video), {&video}), ExportResult::kDone);
  EXPECT_FALSE(job_.StoppedAtGap());
  const std::vector<std::string> samples = AviVideoSamples(Film());
  ASSERT_EQ(samples.size(), 80u) << "the film keeps the recording's 8 s";
  EXPECT_EQ(Count(samples, true), 30) << "3 s at 10 fps";
  // Each picture stands where its time puts it.
  for (int i = 0; i < 30; ++i) EXPECT_EQ(samples[static_cast<size_t>(i)], Recorded(video, i));
  for (int i = 30; i < 60; ++i) EXPECT_TRUE(samples[static_cast<size_t>(i)].empty()) << i;
  for (int i = 60; i < 80; ++i) EXPECT_EQ(samples[static_cast<size_t>(i)], Recorded(video, i - 30));
  const nlohmann::json probe = ProbeAvi(Film());
  ASSERT_TRUE(probe.is_object());
  EXPECT_NEAR(std::stod(probe["format"]["duration"].get<std::string>()), 8.0, 0.01);
}

TEST_F(AviExportTest, ARangeEndsAtAGapOfMoreThanFiveSeconds) {
  CInfoEventFile& video = Load(WithGap(Make(10, 12, true), 4, 6));
  ASSERT_EQ(Run(Inputs(video), {&video}), ExportResult::kDone);
  EXPECT_TRUE(job_.StoppedAtGap());
  const std::vector<std::string> samples = AviVideoSamples(Film());
  ASSERT_EQ(samples.size(), 40u) << "the samples before the gap stay";
  EXPECT_EQ(Count(samples, true), 0);
  EXPECT_EQ(samples.back(), Recorded(video, 39));
}

// Frames moved by years, as a damaged index record dates them.
SampleVideo Redated(SampleVideo sample, int from, int to, int years) {
  for (int i = from; i < to; ++i) sample.frames[static_cast<size_t>(i)].time.year += years;
  return sample;
}

// A frame dated far from both its neighbours is left out; a jump that the
// frames after it agree with is a gap and ends the film, in either mode.
// Either way the film holds a few seconds of empty samples at most.
TEST_F(AviExportTest, DamagedFrameTimesAreLeftOutAndAGapEndsTheFilm) {
  struct Case {
    const char* name;
    bool normal;
    int from, to, years;  // frames [from, to) of a 10 fps, 4 s recording redated
    size_t samples;
    int empty;
    bool stoppedAtGap;
  };
  const Case cases[] = {
      {"one event frame years later", false, 15, 16, 10, 40, 1, false},
      {"one range frame years later", true, 15, 16, 10, 40, 1, false},
      {"one frame years earlier", false, 15, 16, -10, 40, 1, false},
      {"the first frame damaged", false, 0, 1, 10, 39, 0, false},
      {"the last frame damaged", true, 39, 40, 10, 39, 0, false},
      {"two damaged frames in a row end the film", false, 15, 17, 10, 15, 0, true},
      {"an event recording jumps for good", false, 20, 40, 1, 20, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CInfoEventFile& video = Load(Redated(Make(10, 4, c.normal), c.from, c.to, c.years));
    AviExportInputs inputs = Inputs(video);
    if (fs::exists(Film())) prompt_.QueueAnswer(PromptAnswer::Yes);
    ASSERT_EQ(Run(inputs, {&video}), ExportResult::kDone);
    EXPECT_EQ(job_.StoppedAtGap(), c.stoppedAtGap);
    const std::vector<std::string> samples = AviVideoSamples(Film());
    EXPECT_EQ(samples.size(), c.samples);
    EXPECT_EQ(Count(samples, true), c.empty);
  }
}

TEST_F(AviExportTest, ARangeRunsOnIntoTheNextRecordingUpToItsEnd) {
  CInfoEventFile& first = Load(Make(10, 4, true, 1));
  DateTime later = kStart;
  later.second += 4;
  CInfoEventFile& second = Load(Make(10, 4, true, 2, later));
  AviExportInputs inputs = Inputs(first, 20);
  inputs.rangeEnd = later;
  inputs.rangeEnd.second += 2;  // the end gets 999 ms: up to 10:15:36.999
  ASSERT_EQ(Run(inputs, {&first, &second}, 20), ExportResult::kDone);
  const std::vector<std::string> samples = AviVideoSamples(Film());
  ASSERT_EQ(samples.size(), 20u + 30u) << "2 s of the first from frame 20, 3 s of the second";
  EXPECT_EQ(samples.front(), Recorded(first, 20));
  EXPECT_EQ(samples[20], Recorded(second, 0));
  EXPECT_EQ(samples.back(), Recorded(second, 29));
  EXPECT_EQ(job_.Progress().high.load(), 5) << "the range's whole seconds (4.999 s) + 1";

  // An event recording is exported whole, whatever follows it.
  CInfoEventFile& event = Load(Make(10, 2, false, 3));
  prompt_.QueueAnswer(PromptAnswer::Yes);
  ASSERT_EQ(Run(Inputs(event), {&event, &second}, 7), ExportResult::kDone);
  EXPECT_EQ(AviVideoSamples(Film()).size(), 20u);
}

TEST_F(AviExportTest, CancelLeavesNoFilmAndKeepsAnOlderOne) {
  CInfoEventFile& video = Load(Make(30, 40, false));
  {
    std::ofstream older(Film());
    older << "older film";
  }
  prompt_.QueueAnswer(PromptAnswer::No);
  EXPECT_EQ(job_.Start(Inputs(video), {{&video}, 0}, prompt_, [](ExportResult) {}).outcome, AviStart::kDeclined);
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, kMsgSameFileOverwrite.english);

  std::optional<ExportResult> result;
  ASSERT_EQ(job_.Start(Inputs(video), {{&video}, 0}, prompt_, [&](ExportResult r) { result = r; }).outcome,
            AviStart::kStarted);
  job_.Cancel();
  DrainUntilEnd(ui_, [&] { return job_.Running(); });
  EXPECT_EQ(result, ExportResult::kCancelled);
  EXPECT_EQ(AviResultMessage(result.value_or(ExportResult::kFailed)), kMsgAviCancel);
  EXPECT_EQ(TempDir::Read(Film()), "older film");
  EXPECT_TRUE(TemporaryLeftovers(Out()).empty());
}

TEST_F(AviExportTest, AFilmThatCannotBeWrittenIsAFailure) {
  CInfoEventFile& video = Load(Make(5, 2, false));
  AviExportInputs inputs = Inputs(video);
  fs::create_directories(Out() / "film.avi" / "inside");  // a folder where the film goes
  // Refused before any worker starts, and without the overwrite question.
  const AviStartResult start = job_.Start(inputs, {{&video}, 0}, prompt_, [](ExportResult) {});
  EXPECT_EQ(start.outcome, AviStart::kFailed);
  EXPECT_EQ(start.message, kMsgAviError);
  EXPECT_FALSE(job_.Error().empty());
  EXPECT_TRUE(fs::is_directory(Out() / "film.avi" / "inside"));
  EXPECT_TRUE(TemporaryLeftovers(Out()).empty());
}

}  // namespace
