#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "base/MgrMultiLang.h"
#include "recording/LogFileProbe.h"
#include "recording/LogSource.h"
#include "recording/LogTextBuilder.h"
#include "support/TempDir.h"

namespace {

constexpr int64_t kNoon = 1773140400;  // 2026-03-10 12:00:00 in Berlin

class LogFileProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    savedLang_ = LangFilePath();
    SetLangFilePath("");
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  std::filesystem::path Write(const std::string& text) { return dir_.Write("probe.log", text); }

  // A log with one data sentence per second from 0 to lastSecond, each
  // preceded by GPS sentences, large enough to span many read chunks.
  static LogTextBuilder Seconds(int lastSecond) {
    LogTextBuilder text;
    text.Header("1,DR,SD,0,0,0,0");
    for (int s = 0; s <= lastSecond; ++s) {
      text.Rmc("A", "3539.1234", "N", "13945.6789", "E");
      text.Line("GPGGA,110000.000,3539.1234,N,13945.6789,E,1,08,0.9,545.4,M,46.9,M,,");
      text.DataAt(s);
    }
    return text;
  }

  TempDir dir_;
  std::string savedLang_;
};

TEST_F(LogFileProbeTest, IdsComeFromTheHeaderLine) {
  LogIds ids = ReadLogIds(Write(LogTextBuilder().Bom().Header("1,DR-12345678901,SD-9,0,0,0,0").DataAt(0).Text()));
  EXPECT_EQ(ids.drid, "DR-1234567");
  EXPECT_EQ(ids.sdid, "SD-9");

  ids = ReadLogIds(Write(LogTextBuilder().DataAt(0).Header("1,DR,SD,0,0,0,0").Text()));
  EXPECT_EQ(ids.drid, "");
  EXPECT_EQ(ids.sdid, "");

  ids = ReadLogIds(dir_ / "missing.log");
  EXPECT_EQ(ids.drid, "");
}

TEST_F(LogFileProbeTest, StartIsTheFirstTimedDataLine) {
  LogTextBuilder text;
  text.Bom().Data("000000000", "000000");
  text.Raw("$KXDRL,1,0,0,0,1000," + LogTextBuilder::ClockAfterNoon(1) + ",100326,0,0\r\n");  // no "*": not a data line
  text.DataAt(5).DataAt(6);
  EXPECT_EQ(ReadLogStartTime(Write(text.Text())), kNoon + 5);
  EXPECT_EQ(ReadLogStartTime(Write(LogTextBuilder().Rmc("A", "1", "N", "2", "E").Text())), 0);
  EXPECT_EQ(ReadLogStartTime(dir_ / "missing.log"), 0);
}

TEST_F(LogFileProbeTest, EndIsReadFromTheTail) {
  const std::filesystem::path path = Write(Seconds(1200).Text());
  ASSERT_GT(std::filesystem::file_size(path), 3u * 64 * 1024);  // several chunks from the end
  EXPECT_EQ(ReadLogStartTime(path), kNoon);
  EXPECT_EQ(ReadLogEndTime(path), kNoon + 1200);
  EXPECT_EQ(GetLogDurationText(path), "20 Min");
}

TEST_F(LogFileProbeTest, EndStaysWithinAnHourAndTenSeconds) {
  const std::filesystem::path path = Write(Seconds(3700).Text());
  EXPECT_EQ(ReadLogEndTime(path), kNoon + 3610);
  EXPECT_EQ(GetLogDurationText(path), "60 Min");
}

TEST_F(LogFileProbeTest, TailSkipsUntimedAndOverLongLines) {
  LogTextBuilder text = Seconds(30);
  text.Data("000000000", "000000");
  // A line far longer than a read chunk, holding a data sentence that must not count.
  text.Raw(std::string(100 * 1024, 'x') +
           LogTextBuilder::Sentence("KXDRL,1,0,0,0,1000," + LogTextBuilder::ClockAfterNoon(40) + ",100326,0,0"));
  text.Raw("\r\n\r\n");
  const std::filesystem::path path = Write(text.Text());
  EXPECT_EQ(ReadLogEndTime(path), kNoon + 30);
  EXPECT_EQ(GetLogDurationText(path), "31 Sec");
}

TEST_F(LogFileProbeTest, ForwardReadSkipsAnOverLongFirstLine) {
  LogTextBuilder text;
  text.Raw(std::string(200 * 1024, '$') + "KXDRL,1,0,0,0,1000,120001000,100326,0,0*00\r\n").DataAt(7);
  EXPECT_EQ(ReadLogStartTime(Write(text.Text())), kNoon + 7);
}

TEST_F(LogFileProbeTest, ShortLogsCountSeconds) {
  EXPECT_EQ(GetLogDurationText(Write(LogTextBuilder().DataAt(0).DataAt(44).Text())), "45 Sec");
  EXPECT_EQ(GetLogDurationText(Write(LogTextBuilder().DataAt(0).DataAt(59).Text())), "1 Min");
  // One line without a line end: first line and last line are the same.
  const std::string single = LogTextBuilder().Bom().DataAt(3).Text();
  EXPECT_EQ(GetLogDurationText(Write(single.substr(0, single.size() - 2))), "1 Sec");
}

TEST_F(LogFileProbeTest, DurationTextWithoutTimesOrFile) {
  EXPECT_EQ(GetLogDurationText(Write(LogTextBuilder().Header("1,DR,SD,0,0,0,0").Text())), "?? Min");
  EXPECT_EQ(GetLogDurationText(Write("")), "?? Min");
  EXPECT_EQ(GetLogDurationText(dir_ / "missing.log"), "");
}

TEST_F(LogFileProbeTest, ClockJumpingBeforeTheStartGivesNoNegativeDuration) {
  const std::filesystem::path path = Write(LogTextBuilder().DataAt(100).DataAt(101).DataAt(10).Text());
  EXPECT_EQ(ReadLogEndTime(path), kNoon + 10);
  EXPECT_EQ(GetLogDurationText(path), "1 Sec");
}

TEST_F(LogFileProbeTest, ListFactsAgreeWithEachQuestion) {
  const std::string texts[] = {
      Seconds(1200).Text(),
      LogTextBuilder().Bom().Header("1,DR-12345678901,SD-9,0,0,0,0").DataAt(0).DataAt(44).Text(),
      LogTextBuilder().DataAt(3).Header("1,DR,SD,0,0,0,0").DataAt(9).Text(),  // the header is not first
      LogTextBuilder().Header("1,DR,SD,0,0,0,0").Text(),                      // no timed line
      LogTextBuilder().DataAt(100).DataAt(101).DataAt(10).Text(),
      "",
  };
  const DurationWords words = ReadDurationWords();
  for (const std::string& text : texts) {
    const std::filesystem::path path = Write(text);
    const LogListFacts facts = ReadLogListFacts(path, words);
    EXPECT_EQ(facts.ids.drid, ReadLogIds(path).drid) << text;
    EXPECT_EQ(facts.ids.sdid, ReadLogIds(path).sdid) << text;
    EXPECT_EQ(facts.start, ReadLogStartTime(path)) << text;
    EXPECT_EQ(facts.end, ReadLogEndTime(path)) << text;
    EXPECT_EQ(facts.duration, GetLogDurationText(path)) << text;
    // The same bytes in memory read as the file.
    LogSource held;
    held.OpenBytes(text);
    const LogListFacts heldFacts = ReadLogListFacts(held, words);
    EXPECT_EQ(heldFacts.ids.drid, facts.ids.drid) << text;
    EXPECT_EQ(heldFacts.start, facts.start) << text;
    EXPECT_EQ(heldFacts.end, facts.end) << text;
    EXPECT_EQ(heldFacts.duration, facts.duration) << text;
    EXPECT_EQ(ReadLogIds(held).sdid, facts.ids.sdid) << text;
  }
  const LogListFacts missing = ReadLogListFacts(dir_ / "missing.log", words);
  EXPECT_EQ(missing.duration, "");
  EXPECT_EQ(missing.start, 0);

  // The duration is counted in the words given.
  const std::filesystem::path path = Write(LogTextBuilder().DataAt(0).DataAt(44).Text());
  EXPECT_EQ(ReadLogListFacts(path, {"Sek", "Min"}).duration, "45 Sek");
  EXPECT_EQ(ReadLogListFacts(Write(""), {"Sek", "Minuten"}).duration, "?? Minuten");
}

}  // namespace
