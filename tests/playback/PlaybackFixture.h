#pragma once
// A play controller over a real recording store, with tiny recordings
// written to a temporary folder, a fake clock and timers, and window sinks
// that write what they are told into one event list.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "playback/MgrPlayControl.h"
#include "recording/MgrDBSearch.h"
#include "recording/WaitingLoadObserver.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleIndexWriter.h"
#include "samplecard/SampleLogWriter.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/TempDir.h"
#include "telemetry/DigitDisplays.h"
#include "telemetry/GSensorGraphModel.h"

namespace playback_test {

using Events = std::vector<std::string>;

// 2024-03-05 10:20:30.000 local time, outside any daylight-saving change.
inline int64_t BaseKey() { return MakeTimeKey(DateTime{2024, 3, 2, 5, 10, 20, 30, 0}); }

// One frame of a hand-made recording.
struct FrameRecipe {
  int offsetMs = 0;  // from BaseKey()
  uint8_t kind = 1;
  uint8_t eventBits = 0;
  bool gps = false;
  double latitude = 4807.0;  // ddmm.mmmm
  double longitude = 1131.0;
  uint16_t pulse = 0;
  uint8_t signal = 0;
  int16_t gX = 100;  // thousandths of g
  int16_t gY = -200;
  int16_t gZ = 1000;
};

inline std::vector<FrameRecipe> FramesEvery(int count, int stepMs) {
  std::vector<FrameRecipe> frames(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) frames[static_cast<size_t>(i)].offsetMs = i * stepMs;
  return frames;
}

class FakePaneView final : public PaneView {
 public:
  explicit FakePaneView(Events& events) : events_(events) {}
  void SetLayout(ViewLayout layout) override {
    events_.push_back("layout " + std::to_string(static_cast<int>(layout)));
  }
  void RepaintPane(int) override { ++repaints; }
  void SetSelectedPane(int pane) override { selected = pane; }
  void RepaintInfoPanel() override { ++infoRepaints; }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  int repaints = 0;
  int selected = -2;
  int infoRepaints = 0;
  std::vector<std::string> notices;

 private:
  Events& events_;
};

class FakeSlideBar final : public SlideBarView {
 public:
  explicit FakeSlideBar(Events& events) : events_(events) {}
  void ResetToNow() override { ++resets; }
  void SetTimes(int64_t base, int64_t start, int64_t end) override { times = {base, start, end}; }
  void SetRange(int low, int high) override { range = {low, high}; }
  void ClearMarks() override { marks.clear(); }
  void AddMark(int seconds) override { marks.push_back(seconds); }
  void SetPosition(int seconds) override {
    position = seconds;
    events_.push_back("bar " + std::to_string(seconds));
  }
  int resets = 0;
  std::vector<int64_t> times;
  std::vector<int> range;
  std::vector<int> marks;
  int position = -1;

 private:
  Events& events_;
};

class FakeBackPanel final : public BackPanelView {
 public:
  void ShowGpsPart(bool shown) override { gpsPart = shown; }
  void RedrawSpeedReadout(bool) override { ++speedRedraws; }
  void SetMapHasData(bool has) override { mapHasData = has; }
  void RepaintPlayButtons(PlayState state) override { buttonStates.push_back(state); }
  bool gpsPart = false;
  int speedRedraws = 0;
  bool mapHasData = false;
  std::vector<PlayState> buttonStates;
};

class FakeMap final : public MapView {
 public:
  explicit FakeMap(Events& events) : events_(events) {}
  // Stands for UpdateMap, with "noData" when it has nothing to show.
  void RefreshMap() override {
    ++updates;
    if (updateResult == 0) ++noData;
  }
  void MoveCenterMap(int recording, int point, double, double) override { centres.push_back({recording, point}); }
  void PostPositionMoved() override {
    ++moved;
    events_.push_back("1944");
  }
  void FollowCurrentPosition() override { events_.push_back("follow"); }
  void DrawRecordingRoute() override { ++routeDraws; }
  bool InUse() const override { return true; }
  int updateResult = 1;
  int updates = 0;
  int noData = 0;
  int moved = 0;
  int routeDraws = 0;
  std::vector<std::pair<int, int>> centres;  // recording, point

 private:
  Events& events_;
};

class FakeLoadedList final : public LoadedListView {
 public:
  void SelectLoadedRecordingRow(int recording) override { rows.push_back(recording); }
  std::vector<int> rows;
};

class FakeDisplayView final : public DigitDisplayView {
 public:
  explicit FakeDisplayView(Events& events) : events_(events) {}
  void RepaintDisplay(DigitDisplayId id) override {
    static const char* const kNames[] = {"date", "speed", "gx", "gy", "gz", "position", "signal"};
    events_.push_back(kNames[static_cast<int>(id)]);
  }

 private:
  Events& events_;
};

class FakeGraphView final : public GraphView {
 public:
  explicit FakeGraphView(Events& events) : events_(events) {}
  void Repaint() override { events_.push_back("graph"); }
  void RepaintCursor() override { events_.push_back("cursor"); }

 private:
  Events& events_;
};

class PlaybackTest : public ::testing::Test {
 protected:
  PlaybackTest() {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    displays_.SetView(&displayView_);
    videoGraph_.SetView(&graphView_);
    clock_.SetLocalNow(BaseKey() + 3600 * 1000);
    control_ = std::make_unique<CMgrPlayControl>(
        store_, timers_, clock_, videoGraph_, logGraph_, displays_, [this] { return speedSource_; }, sinks_);
  }

  // Writes a recording of the given frames (16 x 16 pictures) and loads it
  // into the store; returns its index.
  int AddVideo(const std::vector<FrameRecipe>& frames, SampleVideo* written = nullptr) {
    SampleVideo video = MakeVideo(frames);
    EXPECT_TRUE(WriteSampleVideo(dir_.path(), &video, nullptr));
    if (written) *written = video;
    return LoadVideo(video.dataPath.string());
  }

  int LoadVideo(const std::string& path) {
    auto recording = std::make_unique<CInfoEventFile>();
    WaitingLoadObserver observer;
    observer.BeginLoad();
    EXPECT_EQ(recording->LoadVideoRecording(path, &observer), 1);
    EXPECT_TRUE(observer.WaitForLoadEnded(10000));
    store_.Videos().push_back(std::move(recording));
    return static_cast<int>(store_.Videos().size()) - 1;
  }

  // A recording without frames, as a load that failed leaves it.
  int AddCrashedVideo() {
    store_.Videos().push_back(std::make_unique<CInfoEventFile>());
    return static_cast<int>(store_.Videos().size()) - 1;
  }

  SampleVideo MakeVideo(const std::vector<FrameRecipe>& frames) {
    SampleVideoRecipe recipe;
    recipe.number = ++videoNumber_;
    recipe.seconds = 1;
    recipe.fps = 1;
    recipe.width = 16;
    recipe.height = 16;
    recipe.kind = SampleVideoKind::kNormal;
    SampleVideo video = MakeSampleVideo(recipe);
    const SampleFrame model = video.frames.front();
    video.frames.clear();
    for (const FrameRecipe& f : frames) {
      SampleFrame frame = model;
      frame.time = TimeKeyToDateTime(BaseKey() + f.offsetMs);
      frame.frameNumber = static_cast<uint8_t>(frame.time.milliseconds * 30 / 1000);
      frame.kind = f.kind;
      frame.eventBits = f.eventBits;
      frame.gpsValid = f.gps;
      frame.latitude = f.gps ? f.latitude : 0;
      frame.longitude = f.gps ? f.longitude : 0;
      frame.pulse = f.pulse;
      frame.signal = f.signal;
      frame.gX = f.gX;
      frame.gY = f.gY;
      frame.gZ = f.gZ;
      video.frames.push_back(frame);
    }
    video.eventCode = 0;
    return video;
  }

  // Loads every video recording in view mode, selects the first and shows
  // frame `frame` of it.
  void Open(ViewMode viewMode, int frame = 0) {
    app_.viewMode = viewMode;
    control_->Navigator().SelectRecording(0);
    control_->Navigator().GoToFrame(frame);
  }

  int CurrentFrame() const { return store_.Videos()[static_cast<size_t>(store_.CurrentIndex())]->CurrentFrameIndex(); }
  const PaneContent& Pane(int pane) const { return control_->Navigator().Panes().Pane(pane); }
  void Tick(int64_t ms) { timers_.Advance(ms); }

  Events events_;
  TempDir dir_;
  ScriptedPrompt prompt_;
  ManualUiQueue ui_;
  AppState app_;
  Volumes volumes_{dir_ / "mountinfo", dir_ / "sys", {}};
  CMgrDBSearch store_{prompt_, ui_, app_, volumes_};
  ManualClock clock_;
  ManualTimerHost timers_{clock_};
  GSensorGraphModel videoGraph_;
  GSensorGraphModel logGraph_;
  DigitDisplays displays_;
  FakeDisplayView displayView_{events_};
  FakeGraphView graphView_{events_};
  FakePaneView paneView_{events_};
  FakeSlideBar slideBar_{events_};
  FakeBackPanel backPanel_;
  FakeMap map_{events_};
  FakeLoadedList loadedList_;
  PlaybackSinks sinks_{&paneView_, &slideBar_, &backPanel_, &map_, &loadedList_};
  SpeedSource speedSource_;
  std::unique_ptr<CMgrPlayControl> control_;
  int videoNumber_ = 0;
};

}  // namespace playback_test
