// The log layout's current record: which record a graph point stands for,
// the ways a record becomes current, and the log info pane's texts.

#include <gtest/gtest.h>

#include "base/MgrMultiLang.h"
#include "playback/LogRecordView.h"
#include "playback/LogSearch.h"
#include "playback/PlaybackTestFiles.h"

namespace {

using namespace playback_test;
using Calls = std::vector<std::string>;

// The log graph as a list of (segment, time) points, recording what is done
// to it.
class FakeLogGraph final : public LogRecordTargets {
 public:
  struct Point {
    int segment;
    int64_t time;
  };
  void StopLogPlay() override { calls.push_back("stopLog"); }
  int GraphPointCount() const override { return static_cast<int>(points.size()); }
  bool GraphPointAt(int index, int& segment, int64_t& time) const override {
    if (index < 0 || index >= GraphPointCount()) return false;
    segment = points[static_cast<size_t>(index)].segment;
    time = points[static_cast<size_t>(index)].time;
    return true;
  }
  int FindGraphPointBySecond(int64_t time) const override {
    for (int i = 0; i < GraphPointCount(); ++i) {
      if (points[static_cast<size_t>(i)].time / 1000 == time / 1000) return i;
    }
    return -1;
  }
  void SetGraphCursor(int index) override { calls.push_back("cursor " + std::to_string(index)); }
  void DisplayUpdateForLogRecord(const FRAMEINFOLOG&, int64_t time) override {
    calls.push_back("displayUpdate");
    updateTime = time;
  }
  void RepaintLogInfo() override { calls.push_back("repaintInfo"); }

  std::vector<Point> points;
  Calls calls;
  int64_t updateTime = 0;
};

class FakeLoadedList final : public LoadedListView {
 public:
  void SelectLoadedLogRow(int log) override { selected.push_back(log); }
  std::vector<int> selected;
};

class FakeMap final : public MapView {
 public:
  void RefreshMap() override {
    ++updates;
    if (answer == 0) ++noData;
  }
  int answer = 1;
  int updates = 0;
  int noData = 0;
};

class LogRecordViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseBerlinTime();
    savedLang_ = LangFilePath();
    SetLangFilePath("");
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  // Loads the logs and makes one graph point per record, as the log graph does.
  void Load(const std::vector<std::vector<LogSecond>>& logs) {
    for (size_t i = 0; i < logs.size(); ++i) {
      auto log = std::make_unique<CInfoLogFile>();
      const auto path = WriteLog(dir_, "000" + std::to_string(i + 1) + ",20260310_120000.log", logs[i]);
      ASSERT_EQ(ReadLog(path, *log, observer_), LoadStatus::kRunning);
      for (int r = 0; r < log->RecordCount(); ++r) graph_.points.push_back({static_cast<int>(i), log->Record(r)->time});
      logs_.push_back(std::move(log));
    }
  }

  TempDir dir_;
  std::string savedLang_;
  WaitingLoadObserver observer_;
  LoadedLogs logs_;
  FakeLogGraph graph_;
  FakeLoadedList list_;
  FakeMap map_;
  PlaybackOutputs outputs_{PlaybackSinks{nullptr, nullptr, nullptr, &map_, &list_}};
  LogRecordView view_{logs_, graph_, outputs_};
};

TEST_F(LogRecordViewTest, PointShowsTheRecordOfItsLogAndSecond) {
  Load({Drive(0, 4), Drive(10, 12)});
  ASSERT_TRUE(view_.ShowLogRecord(6));  // the second record of log 1
  EXPECT_EQ(view_.LogIndex(), 1);
  EXPECT_EQ(view_.RecordIndex(), 1);
  EXPECT_EQ(view_.Record().time, logs_[1]->Record(1)->time);
  EXPECT_EQ(graph_.calls, (Calls{"cursor 6", "repaintInfo", "displayUpdate"}));
  EXPECT_EQ(graph_.updateTime, logs_[1]->Record(1)->time);
  // The list box follows the record's log once.
  EXPECT_EQ(list_.selected, (std::vector<int>{1}));
  ASSERT_TRUE(view_.ShowLogRecord(7));
  EXPECT_EQ(list_.selected, (std::vector<int>{1}));
  ASSERT_TRUE(view_.ShowLogRecord(0));
  EXPECT_EQ(list_.selected, (std::vector<int>{1, 0}));
}

TEST_F(LogRecordViewTest, PointWithoutItsRecordShowsNothing) {
  Load({Drive(0, 2)});
  graph_.points.push_back({0, graph_.points.back().time + 5000});  // a second the log lacks
  graph_.points.push_back({3, graph_.points.front().time});        // a log that is not loaded
  EXPECT_FALSE(view_.ShowLogRecord(3));
  EXPECT_FALSE(view_.ShowLogRecord(4));
  EXPECT_FALSE(view_.ShowLogRecord(-1));
  EXPECT_FALSE(view_.HasRecord());
  EXPECT_TRUE(graph_.calls.empty());

  // The record of a point is found to the second: milliseconds do not matter.
  graph_.points[1].time += 999;
  ASSERT_TRUE(view_.ShowLogRecord(1));
  EXPECT_EQ(view_.RecordIndex(), 1);
}

TEST_F(LogRecordViewTest, ListBoxAndSearchRowsGoToTheirRecord) {
  Load({Drive(0, 4), Drive(10, 12)});
  ASSERT_TRUE(view_.SelectLoadedLog(1));
  EXPECT_EQ(graph_.calls.front(), "stopLog");
  EXPECT_EQ(view_.LogIndex(), 1);
  EXPECT_EQ(view_.RecordIndex(), 0);
  EXPECT_TRUE(list_.selected.empty());  // the list box made the choice itself
  EXPECT_EQ(map_.updates, 1);

  LogSearchRow row;
  row.log = 0;
  row.record = 3;
  map_.answer = 0;
  ASSERT_TRUE(view_.ShowSearchResult(row));
  EXPECT_EQ(view_.LogIndex(), 0);
  EXPECT_EQ(view_.RecordIndex(), 3);
  EXPECT_EQ(map_.noData, 1);

  // A record the graph has no point for goes to point 0.
  graph_.points.erase(graph_.points.begin() + 3);
  ASSERT_TRUE(view_.ShowSearchResult(row));
  EXPECT_EQ(view_.RecordIndex(), 0);

  row.record = 99;
  EXPECT_FALSE(view_.ShowSearchResult(row));
  EXPECT_FALSE(view_.SelectLoadedLog(5));
}

TEST_F(LogRecordViewTest, InfoPaneTextsOfARecordWithFix) {
  LogSecond second{3, 61.4};
  second.course = 22.5;
  Load({{second}});
  ASSERT_TRUE(view_.ShowLogRecord(0));
  const LogInfoTexts texts = view_.Texts(SpeedUnit::kKmh);
  EXPECT_EQ(texts.eventFile.Text(), "EVENT File: 0001,20260310_120000.log");
  EXPECT_EQ(texts.recorderTime.Text(), "Recorder Time: 2026.03.10 12:00:03");
  EXPECT_EQ(texts.gpsTime.Text(), "GPS Time: 2026.03.10 11:00:00");
  // 3539.1234 N: 35 degrees, 39 minutes, 0.1234 x 60 seconds.
  EXPECT_EQ(texts.latitude.Text(), "Latitude:  35\xCB\x9A 39\xE2\x80\x99 07.40\xE2\x80\x9D N");
  EXPECT_EQ(texts.longitude.Text(), "Longitude: 139\xCB\x9A 45\xE2\x80\x99 40.73\xE2\x80\x9D E");
  EXPECT_EQ(texts.speed.Text(), "Speed:61 km/h");
  EXPECT_EQ(texts.heading, "[NE]");
}

TEST_F(LogRecordViewTest, InfoPaneTextsWithoutFixOrRecord) {
  LogSecond lost{0, 30};
  lost.fix = false;
  Load({{lost}});
  ASSERT_TRUE(view_.ShowLogRecord(0));
  LogInfoTexts texts = view_.Texts(SpeedUnit::kKmh);
  EXPECT_EQ(texts.latitude.value, "  --\xCB\x9A --\xE2\x80\x99 --.--\xE2\x80\x9D N");
  EXPECT_EQ(texts.longitude.value, " ---\xCB\x9A --\xE2\x80\x99 --.--\xE2\x80\x9D E");
  EXPECT_EQ(texts.speed.value, "- km/h");
  EXPECT_EQ(texts.heading, "[-]");

  view_.ClearRecord();
  EXPECT_FALSE(view_.HasRecord());
  texts = view_.Texts(SpeedUnit::kKmh);
  EXPECT_EQ(texts.recorderTime.value, " ----.--.-- --:--:--");
  EXPECT_EQ(texts.gpsTime.value, " ----.--.-- --:--:--");
  EXPECT_EQ(texts.eventFile.value, " ");
}

TEST(LogInfoTextsTest, SouthWestAndSecondsThatRoundUp) {
  SetLangFilePath("");
  FRAMEINFOLOG record;
  record.time = 1;
  record.gpsValid = 1;
  record.lat = -(12 + 59 / 60.0 + 59.999 / 3600.0);  // shows as 13 00' 00.00"
  record.lon = -(5 + 30 / 60.0);
  record.course = 359.9f;
  const LogInfoTexts texts = MakeLogInfoTexts("a.log", &record, SpeedUnit::kKmh);
  EXPECT_EQ(texts.latitude.value, "  13\xCB\x9A 00\xE2\x80\x99 00.00\xE2\x80\x9D S");
  EXPECT_EQ(texts.longitude.value, " 005\xCB\x9A 30\xE2\x80\x99 00.00\xE2\x80\x9D W");
  EXPECT_EQ(texts.heading, "[N]");
  EXPECT_EQ(texts.gpsTime.value, " ----.--.-- --:--:--");  // the receiver sent no time
}

}  // namespace
