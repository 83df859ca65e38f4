// korvane-cli export-avi on a generated card, read back with ffprobe and
// ffmpeg: the recorded pictures copied, the caption burnt in yellow where
// its texts stand, the JSON summary, and bad input refused with the
// dialog's message and no file.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "samplecard/SampleCard.h"
#include "support/AviProbe.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class CliAviExportTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    SampleCardOptions options;
    options.seed = 5;
    options.events = 1;
    options.normals = 2;
    options.logs = 0;
    options.eventSeconds = 4;
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

  static const SampleVideo& Video(SampleVideoKind kind, int nth = 0) {
    for (const SampleVideo& v : card_->videos)
      if (v.kind == kind && nth-- == 0) return v;
    ADD_FAILURE() << "the card has no such recording";
    return card_->videos.front();
  }

  // Pixels of sample `index` decoded by ffmpeg, RGB.
  static std::string DecodedPicture(const fs::path& film, int index) {
    return RunShell("ffmpeg -v error -i " + Q(film) + " -vf 'select=eq(n\\," + std::to_string(index) +
                    ")' -frames:v 1 -f rawvideo -pix_fmt rgb24 - 2>/dev/null")
        .out;
  }

  // Yellow pixels (after JPEG's rounding) in a band of the picture's rows.
  static int YellowIn(const std::string& rgb, int fromRow, int toRow, int fromColumn, int toColumn) {
    int count = 0;
    for (int y = fromRow; y < toRow; ++y) {
      for (int x = fromColumn; x < toColumn; ++x) {
        const size_t at = (static_cast<size_t>(y) * kWidth + x) * 3;
        if (at + 2 >= rgb.size()) return count;
        const auto r = static_cast<unsigned char>(rgb[at]);
        const auto g = static_cast<unsigned char>(rgb[at + 1]);
        const auto b = static_cast<unsigned char>(rgb[at + 2]);
        count += r > 200 && g > 200 && b < 90 ? 1 : 0;
      }
    }
    return count;
  }

  static TempDir* dir_;
  static SampleCard* card_;
  fs::path out_;
};

TempDir* CliAviExportTest::dir_ = nullptr;
SampleCard* CliAviExportTest::card_ = nullptr;

TEST_F(CliAviExportTest, AnEventRecordingIsCopiedWholeIntoAnMjpgFilm) {
  const SampleVideo& event = Video(SampleVideoKind::kEvent);
  const Outcome run = Cli("export-avi " + Q(event.dataPath) + " -o " + Q(out_ / "clip.avi") + " --json");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const nlohmann::json summary = nlohmann::json::parse(run.out);
  EXPECT_EQ(summary["result"], 3);
  EXPECT_EQ(summary["stream_copy"], true);
  EXPECT_EQ(summary["range_mode"], false);
  EXPECT_EQ(summary["samples"], static_cast<int>(event.frames.size()));
  EXPECT_EQ(summary["written"], static_cast<int>(event.frames.size()));
  EXPECT_EQ(summary["path"], (out_ / "clip.avi").string());
  EXPECT_EQ(summary["width"], kWidth);

  const fs::path film = out_ / "clip.avi";
  const nlohmann::json probe = ProbeAvi(film);
  ASSERT_TRUE(probe.is_object());
  ASSERT_EQ(probe["streams"].size(), 1u);
  EXPECT_EQ(probe["streams"][0]["codec_name"], "mjpeg");
  EXPECT_EQ(probe["streams"][0]["r_frame_rate"], std::to_string(event.fps) + "/1");
  EXPECT_EQ(probe["streams"][0]["nb_read_packets"], std::to_string(event.frames.size()));
  const std::vector<std::string> samples = AviVideoSamples(film);
  ASSERT_EQ(samples.size(), event.frames.size());
  std::ifstream data(event.dataPath, std::ios::binary);
  for (size_t i = 0; i < samples.size(); ++i) {
    std::string recorded(event.frames[i].size, '\0');
    data.seekg(event.frames[i].offset);
    data.read(recorded.data(), static_cast<std::streamsize>(recorded.size()));
    EXPECT_EQ(samples[i], recorded) << "sample " << i;
  }
}

TEST_F(CliAviExportTest, TheCaptionIsBurntInYellowWhereItsTextsStand) {
  const SampleVideo& normal = Video(SampleVideoKind::kNormal);
  const Outcome plain = Cli("export-avi " + Q(normal.dataPath) + " -o " + Q(out_ / "plain.avi") + " --fps 2");
  ASSERT_EQ(plain.exitStatus, 0) << plain.err;
  const Outcome captioned =
      Cli("export-avi " + Q(normal.dataPath) + " -o " + Q(out_ / "caption.AVI") + " --fps 2 --caption id,date --json");
  ASSERT_EQ(captioned.exitStatus, 0) << captioned.err;
  EXPECT_EQ(captioned.err, "") << "the offscreen text renderer starts quietly";
  EXPECT_EQ(nlohmann::json::parse(captioned.out)["stream_copy"], false);

  const std::string before = DecodedPicture(out_ / "plain.avi", 3);
  const std::string after = DecodedPicture(out_ / "caption.avi", 3);
  ASSERT_EQ(after.size(), static_cast<size_t>(kWidth) * kHeight * 3);
  const int bottomLeft = YellowIn(after, kHeight - 18, kHeight, 0, kWidth / 2);
  const int topLeft = YellowIn(after, 0, 18, 0, kWidth / 2);
  EXPECT_GT(bottomLeft, 60) << "the date and time, bottom left";
  EXPECT_GT(topLeft, 40) << "the recorder ID, top left";
  EXPECT_LT(YellowIn(before, kHeight - 18, kHeight, 0, kWidth / 2), bottomLeft / 4);
  EXPECT_LT(YellowIn(after, 40, kHeight - 40, 0, kWidth), 20) << "the middle of the picture is left alone";
}

TEST_F(CliAviExportTest, BadInputGetsTheDialogsMessageAndNoFile) {
  const SampleVideo& normal = Video(SampleVideoKind::kNormal);
  const std::string recording = Q(normal.dataPath) + " -o " + Q(out_ / "film.avi");
  struct Case {
    std::string args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {" --until '2001-01-01 00:00:00'", "Invalid avi range."},
      {" --fps 0", "Invalid value."},
      {" --caption date,clock", "Invalid value."},
      {" --from -1", "Invalid value."},
  };
  for (const Case& c : cases) {
    const Outcome run = Cli("export-avi " + recording + c.args);
    EXPECT_EQ(run.exitStatus, 1) << c.args;
    EXPECT_EQ(run.err, "korvane-cli: " + c.message + "\n") << c.args;
  }
  {
    const Outcome run = Cli("export-avi " + Q(normal.dataPath) + " -o " + Q(out_ / "  .avi"));
    EXPECT_EQ(run.err, "korvane-cli: Please enter the file name.\n");
  }
  const Outcome noFolder = Cli("export-avi " + Q(normal.dataPath) + " -o " + Q(out_ / "missing" / "film.avi"));
  EXPECT_EQ(noFolder.err, "korvane-cli: Folder does not exist, Please select folder again.\n");
  EXPECT_TRUE(fs::is_empty(out_)) << "nothing written";

  ASSERT_EQ(Cli("export-avi " + recording + " --fps 1").exitStatus, 0);
  const Outcome again = Cli("export-avi " + recording + " --fps 1");
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_NE(again.err.find("not overwritten"), std::string::npos) << again.err;
}

}  // namespace
