// The export commands on a generated card, read back by the clients people
// open our files with: xmllint, gpsbabel and exiftool. Bad input gets the
// dialog's message as one line on stderr, exit status 1 and no file.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <regex>

#include "export/TrackFormat.h"
#include "platform/OutputFile.h"
#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

class CliExportTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    SampleCardOptions options;
    options.seed = 11;
    options.events = 3;
    options.normals = 1;
    options.logs = 2;
    options.width = 96;
    options.height = 64;
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

  // korvane-cli in a home of its own, with the settings of a first run and
  // the English texts; stdout and stderr apart.
  static Outcome Cli(const std::string& args, const std::string& prefix = "") {
    const fs::path err = *dir_ / "stderr.txt";
    const std::string command = prefix + "env HOME=" + ShellQuote((*dir_ / "home").string()) +
                                " XDG_CONFIG_HOME=" + ShellQuote((*dir_ / "cfg").string()) +
                                " KORVANE_DATA_DIR=" + ShellQuote((*dir_ / "data").string()) + " " +
                                ShellQuote(KORVANE_CLI_PATH) + " " + args + " 2>" + ShellQuote(err.string());
    const CliRun run = RunShell(command);
    return {run.exitStatus, run.out, TempDir::Read(err)};
  }

  static std::string Q(const fs::path& path) { return ShellQuote(path.string()); }

  // An event recording at full or half height, with an APP1 segment in its
  // pictures when the card has one such.
  static const SampleVideo& Video(bool halfHeight, bool app1 = false) {
    for (const SampleVideo& v : card_->videos)
      if (v.kind == SampleVideoKind::kEvent && v.halfHeight == halfHeight && (v.app1 || !app1)) return v;
    ADD_FAILURE() << "the card has no such recording";
    return card_->videos.front();
  }

  static std::string Logs() { return Q(card_->logs[0].path) + " " + Q(card_->logs[1].path); }

  static int Fixes(const SampleLog& log) {
    int fixes = 0;
    for (const auto& r : log.records) fixes += r.gpsValid ? 1 : 0;
    return fixes;
  }

  // Data lines of gpsbabel's unicsv output (the first line names the columns).
  static int GpsbabelPoints(const std::string& format, const fs::path& file, const std::string& what = "") {
    const CliRun run =
        RunShell("gpsbabel " + what + " -i " + format + " -f " + Q(file) + " -o unicsv -F - 2>/dev/null");
    EXPECT_EQ(run.exitStatus, 0) << "gpsbabel could not read " << file;
    const auto lines = std::count(run.out.begin(), run.out.end(), '\n');
    return lines > 0 ? static_cast<int>(lines) - 1 : 0;
  }

  static TempDir* dir_;
  static SampleCard* card_;
  fs::path out_;
};

TempDir* CliExportTest::dir_ = nullptr;
SampleCard* CliExportTest::card_ = nullptr;

TEST_F(CliExportTest, KmlIsWellFormedAndReadsBackWithItsMarksAndRoute) {
  const fs::path kml = out_ / "drive.kml";
  const Outcome run = Cli("export-kml " + Logs() + " -o " + Q(kml) + " --interval 1");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, kml.string() + "\n");
  EXPECT_EQ(RunShell("xmllint --noout " + Q(kml) + " 2>&1").exitStatus, 0);
  const int fixes = Fixes(card_->logs[0]) + Fixes(card_->logs[1]);
  ASSERT_GT(fixes, 0);
  EXPECT_EQ(GpsbabelPoints("kml", kml, "-w"), fixes) << "one mark a second";
  EXPECT_EQ(GpsbabelPoints("kml", kml, "-t"), fixes) << "one route position per fix";
}

TEST_F(CliExportTest, KmlOptionsAreCheckedInTheDialogsOrder) {
  const fs::path kml = out_ / "x.kml";
  struct Case {
    std::string args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"--interval 0 --width 0", "Invalid value."},
      {"--interval 31", "Invalid value."},
      {"--width 11 -o /nowhere/x.kml", "Invalid value."},
      {"--opacity 256", "Invalid value."},
      {"--color 0x123456", "Invalid value."},
      {"--no-points --no-route", "Invalid value."},
      {"-o /nowhere/x.kml", "Folder does not exist, Please select folder again."},
      {"-o /proc/x.kml", "You don't have access to this folder."},
      {"-o " + Q(out_ / ".kml"), "Please enter the file name."},
  };
  for (const Case& c : cases) {
    const std::string output =
        c.args.find(" -o ") != std::string::npos || c.args.rfind("-o ", 0) == 0 ? "" : " -o " + Q(kml);
    const Outcome run = Cli("export-kml " + Logs() + output + " " + c.args);
    EXPECT_EQ(run.exitStatus, 1) << c.args;
    EXPECT_EQ(run.err, "korvane-cli: " + c.message + "\n") << c.args;
  }
  EXPECT_TRUE(fs::is_empty(out_)) << "nothing written";
  EXPECT_EQ(Cli("export-kml " + Logs() + " -o " + Q(kml) + " --color 0xFFFF00 --no-points --width 1").exitStatus, 0);
  EXPECT_EQ(Cli("export-kml " + Logs() + " -o " + Q(kml) + " --color 32768 --yes").exitStatus, 0);
  EXPECT_NE(TempDir::Read(kml).find("<color>64008000</color>"), std::string::npos);
}

TEST_F(CliExportTest, AnExistingFileIsKeptWithoutYes) {
  const fs::path gpx = out_ / "old.gpx";
  std::ofstream(gpx) << "mine";
  const Outcome no = Cli("export-gpx " + Logs() + " -o " + Q(gpx));
  EXPECT_EQ(no.exitStatus, 1);
  EXPECT_EQ(std::count(no.err.begin(), no.err.end(), '\n'), 1) << no.err;
  EXPECT_NE(no.err.find(gpx.string()), std::string::npos) << no.err;
  EXPECT_EQ(TempDir::Read(gpx), "mine");
  EXPECT_EQ(Cli("export-gpx " + Logs() + " -o " + Q(gpx) + " --yes").exitStatus, 0);
  EXPECT_NE(TempDir::Read(gpx), "mine");
}

TEST_F(CliExportTest, GpxValidatesAgainstTheSchemaAndReadsBack) {
  const fs::path gpx = out_ / "drive.gpx";
  const SampleVideo& video = Video(false);
  const Outcome run = Cli("export-gpx " + Q(video.dataPath) + " " + Logs() + " -o " + Q(gpx));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const fs::path schema = fs::path(KORVANE_SOURCE_DIR) / "tests/data/gpx-1.1.xsd";
  const CliRun lint = RunShell("xmllint --noout --schema " + Q(schema) + " " + Q(gpx) + " 2>&1");
  EXPECT_EQ(lint.exitStatus, 0) << lint.out;
  int fixes = Fixes(card_->logs[0]) + Fixes(card_->logs[1]);
  for (const auto& frame : video.frames) fixes += frame.gpsValid ? 1 : 0;
  EXPECT_EQ(GpsbabelPoints("gpx", gpx, "-t"), fixes);
}

// Each track format is a command of its own, under the window's name for it,
// and writes a file with its extension.
TEST_F(CliExportTest, EveryTrackFormatIsACommandThatWritesItsFile) {
  for (const TrackFormat* format : TrackFormats()) {
    const fs::path file = out_ / ("drive" + std::string(format->extension));
    const Outcome run = Cli(std::string(format->command) + " " + Logs() + " -o " + Q(file));
    EXPECT_EQ(run.exitStatus, 0) << format->command << ": " << run.err;
    EXPECT_GT(fs::exists(file) ? fs::file_size(file) : 0, 0u) << format->command;
  }
}

TEST_F(CliExportTest, CsvKeepsEveryRecordAndRefusesToOverwriteItsInput) {
  const fs::path csv = out_ / "drive.csv";
  ASSERT_EQ(Cli("export-csv " + Logs() + " -o " + Q(csv)).exitStatus, 0);
  const std::string text = TempDir::Read(csv);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
            static_cast<long>(1 + card_->logs[0].records.size() + card_->logs[1].records.size()));

  const fs::path copy = out_ / "copy.log";
  fs::copy_file(card_->logs[0].path, copy);
  const std::string before = TempDir::Read(copy);
  const Outcome same = Cli("export-csv " + Q(copy) + " -o " + Q(copy) + " --yes");
  EXPECT_EQ(same.exitStatus, 1);
  EXPECT_NE(same.err.find("is one of the inputs"), std::string::npos) << same.err;
  EXPECT_EQ(TempDir::Read(copy), before);
}

TEST_F(CliExportTest, JpegFilesCarryTheRecordersSegmentsForExiftool) {
  const SampleVideo& video = Video(false, true);
  const Outcome run = Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(out_) + " --all --fps 2 --json");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const auto doc = nlohmann::json::parse(run.out);
  ASSERT_EQ(doc["result"], 1);
  const auto& written = doc["written"];
  const int seconds = static_cast<int>(video.frames.size()) / video.fps;
  EXPECT_GE(written.size(), static_cast<size_t>(2 * seconds));
  EXPECT_LE(written.size(), static_cast<size_t>(2 * seconds + 1));
  const std::string first = written[0];
  EXPECT_TRUE(std::regex_search(first, std::regex(R"(/\d{8}_\d{6}_001\.jpg$)"))) << first;
  const CliRun exif = RunShell("exiftool -v1 " + ShellQuote(first) + " 2>&1");
  ASSERT_EQ(exif.exitStatus, 0) << exif.out;
  EXPECT_NE(exif.out.find("JPEG APP0"), std::string::npos) << exif.out;
  EXPECT_NE(exif.out.find("JPEG APP1"), std::string::npos) << exif.out;
  EXPECT_NE(exif.out.find("JPEG COM"), std::string::npos) << exif.out;
}

// exiftool reads each geotagged file's time and GPS fields back as the
// frame recorded them, and each file is the plain export's with one APP1
// segment added after its APP0: cmp finds every other byte unchanged.
TEST_F(CliExportTest, GeotaggedJpegsReadBackInExiftoolAndDifferOnlyByTheirExifSegment) {
  const SampleVideo& video = Video(false, true);
  const fs::path plain = out_ / "plain";
  const fs::path tagged = out_ / "tagged";
  fs::create_directories(plain);
  fs::create_directories(tagged);
  ASSERT_EQ(Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(plain) + " --all --fps 1").exitStatus, 0);
  const Outcome run = Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(tagged) + " --all --fps 1 --geotag");
  ASSERT_EQ(run.exitStatus, 0) << run.err;

  const CliRun exif = RunShell(
      "exiftool -n -j -DateTimeOriginal -SubSecDateTimeOriginal -GPSVersionID "
      "-GPSLatitude -GPSLongitude -GPSSpeedRef -GPSSpeed -GPSImgDirectionRef "
      "-GPSImgDirection " +
      Q(tagged) + "/*.jpg");
  ASSERT_EQ(exif.exitStatus, 0) << exif.out;
  const auto files = nlohmann::json::parse(exif.out);
  ASSERT_GE(files.size(), 2u);
  int fixes = 0;
  for (const auto& file : files) {
    const std::string name = file["SourceFile"];
    SCOPED_TRACE(name);
    const int index = std::stoi(name.substr(name.size() - 7, 3)) - 1;
    const SampleFrame& frame = video.frames.at(static_cast<size_t>(index));
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d:%02d:%02d %02d:%02d:%02d.%03d", frame.time.year, frame.time.month,
                  frame.time.day, frame.time.hour, frame.time.minute, frame.time.second, frame.time.milliseconds);
    EXPECT_EQ(file["SubSecDateTimeOriginal"], stamp);
    EXPECT_EQ(file.contains("GPSLatitude"), frame.gpsValid);
    if (!frame.gpsValid) continue;
    ++fixes;
    const auto decimal = [](double ddmm) {
      const double a = std::fabs(ddmm);
      const double degrees = std::floor(a / 100);
      return std::copysign(degrees + (a - degrees * 100) / 60, ddmm);
    };
    EXPECT_EQ(file["GPSVersionID"], "2 3 0 0");
    EXPECT_NEAR(file["GPSLatitude"].get<double>(), decimal(frame.latitude), 1e-6);
    EXPECT_NEAR(file["GPSLongitude"].get<double>(), decimal(frame.longitude), 1e-6);
    EXPECT_EQ(file["GPSSpeedRef"], "K");
    EXPECT_EQ(file["GPSSpeed"], frame.speed);
    EXPECT_EQ(file["GPSImgDirectionRef"], "T");
    EXPECT_EQ(file["GPSImgDirection"], frame.course);

    const std::string original = TempDir::Read(plain / fs::path(name).filename());
    const std::string withExif = TempDir::Read(name);
    const size_t app0End =
        4 + ((static_cast<unsigned char>(original[4]) << 8) | static_cast<unsigned char>(original[5]));
    ASSERT_EQ(withExif.substr(app0End, 2), "\xFF\xE1");
    const size_t segment = 2 + ((static_cast<unsigned char>(withExif[app0End + 2]) << 8) |
                                static_cast<unsigned char>(withExif[app0End + 3]));
    const std::string p = Q(plain / fs::path(name).filename()), t = Q(name);
    EXPECT_EQ(RunShell("cmp -n " + std::to_string(app0End) + " " + p + " " + t).exitStatus, 0);
    EXPECT_EQ(
        RunShell("cmp -i " + std::to_string(app0End) + ":" + std::to_string(app0End + segment) + " " + p + " " + t)
            .exitStatus,
        0);
  }
  EXPECT_GT(fixes, 0) << "the recording has frames with a fix";
}

TEST_F(CliExportTest, HalfHeightFramesComeOutDoubledWithTheirCommentForExiftool) {
  const SampleVideo& video = Video(true);
  const Outcome run = Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(out_) + " --current 0");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  ASSERT_FALSE(run.out.empty());
  const std::string file = run.out.substr(0, run.out.size() - 1);
  const CliRun size = RunShell("exiftool -s3 -ImageWidth -ImageHeight " + ShellQuote(file));
  EXPECT_EQ(size.out, std::to_string(video.width) + "\n" + std::to_string(video.height * 2) + "\n");
  EXPECT_NE(RunShell("exiftool -v1 " + ShellQuote(file)).out.find("JPEG COM"), std::string::npos);
}

TEST_F(CliExportTest, JpegDefaultIsTheFrameTheViewerShowsAndFpsIsLimitedToTheList) {
  const SampleVideo& video = Video(false);
  const Outcome run = Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(out_));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  char expected[96];
  const DateTime& t = video.frames[static_cast<size_t>(video.triggerFrame)].time;
  std::snprintf(expected, sizeof expected, "%4d%.2d%.2d_%.2d%.2d%.2d_%.3d.jpg", t.year, t.month, t.day, t.hour,
                t.minute, t.second, video.triggerFrame + 1);
  EXPECT_EQ(run.out, (out_ / expected).string() + "\n");

  const Outcome tooFast =
      Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(out_) + " --all --fps " + std::to_string(video.fps + 1));
  EXPECT_EQ(tooFast.exitStatus, 1);
  EXPECT_EQ(tooFast.err, "korvane-cli: Invalid value.\n");
  const Outcome tooLong = Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(out_) + " --selected 0 --seconds 999");
  EXPECT_EQ(tooLong.err, "korvane-cli: Invalid value.\n");
  const Outcome again = Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(out_));
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_NE(again.err.find(expected), std::string::npos) << again.err;
  const Outcome folder = Cli("export-jpeg " + Q(video.dataPath) + " -o /proc");
  EXPECT_EQ(folder.err, "korvane-cli: You don't have access to this folder.\n");
}

// Ctrl-C cancels the export before its next frame: whenever it comes, what
// is in the folder is whole and nothing is left under a temporary name.
TEST_F(CliExportTest, AnInterruptLeavesOnlyWholeFiles) {
  const SampleVideo* normal = nullptr;
  for (const SampleVideo& v : card_->videos)
    if (v.kind == SampleVideoKind::kNormal) normal = &v;
  ASSERT_NE(normal, nullptr);
  const Outcome run = Cli("export-jpeg " + Q(normal->dataPath) + " -o " + Q(out_) + " --all & pid=$!; sleep 0.05; " +
                          "kill -INT $pid; wait $pid; echo exit $?");
  EXPECT_NE(run.out.find("exit "), std::string::npos);
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(out_)) {
    ++files;
    EXPECT_EQ(WriterOfTemporary(entry.path().filename().string()), 0) << entry.path();
    const std::string bytes = TempDir::Read(entry.path());
    EXPECT_TRUE(bytes.size() > 4 && bytes.rfind("\xFF\xD8", 0) == 0 && bytes.ends_with("\xFF\xD9")) << entry.path();
  }
  EXPECT_LE(files, normal->frames.size());
}

// A file size limit stands in for a full disk: the export fails with its
// message, and what is there is whole.
TEST_F(CliExportTest, AFullDiskFailsClearlyAndLeavesNoHalfFile) {
  const SampleVideo& video = Video(false);
  const Outcome jpeg = Cli("export-jpeg " + Q(video.dataPath) + " -o " + Q(out_) + " --all", "ulimit -f 1; ");
  EXPECT_EQ(jpeg.exitStatus, 1);
  EXPECT_NE(jpeg.err.find("Save Jpeg Error"), std::string::npos) << jpeg.err;
  EXPECT_NE(jpeg.err.find("File too large"), std::string::npos) << jpeg.err;
  for (const auto& entry : fs::directory_iterator(out_)) {
    EXPECT_EQ(WriterOfTemporary(entry.path().filename().string()), 0) << entry.path();
    EXPECT_LE(fs::file_size(entry.path()), 1024u);
  }

  const fs::path kml = out_ / "drive.kml";
  const Outcome run = Cli("export-kml " + Logs() + " -o " + Q(kml), "ulimit -f 1; ");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_NE(run.err.find("Save log file Fail."), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(kml));
}

}  // namespace
