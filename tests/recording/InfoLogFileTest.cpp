#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "recording/InfoLogFile.h"
#include "recording/LogTextBuilder.h"
#include "recording/WaitingLoadObserver.h"
#include "support/TempDir.h"

namespace {

constexpr int64_t kNoonMarch10 = 1773140400;  // 2026-03-10 12:00:00 in Berlin (UTC+1)
constexpr int kWaitMs = 10000;

class InfoLogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }

  // Loads text as a log into log_ and waits for the load to end; the status.
  LoadStatus Load(const std::string& text, std::string_view name = "rec.log") {
    return LoadPath(dir_.Write(name, text));
  }
  LoadStatus LoadPath(const std::filesystem::path& path) {
    observer_.BeginLoad();
    EXPECT_EQ(log_.LoadLogRecording(path, &observer_), 1);
    EXPECT_TRUE(observer_.WaitForLoadEnded(kWaitMs));
    return observer_.Status().load();
  }

  const FRAMEINFOLOG& At(int index) {
    const FRAMEINFOLOG* record = log_.Record(index);
    EXPECT_NE(record, nullptr) << "record " << index;
    static const FRAMEINFOLOG kNone{};
    return record ? *record : kNone;
  }

  TempDir dir_;
  WaitingLoadObserver observer_;  // outlives the worker: the log joins it first
  CInfoLogFile log_;
};

TEST_F(InfoLogFileTest, ReadsHeaderAfterByteOrderMark) {
  LogTextBuilder text;
  // 11 Hangul syllables (33 bytes): the id is cut to 30 bytes, then 10 characters.
  text.Bom().Header(
      "7,DR-0001,\xEA\xB0\x80\xEB\x82\x98\xEB\x8B\xA4\xEB\x9D\xBC\xEB\xA7\x88\xEB\xB0\x94"
      "\xEC\x82\xAC\xEC\x95\x84\xEC\x9E\x90\xEC\xB0\xA8\xEC\xB9\xB4,0,0,0,0");
  text.DataAt(0, 11);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  EXPECT_EQ(log_.HeaderValue(), 7);
  EXPECT_EQ(log_.Drid(), "DR-0001");
  EXPECT_EQ(log_.Sdid(),
            "\xEA\xB0\x80\xEB\x82\x98\xEB\x8B\xA4\xEB\x9D\xBC\xEB\xA7\x88\xEB\xB0\x94\xEC\x82\xAC\xEC\x95\x84"
            "\xEC\x9E\x90\xEC\xB0\xA8");
  EXPECT_EQ(log_.Angle(), 0);
  EXPECT_EQ(log_.OffsetZ(), 0.0f);  // all three raw offsets 0: nothing subtracted
  ASSERT_EQ(log_.RecordCount(), 1);
  EXPECT_EQ(At(0).pulse, 11);
  EXPECT_FLOAT_EQ(At(0).gZ, 1.0f);
  EXPECT_EQ(log_.Path(), (dir_ / "rec.log").string());
}

TEST_F(InfoLogFileTest, HeaderAngleRotatesAndOffsetsCalibrate) {
  LogTextBuilder text;
  text.Header("1,DR,SD,90,100,200,1300").Data(LogTextBuilder::ClockAfterNoon(0), LogTextBuilder::kDate, "0,0,1000");
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  EXPECT_EQ(log_.Angle(), 90);
  EXPECT_NEAR(log_.OffsetX(), -1.3, 1e-6);
  EXPECT_NEAR(log_.OffsetY(), 0.2, 1e-6);
  EXPECT_NEAR(log_.OffsetZ(), -0.9, 1e-6);
  ASSERT_EQ(log_.RecordCount(), 1);
  // At 90 degrees the recorder's Z axis lies along X.
  EXPECT_NEAR(At(0).gX, -1.0 + 1.3, 1e-6);
  EXPECT_NEAR(At(0).gY, -0.2, 1e-6);
  EXPECT_NEAR(At(0).gZ, 0.9, 1e-6);
}

TEST_F(InfoLogFileTest, UnrotatedOffsetsLeaveOneGOnZ) {
  LogTextBuilder text;
  text.Header("1,DR,SD,0,10,-20,1000").Data(LogTextBuilder::ClockAfterNoon(0), LogTextBuilder::kDate, "10,-20,1000");
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 1);
  EXPECT_NEAR(At(0).gX, 0.0, 1e-6);
  EXPECT_NEAR(At(0).gY, 0.0, 1e-6);
  EXPECT_NEAR(At(0).gZ, 1.0, 1e-6);
}

TEST_F(InfoLogFileTest, WithoutHeaderNoAngleNoOffsets) {
  LogTextBuilder text;
  text.Data(LogTextBuilder::ClockAfterNoon(0, 250), LogTextBuilder::kDate, "123,-456,789", 5, 42, 3);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  EXPECT_EQ(log_.HeaderValue(), 1);
  EXPECT_EQ(log_.Drid(), "");
  EXPECT_EQ(log_.Angle(), 0);
  EXPECT_EQ(log_.OffsetX(), 0.0f);
  ASSERT_EQ(log_.RecordCount(), 1);
  const FRAMEINFOLOG& r = At(0);
  EXPECT_EQ(r.time, kNoonMarch10 * 1000 + 250);
  EXPECT_FLOAT_EQ(r.gX, 0.123f);
  EXPECT_FLOAT_EQ(r.gY, -0.456f);
  EXPECT_FLOAT_EQ(r.gZ, 0.789f);
  EXPECT_EQ(r.signal, 5);
  EXPECT_EQ(r.pulse, 42);
  EXPECT_EQ(r.valueA, 3);
}

TEST_F(InfoLogFileTest, RecordTimeFollowsDaylightSaving) {
  LogTextBuilder text;
  text.Data("120000000", "010726");
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 1);
  EXPECT_EQ(At(0).time, 1782900000LL * 1000);  // 12:00 in summer is 10:00 UTC
}

TEST_F(InfoLogFileTest, TheDataSentenceAfterTheLimitIsNeverRead) {
  LogTextBuilder text;
  for (int i = 0; i < CInfoLogFile::kMaxRecords + 1; ++i) text.DataAt(i / 2, i);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), CInfoLogFile::kMaxRecords);
  EXPECT_EQ(At(CInfoLogFile::kMaxRecords - 1).pulse, CInfoLogFile::kMaxRecords - 1);
  EXPECT_EQ(log_.Record(CInfoLogFile::kMaxRecords), nullptr);
  EXPECT_EQ(observer_.ProgressHigh(), CInfoLogFile::kMaxRecords);
  EXPECT_EQ(observer_.ProgressPos(), CInfoLogFile::kMaxRecords);
  EXPECT_TRUE(observer_.ProgressShown());
}

TEST_F(InfoLogFileTest, AnHourAfterTheFirstRecordIsTheLastOne) {
  LogTextBuilder text;
  text.DataAt(0, 1).DataAt(3600, 2).DataAt(3601, 3).DataAt(5, 4);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 2);
  EXPECT_EQ(At(1).pulse, 2);
  EXPECT_EQ(observer_.ProgressHigh(), 4);  // counted, though never reached
}

TEST_F(InfoLogFileTest, AJumpBeforeTheFirstRecordEndsTheLog) {
  LogTextBuilder text;
  // Back to 15 is still after the first record and is kept; back to 5 is not.
  text.DataAt(10, 1).DataAt(20, 2).DataAt(15, 3).DataAt(5, 4).DataAt(30, 5);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 3);
  EXPECT_EQ(At(2).pulse, 3);
}

TEST_F(InfoLogFileTest, GpsSentencesFillTheRecordTheyPrecede) {
  LogTextBuilder text;
  text.Rmc("A", "3539.1234", "N", "13945.6789", "E", "10.0", "271.5", "123456.789", "311226");
  text.Line("GPGGA,123456.789,3539.1234,N,13945.6789,E,1,08,0.9,545.4,M,46.9,M,,");
  text.Line("GPGSV,3,1,11,03,03,111,00");
  text.DataAt(0, 1);
  text.Rmc("V", "3539.1234", "S", "13945.6789", "W");
  text.DataAt(1, 2);
  text.DataAt(2, 3);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 3);

  const FRAMEINFOLOG& fix = At(0);
  EXPECT_EQ(fix.gpsValid, 1);
  EXPECT_NEAR(fix.lat, 35.652057, 5e-7);
  EXPECT_NEAR(fix.lon, 139.761315, 5e-7);
  EXPECT_NEAR(fix.speed, 18.52, 1e-4);
  EXPECT_FLOAT_EQ(fix.course, 271.5f);
  EXPECT_EQ(fix.satsUsed, 8);
  EXPECT_FLOAT_EQ(fix.dop, 0.9f);
  EXPECT_FLOAT_EQ(fix.altitude, 545.4f);
  EXPECT_EQ(fix.satsInView, 11);
  EXPECT_EQ(fix.gpsTime.year, 2026);
  EXPECT_EQ(fix.gpsTime.month, 12);
  EXPECT_EQ(fix.gpsTime.day, 31);
  EXPECT_EQ(fix.gpsTime.dayOfWeek, 4);
  EXPECT_EQ(fix.gpsTime.hour, 12);  // UTC as received, not local
  EXPECT_EQ(fix.gpsTime.second, 56);
  EXPECT_EQ(fix.gpsTime.milliseconds, 789);

  const FRAMEINFOLOG& noFix = At(1);
  EXPECT_EQ(noFix.gpsValid, 0);
  EXPECT_NEAR(noFix.lat, -35.652057, 5e-7);
  EXPECT_NEAR(noFix.lon, -139.761315, 5e-7);

  const FRAMEINFOLOG& silent = At(2);  // a second without GPS sentences
  EXPECT_EQ(silent.gpsValid, 0);
  EXPECT_EQ(silent.lat, 0.0);
  EXPECT_EQ(silent.satsInView, 0);
}

TEST_F(InfoLogFileTest, PositionOutOfRangeClearsTheFix) {
  LogTextBuilder text;
  text.Rmc("A", "9530.0000", "N", "01000.0000", "E").DataAt(0, 1);
  text.Rmc("A", "4500.0000", "N", "18100.0000", "W").DataAt(1, 2);
  text.Rmc("A", "9000.0000", "S", "18000.0000", "E").DataAt(2, 3);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 3);
  EXPECT_EQ(At(0).gpsValid, 0);
  EXPECT_EQ(At(1).gpsValid, 0);
  EXPECT_EQ(At(2).gpsValid, 1);  // the limits themselves are accepted
  EXPECT_EQ(At(2).lat, -90.0);
}

TEST_F(InfoLogFileTest, RecordsWithoutTimeAreDropped) {
  LogTextBuilder text;
  text.DataAt(0, 1);
  text.Data("000000000", "000000", "0,0,1000", 0, 2);
  text.Data("", LogTextBuilder::kDate, "0,0,1000", 0, 3);
  text.Data("1200", LogTextBuilder::kDate, "0,0,1000", 0, 4);  // cut-off clock
  text.DataAt(1, 5);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 2);
  EXPECT_EQ(At(0).pulse, 1);
  EXPECT_EQ(At(1).pulse, 5);
}

TEST_F(InfoLogFileTest, EmptyFieldsReadAsZeros) {
  LogTextBuilder text;
  text.Line("GPRMC,,,,,,,,,,,");
  text.Line("GPGGA,,,,,,,,,,,,,,");
  text.Line("GPGSV");
  text.Line("KXDRL,,,,,," + LogTextBuilder::ClockAfterNoon(0) + ",100326,,");
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 1);
  const FRAMEINFOLOG& r = At(0);
  EXPECT_EQ(r.gpsValid, 0);
  EXPECT_EQ(r.lat, 0.0);
  EXPECT_EQ(r.speed, 0.0f);
  EXPECT_EQ(r.gpsTime, DateTime{});
  EXPECT_EQ(r.satsUsed, 0);
  EXPECT_EQ(r.altitude, 0.0f);
  EXPECT_EQ(r.gZ, 0.0f);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.pulse, 0);
}

TEST_F(InfoLogFileTest, CountsAreClampedNotWrapped) {
  LogTextBuilder text;
  text.Line("GPGSV,3,1,300,03").Data(LogTextBuilder::ClockAfterNoon(0), LogTextBuilder::kDate, "0,0,0", -1, 70000);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 1);
  EXPECT_EQ(At(0).satsInView, 255);
  EXPECT_EQ(At(0).signal, 0);
  EXPECT_EQ(At(0).pulse, 65535);
}

TEST_F(InfoLogFileTest, CancelStopsAtTheNextLine) {
  LogTextBuilder text;
  for (int i = 0; i < 100; ++i) text.DataAt(i, i);
  observer_.SetOnProgress([this](int pos) {
    if (pos == 5) observer_.Status().store(LoadStatus::kCancel);
  });
  ASSERT_EQ(Load(text.Text()), LoadStatus::kCancel);
  EXPECT_EQ(log_.RecordCount(), 5);
  EXPECT_EQ(observer_.EndedCount(), 1);
}

TEST_F(InfoLogFileTest, UnreadableOrEmptyLogsFail) {
  EXPECT_EQ(LoadPath(dir_ / "missing.log"), LoadStatus::kFailed);
  EXPECT_EQ(observer_.EndedCount(), 1);
  EXPECT_EQ(Load("", "empty.log"), LoadStatus::kFailed);
  std::filesystem::create_directory(dir_ / "folder.log");
  EXPECT_EQ(LoadPath(dir_ / "folder.log"), LoadStatus::kFailed);
  EXPECT_EQ(Load(LogTextBuilder().Header("1,DR,SD,0,0,0,0").Rmc("A", "1", "N", "2", "E").Text(), "gps.log"),
            LoadStatus::kFailed);
}

TEST_F(InfoLogFileTest, DataSentencesWithoutAnyTimeLoadAsAnEmptyLog) {
  EXPECT_EQ(Load(LogTextBuilder().Data("000000000", "000000").Data("", "").Text(), "untimed.log"),
            LoadStatus::kRunning);
  EXPECT_EQ(log_.RecordCount(), 0);
  EXPECT_EQ(observer_.EndedCount(), 1);
}

TEST_F(InfoLogFileTest, OverLongLineIsIgnoredWhole) {
  LogTextBuilder text;
  text.DataAt(0, 1);
  // A fix sentence padded past the line limit, with what looks like a data
  // sentence where a 256-byte cut would start the next "line".
  std::string longLine = LogTextBuilder::Sentence("GPRMC,110000.000,A,3539.1234,N,13945.6789,E,0,0,100326,,,A");
  longLine.resize(256, ' ');
  longLine += LogTextBuilder::Sentence("KXDRL,1,0,0,0,1000," + LogTextBuilder::ClockAfterNoon(1) + ",100326,0,99");
  text.Raw(longLine + "\r\n");
  text.DataAt(2, 2);
  ASSERT_EQ(Load(text.Text()), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 2);
  EXPECT_EQ(At(1).pulse, 2);
  EXPECT_EQ(At(1).gpsValid, 0);
}

TEST_F(InfoLogFileTest, HeaderLineEndedByLineFeedOnlyKeepsTheNextSentence) {
  std::string text = LogTextBuilder::Sentence("KXDRL3,1,DR,SD,0,0,0,0") + "\n";
  text += LogTextBuilder().Rmc("A", "3539.1234", "N", "13945.6789", "E").DataAt(0, 1).Text();
  ASSERT_EQ(Load(text), LoadStatus::kRunning);
  ASSERT_EQ(log_.RecordCount(), 1);
  EXPECT_EQ(At(0).gpsValid, 1);
}

TEST_F(InfoLogFileTest, ReloadForgetsThePreviousLog) {
  ASSERT_EQ(Load(LogTextBuilder().Header("5,DR-A,SD-A,90,1,2,3").DataAt(0).DataAt(1).Text(), "a.log"),
            LoadStatus::kRunning);
  log_.SetListedPath("a.log");
  ASSERT_EQ(Load(LogTextBuilder().DataAt(0, 7).Text(), "b.log"), LoadStatus::kRunning);
  EXPECT_EQ(log_.HeaderValue(), 1);
  EXPECT_EQ(log_.Drid(), "");
  EXPECT_EQ(log_.Sdid(), "");
  EXPECT_EQ(log_.Angle(), 0);
  EXPECT_EQ(log_.OffsetZ(), 0.0f);
  EXPECT_EQ(log_.ListedPath(), "");
  ASSERT_EQ(log_.RecordCount(), 1);
  EXPECT_FLOAT_EQ(At(0).gZ, 1.0f);

  log_.Clear();
  EXPECT_EQ(log_.RecordCount(), 0);
  EXPECT_EQ(log_.Record(0), nullptr);
}

TEST_F(InfoLogFileTest, ALogInMemoryLoadsAsItsFile) {
  const std::string texts[] = {
      LogTextBuilder().Bom().Header("5,DR-A,SD-A,90,1,2,3").DataAt(0).DataAt(1).Text(),
      LogTextBuilder().Data("000000000", "000000").Text(),
      LogTextBuilder().Header("1,DR,SD,0,0,0,0").Rmc("A", "1", "N", "2", "E").Text(),
      "",
  };
  for (const std::string& text : texts) {
    const LoadStatus fromFile = Load(text);
    WaitingLoadObserver observer;
    CInfoLogFile held;
    observer.BeginLoad();
    ASSERT_EQ(held.LoadLogBytes(text, &observer), 1);
    ASSERT_TRUE(observer.WaitForLoadEnded(kWaitMs));
    EXPECT_EQ(observer.Status().load(), fromFile) << text;
    EXPECT_EQ(held.HeaderValue(), log_.HeaderValue()) << text;
    EXPECT_EQ(held.Drid(), log_.Drid()) << text;
    EXPECT_EQ(held.Angle(), log_.Angle()) << text;
    ASSERT_EQ(held.RecordCount(), log_.RecordCount()) << text;
    for (int i = 0; i < held.RecordCount(); ++i) EXPECT_EQ(held.Record(i)->time, At(i).time) << text;
  }
}

TEST_F(InfoLogFileTest, LoadWithoutObserverIsRefused) {
  EXPECT_EQ(log_.LoadLogRecording(dir_.Write("x.log", LogTextBuilder().DataAt(0).Text()), nullptr), 0);
  EXPECT_EQ(log_.RecordCount(), 0);
}

}  // namespace
