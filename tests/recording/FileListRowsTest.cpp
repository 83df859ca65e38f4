#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "recording/CardTestFiles.h"
#include "recording/EventCodes.h"
#include "recording/FileListRows.h"
#include "recording/MgrDBSearch.h"
#include "recording/VideoBytes.h"
#include "recording/VideoSpanProbe.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleLogWriter.h"

namespace {

// 2024-05-17 12:30:15, the first frame of every recording below.
constexpr DateTime kFirst{2024, 5, 5, 17, 12, 30, 15, 0};

DateTime After(int seconds, int milliseconds = 0) {
  DateTime t = kFirst;
  const int total = t.minute * 60 + t.second + seconds;
  t.hour = static_cast<uint16_t>(t.hour + total / 3600);
  t.minute = static_cast<uint16_t>(total / 60 % 60);
  t.second = static_cast<uint16_t>(total % 60);
  t.milliseconds = static_cast<uint16_t>(milliseconds);
  return t;
}

// An index of two frames at first and last with a 92-byte trailer.
Bytes TwoFrameIndex(DateTime first, DateTime last, const TestTrailer& trailer = {}) {
  TestRecord record;
  record.time = first;
  Bytes index = EncodeRecord(record, 66);
  record.time = last;
  Append(index, EncodeRecord(record, 66));
  TestTrailer t = trailer;
  t.frameCount = 2;
  Append(index, EncodeTrailer(t));
  return index;
}

// A picture whose comment block carries the local time of stamp seconds
// after 10:20:30 on 2024-05-12, frame number within the second.
Bytes StampedPicture(int seconds, uint8_t frame, size_t size = 0, uint8_t event = 0) {
  TestComment c;
  c.stamp[4] = static_cast<uint8_t>(20 + (30 + seconds) / 60);
  c.stamp[5] = static_cast<uint8_t>((30 + seconds) % 60);
  c.stamp[6] = frame;
  c.event = event;
  return CommentPicture(c, size);
}

class FileListRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    savedLang_ = LangFilePath();
    SetLangFilePath("");
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  std::string WritePair(const std::string& name, const Bytes& data, const Bytes* index) {
    if (index != nullptr) dir_.Write(name + ".vdx", AsText(*index));
    return dir_.Write(name + ".vdd", AsText(data)).string();
  }

  std::string Duration(const std::string& path) {
    return MakeFileListRow(store_, FileListKind::kNormal, path).duration;
  }

  TempDir dir_;
  std::string savedLang_;
  ScriptedPrompt prompt_;
  ManualUiQueue ui_;
  AppState app_;
  Volumes volumes_;
  CMgrDBSearch store_{prompt_, ui_, app_, volumes_};
};

TEST_F(FileListRowsTest, NumberIsTheTitleUpToItsFirstComma) {
  EXPECT_EQ(ListNumberText("0012"), "12");
  EXPECT_EQ(ListNumberText("0007,20240614_093000"), "7");
  EXPECT_EQ(ListNumberText(" 12.6x"), "13");
  EXPECT_EQ(ListNumberText("-3"), "-3");
  EXPECT_EQ(ListNumberText("REC0001"), "0");
  EXPECT_EQ(ListNumberText(""), "0");
  // What printf's "%.0f" makes of what is not a plain whole number.
  EXPECT_EQ(ListNumberText("12.5"), "12");
  EXPECT_EQ(ListNumberText("13.5"), "14");
  EXPECT_EQ(ListNumberText("-0"), "-0");
  EXPECT_EQ(ListNumberText("1e20"), "100000000000000000000");
  EXPECT_EQ(ListNumberText("9007199254740993"), "9007199254740992");
  EXPECT_EQ(ListNumberText("-9007199254740991"), "-9007199254740991");
  EXPECT_EQ(ListNumberText("nan"), "nan");
  EXPECT_EQ(ListNumberText("-inf"), "-inf");
  EXPECT_EQ(FileTitle("/card/ch1/event/0012.vdd"), "0012");
  EXPECT_EQ(FileTitle("/card/log/a.b.log"), "a.b");
  for (const char* path : {"0012.vdd", "/card/.vdd", "/card/..vdd", "/card/a..", "/card/.", "/card/..", "/card/",
                           "/card/noext", "/card/.x.y", "", "/", "a//b.c", "/card/...", "/card/a."}) {
    EXPECT_EQ(FileTitle(path), std::filesystem::path(path).stem().string()) << path;
  }
}

TEST_F(FileListRowsTest, DurationRoundsAsTheLoadedRecordingDoes) {
  struct Case {
    int seconds;
    int milliseconds;
    const char* text;
  };
  const Case cases[] = {{0, 0, "1 Sec"},   {58, 0, "59 Sec"}, {58, 999, "59 Sec"}, {59, 0, "1 Min"},
                        {108, 0, "1 Min"}, {109, 0, "2 Min"}, {3599, 0, "60 Min"}};
  const Bytes data = StampedPicture(0, 0);
  for (const Case& c : cases) {
    const Bytes index = TwoFrameIndex(kFirst, After(c.seconds, c.milliseconds));
    const std::string path = WritePair("0001", data, &index);
    EXPECT_EQ(Duration(path), c.text) << c.seconds << " s";
    // The list must agree with what the recording shows once it is loaded.
    CInfoEventFile loaded;
    ASSERT_EQ(loaded.LoadVideoRecording(path, nullptr), 1);
    EXPECT_EQ(loaded.GetDurationText(), c.text);
  }
  EXPECT_EQ(VideoDurationText(std::nullopt), "");
}

TEST_F(FileListRowsTest, SpanComesFromTheDataFileWithoutAUsableIndex) {
  // The first picture is larger than the first look at the file, the last
  // one larger still; a picture without a comment block closes the file.
  Bytes data = StampedPicture(0, 15, 100000);
  Append(data, StampedPicture(7, 0, 3000));
  Append(data, StampedPicture(15, 0, 300000));
  Append(data, EncodePicture(nullptr, 500));
  const std::string path = WritePair("0002", data, nullptr);
  EXPECT_EQ(ReadVideoSpanSeconds(path), 14);  // 10:20:30.500 to 10:20:45.000
  EXPECT_EQ(Duration(path), "15 Sec");

  // An index whose last record is unusable is abandoned for the pictures.
  TestRecord bad;
  bad.time = After(100);
  bad.time.month = 13;
  Bytes damaged = EncodeRecord(TestRecord{}, 66);
  Append(damaged, EncodeRecord(bad, 66));
  TestTrailer trailer;
  trailer.frameCount = 2;
  Append(damaged, EncodeTrailer(trailer));
  WritePair("0002", data, &damaged);
  EXPECT_EQ(ReadVideoSpanSeconds(path), 14);

  // A trailer that claims more records than the file holds, likewise.
  Bytes overlong = TwoFrameIndex(kFirst, After(100));
  PutLe32(overlong, overlong.size() - 92 + 10, 1000);
  WritePair("0002", data, &overlong);
  EXPECT_EQ(ReadVideoSpanSeconds(path), 14);

  // A whole index wins over the pictures.
  const Bytes whole = TwoFrameIndex(kFirst, After(100));
  WritePair("0002", data, &whole);
  EXPECT_EQ(ReadVideoSpanSeconds(path), 100);

  // Nothing readable at all: no duration.
  const std::string junk = WritePair("0003", Bytes(5000, 0x41), nullptr);
  EXPECT_FALSE(ReadVideoSpanSeconds(junk).has_value());
  EXPECT_EQ(Duration(junk), "");
  EXPECT_FALSE(ReadVideoSpanSeconds((dir_ / "missing.vdd").string()).has_value());
}

TEST_F(FileListRowsTest, EventRowsNameTheEventAndCarryTheIds) {
  TestTrailer trailer;
  trailer.drid = "KX17A00042-EXTRA";
  trailer.sdid = "SD-7F3A-201";
  const Bytes named = TwoFrameIndex(kFirst, After(5), trailer);
  const std::string a = WritePair("0012", StampedPicture(0, 0, 0, 2), &named);
  FileListRow row = MakeFileListRow(store_, FileListKind::kEvent, a);
  EXPECT_EQ(row.no, "12");
  EXPECT_EQ(row.title, "0012");
  EXPECT_EQ(row.type, "Switch");
  EXPECT_EQ(row.path, a);
  EXPECT_EQ(row.drid, "KX17A00042");
  EXPECT_EQ(row.sdid, "SD-7F3A-20");
  EXPECT_EQ(row.duration, "");

  // Identity flag 0: the id bytes are there but mean nothing.
  trailer.identity = 0;
  trailer.ext = 3;
  const Bytes anonymous = TwoFrameIndex(kFirst, After(5), trailer);
  const std::string b = WritePair("0013", StampedPicture(0, 0, 0, kExtendedEventCode), &anonymous);
  row = MakeFileListRow(store_, FileListKind::kEvent, b);
  EXPECT_EQ(row.type, "Sudden Steering");
  EXPECT_EQ(row.drid, "");
  EXPECT_EQ(row.sdid, "");
}

TEST_F(FileListRowsTest, LogRowsCarryTheSpanAndStopAtAnHour) {
  SampleLogRecipe recipe;
  recipe.seconds = 3700;
  SampleLog log = MakeSampleLog(recipe);
  std::string error;
  std::filesystem::create_directories(dir_ / "log");
  ASSERT_TRUE(WriteSampleLog(dir_ / "log", &log, &error)) << error;
  const FileListRow row = MakeFileListRow(store_, FileListKind::kLog, log.path.string());
  EXPECT_EQ(row.duration, "60 Min");
  EXPECT_EQ(row.drid, "KX17A00042");
  EXPECT_EQ(row.sdid, "SD-7F3A-20");
  EXPECT_EQ(row.start, log.records.front().localSeconds);
  EXPECT_GT(row.end, row.start);
  EXPECT_LT(row.end - row.start, 3611);
  EXPECT_EQ(row.no, "1");
  EXPECT_TRUE(row.type.empty());
}

TEST_F(FileListRowsTest, AScannedCardsListShowsTheIndexesTheCheckRead) {
  MakeCardFolders(dir_.path());
  Bytes data = StampedPicture(0, 0);
  Append(data, StampedPicture(15, 0));  // "16 Sec" by its pictures
  const Bytes indexed = TwoFrameIndex(kFirst, After(40));
  Bytes overlong = TwoFrameIndex(kFirst, After(100));
  PutLe32(overlong, overlong.size() - 92 + 10, 1000);
  const Bytes stub(5, 0x41);
  const Bytes othersIndex = TwoFrameIndex(kFirst, After(70));
  WritePair("ch1/normal/0001", data, &indexed);
  WritePair("ch1/normal/0002", data, &overlong);
  const std::string withStub = WritePair("ch1/normal/0003", data, &stub);
  // No index of its own: the prefix rule hands it 00041's, which goes with
  // its empty data file.
  WritePair("ch1/normal/0004", data, nullptr);
  WritePair("ch1/normal/00041", Bytes(10, 0x41), &othersIndex);
  ASSERT_TRUE(store_.ChooseRoot(dir_.path().string()));
  store_.Scan();
  ASSERT_EQ(store_.Catalogue().normal.size(), 4u);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "ch1/normal/0003.vdx"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "ch1/normal/00041.vdx"));

  // The list right after the scan shows the index as the check read it;
  // any later one reads the card again.
  const Bytes rewritten = TwoFrameIndex(kFirst, After(50));
  dir_.Write("ch1/normal/0001.vdx", AsText(rewritten));
  const std::vector<FileListRow> first = MakeFileListRows(store_, FileListKind::kNormal);
  ASSERT_EQ(first.size(), 4u);
  EXPECT_EQ(first[0].duration, "41 Sec");
  for (size_t i = 1; i < first.size(); ++i) EXPECT_EQ(first[i].duration, "16 Sec") << first[i].title;
  EXPECT_EQ(first[2].path, withStub);
  const std::vector<FileListRow> again = MakeFileListRows(store_, FileListKind::kNormal);
  ASSERT_EQ(again.size(), 4u);
  EXPECT_EQ(again[0].duration, "51 Sec");
  for (size_t i = 1; i < again.size(); ++i) EXPECT_EQ(again[i].duration, "16 Sec") << again[i].title;
}

TEST_F(FileListRowsTest, RowsOfAScannedCardFollowItsCatalogue) {
  SampleCardOptions options;
  options.events = 2;
  options.normals = 3;
  options.logs = 1;
  options.fps = 2;
  options.width = 32;
  options.height = 24;
  SampleCard card;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir_ / "card", options, &card, &error)) << error;
  ASSERT_TRUE(store_.ChooseRoot((dir_ / "card").string()));
  store_.Scan();

  const std::vector<FileListRow> events = MakeFileListRows(store_, FileListKind::kEvent);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, "G-Sensor");
  EXPECT_EQ(events[0].drid, "KX17A00042");
  EXPECT_EQ(events[1].type, "Switch");
  EXPECT_EQ(events[1].drid, "");  // written with identity flag 0

  const std::vector<FileListRow> normals = MakeFileListRows(store_, FileListKind::kNormal);
  ASSERT_EQ(normals.size(), 3u);
  for (size_t i = 0; i < normals.size(); ++i) {
    EXPECT_EQ(normals[i].no, std::to_string(i + 1));
    EXPECT_EQ(normals[i].path, store_.Catalogue().normal[i]);
    EXPECT_EQ(normals[i].duration, "1 Min") << normals[i].title;
  }
  EXPECT_EQ(MakeFileListRows(store_, FileListKind::kLog).size(), 1u);

  // The list, which finds each index once per folder, shows what each
  // recording's own row shows.
  for (FileListKind kind : {FileListKind::kEvent, FileListKind::kNormal, FileListKind::kLog}) {
    for (const FileListRow& row : MakeFileListRows(store_, kind)) {
      const FileListRow alone = MakeFileListRow(store_, kind, row.path);
      EXPECT_EQ(row.type, alone.type);
      EXPECT_EQ(row.duration, alone.duration);
      EXPECT_EQ(row.drid, alone.drid);
      EXPECT_EQ(row.sdid, alone.sdid);
      if (kind == FileListKind::kEvent) {
        EXPECT_EQ(row.type, store_.GetEventName(row.path));
      }
      if (kind != FileListKind::kLog) {
        EXPECT_EQ(row.drid, store_.ReadVideoIds(row.path).drid);
      } else {
        EXPECT_EQ(row.duration, store_.GetLogDurationText(row.path));
        EXPECT_EQ(row.start, store_.ReadLogStartTime(row.path));
        EXPECT_EQ(row.end, store_.ReadLogEndTime(row.path));
      }
    }
  }

  // Durations are counted in the language file's words.
  SetLangFilePath(dir_.Write("lang.ini", "[GUI]\r\nSecond=Sek\r\nMinute=Minuten\r\n").string());
  EXPECT_EQ(MakeFileListRows(store_, FileListKind::kNormal)[0].duration, "1 Minuten");
  const std::string logDuration = MakeFileListRows(store_, FileListKind::kLog)[0].duration;
  EXPECT_EQ(logDuration, store_.GetLogDurationText(card.logs[0].path.string()));
  EXPECT_TRUE(logDuration.ends_with(" Sek") || logDuration.ends_with(" Minuten")) << logDuration;
}

}  // namespace
