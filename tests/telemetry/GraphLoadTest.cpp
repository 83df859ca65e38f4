// The graph's point lists from loaded video recordings and logs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>

#include "platform/TimeKey.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"
#include "recording/VideoBytes.h"
#include "recording/WaitingLoadObserver.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleLogWriter.h"
#include "support/TempDir.h"
#include "telemetry/GSensorGraphModel.h"
#include "telemetry/GraphTestPoints.h"

namespace {

class GraphLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    graph_.SetView(&view_);
  }

  // A recording with exactly these index records; each picture is a run of
  // distinct bytes in the data file.
  void LoadRecording(std::vector<TestRecord> records) {
    Bytes data;
    Bytes index;
    for (size_t i = 0; i < records.size(); ++i) {
      records[i].offset = static_cast<uint32_t>(data.size());
      records[i].size = 64;
      Append(data, Bytes(64, static_cast<uint8_t>(i + 1)));
      Append(index, EncodeRecord(records[i], 66));
    }
    TestTrailer trailer;
    trailer.eventCode = 0;
    trailer.frameCount = static_cast<uint32_t>(records.size());
    Append(index, EncodeTrailer(trailer));
    dir_.Write("REC_0001.vdx", AsText(index));
    ASSERT_EQ(recording_.LoadVideoRecording(dir_.Write("REC_0001.vdd", AsText(data)).string(), nullptr), 1);
    ASSERT_EQ(recording_.FrameCount(), static_cast<int>(records.size()));
  }

  std::unique_ptr<CInfoLogFile> LoadLog(int number, int seconds, DateTime start) {
    SampleLogRecipe wanted;
    wanted.number = number;
    wanted.seconds = seconds;
    wanted.start = start;
    SampleLog sample = MakeSampleLog(wanted);
    std::string error;
    EXPECT_TRUE(WriteSampleLog(dir_.path(), &sample, &error)) << error;
    auto log = std::make_unique<CInfoLogFile>();
    WaitingLoadObserver observer;
    observer.BeginLoad();
    EXPECT_EQ(log->LoadLogRecording(sample.path, &observer), 1);
    EXPECT_TRUE(observer.WaitForLoadEnded(10000));
    EXPECT_EQ(log->RecordCount(), seconds);
    return log;
  }

  TempDir dir_;
  CInfoEventFile recording_;
  GSensorGraphModel graph_;
  RecordingGraphView view_;
};

TEST_F(GraphLoadTest, EventRecordingGivesOnePointPerFrame) {
  TestRecord before;
  before.time = DateTime{2024, 5, 0, 5, 17, 12, 30, 0};
  before.kind = 2;
  before.gx = 500;
  before.gy = -250;
  before.gz = 1000;
  TestRecord trigger = before;
  trigger.time.milliseconds = 500;
  trigger.kind = 3;
  trigger.eventBits = 1;
  TestRecord undated = trigger;
  undated.time = DateTime{1899, 12, 0, 31, 23, 59, 59, 250};
  LoadRecording({before, trigger, undated});

  graph_.LoadVideoRecording(recording_, kViewModeEvent);
  EXPECT_EQ(graph_.Mode(), kViewModeEvent);
  ASSERT_EQ(graph_.PointCount(), 3);
  EXPECT_EQ(graph_.CurrentIndex(), 0);
  EXPECT_EQ(view_.repaints, 1);
  const GraphPoint& p0 = graph_.Point(0);
  EXPECT_EQ(p0.segment, 0);
  EXPECT_FLOAT_EQ(p0.x, 0.5f);
  EXPECT_FLOAT_EQ(p0.y, -0.25f);
  EXPECT_FLOAT_EQ(p0.z, 1.0f);
  EXPECT_EQ(p0.time, MakeTimeKey(before.time));
  EXPECT_EQ(p0.kind, 2);
  EXPECT_EQ(graph_.Point(1).time, MakeTimeKey(before.time) + 500);
  EXPECT_EQ(graph_.Point(1).kind, 3);
  EXPECT_EQ(graph_.Point(1).event, 1);
  EXPECT_EQ(graph_.Point(2).time, 250);
}

TEST_F(GraphLoadTest, NormalRecordingPlotsTheWindowAroundItsFirstFrame) {
  std::vector<TestRecord> records(40);
  for (size_t i = 0; i < records.size(); ++i) {
    records[i].time = DateTime{2024, 5, 0, 5, 17, 12, 0, 0};
    records[i].time.second = static_cast<uint16_t>(i % 60);
    records[i].kind = 1;
  }
  LoadRecording(records);
  graph_.LoadVideoRecording(recording_, kViewModeNormal);
  EXPECT_EQ(graph_.Mode(), kViewModeNormal);
  EXPECT_EQ(graph_.FullPointCount(), 40);
  EXPECT_EQ(graph_.PointCount(), 30);
  EXPECT_EQ(graph_.CurrentIndex(), 0);

  // Any other view mode plots every frame.
  graph_.LoadVideoRecording(recording_, kViewModeNone);
  EXPECT_EQ(graph_.Mode(), kViewModeEvent);
  EXPECT_EQ(graph_.PointCount(), 40);
}

TEST_F(GraphLoadTest, LogsGiveOnePointPerRecordWithTheLogIndexAsSegment) {
  std::vector<std::unique_ptr<CInfoLogFile>> logs;
  logs.push_back(LoadLog(1, 5, DateTime{2024, 5, 0, 5, 10, 0, 0, 0}));
  logs.push_back(nullptr);
  logs.push_back(LoadLog(3, 3, DateTime{2024, 5, 0, 5, 11, 0, 0, 0}));

  graph_.LoadLogs(logs);
  EXPECT_EQ(graph_.Mode(), kViewModeLog);
  ASSERT_EQ(graph_.PointCount(), 8);
  EXPECT_EQ(graph_.CurrentIndex(), -1);
  for (int i = 0; i < 8; ++i) {
    const CInfoLogFile& log = *logs[i < 5 ? 0 : 2];
    const FRAMEINFOLOG& record = *log.Record(i < 5 ? i : i - 5);
    SCOPED_TRACE(i);
    EXPECT_EQ(graph_.Point(i).segment, i < 5 ? 0 : 2);
    EXPECT_EQ(graph_.Point(i).time, record.time);
    EXPECT_FLOAT_EQ(graph_.Point(i).x, record.gX);
    EXPECT_FLOAT_EQ(graph_.Point(i).z, record.gZ);
  }
  EXPECT_FALSE(graph_.JoinsPrevious(5));
}

}  // namespace
