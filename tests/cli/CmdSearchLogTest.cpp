// korvane-cli search-log on tiny logs: the ticked boxes, the rows as JSON,
// the time-order refusal and the exit statuses.

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "playback/PlaybackTestFiles.h"
#include "support/CliRun.h"

namespace {

using namespace playback_test;
using nlohmann::json;

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "' "; }

class CmdSearchLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<LogSecond> morning = Drive(0, 5, 30);
    morning[2].kmh = 70;
    morning[4].gX = -520;
    morning[4].valueA = 2;
    first_ = WriteLog(dir_, "0001,20260310_120000.log", morning);
    second_ = WriteLog(dir_, "0002,20260310_120010.log", Drive(10, 12, 65));
  }

  TempDir dir_;
  std::filesystem::path first_;
  std::filesystem::path second_;
};

TEST_F(CmdSearchLogTest, SpeedOptionTicksTheSpeedBox) {
  const CliRun run = Cli("search-log " + Quoted(first_) + Quoted(second_) + "--speed 60 --json");
  ASSERT_EQ(run.exitStatus, 0);
  const json rows = json::parse(run.out);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]["no"], 1);
  EXPECT_EQ(rows[0]["date_time"], "2026.03.10 12:00:02");
  EXPECT_EQ(rows[0]["log"], 0);
  EXPECT_EQ(rows[0]["record"], 2);
  EXPECT_EQ(rows[1]["log"], 1);
  EXPECT_EQ(rows[1]["record"], 0);
}

TEST_F(CmdSearchLogTest, AxisOptionTicksTheAccelerationSearch) {
  CliRun run = Cli("search-log " + Quoted(first_) + "--x 0.50 --json");
  ASSERT_EQ(run.exitStatus, 0);
  json rows = json::parse(run.out);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["record"], 4);
  EXPECT_EQ(rows[0]["event_type"], "Switch");

  // Nothing ticked: no rows, and still a success.
  run = Cli("search-log " + Quoted(first_) + "--json");
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(json::parse(run.out).empty());
}

TEST_F(CmdSearchLogTest, LoadFailuresAndUsageErrorsHaveTheirExitStatus) {
  EXPECT_EQ(Cli("search-log " + Quoted(second_) + Quoted(first_) + "--speed 60").exitStatus, 1);  // not in time order
  EXPECT_EQ(Cli("search-log " + Quoted(dir_ / "missing.log")).exitStatus, 1);
  EXPECT_EQ(Cli("search-log " + Quoted(dir_.Write("empty.log", ""))).exitStatus, 1);
  EXPECT_EQ(Cli("search-log " + Quoted(first_) + "--speed fast").exitStatus, 2);
  EXPECT_EQ(Cli("search-log").exitStatus, 2);

  const CliRun text = Cli("search-log " + Quoted(first_) + "--speed 60");
  ASSERT_EQ(text.exitStatus, 0);
  EXPECT_NE(text.out.find("2026.03.10 12:00:02"), std::string::npos);
}

}  // namespace
