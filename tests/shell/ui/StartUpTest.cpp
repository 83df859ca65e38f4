// The program as a user starts it: it refuses to run without its skin
// package, rejects a wrong command line, and in screenshot mode opens the
// folder given, loads and renders the whole window.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "samplecard/SampleCard.h"
#include "shell/VersionInfo.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// The program with an environment of the test's own: settings in the
// test's folder, the offscreen platform, data from dataFolder.
CliRun RunProgram(const TempDir& dir, const fs::path& dataFolder, const std::string& args) {
  const std::string env = "env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + ShellQuote((dir / "config").string()) +
                          " KORVANE_DATA_DIR=" + ShellQuote(dataFolder.string()) + " ";
  return RunShell(env + ShellQuote(KORVANE_PROGRAM_PATH) + " " + args + " 2>&1");
}

TEST(StartUpTest, AMissingSkinPackageEndsTheProgramWithItsName) {
  TempDir dir;
  fs::create_directories(dir / "data");
  const CliRun run = RunProgram(dir, dir / "data", "--screenshot " + ShellQuote((dir / "shot.png").string()));
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_NE(run.out.find("Check File : korvane.dsc"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(dir / "shot.png"));

  // With the index alone the image file is named.
  fs::copy_file(fs::path(KORVANE_BUILD_DIR) / "korvane.dsc", dir / "data/korvane.dsc");
  const CliRun second = RunProgram(dir, dir / "data", "--screenshot " + ShellQuote((dir / "shot.png").string()));
  EXPECT_EQ(second.exitStatus, 1);
  EXPECT_NE(second.out.find("Check File : korvane.chk"), std::string::npos) << second.out;
}

TEST(StartUpTest, AWrongCommandLineIsAUsageError) {
  TempDir dir;
  const CliRun run = RunProgram(dir, KORVANE_BUILD_DIR, "--load everything");
  EXPECT_EQ(run.exitStatus, 64);
  EXPECT_NE(run.out.find("usage: korvane"), std::string::npos) << run.out;
}

TEST(StartUpTest, ScreenshotOfALoadedCardShowsTheWholeWindow) {
  TempDir dir;
  SampleCardOptions options;
  options.events = 2;
  options.normals = 1;
  options.logs = 1;
  options.eventSeconds = 4;
  options.fps = 5;
  options.width = 160;
  options.height = 120;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir / "card", options, nullptr, &error)) << error;
  const fs::path shot = dir / "shot.png";
  const CliRun run = RunProgram(
      dir, KORVANE_BUILD_DIR,
      "--screenshot " + ShellQuote(shot.string()) + " --load event --thumbnail " + ShellQuote((dir / "card").string()));
  ASSERT_EQ(run.exitStatus, 0) << run.out;
  const QImage image(QString::fromStdString(shot.string()));
  ASSERT_FALSE(image.isNull());
  // The offscreen desktop may be smaller than the frame (small-screen mode).
  EXPECT_LE(image.width(), 1024);
  EXPECT_GE(image.height(), 600);
  // Pictures, skin and text: far more than a blank window's few colours.
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 7)
    for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 200u);

  // A folder that is no recorder card says so and ends with status 2.
  fs::create_directories(dir / "empty");
  const CliRun wrong = RunProgram(
      dir, KORVANE_BUILD_DIR, "--screenshot " + ShellQuote(shot.string()) + " " + ShellQuote((dir / "empty").string()));
  EXPECT_EQ(wrong.exitStatus, 2) << wrong.out;
}

// Asking for help or the version needs no display: both are answered
// before the program looks for one.
TEST(StartUpTest, HelpAndVersionAnswerWithoutADisplay) {
  const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ";
  const CliRun help = RunShell(noDisplay + ShellQuote(KORVANE_PROGRAM_PATH) + " --help 2>&1");
  EXPECT_EQ(help.exitStatus, 0) << help.out;
  EXPECT_EQ(help.out.rfind("usage: korvane", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--screenshot"), std::string::npos);

  const CliRun version = RunShell(noDisplay + ShellQuote(KORVANE_PROGRAM_PATH) + " --version 2>&1");
  EXPECT_EQ(version.exitStatus, 0) << version.out;
  EXPECT_EQ(version.out, "korvane " + ProgramVersion() + "\n");
}

// A screenshot run may choose a model to show its layout; the user's saved
// settings stay as they were, and a fresh account gets no settings file.
TEST(StartUpTest, AScreenshotRunLeavesTheSavedSettingsAlone) {
  TempDir dir;
  const fs::path shot = dir / "shot.png";
  const std::string args = "--screenshot " + ShellQuote(shot.string()) + " --model 9";
  ASSERT_EQ(RunProgram(dir, KORVANE_BUILD_DIR, args).exitStatus, 0);
  EXPECT_TRUE(fs::exists(shot));
  EXPECT_FALSE(fs::exists(dir / "config/Halvorn/Nemora/kelbrin.ini"));

  const std::string saved = "[RunParam]\nCurrentModel=2\nDisplaySpeed=1\n";
  const fs::path ini = dir.Write("config/Halvorn/Nemora/kelbrin.ini", saved);
  ASSERT_EQ(RunProgram(dir, KORVANE_BUILD_DIR, args).exitStatus, 0);
  std::ifstream file(ini, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), saved);
}

}  // namespace
