// korvane-cli scan and pulse on a generated card: the lists, the deletions
// the check-files pass makes and the exit statuses.

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

using nlohmann::json;

TEST(CmdScanTest, ScanPrintsTheListsAndTheDeletions) {
  TempDir dir;
  SampleCardOptions options;
  options.events = 2;
  options.normals = 2;
  options.logs = 1;
  options.fps = 2;
  options.width = 32;
  options.height = 24;
  SampleCard card;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir / "card", options, &card, &error)) << error;
  const SampleVideo& first = card.videos[2];  // the first normal recording
  std::filesystem::resize_file(first.dataPath, 29);
  const std::string root = "'" + (dir / "card").string() + "'";

  CliRun run = Cli("scan " + root + " --json --no-verify");
  ASSERT_EQ(run.exitStatus, 0);
  json out = json::parse(run.out);
  EXPECT_EQ(out["normal"].size(), 2u);
  EXPECT_TRUE(out["deleted"].empty());
  EXPECT_TRUE(std::filesystem::exists(first.dataPath));

  run = Cli("scan " + root + " --json");
  ASSERT_EQ(run.exitStatus, 0);
  out = json::parse(run.out);
  EXPECT_TRUE(out["valid"].get<bool>());
  EXPECT_EQ(out["message"], "");
  EXPECT_EQ(out["counts"]["event"], 2);
  EXPECT_EQ(out["counts"]["normal"], 2);
  EXPECT_EQ(out["counts"]["log"], 1);
  EXPECT_FALSE(out["crashed"].get<bool>());
  EXPECT_EQ(out["pulse_type"], 0);
  EXPECT_EQ(out["deleted"], json::array({first.dataPath.string(), first.indexPath.string()}));
  EXPECT_FALSE(std::filesystem::exists(first.indexPath));
  ASSERT_EQ(out["event"].size(), 2u);
  EXPECT_EQ(out["event"][0]["type"], "G-Sensor");
  EXPECT_EQ(out["event"][0]["no"], "1");
  ASSERT_EQ(out["normal"].size(), 1u);
  EXPECT_EQ(out["normal"][0]["path"], card.videos[3].dataPath.string());
  EXPECT_EQ(out["normal"][0]["duration"], "1 Min");
  ASSERT_EQ(out["log"].size(), 1u);
  EXPECT_EQ(out["log"][0]["start"], card.logs[0].records.front().localSeconds);
  EXPECT_EQ(out["log"][0]["drid"], "KX17A00042");
  EXPECT_TRUE(out["has_logs"].get<bool>());

  run = Cli("scan " + root);
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_NE(run.out.find("normal list: 1"), std::string::npos) << run.out;
}

TEST(CmdScanTest, ExitStatusesAndPulses) {
  TempDir dir;
  CliRun run = Cli("scan '" + dir.path().string() + "' --json");
  EXPECT_EQ(run.exitStatus, 1);
  const json out = json::parse(run.out);
  EXPECT_FALSE(out["valid"].get<bool>());
  EXPECT_EQ(out["message"], "Invalid drive recorder folder.");
  EXPECT_EQ(Cli("scan").exitStatus, 2);

  run = Cli("pulse 0 100");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "282\n");
  EXPECT_EQ(Cli("pulse 6 100").out, "0\n");
  EXPECT_EQ(Cli("pulse 0").exitStatus, 2);
}

}  // namespace
