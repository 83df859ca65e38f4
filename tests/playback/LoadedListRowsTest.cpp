// The list boxes after a load: loaded recordings in event and normal mode,
// crashed ones, loaded logs and the event markers of a recording.

#include <gtest/gtest.h>

#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "playback/LoadedListRows.h"
#include "playback/PlaybackTestFiles.h"
#include "recording/EventCodes.h"
#include "recording/InfoEventFile.h"
#include "recording/MgrDBSearch.h"

namespace {

using namespace playback_test;

DateTime SecondsAfter(const DateTime& t, int seconds) {
  return TimeKeyToDateTime(MakeTimeKey(t) + int64_t{seconds} * 1000);
}

class LoadedListRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseBerlinTime();
    savedLang_ = LangFilePath();
    SetLangFilePath("");
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  // Loads the recording at path as the loading does: read, then the path
  // recorded in the entry.
  std::unique_ptr<CInfoEventFile> LoadVideo(const std::filesystem::path& path) {
    auto recording = std::make_unique<CInfoEventFile>();
    observer_.BeginLoad();
    recording->LoadVideoRecording(path.string(), &observer_);
    EXPECT_TRUE(observer_.WaitForLoadEnded(kWaitMs));
    recording->SetDataFilePath(path.string());
    return recording;
  }

  // A normal recording of two frames the given seconds apart.
  std::unique_ptr<CInfoEventFile> NormalSpanning(int number, int seconds) {
    const SampleVideo video =
        WriteVideo(dir_ / "normal", SmallVideo(number, SampleVideoKind::kNormal), [seconds](SampleVideo& v) {
          v.frames.resize(2);
          v.frames[1].time = SecondsAfter(v.frames[0].time, seconds);
          v.frames[1].frameNumber = v.frames[0].frameNumber;
        });
    return LoadVideo(video.dataPath);
  }

  TempDir dir_;
  std::string savedLang_;
  WaitingLoadObserver observer_;
};

TEST_F(LoadedListRowsTest, EventRowShowsNumberFirstFrameAndEventType) {
  SampleVideoRecipe recipe = SmallVideo(12);
  const SampleVideo video = WriteVideo(dir_ / "event", recipe);
  ASSERT_EQ(video.dataPath.filename().string().substr(0, 5), "0012,");
  const auto recording = LoadVideo(video.dataPath);
  EXPECT_EQ(LoadedRecordingText(*recording, kViewModeEvent), " 12,  2024.06.14 09:30:00 [G-Sensor]");

  recipe.number = 13;
  recipe.eventCode = kExtendedEventCode;
  recipe.extendedCode = 2;
  const auto extended = LoadVideo(WriteVideo(dir_ / "event", recipe).dataPath);
  EXPECT_EQ(LoadedRecordingText(*extended, kViewModeEvent), " 13,  2024.06.14 09:30:00 [Sudden Accel/Brake]");

  // Without its index the recording is scanned; its row still names the
  // event its first picture carries, as the file list does.
  recipe.number = 14;
  recipe.eventCode = 16;
  recipe.extendedCode = 0;
  recipe.variant = SampleIndexVariant::kNoIndex;
  const auto scanned = LoadVideo(WriteVideo(dir_ / "event", recipe).dataPath);
  ASSERT_EQ(scanned->Source(), FrameSource::kScan);
  EXPECT_EQ(LoadedRecordingText(*scanned, kViewModeEvent), " 14,  2024.06.14 09:30:00 [Battery Off]");

  std::vector<std::unique_ptr<CInfoEventFile>> videos;
  videos.push_back(LoadVideo(video.dataPath));
  videos.push_back(nullptr);
  const std::vector<LoadedListRow> rows = LoadedRecordingRows(videos, kViewModeEvent);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].itemValue, 0);
  EXPECT_EQ(rows[1].text, "");
  EXPECT_EQ(rows[1].itemValue, 1);
}

TEST_F(LoadedListRowsTest, NormalRowShowsTheRecordingsDuration) {
  const struct {
    int seconds;
    const char* duration;
  } kCases[] = {{58, "59 Sec"}, {59, "1 Min"}, {108, "1 Min"}, {109, "2 Min"}};
  int number = 1;
  for (const auto& c : kCases) {
    const auto recording = NormalSpanning(number, c.seconds);
    char expected[128];
    std::snprintf(expected, sizeof expected, " %d,  2024.06.14 09:30:00 [%s]", number, c.duration);
    EXPECT_EQ(LoadedRecordingText(*recording, kViewModeNormal), expected) << c.seconds << " s";
    ++number;
  }
}

TEST_F(LoadedListRowsTest, FailedLoadShowsAsCrashedVideo) {
  const std::filesystem::path missing = dir_ / "event" / "0003,20240614_093000.vdd";
  const auto crashed = LoadVideo(missing);
  ASSERT_EQ(crashed->FrameCount(), 0);
  EXPECT_EQ(LoadedRecordingText(*crashed, kViewModeEvent), " 3,  0003,20240614_093000.vdd [Crashed Video]");

  // The text is the GUI one of the language file.
  SetLangFilePath(dir_.Write("kelbrinlang_de.ini",
                             "[GUI]\r\nCrashedVideo=Besch\xC3\xA4"
                             "digtes Video\r\n[Message]\r\nCrashedVideo=Falsch\r\n")
                      .string());
  EXPECT_EQ(LoadedRecordingText(*crashed, kViewModeNormal),
            " 3,  0003,20240614_093000.vdd [Besch\xC3\xA4"
            "digtes Video]");

  CInfoEventFile untitled;
  EXPECT_EQ(LoadedRecordingText(untitled, kViewModeEvent), "");
}

TEST_F(LoadedListRowsTest, EventMarkersAreTheFramesWhereAnEventStarts) {
  SampleVideoRecipe recipe = SmallVideo(4, SampleVideoKind::kNormal, 5);
  recipe.extendedCode = 1;
  const SampleVideo video = WriteVideo(dir_ / "normal", recipe, [](SampleVideo& v) {
    ASSERT_GE(v.frames.size(), 9u);
    for (SampleFrame& frame : v.frames) frame.eventBits = 0;
    v.frames[2].eventBits = 1;
    v.frames[3].eventBits = 1;  // the same event goes on
    v.frames[5].eventBits = 3;  // a code in neither table
    v.frames[8].eventBits = kExtendedEventCode;
  });
  const auto recording = LoadVideo(video.dataPath);
  ASSERT_EQ(recording->FrameCount(), static_cast<int>(video.frames.size()));

  const std::vector<LoadedListRow> rows = EventMarkerRows(*recording);
  ASSERT_EQ(rows.size(), 3u);
  const auto markerText = [&](int frame, const char* type) {
    const DateTime& t = recording->Frame(frame).time;
    char text[128];
    std::snprintf(text, sizeof text, ",%d.%.2d.%.2d %.2d:%.2d:%.2d   [%s]", t.year, t.month, t.day, t.hour, t.minute,
                  t.second, type);
    return std::string(text);
  };
  EXPECT_EQ(rows[0].text, markerText(2, "G-Sensor"));
  EXPECT_EQ(rows[0].itemValue, 2);
  EXPECT_EQ(rows[1].text, markerText(5, ""));
  EXPECT_EQ(rows[2].text, markerText(8, "Shock"));
  EXPECT_EQ(rows[2].itemValue, 8);
}

TEST_F(LoadedListRowsTest, RecordingWithoutEventsHasTheNoMarkerRow) {
  const auto recording = NormalSpanning(5, 3);
  const std::vector<LoadedListRow> rows = EventMarkerRows(*recording);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].text, ",No Event is triggered");

  // An event running from the first frame starts there.
  SampleVideoRecipe recipe = SmallVideo(6);
  const auto event = LoadVideo(WriteVideo(dir_ / "event", recipe).dataPath);
  const std::vector<LoadedListRow> eventRows = EventMarkerRows(*event);
  ASSERT_EQ(eventRows.size(), 1u);
  EXPECT_EQ(eventRows[0].itemValue, 0);
}

TEST_F(LoadedListRowsTest, LogRowsShowFirstRecordAndDuration) {
  ScriptedPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  Volumes volumes{dir_ / "mountinfo", dir_ / "sys", {}};
  CMgrDBSearch store{prompt, ui, app, volumes};

  const auto ten = WriteLog(dir_, "0007,20260310_120000.log", Drive(0, 9));
  store.Logs().push_back(std::make_unique<CInfoLogFile>());
  ASSERT_EQ(ReadLog(ten, *store.Logs()[0], observer_), LoadStatus::kRunning);
  store.Logs()[0]->SetListedPath(ten.string());

  LogTextBuilder timeless;
  timeless.Data("000000000", "000000").Data("000000000", "000000");
  const auto empty = dir_.Write("card/log/0008,20260310_130000.log", timeless.Text());
  store.Logs().push_back(std::make_unique<CInfoLogFile>());
  ASSERT_EQ(ReadLog(empty, *store.Logs()[1], observer_), LoadStatus::kRunning);
  ASSERT_EQ(store.Logs()[1]->RecordCount(), 0);

  const std::vector<LoadedListRow> rows = LoadedLogRows(store);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].text, " 7,  2026.03.10 12:00:00 [10 Sec]");
  EXPECT_EQ(rows[0].itemValue, 0);
  EXPECT_EQ(rows[1].text, "");
  EXPECT_EQ(rows[1].itemValue, 1);
}

}  // namespace
