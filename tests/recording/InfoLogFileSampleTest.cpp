// The reader against the sample card's log writer: what one side writes the
// other must read back, field for field.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "base/MgrMultiLang.h"
#include "recording/InfoLogFile.h"
#include "recording/LogFileProbe.h"
#include "recording/WaitingLoadObserver.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleLogWriter.h"
#include "support/TempDir.h"

namespace {

class InfoLogFileSampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
};

TEST_F(InfoLogFileSampleTest, ReadsBackWhatTheSampleCardWrites) {
  SampleLogRecipe recipe;
  recipe.seconds = 150;
  recipe.byteOrderMark = true;
  recipe.invalidFrom = 20;
  recipe.invalidSeconds = 10;
  SampleLog sample = MakeSampleLog(recipe);
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteSampleLog(dir.path(), &sample, &error)) << error;

  WaitingLoadObserver observer;
  CInfoLogFile log;
  observer.BeginLoad();
  ASSERT_EQ(log.LoadLogRecording(sample.path, &observer), 1);
  ASSERT_TRUE(observer.WaitForLoadEnded(10000));
  ASSERT_EQ(observer.Status().load(), LoadStatus::kRunning);
  EXPECT_EQ(log.HeaderValue(), sample.headerValue);
  EXPECT_EQ(log.Drid(), sample.drid.substr(0, 10));
  ASSERT_EQ(log.RecordCount(), static_cast<int>(sample.records.size()));
  for (int i = 0; i < log.RecordCount(); ++i) {
    const FRAMEINFOLOG& r = *log.Record(i);
    const SampleLogRecord& w = sample.records[static_cast<size_t>(i)];
    SCOPED_TRACE(i);
    EXPECT_EQ(r.time / 1000, w.localSeconds);
    EXPECT_EQ(r.gpsValid, w.gpsValid ? 1 : 0);
    EXPECT_NEAR(r.lat, w.latitude, 1e-6);
    EXPECT_NEAR(r.lon, w.longitude, 1e-6);
    EXPECT_NEAR(r.speed, w.speedKnots * 1.852, 1e-3);
    EXPECT_EQ(r.satsUsed, w.satsUsed);
    EXPECT_EQ(r.satsInView, w.satsInView);
    EXPECT_EQ(r.gpsTime.second, w.utc.second);
    EXPECT_EQ(r.signal, w.signal);
    EXPECT_EQ(r.pulse, w.pulse);
    EXPECT_NEAR(r.gY, w.gY / 1000.0, 1e-6);
  }

  EXPECT_EQ(ReadLogStartTime(sample.path), sample.records.front().localSeconds);
  EXPECT_EQ(ReadLogEndTime(sample.path), sample.records.back().localSeconds);
  const std::string saved = LangFilePath();
  SetLangFilePath("");
  EXPECT_EQ(GetLogDurationText(sample.path), "2 Min");
  SetLangFilePath(saved);
}

}  // namespace
