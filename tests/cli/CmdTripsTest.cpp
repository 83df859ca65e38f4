// korvane-cli trips and hard on a generated card: the drive is one trip with
// its events and logs, hard agrees with it on a recording, and nothing on
// the card is checked or removed.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

using nlohmann::json;

TEST(CmdTripsTest, TheDriveIsOneTripAndHardAgreesOnEachRecording) {
  TempDir dir;
  SampleCardOptions options;
  options.events = 2;
  options.normals = 3;
  options.logs = 1;
  options.fps = 4;
  options.width = 32;
  options.height = 24;
  SampleCard card;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir / "card", options, &card, &error)) << error;
  const std::string root = ShellQuote((dir / "card").string());

  CliRun run = Cli("trips " + root + " --json");
  ASSERT_EQ(run.exitStatus, 0);
  const json trips = json::parse(run.out);
  ASSERT_EQ(trips.size(), 1u);
  const json& trip = trips[0];
  json normals = json::array();
  for (size_t i = 2; i < card.videos.size(); ++i) normals.push_back(card.videos[i].dataPath.string());
  EXPECT_EQ(trip["recordings"], normals);
  EXPECT_EQ(trip["events"].size(), 2u);
  EXPECT_EQ(trip["logs"], json::array({card.logs[0].path.string()}));
  EXPECT_EQ(trip["duration_s"], (trip["end_ms"].get<int64_t>() - trip["start_ms"].get<int64_t>()) / 1000);
  EXPECT_GT(trip["distance_m"].get<int64_t>(), 0);
  EXPECT_GT(trip["max_speed_kmh"].get<int>(), 0);

  json fromHard = json::array();
  for (const json& path : normals) {
    run = Cli("hard " + ShellQuote(path.get<std::string>()) + " --json");
    ASSERT_EQ(run.exitStatus, 0);
    for (const json& moment : json::parse(run.out)) fromHard.push_back(moment);
  }
  EXPECT_EQ(fromHard, trip["hard"]);

  EXPECT_EQ(Cli("trips " + root + " --units knots").exitStatus, 2);
  // A recording too short to read is left where it is, and said.
  std::filesystem::resize_file(card.videos[2].dataPath, 29);
  std::filesystem::resize_file(card.videos[2].indexPath, 5);
  run = Cli("trips " + root + " --json");
  EXPECT_EQ(run.exitStatus, 1);
  size_t listed = 0;
  for (const json& t : json::parse(run.out)) listed += t["recordings"].size();
  EXPECT_EQ(listed, 2u);
  EXPECT_TRUE(std::filesystem::exists(card.videos[2].dataPath));
}

}  // namespace
