// korvane-cli export-mp4 on a generated card: the JSON summary, the
// overlays drawn where their boxes stand (and nothing drawn without them),
// the GPX file beside the film, and bad input or an existing file refused
// with the message, exit status 1 and no file.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class CliMp4ExportTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    SampleCardOptions options;
    options.seed = 7;
    options.events = 1;
    options.normals = 1;
    options.logs = 0;
    options.eventSeconds = 3;
    options.width = kWidth;
    options.height = kHeight;
    options.halfHeightSome = false;
    card_ = new SampleCard;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(*dir_ / "card", options, card_, &error)) << error;
    fs::create_directories(*dir_ / "home");
    fs::create_directories(*dir_ / "data");
  }
  static void TearDownTestSuite() {
    delete card_;
    delete dir_;
  }

  void SetUp() override {
    out_ = *dir_ / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::create_directories(out_);
  }

  struct Outcome {
    int exitStatus = -1;
    std::string out;
    std::string err;
  };

  static Outcome Cli(const std::string& args) {
    const fs::path err = *dir_ / "stderr.txt";
    const std::string command = "env HOME=" + ShellQuote((*dir_ / "home").string()) +
                                " XDG_CONFIG_HOME=" + ShellQuote((*dir_ / "cfg").string()) +
                                " KORVANE_DATA_DIR=" + ShellQuote((*dir_ / "data").string()) + " " +
                                ShellQuote(KORVANE_CLI_PATH) + " " + args + " 2>" + ShellQuote(err.string());
    const CliRun run = RunShell(command);
    return {run.exitStatus, run.out, TempDir::Read(err)};
  }

  static std::string Q(const fs::path& path) { return ShellQuote(path.string()); }

  static const SampleVideo& Event() {
    for (const SampleVideo& v : card_->videos)
      if (v.kind == SampleVideoKind::kEvent) return v;
    ADD_FAILURE() << "the card has no event";
    return card_->videos.front();
  }

  // Picture `index` decoded by ffmpeg, RGB.
  static std::string Decoded(const fs::path& film, int index) {
    return RunShell("ffmpeg -v error -i " + Q(film) + " -vf 'select=eq(n\\," + std::to_string(index) +
                    ")' -frames:v 1 -f rawvideo -pix_fmt rgb24 - 2>/dev/null")
        .out;
  }

  // How many pixels of a box differ clearly between two pictures.
  static int Changed(const std::string& a, const std::string& b, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        const size_t at = (static_cast<size_t>(y) * kWidth + x) * 3;
        if (at + 2 >= a.size() || at + 2 >= b.size()) return count;
        int difference = 0;
        for (int c = 0; c < 3; ++c)
          difference += std::abs(static_cast<unsigned char>(a[at + c]) - static_cast<unsigned char>(b[at + c]));
        count += difference > 60 ? 1 : 0;
      }
    }
    return count;
  }

  static TempDir* dir_;
  static SampleCard* card_;
  fs::path out_;
};

TempDir* CliMp4ExportTest::dir_ = nullptr;
SampleCard* CliMp4ExportTest::card_ = nullptr;

TEST_F(CliMp4ExportTest, EveryOverlayIsDrawnInItsBoxAndTheSummaryTellsTheFilm) {
  const SampleVideo& event = Event();
  const Outcome plain = Cli("export-mp4 " + Q(event.dataPath) + " -o " + Q(out_ / "plain.mp4") + " --quality high");
  ASSERT_EQ(plain.exitStatus, 0) << plain.err;
  const Outcome drawn =
      Cli("export-mp4 " + Q(event.dataPath) + " -o " + Q(out_ / "drawn.MP4") +
          " --quality high --overlay caption,speed,gmeter,graph,route,lamps --units mph --gpx --json");
  ASSERT_EQ(drawn.exitStatus, 0) << drawn.err;
  EXPECT_EQ(drawn.err, "");
  const nlohmann::json summary = nlohmann::json::parse(drawn.out);
  EXPECT_EQ(summary["path"], (out_ / "drawn.mp4").string());
  EXPECT_EQ(summary["result"], 3);
  EXPECT_EQ(summary["frames"], static_cast<int>(event.frames.size()));
  EXPECT_EQ(summary["width"], kWidth);
  EXPECT_EQ(summary["height"], kHeight);
  EXPECT_EQ(summary["overlays"], "caption,speed,gmeter,graph,route,lamps");
  EXPECT_EQ(summary["cues"], 3);
  EXPECT_GT(summary["duration_ms"].get<int>(), 2000);
  EXPECT_TRUE(fs::exists(out_ / "drawn.gpx"));

  // The boxes at 240 lines (half the sizes of 480), clear of the top 14
  // and the bottom 22 lines: speedometer and G-meter at the right, the
  // route at the left, the lamps at the top centre, the graph at the
  // bottom left.
  const std::string before = Decoded(out_ / "plain.mp4", 10);
  const std::string after = Decoded(out_ / "drawn.mp4", 10);
  ASSERT_EQ(before.size(), static_cast<size_t>(kWidth) * kHeight * 3);
  ASSERT_EQ(after.size(), before.size());
  struct Box {
    const char* name;
    int left, top, right, bottom;
  };
  for (const Box& box :
       {Box{"speedometer", 241, 14, 316, 49}, Box{"g-meter", 261, 53, 316, 108}, Box{"route", 4, 14, 59, 69},
        Box{"lamps", 130, 14, 190, 29}, Box{"graph", 4, 186, 114, 218}, Box{"caption date", 4, 225, 120, 240}})
    EXPECT_GT(Changed(before, after, box.left, box.top, box.right, box.bottom), 20) << box.name;
  EXPECT_LT(Changed(before, after, 130, 60, 230, 150), 10) << "the middle of the picture stays free";
}

TEST_F(CliMp4ExportTest, BadInputAndAnExistingFileAreRefusedWithoutAFile) {
  const SampleVideo& event = Event();
  struct Case {
    std::string options;
    std::string said;
  };
  for (const Case& c : {Case{"--overlay map", "Invalid value."}, Case{"--from 9999", "Invalid value."},
                        Case{"--until '2020-01-01 00:00:00'", "Invalid value."}, Case{"--quality huge", "quality"}}) {
    const Outcome run = Cli("export-mp4 " + Q(event.dataPath) + " -o " + Q(out_ / "bad.mp4") + " " + c.options);
    EXPECT_NE(run.exitStatus, 0) << c.options;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << c.options << ": " << run.err;
    EXPECT_FALSE(fs::exists(out_ / "bad.mp4")) << c.options;
  }
  std::ofstream(out_ / "kept.mp4") << "mine";
  const Outcome kept = Cli("export-mp4 " + Q(event.dataPath) + " -o " + Q(out_ / "kept.mp4"));
  EXPECT_EQ(kept.exitStatus, 1);
  EXPECT_NE(kept.err.find("not overwritten"), std::string::npos) << kept.err;
  EXPECT_EQ(TempDir::Read(out_ / "kept.mp4"), "mine");
  const Outcome replaced = Cli("export-mp4 " + Q(event.dataPath) + " -o " + Q(out_ / "kept.mp4") + " --yes");
  EXPECT_EQ(replaced.exitStatus, 0) << replaced.err;
  EXPECT_NE(TempDir::Read(out_ / "kept.mp4"), "mine");
}

}  // namespace
