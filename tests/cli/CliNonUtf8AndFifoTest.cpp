// korvane-cli on input the recorder never writes: text that is not UTF-8 in
// file names, trailers, log headers and settings values; FIFOs in place of
// settings files; and whatever else escapes a command.

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/CommandBoundary.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleLogWriter.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/CliRun.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
// Far longer than any command here needs; a command that waits on a FIFO
// is ended by it and shows as the timeout's status.
const std::string kTimeout = "timeout 20 ";

// korvane-cli with its error stream kept in errors.
CliRun RunCapturingErrors(const std::string& args, const fs::path& errors, const std::string& environment = "") {
  return RunShell(environment + kTimeout + ShellQuote(KORVANE_CLI_PATH) + " " + args + " 2>" +
                  ShellQuote(errors.string()));
}

bool HasReplacement(const json& value) { return value.get<std::string>().find(kReplacement) != std::string::npos; }

class CliNonUtf8AndFifo : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.events = 1;
    options.normals = 0;
    options.logs = 0;
    options.fps = 2;
    options.width = 32;
    options.height = 24;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(Card(), options, nullptr, &error)) << error;
  }

  fs::path Card() const { return dir_ / "card"; }
  std::string QuotedCard() const { return ShellQuote(Card().string()); }

  TempDir dir_;
};

TEST_F(CliNonUtf8AndFifo, TextThatIsNotUtf8ComesOutAsReplacementCharacters) {
  std::string error;
  SampleVideoRecipe recipe;
  recipe.number = 2;
  recipe.seconds = 1;
  recipe.fps = 2;
  recipe.width = 32;
  recipe.height = 24;
  recipe.drid = "KX\xFF\xFE";
  recipe.sdid = "SD\xC3";  // a sequence cut short
  SampleVideo badIds = MakeSampleVideo(recipe);
  ASSERT_TRUE(WriteSampleVideo(Card() / "ch1/event", &badIds, &error)) << error;
  recipe.number = 3;
  recipe.kind = SampleVideoKind::kNormal;
  recipe.drid = kSampleDrid;
  recipe.sdid = kSampleSdid;
  SampleVideo badName = MakeSampleVideo(recipe);
  ASSERT_TRUE(WriteSampleVideo(Card() / "ch1/normal", &badName, &error)) << error;
  fs::rename(badName.dataPath, Card() / "ch1/normal/0003\xFF.vdd");
  fs::rename(badName.indexPath, Card() / "ch1/normal/0003\xFF.vdx");
  SampleLogRecipe logRecipe;
  logRecipe.seconds = 5;
  logRecipe.drid = "\xC0\xAF";  // an overlong "/"
  SampleLog badLog = MakeSampleLog(logRecipe);
  ASSERT_TRUE(WriteSampleLog(Card() / "log", &badLog, &error)) << error;
  const fs::path errors = dir_ / "errors.txt";

  CliRun run = RunCapturingErrors("scan " + QuotedCard() + " --json", errors);
  ASSERT_EQ(run.exitStatus, 0) << TempDir::Read(errors);
  json out = json::parse(run.out);
  ASSERT_EQ(out["event"].size(), 2u);
  EXPECT_TRUE(HasReplacement(out["event"][1]["drid"])) << out["event"][1];
  EXPECT_TRUE(HasReplacement(out["event"][1]["sdid"])) << out["event"][1];
  ASSERT_EQ(out["normal"].size(), 1u) << "the card stays listable";
  EXPECT_TRUE(HasReplacement(out["normal"][0]["path"]));
  ASSERT_EQ(out["log"].size(), 1u);
  EXPECT_TRUE(HasReplacement(out["log"][0]["drid"]));

  run = RunCapturingErrors("frames " + ShellQuote(badIds.dataPath.string()) + " --json", errors);
  ASSERT_EQ(run.exitStatus, 0) << TempDir::Read(errors);
  EXPECT_TRUE(HasReplacement(json::parse(run.out)["drid"]));
  run = RunCapturingErrors("log " + ShellQuote(badLog.path.string()) + " --json", errors);
  ASSERT_EQ(run.exitStatus, 0) << TempDir::Read(errors);
  EXPECT_TRUE(HasReplacement(json::parse(run.out)["drid"]));
}

TEST_F(CliNonUtf8AndFifo, SettingsValuesThatAreNotUtf8) {
  dir_.Write("cfg/Halvorn/Nemora/kelbrin.ini", "[GUI]\r\nModelName=Drive\xFFRecorder\r\n");
  const fs::path errors = dir_ / "errors.txt";
  const std::string environment = "env HOME=" + ShellQuote((dir_ / "home").string()) +
                                  " XDG_CONFIG_HOME=" + ShellQuote((dir_ / "cfg").string()) +
                                  " KORVANE_DATA_DIR=" + ShellQuote((dir_ / "data").string()) + " ";
  const CliRun run = RunCapturingErrors("settings --json", errors, environment);
  ASSERT_EQ(run.exitStatus, 0) << TempDir::Read(errors);
  EXPECT_EQ(json::parse(run.out)["GUI"]["ModelName"], "Drive\xEF\xBF\xBDRecorder");
}

TEST_F(CliNonUtf8AndFifo, FifosInPlaceOfSettingsFilesAreNotWaitedOn) {
  fs::remove(Card() / "config/set.ini");
  ASSERT_TRUE(MakeFifo(Card() / "config/set.ini"));
  const fs::path errors = dir_ / "errors.txt";
  CliRun run = RunCapturingErrors("scan " + QuotedCard() + " --json", errors);
  ASSERT_EQ(run.exitStatus, 0) << TempDir::Read(errors);
  EXPECT_EQ(json::parse(run.out)["event"].size(), 1u);

  ASSERT_TRUE(MakeFifo(dir_ / "cfg/Halvorn/Nemora/kelbrin.ini"));
  const std::string environment = "env HOME=" + ShellQuote((dir_ / "home").string()) +
                                  " XDG_CONFIG_HOME=" + ShellQuote((dir_ / "cfg").string()) +
                                  " KORVANE_DATA_DIR=" + ShellQuote((dir_ / "data").string()) + " ";
  run = RunCapturingErrors("settings --json", errors, environment);
  ASSERT_EQ(run.exitStatus, 0) << TempDir::Read(errors);
  EXPECT_EQ(json::parse(run.out)["GUI"]["ModelName"], "Drive Recorder");
}

TEST(CommandBoundary, AnEscapedFailureIsOneLineAndAFailingStatus) {
  std::FILE* errors = std::tmpfile();
  ASSERT_NE(errors, nullptr);
  const int status = RunAtCommandBoundary([]() -> int { throw std::runtime_error("invalid UTF-8 byte\nat index 3"); },
                                          [] { return std::string("scan"); }, errors);
  EXPECT_EQ(status, kExitLoadFailed);
  const int unknown = RunAtCommandBoundary([]() -> int { throw 42; }, [] { return std::string(); }, errors);
  EXPECT_EQ(unknown, kExitLoadFailed);
  EXPECT_EQ(RunAtCommandBoundary([] { return kExitUsage; }, [] { return std::string("x"); }, errors), kExitUsage);

  std::rewind(errors);
  char text[512] = {};
  const size_t length = std::fread(text, 1, sizeof text - 1, errors);
  std::fclose(errors);
  EXPECT_EQ(std::string(text, length),
            "korvane-cli: scan stopped: invalid UTF-8 byte at index 3\n"
            "korvane-cli: stopped: an unknown failure\n");
}

}  // namespace
