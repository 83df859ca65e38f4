#include <gtest/gtest.h>

#include <cmath>

#include "playback/LogGps.h"
#include "playback/PlaybackFixture.h"
#include "telemetry/DigitCells.h"

namespace playback_test {
namespace {

class LogPlayTest : public PlaybackTest {
 protected:
  // Loads a log of `seconds` records starting at BaseKey() and builds the
  // log graph from it, as a finished log load does.
  void LoadLog(int seconds) {
    SampleLogRecipe recipe;
    recipe.seconds = seconds;
    recipe.start = TimeKeyToDateTime(BaseKey());
    SampleLog log = MakeSampleLog(recipe);
    ASSERT_TRUE(WriteSampleLog(dir_.path(), &log, nullptr));
    auto recording = std::make_unique<CInfoLogFile>();
    WaitingLoadObserver observer;
    observer.BeginLoad();
    recording->LoadLogRecording(log.path, &observer);
    ASSERT_TRUE(observer.WaitForLoadEnded(10000));
    ASSERT_EQ(recording->RecordCount(), seconds);
    store_.Logs().push_back(std::move(recording));
    logGraph_.LoadLogs(store_.Logs());
    app_.viewMode = kViewModeLog;
  }
  int Cursor() const { return logGraph_.CurrentIndex(); }
};

TEST_F(LogPlayTest, FastReverseStepsBackOneRecordPerPeriod) {
  LoadLog(12);
  // Play starts at the record that holds the snapshot's time, here past
  // the log's end: the last record.
  const int periods[] = {500, 250, 125, 62};
  int expected = 11;
  for (int period : periods) {
    control_->FastReverse();
    EXPECT_EQ(Cursor(), expected);
    Tick(period - 1);
    EXPECT_EQ(Cursor(), expected) << period;
    Tick(1);
    EXPECT_EQ(Cursor(), --expected) << period;
  }
  EXPECT_EQ(control_->CurrentPlayState(), PS_FAST_REVERSE_16);
  control_->FastReverse();
  EXPECT_EQ(control_->CurrentPlayState(), PS_FAST_REVERSE_2);

  // Below the first record play stops and the map is brought up to date.
  Tick(7 * 500);
  EXPECT_EQ(Cursor(), 0);
  EXPECT_EQ(control_->CurrentPlayState(), PS_FAST_REVERSE_2);
  Tick(500);
  EXPECT_EQ(Cursor(), 0);
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  EXPECT_FALSE(timers_.IsTimerRunning(CMgrPlayControl::kLogTimerId));
  EXPECT_EQ(map_.updates, 1);
}

TEST_F(LogPlayTest, PlayShowsEachRecordWithoutGValues) {
  LoadLog(5);
  logGraph_.SetCursor(0, false);
  control_->GoTo(0, 1);
  EXPECT_EQ(Cursor(), 1);
  const FRAMEINFOLOG& record = *store_.Logs()[0]->Record(1);
  EXPECT_EQ(MakeTimeKey(displays_.ShownDateTime()) / 1000, record.time / 1000);
  EXPECT_EQ(control_->Snapshot().frame, 1);  // the graph point, as the map names a log record
  EXPECT_EQ(MakeTimeKey(control_->Snapshot().time), record.time);
  for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(displays_.GValue(axis), kNoGValue);
  EXPECT_EQ(displays_.PulseSpeed(), 0);
  EXPECT_EQ(displays_.Position().valid, record.gpsValid);

  control_->Play();  // from the snapshot's record, one record a second
  Tick(1000);
  EXPECT_EQ(Cursor(), 2);
  Tick(2000);
  EXPECT_EQ(Cursor(), 4);
  Tick(1000);
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);

  // Steps stay inside the records and stop play.
  control_->NextFrame();
  EXPECT_EQ(Cursor(), 4);
  control_->GoTo(0, 0);
  control_->Play();
  control_->StopVideoPlay();  // log play's state is left to log play
  EXPECT_EQ(control_->CurrentPlayState(), PS_PLAY);
  Tick(1000);
  EXPECT_EQ(Cursor(), 1);
  control_->PreviousFrame();
  control_->PreviousFrame();
  EXPECT_EQ(Cursor(), 0);
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  control_->GoTo(0, 5);  // one past the records
  EXPECT_EQ(Cursor(), 0);
}

TEST_F(LogPlayTest, ALogRecordViewTakesOverShowingTheRecord) {
  LoadLog(3);
  std::vector<int> shown;
  control_->SetShowLogRecord([&shown](int point) { shown.push_back(point); });
  control_->GoTo(0, 2);
  control_->PreviousFrame();
  control_->GoTo(0, 1);  // already there
  EXPECT_EQ(shown, (std::vector<int>{2, 1}));
  shown.clear();

  // A log timer must not outlive the controller it calls.
  control_->Play();
  ASSERT_TRUE(timers_.IsTimerRunning(CMgrPlayControl::kLogTimerId));
  control_.reset();
  EXPECT_FALSE(timers_.IsTimerRunning(CMgrPlayControl::kLogTimerId));
}

TEST(LogGpsTest, DecimalDegreesBecomeTheFramesPositionParts) {
  FRAMEINFOLOG record;
  record.gpsValid = 1;
  record.lat = -33.5125;
  record.lon = 151.25;
  record.speed = 59.5f;
  record.course = 359.9f;
  const GpsBlock gps = GpsBlockOfLogRecord(record);
  EXPECT_EQ(gps.valid, 1);
  EXPECT_EQ(gps.latHemi, 'S');
  EXPECT_EQ(gps.latDeg, 33);
  EXPECT_EQ(gps.latMin, 30);
  EXPECT_NEAR(gps.latSec, 45.0, 0.01);
  EXPECT_EQ(gps.lonHemi, 'E');
  EXPECT_EQ(gps.lonMin, 15);
  EXPECT_NEAR(gps.LatitudeDegrees(), -33.5125, 1e-6);
  EXPECT_EQ(gps.speed, 60);
  EXPECT_EQ(gps.course, 359);

  record.lat = std::nan("");
  EXPECT_EQ(GpsBlockOfLogRecord(record).valid, 0);
  record.speed = -3.0f;
  EXPECT_EQ(LogSpeedKmh(record.speed), 0);
  EXPECT_EQ(LogSpeedKmh(1e9f), 65535);
}

}  // namespace
}  // namespace playback_test
