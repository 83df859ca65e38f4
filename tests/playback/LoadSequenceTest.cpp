// Loading the checked rows: the messages when nothing can be loaded, the
// log time-order rule, crashed and cancelled video loads, log cancel and
// failure, and what a finished load hands on, in its order.

#include <gtest/gtest.h>

#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "playback/ListEvent.h"
#include "playback/LoadSequence.h"
#include "playback/LoadingDialogModel.h"
#include "playback/PlaybackTestFiles.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "recording/MgrDBSearch.h"

namespace {

using namespace playback_test;
using Calls = std::vector<std::string>;

// Every sink writes into one call list, so the order across them shows.
struct CallLog {
  Calls calls;
  void Add(const std::string& call) { calls.push_back(call); }
  bool Has(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }
  // Position of call, -1 when absent.
  int At(const std::string& call) const {
    const auto it = std::find(calls.begin(), calls.end(), call);
    return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
  }
};

class FakeTargets final : public LoadTargets {
 public:
  FakeTargets(CallLog& log, CMgrDBSearch& store) : log_(log), store_(store) {}
  void StopVideoPlay() override { log_.Add("stopVideo"); }
  void StopLogPlay() override { log_.Add("stopLog"); }
  // As navigation does: the recording's start frame becomes current.
  void SelectRecording(int index) override {
    log_.Add("select " + std::to_string(index));
    store_.SetCurrentIndex(index);
    store_.Videos()[static_cast<size_t>(index)]->SetCurrentFrameIndex(0);
  }
  void ShowCurrentFrame(bool update) override { log_.Add(update ? "show+update" : "show"); }
  void SetSnapshotGps(const GpsBlock& gps) override {
    log_.Add("snapshotGps");
    snapshotGps = gps;
  }
  void ClearLogGraph() override { log_.Add("clearLogGraph"); }
  void LoadLogGraph() override { log_.Add("loadLogGraph"); }
  int LogGraphPointCount() const override { return graphPoints; }
  void ShowLogRecord(int point) override { log_.Add("showLogRecord " + std::to_string(point)); }
  void ShowPosition(const GpsBlock& gps) override {
    log_.Add("showPosition");
    shownPosition = gps;
  }
  void ClearPositionAndSpeed() override { log_.Add("clearPosition"); }

  int graphPoints = 0;
  GpsBlock snapshotGps;
  GpsBlock shownPosition;

 private:
  CallLog& log_;
  CMgrDBSearch& store_;
};

class FakeSearchView final : public SearchWindowView {
 public:
  explicit FakeSearchView(CallLog& log) : log_(log) {}
  void ShowProgressStrip(int total) override { log_.Add("strip 0.." + std::to_string(total)); }
  void SetProgressPos(int pos) override { log_.Add("strip at " + std::to_string(pos)); }
  void HideProgressStrip() override { log_.Add("strip hidden"); }
  void RefreshChecks(FileListKind) override { log_.Add("refreshChecks"); }
  void ShowLoadedRecordings(const std::vector<LoadedListRow>& shown, int selected, bool markers) override {
    log_.Add(std::string("loadedRecordings") + (markers ? "+markers" : ""));
    rows = shown;
    selectedRow = selected;
  }
  void ShowLoadedLogs(const std::vector<LoadedListRow>& shown, int selected) override {
    log_.Add("loadedLogs");
    rows = shown;
    selectedRow = selected;
  }
  void ShowLogsLoaded() override { log_.Add("logsLoaded"); }
  void RunWithWaitMessage(const std::string& text, const std::function<void()>& work) override {
    log_.Add("wait: " + text);
    work();
    log_.Add("wait over");
  }

  std::vector<LoadedListRow> rows;
  int selectedRow = -1;

 private:
  CallLog& log_;
};

class FakePanes final : public PaneView {
 public:
  explicit FakePanes(CallLog& log) : log_(log) {}
  void SetLayout(ViewLayout layout) override { log_.Add("layout " + std::to_string(static_cast<int>(layout))); }
  void RepaintPane(int pane) override { log_.Add("repaintPane " + std::to_string(pane)); }
  void RepaintInfoPanel() override { log_.Add("repaintInfo"); }

 private:
  CallLog& log_;
};

class FakeSlideBar final : public SlideBarView {
 public:
  explicit FakeSlideBar(CallLog& log) : log_(log) {}
  void ResetToNow() override { log_.Add("slideBarNow"); }

 private:
  CallLog& log_;
};

class FakeBackPanel final : public BackPanelView {
 public:
  explicit FakeBackPanel(CallLog& log) : log_(log) {}
  void ShowGpsPart(bool shown) override { log_.Add(shown ? "gpsPart" : "noGpsPart"); }
  void RedrawSpeedReadout(bool withCaption) override {
    log_.Add(withCaption ? "speedReadoutWithCaption" : "speedReadout");
  }
  void SetMapHasData(bool has) override { log_.Add(has ? "mapHasData" : "mapNoData"); }

 private:
  CallLog& log_;
};

class FakeMap final : public MapView {
 public:
  explicit FakeMap(CallLog& log) : log_(log) {}
  void CheckMapSecurity() override { log_.Add("checkMap"); }
  void MakeTriggerPoints() override { log_.Add("videoMapPoints"); }
  int MakeLogTriggerPoints() override {
    log_.Add("logMapPoints");
    return logMapPoints;
  }
  void ShowLoadedData() override { log_.Add("showMap"); }
  void MoveCenterMap(int recording, int point, double latitude, double longitude) override {
    log_.Add("centerMap");
    centre = {recording, point, latitude, longitude};
  }
  struct Centre {
    int recording = -1;
    int point = -1;
    double latitude = 0;
    double longitude = 0;
  };
  int logMapPoints = 0;
  Centre centre;

 private:
  CallLog& log_;
};

// The waiting runner, counting the dialogs; it cancels the one asked for,
// and has the reader of another report failure as a reader does.
class CountingRunner final : public LoadingDialogRunner {
 public:
  CountingRunner() {
    inner_.SetOnStarted([this](LoadingDialogModel& dialog, LoadObserver& observer) {
      if (dialog.Index() == cancelAt) LoadingDialogModel::Cancel(observer);
      if (dialog.Index() == failAt) observer.Status().store(LoadStatus::kFailed);
      if (onFile) onFile(dialog.Index());
    });
  }
  LoadResult Run(LoadingDialogModel& dialog) override {
    captions.push_back(dialog.Caption());
    results.push_back(inner_.Run(dialog));
    return results.back();
  }

  int cancelAt = -1;
  int failAt = -1;
  std::function<void(int index)> onFile;  // while the dialog of file index is up
  Calls captions;
  std::vector<LoadResult> results;

 private:
  WaitingLoadingDialogRunner inner_;
};

class LoadSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseBerlinTime();
    savedLang_ = LangFilePath();
    SetLangFilePath("");
    sequence_.SetTargets(&targets_);
    sequence_.SetSearchView(&search_);
    sequence_.SetPaneView(&panes_);
    sequence_.SetSlideBarView(&slideBar_);
    sequence_.SetBackPanelView(&backPanel_);
    sequence_.SetMapView(&map_);
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  // A list of kind with one checked row per path.
  static void Check(CListEvent& list, const std::vector<std::string>& paths) {
    std::vector<FileListRow> rows;
    for (const std::string& path : paths) {
      FileListRow row;
      row.title = FileTitle(path);
      row.no = ListNumberText(row.title);
      row.path = path;
      rows.push_back(row);
    }
    list.Fill(rows);
    list.SetAllChecked(true);
  }

  std::vector<std::string> EventFiles(int count, int firstNumber = 1) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
      paths.push_back(WriteVideo(dir_ / "card/ch1/event", SmallVideo(firstNumber + i)).dataPath);
    return paths;
  }

  const ScriptedPrompt::Shown& LastBox() const {
    static const ScriptedPrompt::Shown kNone{};
    return prompt_.ShownBoxes().empty() ? kNone : prompt_.ShownBoxes().back();
  }

  TempDir dir_;
  std::string savedLang_;
  ScriptedPrompt prompt_;
  ManualUiQueue ui_;
  AppState app_;
  Volumes volumes_{dir_ / "mountinfo", dir_ / "sys", {}};
  CMgrDBSearch store_{prompt_, ui_, app_, volumes_};
  CountingRunner runner_;
  LoadSequence sequence_{store_, prompt_, runner_};
  CallLog log_;
  FakeTargets targets_{log_, store_};
  FakeSearchView search_{log_};
  FakePanes panes_{log_};
  FakeSlideBar slideBar_{log_};
  FakeBackPanel backPanel_{log_};
  FakeMap map_{log_};
  CListEvent events_{FileListKind::kEvent};
  CListEvent normals_{FileListKind::kNormal};
  CListEvent logs_{FileListKind::kLog};
};

TEST_F(LoadSequenceTest, NothingCheckedSaysSoForTheKindAndKeepsThePreviousLoad) {
  Check(events_, EventFiles(1));
  ASSERT_EQ(sequence_.Load(events_), LoadOutcome::kLoaded);
  ASSERT_EQ(app_.viewMode, kViewModeEvent);

  events_.SetAllChecked(false);
  EXPECT_EQ(sequence_.Load(events_), LoadOutcome::kNothingChecked);
  EXPECT_EQ(LastBox().text, "No Event is selected");
  EXPECT_EQ(LastBox().caption, "EVENT File Loading");
  EXPECT_EQ(sequence_.Load(normals_), LoadOutcome::kNothingChecked);
  EXPECT_EQ(LastBox().text, "No Normal is selected");
  EXPECT_EQ(LastBox().caption, "NORMAL File Loading");
  EXPECT_EQ(sequence_.Load(logs_), LoadOutcome::kNothingChecked);
  EXPECT_EQ(LastBox().text, "No Log is selected");
  EXPECT_EQ(LastBox().caption, "LOG File Loading");

  EXPECT_EQ(runner_.captions.size(), 1u);
  ASSERT_EQ(store_.Videos().size(), 1u);
  EXPECT_GT(store_.Videos()[0]->FrameCount(), 0);
  EXPECT_EQ(app_.viewMode, kViewModeEvent);
}

TEST_F(LoadSequenceTest, EventLoadRunsOneDialogPerFileAndHandsOnTheLoadedSet) {
  const std::vector<std::string> paths = EventFiles(2, 7);
  Check(events_, paths);
  ASSERT_EQ(sequence_.Load(events_), LoadOutcome::kLoaded);

  EXPECT_EQ(runner_.captions, (Calls{"EVENT File Loading  [ 1 / 2 ]", "EVENT File Loading  [ 2 / 2 ]"}));
  ASSERT_EQ(store_.Videos().size(), 2u);
  EXPECT_EQ(store_.Videos()[1]->DataFilePath(), paths[1]);
  EXPECT_EQ(app_.viewMode, kViewModeEvent);
  EXPECT_TRUE(prompt_.ShownBoxes().empty());

  const Calls expected{"stopVideo", "stopLog",        "strip 0..2",    "strip at 1",  "strip at 2", "strip hidden",
                       "checkMap",  "videoMapPoints", "slideBarNow",   "select 0",    "layout 2",   "loadedRecordings",
                       "select 0",  "show+update",    "repaintPane 0", "repaintInfo", "showMap"};
  EXPECT_EQ(log_.calls, expected);
  ASSERT_EQ(search_.rows.size(), 2u);
  EXPECT_EQ(search_.rows[0].text, " 7,  2024.06.14 09:30:00 [G-Sensor]");
  EXPECT_EQ(search_.rows[1].itemValue, 1);
  EXPECT_EQ(search_.selectedRow, 0);
}

TEST_F(LoadSequenceTest, NormalLoadShowsTheMarkerButtonAndTakesTheNearestFix) {
  SampleVideoRecipe recipe = SmallVideo(3, SampleVideoKind::kNormal, 4);
  recipe.invalidFrom = 0;
  recipe.invalidSeconds = 2;
  const SampleVideo video = WriteVideo(dir_ / "card/ch1/normal", recipe);
  Check(normals_, {video.dataPath.string()});
  ASSERT_EQ(sequence_.Load(normals_), LoadOutcome::kLoaded);

  EXPECT_EQ(app_.viewMode, kViewModeNormal);
  EXPECT_TRUE(log_.Has("loadedRecordings+markers"));
  EXPECT_FALSE(log_.Has("slideBarNow"));  // only an event load empties the bar
  EXPECT_TRUE(log_.Has("showMap"));
  ASSERT_FALSE(store_.Videos()[0]->Frame(0).gps.valid);
  ASSERT_TRUE(log_.Has("snapshotGps"));
  const int nearest = store_.FindNearestFixFrame(0);
  ASSERT_GT(nearest, 0);
  EXPECT_EQ(targets_.snapshotGps.latSec, store_.Videos()[0]->Frame(nearest).gps.latSec);
  EXPECT_TRUE(targets_.snapshotGps.valid);
}

TEST_F(LoadSequenceTest, FailingVideoStaysAsCrashedWhileTheOthersLoad) {
  std::vector<std::string> paths = EventFiles(2);
  paths.insert(paths.begin() + 1, (dir_ / "card/ch1/event/0009,20240614_093000.vdd").string());
  Check(events_, paths);
  ASSERT_EQ(sequence_.Load(events_), LoadOutcome::kLoaded);

  EXPECT_EQ(runner_.results, (std::vector<LoadResult>{LoadResult::kLoaded, LoadResult::kFailed, LoadResult::kLoaded}));
  ASSERT_EQ(store_.Videos().size(), 3u);
  EXPECT_GT(store_.Videos()[0]->FrameCount(), 0);
  EXPECT_EQ(store_.Videos()[1]->FrameCount(), 0);
  EXPECT_GT(store_.Videos()[2]->FrameCount(), 0);
  ASSERT_EQ(search_.rows.size(), 3u);
  EXPECT_EQ(search_.rows[1].text, " 9,  0009,20240614_093000.vdd [Crashed Video]");
  EXPECT_TRUE(prompt_.ShownBoxes().empty());
}

TEST_F(LoadSequenceTest, CancellingTheThirdOfFiveLeavesNothingLoaded) {
  Check(events_, EventFiles(5));
  app_.viewMode = kViewModeLog;  // what an earlier load left
  runner_.cancelAt = 2;
  EXPECT_EQ(sequence_.Load(events_), LoadOutcome::kCancelled);

  EXPECT_EQ(runner_.captions.size(), 3u);
  EXPECT_TRUE(store_.Videos().empty());
  EXPECT_EQ(LastBox().text, "Event Loading Cancel");
  EXPECT_EQ(LastBox().caption, "EVENT File Loading");
  EXPECT_EQ(app_.viewMode, kViewModeLog);
  EXPECT_TRUE(log_.Has("strip at 2"));
  EXPECT_FALSE(log_.Has("strip at 3"));
  EXPECT_TRUE(log_.Has("strip hidden"));
  EXPECT_FALSE(log_.Has("loadedRecordings"));
  EXPECT_FALSE(log_.Has("select 0"));
}

TEST_F(LoadSequenceTest, StoreEmptiedWhileADialogIsUpEndsTheRun) {
  Check(events_, EventFiles(3));
  runner_.onFile = [this](int index) {
    if (index == 1) store_.Reset();
  };
  EXPECT_EQ(sequence_.Load(events_), LoadOutcome::kCancelled);
  EXPECT_EQ(runner_.captions.size(), 2u);
  EXPECT_TRUE(store_.Videos().empty());
}

TEST_F(LoadSequenceTest, CancelStopsARunningScan) {
  // Without an index file the reader walks the data file on a worker.
  SampleVideoRecipe recipe = SmallVideo(1, SampleVideoKind::kNormal, 20);
  recipe.variant = SampleIndexVariant::kNoIndex;
  const SampleVideo video = WriteVideo(dir_ / "card/ch1/normal", recipe);
  Check(normals_, {video.dataPath.string(), video.dataPath.string()});
  runner_.cancelAt = 0;
  EXPECT_EQ(sequence_.Load(normals_), LoadOutcome::kCancelled);
  EXPECT_EQ(runner_.results, (std::vector<LoadResult>{LoadResult::kCancelled}));
  EXPECT_TRUE(store_.Videos().empty());
  EXPECT_EQ(LastBox().text, "Normal Loading Cancel");
  EXPECT_EQ(LastBox().caption, "NORMAL File Loading");
}

TEST_F(LoadSequenceTest, LogsOutOfTimeOrderAreRefusedAndUnchecked) {
  const auto first = WriteLog(dir_, "0001,20260310_120000.log", Drive(0, 9));
  const auto early = WriteLog(dir_, "0002,20260310_120008.log", Drive(8, 15));
  Check(events_, EventFiles(1));
  ASSERT_EQ(sequence_.Load(events_), LoadOutcome::kLoaded);

  Check(logs_, {first.string(), early.string()});
  EXPECT_EQ(sequence_.Load(logs_), LoadOutcome::kNotTimeOrder);
  EXPECT_EQ(LastBox().text, "Selected files are not time order. Please select again.");
  EXPECT_FALSE(logs_.AnyChecked());
  EXPECT_TRUE(log_.Has("refreshChecks"));
  EXPECT_EQ(store_.Videos().size(), 1u);  // nothing was released
  EXPECT_TRUE(store_.Logs().empty());
  EXPECT_EQ(app_.viewMode, kViewModeEvent);
}

TEST_F(LoadSequenceTest, LogStartingExactlyAtTheEndOfTheLastIsAccepted) {
  const auto first = WriteLog(dir_, "0001,20260310_120000.log", Drive(0, 9));
  const auto next = WriteLog(dir_, "0002,20260310_120009.log", Drive(9, 15));
  EXPECT_TRUE(LoadSequence::LogsInTimeOrder(store_, {first.string(), next.string()}));
  EXPECT_FALSE(LoadSequence::LogsInTimeOrder(store_, {next.string(), first.string()}));

  Check(logs_, {first.string(), next.string()});
  ASSERT_EQ(sequence_.Load(logs_), LoadOutcome::kLoaded);
  EXPECT_EQ(app_.viewMode, kViewModeLog);
  ASSERT_EQ(store_.Logs().size(), 2u);
  EXPECT_EQ(store_.Logs()[1]->ListedPath(), next.string());
  EXPECT_EQ(store_.Logs()[1]->RecordCount(), 7);
  EXPECT_EQ(runner_.captions, (Calls{"LOG File Loading  [ 1 / 2 ]", "LOG File Loading  [ 2 / 2 ]"}));
}

TEST_F(LoadSequenceTest, LogLoadBuildsTheLogViewAndShowsTheFirstFix) {
  std::vector<LogSecond> seconds = Drive(0, 4);
  seconds[0].fix = seconds[1].fix = false;
  const auto path = WriteLog(dir_, "0005,20260310_120000.log", seconds);
  Check(logs_, {path.string()});
  app_.hasLogs = true;
  targets_.graphPoints = 5;
  map_.logMapPoints = 3;
  ASSERT_EQ(sequence_.Load(logs_), LoadOutcome::kLoaded);

  const Calls expected{"stopVideo",
                       "stopLog",
                       "strip 0..1",
                       "strip at 1",
                       "strip hidden",
                       "checkMap",
                       "slideBarNow",
                       "clearLogGraph",
                       "layout 4",
                       "wait: The log graph is initialized. Please wait",
                       "loadLogGraph",
                       "loadedLogs",
                       "showLogRecord 0",
                       "logMapPoints",
                       "showMap",
                       "showPosition",
                       "speedReadoutWithCaption",
                       "mapHasData",
                       "centerMap",
                       "snapshotGps",
                       "wait over",
                       "logsLoaded"};
  EXPECT_EQ(log_.calls, expected);
  // The map is centred on the first fix as an event point of the log.
  EXPECT_EQ(map_.centre.recording, 0);
  EXPECT_EQ(map_.centre.point, 0);
  EXPECT_NEAR(map_.centre.latitude, 35 + 39.1234 / 60, 1e-4);
  ASSERT_EQ(search_.rows.size(), 1u);
  EXPECT_EQ(search_.rows[0].text, " 5,  2026.03.10 12:00:00 [5 Sec]");
  // The position of the third record, the first with a fix: 35 39.1234' N.
  EXPECT_TRUE(targets_.shownPosition.valid);
  EXPECT_EQ(targets_.shownPosition.latDeg, 35);
  EXPECT_EQ(targets_.shownPosition.latMin, 39);
  EXPECT_EQ(targets_.shownPosition.latHemi, 'N');
}

TEST_F(LoadSequenceTest, LogLoadWithoutFixOrGraphPointsClearsThePosition) {
  std::vector<LogSecond> seconds = Drive(0, 2);
  for (LogSecond& s : seconds) s.fix = false;
  Check(logs_, {WriteLog(dir_, "0005,20260310_120000.log", seconds).string()});
  app_.hasLogs = true;
  ASSERT_EQ(sequence_.Load(logs_), LoadOutcome::kLoaded);
  EXPECT_FALSE(log_.Has("showLogRecord 0"));
  EXPECT_FALSE(log_.Has("centerMap"));
  EXPECT_TRUE(log_.Has("clearPosition"));
  EXPECT_TRUE(log_.Has("noGpsPart"));
  EXPECT_TRUE(log_.Has("mapNoData"));
  EXPECT_FALSE(log_.Has("showPosition"));
}

TEST_F(LoadSequenceTest, CancelledOrFailedLogLoadReleasesEveryLogOfTheRun) {
  const auto first = WriteLog(dir_, "0001,20260310_120000.log", Drive(0, 9));
  const auto second = WriteLog(dir_, "0002,20260310_120010.log", Drive(10, 19));
  Check(logs_, {first.string(), second.string()});
  runner_.cancelAt = 1;
  EXPECT_EQ(sequence_.Load(logs_), LoadOutcome::kCancelled);
  EXPECT_TRUE(store_.Logs().empty());
  EXPECT_EQ(LastBox().text, "Log Loading Cancel");
  EXPECT_EQ(LastBox().caption, "LOG File Loading");
  EXPECT_NE(app_.viewMode, kViewModeLog);

  // The second of three fails: the first goes too.
  runner_.cancelAt = -1;
  runner_.failAt = 1;
  runner_.results.clear();
  const auto third = WriteLog(dir_, "0003,20260310_120020.log", Drive(20, 29));
  Check(logs_, {first.string(), second.string(), third.string()});
  EXPECT_EQ(sequence_.Load(logs_), LoadOutcome::kFailed);
  EXPECT_EQ(runner_.results, (std::vector<LoadResult>{LoadResult::kLoaded, LoadResult::kFailed}));
  EXPECT_TRUE(store_.Logs().empty());
  EXPECT_EQ(LastBox().text, "Log Loading Error\n" + second.filename().string() + " could not be read.");
  EXPECT_EQ(LastBox().caption, "LOG File Loading");
  EXPECT_NE(app_.viewMode, kViewModeLog);
}

// A log without any time is named as the one that could not be read,
// wherever it stands among the ticked ones; it claims no time order.
TEST_F(LoadSequenceTest, LogTheReaderCannotReadFailsTheLoadAndIsNamed) {
  const auto broken = dir_.Write("card/log/0001,20260310_115900.log", "garbage\n$GPXXX,1,2\n");
  const auto good = WriteLog(dir_, "0002,20260310_120000.log", Drive(0, 9));
  const struct {
    std::vector<std::string> ticked;
    std::vector<LoadResult> results;
  } cases[] = {
      {{broken.string(), good.string()}, {LoadResult::kFailed}},
      {{good.string(), broken.string()}, {LoadResult::kLoaded, LoadResult::kFailed}},
      {{broken.string()}, {LoadResult::kFailed}},
  };
  for (const auto& c : cases) {
    runner_.results.clear();
    Check(logs_, c.ticked);
    EXPECT_EQ(sequence_.Load(logs_), LoadOutcome::kFailed) << c.ticked.size();
    EXPECT_EQ(runner_.results, c.results) << c.ticked.size();
    EXPECT_TRUE(store_.Logs().empty());
    EXPECT_EQ(LastBox().text, "Log Loading Error\n" + broken.filename().string() + " could not be read.");
  }
}

TEST_F(LoadSequenceTest, StartingALoadReleasesTheOtherKind) {
  Check(logs_, {WriteLog(dir_, "0001,20260310_120000.log", Drive(0, 3)).string()});
  ASSERT_EQ(sequence_.Load(logs_), LoadOutcome::kLoaded);
  Check(events_, EventFiles(1));
  ASSERT_EQ(sequence_.Load(events_), LoadOutcome::kLoaded);
  EXPECT_TRUE(store_.Logs().empty());
  EXPECT_EQ(store_.Videos().size(), 1u);
  EXPECT_EQ(app_.viewMode, kViewModeEvent);
}

TEST(LoadingDialogModelTest, CaptionCountsFromOneAndTheKindNamesIt) {
  SetLangFilePath("");
  ScriptedPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  TempDir dir;
  Volumes volumes{dir / "mountinfo", dir / "sys", {}};
  CMgrDBSearch store{prompt, ui, app, volumes};
  EXPECT_EQ(LoadingDialogModel(store, kLoadKindNormal, 1, 5, "x").Caption(), "NORMAL File Loading  [ 2 / 5 ]");
  EXPECT_EQ(LoadingDialogModel(store, kLoadKindLog, 0, 1, "x").Caption(), "LOG File Loading  [ 1 / 1 ]");
  EXPECT_EQ(LoadingDialogModel::CancelCaption(), "Cancel");
  EXPECT_TRUE(LoadingDialogModel(store, kLoadKindLog, 0, 1, "x").ShowsItself());
  EXPECT_FALSE(LoadingDialogModel(store, kLoadKindEvent, 0, 1, "x").ShowsItself());

  // No entry to load into: nothing starts, and the runner reports failure.
  LoadingDialogModel orphan(store, kLoadKindEvent, 0, 1, "x");
  WaitingLoadingDialogRunner runner;
  EXPECT_EQ(runner.Run(orphan), LoadResult::kFailed);
}

TEST(LoadingDialogModelTest, CompletionMapsTheRequestWordAndReleasesAFailedLog) {
  ScriptedPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  TempDir dir;
  Volumes volumes{dir / "mountinfo", dir / "sys", {}};
  CMgrDBSearch store{prompt, ui, app, volumes};
  UseBerlinTime();
  const auto path = WriteLog(dir, "0001,20260310_120000.log", Drive(0, 3));
  store.Logs().push_back(std::make_unique<CInfoLogFile>());
  LoadingDialogModel dialog(store, kLoadKindLog, 0, 1, path.string());
  WaitingLoadObserver observer;

  ASSERT_TRUE(dialog.Start(observer));
  ASSERT_TRUE(observer.WaitForLoadEnded(kWaitMs));
  EXPECT_EQ(dialog.Complete(observer), LoadResult::kLoaded);
  EXPECT_EQ(store.Logs()[0]->RecordCount(), 4);

  observer.Status().store(LoadStatus::kFailed);
  EXPECT_EQ(dialog.Complete(observer), LoadResult::kFailed);
  EXPECT_EQ(store.Logs()[0]->RecordCount(), 0);

  observer.BeginLoad();
  ASSERT_TRUE(dialog.Start(observer));
  LoadingDialogModel::Cancel(observer);
  ASSERT_TRUE(observer.WaitForLoadEnded(kWaitMs));
  EXPECT_EQ(dialog.Complete(observer), LoadResult::kCancelled);
  EXPECT_EQ(store.Logs()[0]->RecordCount(), 0);
}

}  // namespace
