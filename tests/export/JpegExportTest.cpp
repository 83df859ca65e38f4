// The JPEG export: the fps and seconds lists, the frames each selection
// marks, the file names, the bytes written (as recorded, or doubled with
// their metadata), the one overwrite question and the ways it stops.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "ExportTestSupport.h"
#include "base/MgrMultiLang.h"
#include "export/JpegExportJob.h"
#include "platform/ScriptedPrompt.h"
#include "recording/StreamImage.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

// 2012-05-03 10:15:30
constexpr DateTime kStart{2012, 5, 0, 3, 10, 15, 30, 0};

class JpegExportTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLangFilePath(""); }

  // A recording of `seconds` at fps, written and loaded.
  void Record(int fps, int seconds, bool halfHeight = false) {
    SampleVideoRecipe recipe;
    recipe.start = kStart;
    recipe.fps = fps;
    recipe.seconds = seconds;
    recipe.width = 64;
    recipe.height = halfHeight ? 24 : 48;
    recipe.halfHeight = halfHeight;
    recipe.app1 = true;
    sample_ = MakeSampleVideo(recipe);
    std::string error;
    std::filesystem::create_directories(dir_ / "card");
    ASSERT_TRUE(WriteSampleVideo(dir_ / "card", &sample_, &error)) << error;
    LoadVideo(sample_.dataPath, video_);
  }

  JpegSelection Selection(int kind) const {
    JpegSelection s;
    s.folder = Out().string();
    s.kind = kind;
    s.fps = JpegFpsListSize(video_, {});
    s.everyFrame = true;
    return s;
  }

  std::filesystem::path Out() const { return dir_ / "out"; }

  std::optional<JpegResult> Run(const JpegSelection& selection, std::vector<int> current = {}) {
    std::filesystem::create_directories(Out());
    std::optional<JpegResult> result;
    EXPECT_TRUE(job_.Start(&video_, selection, std::move(current), prompt_, [&](JpegResult r) { result = r; }));
    DrainUntilEnd(ui_, [&] { return job_.Running(); });
    return result;
  }

  std::string Recorded(int frame) {
    std::vector<uint8_t> bytes(FRAMEDATA_MAXSIZE);
    const int count = video_.ReadFrameData(frame, bytes.data());
    return std::string(reinterpret_cast<const char*>(bytes.data()), static_cast<size_t>(std::max(count, 0)));
  }

  ZoneGuard zone_;
  TempDir dir_;
  SampleVideo sample_;
  CInfoEventFile video_;
  ManualUiQueue ui_;
  ScriptedPrompt prompt_;
  JpegExportJob job_{ui_};
};

std::vector<unsigned char> CommentWithFrameRate(int rate) {
  std::vector<unsigned char> segment(4 + 59, 0);
  segment[0] = 0xFF;
  segment[1] = 0xFE;
  segment[4 + 16] = static_cast<unsigned char>(rate & 0xFF);
  segment[4 + 17] = static_cast<unsigned char>(rate >> 8);
  return segment;
}

TEST_F(JpegExportTest, TheFpsListFollowsTheFramesAndTheCommentBlocksRate) {
  Record(15, 3);
  EXPECT_EQ(JpegFpsListSize(video_, {}), 15);
  EXPECT_EQ(JpegFpsListSize(video_, CommentWithFrameRate(10)), 10);
  EXPECT_EQ(JpegFpsListSize(video_, CommentWithFrameRate(25)), 15);
  EXPECT_EQ(JpegFpsListSize(video_, CommentWithFrameRate(0)), 1) << "kept within 1..30";
  EXPECT_EQ(JpegFpsListSize(video_, std::vector<unsigned char>(4, 0xFF)), 15) << "a bare segment has no block";

  // What the recorder's pictures carry, as the codec keeps it after a decode.
  CStreamImage codec;
  const std::string picture = Recorded(0);
  ASSERT_TRUE(
      codec.DecodeToPixels(reinterpret_cast<const unsigned char*>(picture.data()), static_cast<int>(picture.size())));
  EXPECT_EQ(JpegFpsListSize(video_, {codec.ComSegment(), static_cast<size_t>(codec.ComSize())}), 15);

  EXPECT_EQ(JpegSecondsListSize(video_, 0), 3) << "2933 ms from the first to the last frame";
  EXPECT_EQ(JpegSecondsListSize(video_, 44), 1);
}

TEST_F(JpegExportTest, SelectionsMarkTheirFrames) {
  Record(15, 3);
  JpegSelection all = Selection(kJpegAllImages);
  EXPECT_EQ(MarkJpegFrames(video_, all, {}).size(), 45u);
  all.fps = 3;
  all.everyFrame = false;
  EXPECT_EQ(MarkJpegFrames(video_, all, {}), (std::vector<int>{0, 5, 10, 15, 20, 25, 30, 35, 40}))
      << "step (int)(1000 / 3) = 333 ms: every fifth frame";

  JpegSelection selected = Selection(kJpegSelectedImages);
  selected.startFrame = 4;
  selected.seconds = 2;
  const std::vector<int> twoSeconds = MarkJpegFrames(video_, selected, {});
  ASSERT_FALSE(twoSeconds.empty());
  EXPECT_EQ(twoSeconds.front(), 4);
  EXPECT_EQ(twoSeconds.back(), 35) << "the first frame more than 2000 ms after frame 4 is still taken";
  EXPECT_EQ(twoSeconds.size(), 32u);

  const std::vector<int> panes{9, -1, 3, 44, 45};
  EXPECT_EQ(MarkJpegFrames(video_, Selection(kJpegCurrentImages), panes), (std::vector<int>{3, 9, 44}))
      << "an empty pane and a frame past the end give no file";
}

TEST_F(JpegExportTest, FilesAreNamedByRecordedTimeAndFrameNumber) {
  EXPECT_EQ(JpegFileName("D/x", kStart, 0), "D/x/20120503_101530_001.jpg");
  EXPECT_EQ(JpegFileName("D/x", kStart, 1233), "D/x/20120503_101530_1234.jpg");
}

TEST_F(JpegExportTest, FullHeightFramesAreWrittenAsRecorded) {
  Record(5, 2);
  JpegSelection s = Selection(kJpegSelectedImages);
  s.startFrame = 2;
  s.seconds = 1;
  ASSERT_EQ(Run(s), JpegResult::kDone);
  ASSERT_EQ(job_.Written().size(), 7u) << "frames 2..8: frame 8 is the first more than a second after frame 2";
  EXPECT_EQ(job_.Written().front(), (Out() / "20120503_101530_003.jpg").string());
  for (size_t i = 0; i < job_.Written().size(); ++i)
    EXPECT_EQ(TempDir::Read(job_.Written()[i]), Recorded(2 + static_cast<int>(i))) << job_.Written()[i];
  EXPECT_TRUE(TemporaryLeftovers(Out()).empty());
}

TEST_F(JpegExportTest, HalfHeightFramesAreDoubledWithTheirMetadataKept) {
  Record(5, 1, true);
  ASSERT_EQ(Run(Selection(kJpegCurrentImages), {3}), JpegResult::kDone);
  ASSERT_EQ(job_.Written().size(), 1u);
  const std::string written = TempDir::Read(job_.Written()[0]);
  const std::string recorded = Recorded(3);
  CStreamImage codec;
  int width = 0, height = 0;
  ASSERT_TRUE(codec.GetImageSize(reinterpret_cast<const unsigned char*>(written.data()),
                                 static_cast<int>(written.size()), width, height));
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 48);
  ASSERT_TRUE(
      codec.DecodeToPixels(reinterpret_cast<const unsigned char*>(recorded.data()), static_cast<int>(recorded.size())));
  const std::string comment(reinterpret_cast<const char*>(codec.ComSegment()), codec.ComSize());
  const std::string app1(reinterpret_cast<const char*>(codec.App1Segment()), codec.App1Size());
  ASSERT_GT(comment.size(), 4u);
  ASSERT_GT(app1.size(), 4u);
  EXPECT_NE(written.find(comment), std::string::npos);
  EXPECT_NE(written.find(app1), std::string::npos);
}

TEST_F(JpegExportTest, ExistingFilesAreAskedAboutOnceYesOverwritesThemAll) {
  Record(5, 1);
  std::filesystem::create_directories(Out());
  dir_.Write("out/20120503_101530_002.jpg", "old");
  dir_.Write("out/20120503_101530_004.jpg", "old");
  prompt_.QueueAnswer(PromptAnswer::Yes);
  ASSERT_EQ(Run(Selection(kJpegAllImages)), JpegResult::kDone);
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, "Same file exists, Overwrite this file ?");
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Save images as Jpeg");
  EXPECT_EQ(job_.Written().size(), 5u);
  EXPECT_EQ(TempDir::Read(Out() / "20120503_101530_004.jpg"), Recorded(3));
}

TEST_F(JpegExportTest, NoStopsTheExportAtTheFirstExistingFile) {
  Record(5, 1);
  std::filesystem::create_directories(Out());
  dir_.Write("out/20120503_101530_003.jpg", "old");
  prompt_.QueueAnswer(PromptAnswer::No);
  ASSERT_EQ(Run(Selection(kJpegAllImages)), JpegResult::kStopped);
  EXPECT_EQ(job_.Written().size(), 2u) << "frames before the question are written";
  EXPECT_EQ(job_.NotOverwritten(), (Out() / "20120503_101530_003.jpg").string());
  EXPECT_EQ(TempDir::Read(Out() / "20120503_101530_003.jpg"), "old");
  EXPECT_FALSE(std::filesystem::exists(Out() / "20120503_101530_004.jpg"));
}

// A box that cancels the export while it is shown, then says Yes.
class CancellingPrompt final : public Prompt {
 public:
  explicit CancellingPrompt(JpegExportJob& job) : job_(job) {}
  PromptAnswer Show(const std::string&, const std::string&, PromptButtons) override {
    job_.Cancel();
    return PromptAnswer::Yes;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }

 private:
  JpegExportJob& job_;
};

TEST_F(JpegExportTest, ACancelStopsBeforeTheNextFrame) {
  Record(5, 1);
  std::filesystem::create_directories(Out());
  dir_.Write("out/20120503_101530_002.jpg", "old");
  CancellingPrompt prompt(job_);
  std::optional<JpegResult> result;
  ASSERT_TRUE(job_.Start(&video_, Selection(kJpegAllImages), {}, prompt, [&](JpegResult r) { result = r; }));
  DrainUntilEnd(ui_, [&] { return job_.Running(); });
  EXPECT_EQ(result, JpegResult::kStopped);
  EXPECT_LE(job_.Written().size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(Out() / "20120503_101530_005.jpg"));
  EXPECT_TRUE(TemporaryLeftovers(Out()).empty());
}

TEST_F(JpegExportTest, NoRecordingIsAnErrorAndFolderChecksComeInOrder) {
  std::optional<JpegResult> result;
  ASSERT_TRUE(job_.Start(nullptr, Selection(kJpegAllImages), {}, prompt_, [&](JpegResult r) { result = r; }));
  DrainUntilEnd(ui_, [&] { return job_.Running(); });
  EXPECT_EQ(result, JpegResult::kError);
  EXPECT_EQ(CheckJpegFolder((dir_ / "missing").string()), kMsgFolderNotExist);
  EXPECT_EQ(CheckJpegFolder("/proc"), kMsgFolderNotAuthority);
  EXPECT_FALSE(CheckJpegFolder(dir_.path().string()));
}

TEST_F(JpegExportTest, AFolderGoneAfterTheChecksEndsInAnErrorNotAnEmptySuccess) {
  Record(5, 1);
  JpegSelection s = Selection(kJpegAllImages);
  s.folder = (dir_ / "gone").string();
  std::optional<JpegResult> result;
  ASSERT_TRUE(job_.Start(&video_, s, {}, prompt_, [&](JpegResult r) { result = r; }));
  DrainUntilEnd(ui_, [&] { return job_.Running(); });
  EXPECT_EQ(result, JpegResult::kError);
  EXPECT_NE(job_.Error().find("No such file or directory"), std::string::npos) << job_.Error();
  EXPECT_TRUE(job_.Written().empty());
}

// Frames that were chosen but none of which reached the folder are an
// error; some written is a success that counts the rest as skipped.
TEST_F(JpegExportTest, AnExportThatWritesNoChosenFrameIsAnError) {
  struct Case {
    const char* name;
    int keptFrames;  // the data file is cut after this many pictures
    JpegResult result;
  };
  // Cut further each time: the loaded recording reads from the same file.
  const Case cases[] = {{"two pictures readable", 2, JpegResult::kDone},
                        {"every picture unreadable", 0, JpegResult::kError}};
  Record(5, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const uint32_t cut = c.keptFrames == 0 ? 0 : sample_.frames[static_cast<size_t>(c.keptFrames)].offset;
    std::filesystem::resize_file(sample_.dataPath, cut);
    JpegSelection s = Selection(kJpegAllImages);
    s.folder = (Out() / std::to_string(c.keptFrames)).string();
    std::filesystem::create_directories(s.folder);
    ASSERT_EQ(Run(s), c.result);
    EXPECT_EQ(job_.Written().size(), static_cast<size_t>(c.keptFrames));
    EXPECT_EQ(c.result == JpegResult::kError, !job_.Error().empty()) << job_.Error();
  }
}

}  // namespace
