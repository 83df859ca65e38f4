// korvane-cli play on a generated card: the start frame the window chooses,
// the frames the ticks show, the end of play and the exit statuses.

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

using nlohmann::json;

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

TEST(CmdPlayTest, PlaysFromTheTriggerAndEndsAtTheLastFrame) {
  TempDir dir;
  SampleCardOptions options;
  options.events = 1;
  options.normals = 2;
  options.logs = 0;
  options.fps = 5;
  options.eventSeconds = 4;
  options.width = 32;
  options.height = 24;
  SampleCard card;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir / "card", options, &card, &error)) << error;
  const SampleVideo& event = card.videos[0];

  // Normal speed from the trigger: the next frame (200 ms on) at the first
  // tick, then nothing new until the position passes it.
  CliRun run = Cli("play " + Quoted(event.dataPath) + " --ticks 11 --json");
  ASSERT_EQ(run.exitStatus, 0);
  json out = json::parse(run.out);
  EXPECT_EQ(out["start_frame"], event.triggerFrame);
  ASSERT_EQ(out["ticks"].size(), 11u);
  EXPECT_EQ(out["ticks"][0]["frame"], event.triggerFrame + 1);
  for (int k = 1; k < 8; ++k) EXPECT_TRUE(out["ticks"][k]["frame"].is_null()) << k;
  EXPECT_EQ(out["ticks"][8]["frame"], event.triggerFrame + 2);
  EXPECT_EQ(out["ticks"][8]["t"], 225);

  // x16 backwards from the last frame reaches frame 0 and stops there.
  const int last = static_cast<int>(event.frames.size()) - 1;
  run = Cli("play " + Quoted(event.dataPath) + " --state 13 --from " + std::to_string(last) + " --ticks 100 --json");
  ASSERT_EQ(run.exitStatus, 0);
  out = json::parse(run.out);
  const json& ticks = out["ticks"];
  ASSERT_FALSE(ticks.empty());
  EXPECT_LT(ticks.size(), 100u);
  EXPECT_EQ(ticks.back()["frame"], 0);
  EXPECT_TRUE(ticks.back()["ended"]);

  // A normal run must be given in the order it was recorded.
  const std::string run1 = Quoted(card.videos[1].dataPath);
  const std::string run2 = Quoted(card.videos[2].dataPath);
  EXPECT_EQ(Cli("play " + run1 + " " + run2 + " --mode normal --ticks 2").exitStatus, 0);
  EXPECT_EQ(Cli("play " + run2 + " " + run1 + " --mode normal --ticks 2").exitStatus, 2);
  EXPECT_EQ(Cli("play " + Quoted(dir / "missing.vdd")).exitStatus, 1);
  EXPECT_EQ(Cli("play " + run1 + " --state 1").exitStatus, 2);
}

// Two consecutive one-minute normal recordings at one second a tick: the
// run plays on into the second at its first frame, each tick naming its
// recording; without --continuous play ends with the first.
TEST(CmdPlayTest, ContinuousPlaysThroughTheRun) {
  TempDir dir;
  SampleCardOptions options;
  options.events = 0;
  options.normals = 2;
  options.logs = 0;
  options.fps = 2;
  options.width = 32;
  options.height = 24;
  SampleCard card;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir / "card", options, &card, &error)) << error;
  const std::string files = Quoted(card.videos[0].dataPath) + " " + Quoted(card.videos[1].dataPath);

  CliRun run = Cli("play " + files + " --mode normal --continuous --tick-ms 1000 --ticks 80 --json");
  ASSERT_EQ(run.exitStatus, 0) << run.out;
  json ticks = json::parse(run.out)["ticks"];
  ASSERT_EQ(ticks.size(), 80u);
  int switched = -1;
  for (size_t k = 0; k < ticks.size(); ++k) {
    if (ticks[k]["recording"] == 1) {
      switched = static_cast<int>(k);
      break;
    }
    EXPECT_EQ(ticks[k]["recording"], 0) << k;
  }
  ASSERT_GT(switched, 50);
  EXPECT_EQ(ticks[static_cast<size_t>(switched)]["frame"], 0);
  EXPECT_FALSE(ticks.back()["ended"]);

  run = Cli("play " + files + " --mode normal --continuous --tick-ms 1000 --ticks 65");
  EXPECT_NE(run.out.find("recording=1 (" + card.videos[1].dataPath.filename().string() + ")"), std::string::npos)
      << run.out;

  run = Cli("play " + files + " --mode normal --tick-ms 1000 --ticks 80 --json");
  ticks = json::parse(run.out)["ticks"];
  EXPECT_TRUE(ticks.back()["ended"]);
  EXPECT_FALSE(ticks.back().contains("recording"));
  EXPECT_EQ(Cli("play " + files + " --continuous").exitStatus, 2);
}

}  // namespace
