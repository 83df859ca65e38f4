// korvane-cli map-commands on a generated card: what a freshly loaded map
// page receives after an event load, a normal run and a log load, as text
// and as JSON, and nothing when no recording has a position.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

using nlohmann::json;

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Word(const std::string& line) { return line.substr(0, line.find(' ')); }

int Count(const std::vector<std::string>& lines, const std::string& name) {
  int n = 0;
  for (const std::string& line : lines) n += Word(line) == name ? 1 : 0;
  return n;
}

double Decimal(double ddmm) {
  const double sign = ddmm < 0 ? -1 : 1;
  const double value = std::abs(ddmm);
  const double degrees = std::floor(value / 100);
  return sign * (degrees + (value - degrees * 100) / 60);
}

class CmdMapCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 2;
    options.logs = 1;
    options.fps = 2;
    options.eventSeconds = 4;
    options.width = 32;
    options.height = 24;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(dir_ / "card", options, &card_, &error)) << error;
  }

  TempDir dir_;
  SampleCard card_;
};

TEST_F(CmdMapCommandsTest, EventLoadSendsInitializeMarkersRouteAndArrow) {
  const SampleVideo& first = card_.videos[0];
  const CliRun run = Cli("map-commands " + Quoted(first.dataPath) + " " + Quoted(card_.videos[1].dataPath));
  ASSERT_EQ(run.exitStatus, 0);
  std::vector<std::string> lines = Lines(run.out);
  // The run coloured by speed comes last; what stands before it is the
  // markers', the recording's route and the arrow.
  const auto speed =
      std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return Word(l) == "beginSpeedRoute"; });
  ASSERT_NE(speed, lines.end());
  EXPECT_EQ(Word(*std::next(speed)), "addSpeedRoute");
  EXPECT_NE(std::find(speed, lines.end(), "drawSpeedRoute"), lines.end());
  lines.erase(speed, lines.end());
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(Word(lines[0]), "initialize");
  EXPECT_EQ(Word(lines[1]), "addRoute");
  EXPECT_EQ(Word(lines[2]), "addRoute");
  EXPECT_EQ(lines[3], "clearRoute");
  EXPECT_EQ(Count(lines, "addRoute"), 4);  // put back after the route was cleared
  EXPECT_GT(Count(lines, "addSingleRoute"), 1);
  EXPECT_EQ(lines[lines.size() - 2], "drawRoute \"0\"");
  EXPECT_EQ(Word(lines.back()), "doMoveCenter");

  // The first marker stands at the first recording's trigger frame.
  // Each argument is a JSON string after a space.
  std::vector<std::string> words;
  std::istringstream in(lines[1].substr(lines[1].find(' ') + 1));
  for (std::string word; in >> word;) words.push_back(json::parse(word).get<std::string>());
  ASSERT_EQ(words.size(), 5u);
  const SampleFrame& trigger = first.frames[static_cast<size_t>(first.triggerFrame)];
  EXPECT_NEAR(std::stod(words[0]), Decimal(trigger.latitude), 2e-6);
  EXPECT_NEAR(std::stod(words[1]), Decimal(trigger.longitude), 2e-6);
  EXPECT_EQ(words[2], "0");
  EXPECT_EQ(words[3], std::to_string(first.triggerFrame));
  EXPECT_EQ(words[4], "2");
}

TEST_F(CmdMapCommandsTest, NormalRunAndLogLoadAsJson) {
  const CliRun run = Cli("map-commands " + Quoted(card_.videos[2].dataPath) + " " + Quoted(card_.videos[3].dataPath) +
                         " --mode normal --json");
  ASSERT_EQ(run.exitStatus, 0);
  json calls = json::parse(run.out);
  const auto speed =
      std::find_if(calls.begin(), calls.end(), [](const json& call) { return call["fn"] == "beginSpeedRoute"; });
  ASSERT_NE(speed, calls.end());
  calls.erase(speed, calls.end());
  ASSERT_GE(calls.size(), 6u);
  EXPECT_EQ(calls[0]["fn"], "initialize");
  ASSERT_EQ(calls[0]["args"].size(), 1u);
  // One marker each, at the first position of the recording.
  EXPECT_EQ(calls[1]["fn"], "addRoute");
  EXPECT_EQ(calls[1]["args"][2], "0");
  EXPECT_EQ(calls[1]["args"][3], "0");
  EXPECT_EQ(calls[2]["args"][2], "1");
  EXPECT_EQ(calls[3]["fn"], "clearRoute");
  // A minute at 15 s a point: seconds 0, 15, 30, 45 and the last frame.
  int routePoints = 0;
  for (const auto& call : calls) routePoints += call["fn"] == "addSingleRoute" ? 1 : 0;
  EXPECT_EQ(routePoints, 5);
  EXPECT_EQ(calls.back()["fn"], "doMoveCenter");
  EXPECT_EQ(calls.back()["args"][3], "0");  // one marker in the first entry: (1 x 401) / 600

  const CliRun log = Cli("map-commands " + Quoted(card_.logs[0].path) + " --mode log --json");
  ASSERT_EQ(log.exitStatus, 0);
  const json logCalls = json::parse(log.out);
  ASSERT_FALSE(logCalls.empty());
  EXPECT_EQ(logCalls[0]["fn"], "initialize");
  bool drewNoRecording = false;
  for (const auto& call : logCalls) {
    if (call["fn"] == "drawRoute") drewNoRecording = call["args"] == json::array({"-1"});
    if (call["fn"] == "addRoute") {
      EXPECT_EQ(call["args"][2], "0");
    }
  }
  EXPECT_TRUE(drewNoRecording);
}

TEST_F(CmdMapCommandsTest, RecordingsWithoutPositionLeaveTheMapOffAndPrintNothing) {
  SampleVideoRecipe recipe;
  recipe.kind = SampleVideoKind::kEvent;
  recipe.seconds = 2;
  recipe.fps = 2;
  recipe.width = 16;
  recipe.height = 16;
  recipe.invalidFrom = 0;
  recipe.invalidSeconds = 2;
  SampleVideo video = MakeSampleVideo(recipe);
  std::string error;
  std::filesystem::create_directories(dir_ / "nofix");
  ASSERT_TRUE(WriteSampleVideo(dir_ / "nofix", &video, &error)) << error;

  CliRun run = Cli("map-commands " + Quoted(video.dataPath));
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "");
  run = Cli("map-commands " + Quoted(video.dataPath) + " --json");
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_EQ(json::parse(run.out), json::array());

  EXPECT_EQ(Cli("map-commands " + Quoted(dir_ / "missing.vdd")).exitStatus, 1);
  EXPECT_NE(Cli("map-commands " + Quoted(video.dataPath) + " --mode fast").exitStatus, 0);
}

}  // namespace
