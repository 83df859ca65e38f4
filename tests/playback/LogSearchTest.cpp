// The log search pane: speed runs, acceleration thresholds and their
// rounding, the field texts written back, and the result rows.

#include <gtest/gtest.h>

#include "base/MgrMultiLang.h"
#include "playback/LogSearch.h"
#include "playback/PlaybackTestFiles.h"

namespace {

using namespace playback_test;

class LogSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseBerlinTime();
    savedLang_ = LangFilePath();
    SetLangFilePath("");
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  // Loads one log per entry of seconds into logs_.
  void Load(const std::vector<std::vector<LogSecond>>& logs) {
    for (size_t i = 0; i < logs.size(); ++i) {
      auto log = std::make_unique<CInfoLogFile>();
      const auto path = WriteLog(dir_, "log" + std::to_string(i) + ".log", logs[i]);
      ASSERT_EQ(ReadLog(path, *log, observer_), LoadStatus::kRunning);
      ASSERT_EQ(log->RecordCount(), static_cast<int>(logs[i].size()));
      logs_.push_back(std::move(log));
    }
  }

  // "log:record" of every row.
  std::vector<std::string> Found() {
    std::vector<std::string> found;
    for (const LogSearchRow& row : search_.Search(logs_))
      found.push_back(std::to_string(row.log) + ":" + row.recordText);
    return found;
  }

  void SpeedOnly(const std::string& threshold) {
    search_.Fields().speedChecked = true;
    search_.Fields().speedText = threshold;
  }
  void Axis(int axis, const std::string& threshold) {
    search_.Fields().accelChecked = true;
    search_.Fields().axisChecked[static_cast<size_t>(axis)] = true;
    search_.Fields().axisText[static_cast<size_t>(axis)] = threshold;
  }

  TempDir dir_;
  std::string savedLang_;
  WaitingLoadObserver observer_;
  std::vector<std::unique_ptr<CInfoLogFile>> logs_;
  LogSearch search_;
};

using Hits = std::vector<std::string>;

TEST_F(LogSearchTest, SpeedOnlyGivesTheFirstRecordOfEachRun) {
  Load({{{0, 58}, {1, 61}, {2, 63}, {3, 59}, {4, 62}}});
  SpeedOnly("60");
  EXPECT_EQ(Found(), (Hits{"0:1", "0:4"}));

  const std::vector<LogSearchRow>& rows = search_.Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].no, "1");
  EXPECT_EQ(rows[1].no, "2");
  EXPECT_EQ(rows[1].dateTime, "2026.03.10 12:00:04");
  EXPECT_EQ(rows[1].record, 4);
  EXPECT_EQ(rows[1].log, 0);
}

TEST_F(LogSearchTest, SpeedIsRoundedToWholeKmh) {
  EXPECT_EQ(SearchSpeed(59.5f), 60);
  EXPECT_EQ(SearchSpeed(59.49f), 59);
  Load({{{0, 10}, {1, 59.5}, {2, 10}, {3, 59.4}}});
  SpeedOnly("60");
  EXPECT_EQ(Found(), (Hits{"0:1"}));
}

TEST_F(LogSearchTest, RecordsWithoutFixNeitherMatchNorEndARunAndEachLogStartsAfresh) {
  LogSecond lost{2, 10};
  lost.fix = false;
  LogSecond fastWithoutFix{4, 90};
  fastWithoutFix.fix = false;
  Load({{{0, 70}, {1, 70}, lost, {3, 70}, fastWithoutFix, {5, 20}, {6, 65}}, {{20, 66}, {21, 40}}});
  SpeedOnly("60");
  EXPECT_EQ(Found(), (Hits{"0:0", "0:6", "1:0"}));
}

TEST_F(LogSearchTest, SpeedThresholdZeroFindsStandstills) {
  Load({{{0, 0}, {1, 0.4}, {2, 5}, {3, 0}}});
  SpeedOnly("0");
  EXPECT_EQ(Found(), (Hits{"0:0", "0:3"}));
}

TEST_F(LogSearchTest, AxesCompareTheirMagnitudeToTwoDecimals) {
  EXPECT_DOUBLE_EQ(SearchAxis(-0.404f), 0.40);
  EXPECT_DOUBLE_EQ(SearchAxis(0.394f), 0.39);
  Load({{{0, 0, true, -404}, {1, 0, true, 394}, {2, 0, true, 405}}});
  Axis(0, "0.40");
  EXPECT_EQ(Found(), (Hits{"0:0", "0:2"}));
}

TEST_F(LogSearchTest, ZIsComparedWithoutGravity) {
  LogSecond resting{0, 0};
  LogSecond bump{1, 0};
  bump.gZ = 1450;
  LogSecond dip{2, 0};
  dip.gZ = 560;
  Load({{resting, bump, dip}});
  Axis(2, "0.40");
  EXPECT_EQ(Found(), (Hits{"0:1", "0:2"}));
  search_.Fields().axisText[2] = "0.00";
  EXPECT_EQ(Found(), (Hits{"0:0", "0:1", "0:2"}));
}

TEST_F(LogSearchTest, EveryCheckedAxisMustReachItsThreshold) {
  LogSecond both{0, 0, false, 500, 500};
  LogSecond onlyX{1, 0, false, 500, 100};
  Load({{both, onlyX}});
  Axis(0, "0.40");
  Axis(1, "0.40");
  // Acceleration alone: with or without a fix.
  EXPECT_EQ(Found(), (Hits{"0:0"}));

  // The acceleration search without any axis finds nothing.
  search_.Fields().axisChecked = {false, false, false};
  EXPECT_TRUE(Found().empty());
}

TEST_F(LogSearchTest, SpeedAndAccelerationTogetherNeedAFixAndGiveEveryMatch) {
  LogSecond noFix{3, 80, false, 900};
  Load({{{0, 80, true, 900}, {1, 80, true, 900}, {2, 30, true, 900}, noFix, {4, 0, true, 900}}});
  SpeedOnly("60");
  Axis(0, "0.40");
  EXPECT_EQ(Found(), (Hits{"0:0", "0:1"}));
  search_.Fields().speedText = "0";
  EXPECT_EQ(Found(), (Hits{"0:4"}));
}

TEST_F(LogSearchTest, NothingCheckedOrNothingLoadedGivesNoRows) {
  EXPECT_TRUE(Found().empty());
  Load({{{0, 80, true, 900}}});
  EXPECT_TRUE(Found().empty());
  logs_.clear();
  SpeedOnly("60");
  EXPECT_TRUE(Found().empty());
}

TEST_F(LogSearchTest, EmptyFieldsAreWrittenBackAsZero) {
  Load({{{0, 0}, {1, 20}}});
  SpeedOnly("");
  search_.Fields().axisText = {"", "0.40", ""};
  EXPECT_EQ(Found(), (Hits{"0:0"}));  // an empty speed is a threshold of 0
  EXPECT_EQ(search_.Fields().speedText, "0");
  EXPECT_EQ(search_.Fields().axisText[0], "0.00");
  EXPECT_EQ(search_.Fields().axisText[1], "0.40");
  EXPECT_EQ(search_.Fields().axisText[2], "0.00");
}

TEST_F(LogSearchTest, ANewSearchReplacesTheRows) {
  Load({{{0, 80}, {1, 10}, {2, 80}}});
  SpeedOnly("60");
  EXPECT_EQ(search_.Search(logs_).size(), 2u);
  search_.Fields().speedText = "90";
  EXPECT_TRUE(search_.Search(logs_).empty());
}

TEST_F(LogSearchTest, EventTypeFollowsTheRecordsCode) {
  LogSecond unknown{0, 80};
  unknown.valueA = 3;
  LogSecond sw{1, 10};
  sw.valueA = 2;
  LogSecond again{2, 80};
  again.valueA = 1;
  Load({{unknown, sw, again}});
  SpeedOnly("60");
  const std::vector<LogSearchRow>& rows = search_.Search(logs_);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].eventType, "");  // 3 is in neither table
  EXPECT_EQ(rows[1].eventType, "G-Sensor");
  EXPECT_EQ(LogRecordEventType(*logs_[0]->Record(1)), "Switch");
}

}  // namespace
