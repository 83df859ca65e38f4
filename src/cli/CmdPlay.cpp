// korvane-cli play FILE.vdd... [--mode event|normal] [--state N] [--from FRAME]
// [--ticks K] [--tick-ms T] [--continuous] [--json]: loads the recordings as
// the loading sequence does, selects the first as the window does, and runs
// the play controller on a simulated clock, printing the play position and
// the frame shown at every tick; with --continuous a normal run plays on
// from recording to recording and each tick names its recording.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/PrintableText.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "playback/MgrPlayControl.h"
#include "recording/MgrDBSearch.h"
#include "telemetry/DigitDisplays.h"
#include "telemetry/GSensorGraphModel.h"

namespace {

struct PlayRequest {
  std::vector<std::string> paths;
  std::string mode = "event";
  int state = static_cast<int>(PS_PLAY);  // checked to lie in 2..13
  int from = -1;
  int ticks = 40;
  int tickMs = 0;  // 0: the period of the state's timer
  bool continuous = false;
  bool json = false;
};

struct TickRecord {
  int64_t t = 0;
  int64_t position = 0;
  std::optional<int> frame;
  int recording = -1;
  bool ended = false;
};

// Remembers that a pane was stored or emptied since it was last asked.
class TickPaneView final : public PaneView {
 public:
  void RepaintPane(int pane) override {
    if (pane == watched_) repainted_ = true;
  }
  void Watch(int pane) { watched_ = pane; }
  bool TakeRepainted() { return std::exchange(repainted_, false); }

 private:
  int watched_ = 0;
  bool repainted_ = false;
};

// The presses of the play buttons that lead from stop to state.
void PressTowards(CMgrPlayControl& control, PlayState state) {
  if (state == PS_PLAY || state == PS_PLAY_HALF) {
    control.Play();
    if (state == PS_PLAY_HALF) control.Play();
  } else if (state >= PS_FAST_2 && state <= PS_FAST_16) {
    for (PlayState s = PS_FAST_2; s <= state; s = NextState(s)) control.FastPlay();
  } else if (state == PS_REVERSE || state == PS_REVERSE_HALF) {
    control.ReversePlay();
    if (state == PS_REVERSE_HALF) control.ReversePlay();
  } else {
    for (PlayState s = PS_FAST_REVERSE_2; s <= state; s = NextState(s)) control.FastReverse();
  }
}

// A normal run is played in the order it was recorded: each recording starts
// at or after the end of the one before.
bool InTimeOrder(const CMgrDBSearch& store) {
  int64_t previousEnd = INT64_MIN;
  for (const auto& video : store.Videos()) {
    if (video->FrameCount() == 0) continue;
    if (MakeTimeKey(video->Frame(0).time) < previousEnd) return false;
    previousEnd = MakeTimeKey(video->Frame(video->FrameCount() - 1).time);
  }
  return true;
}

void PrintText(const PlayRequest& request, int startFrame, const std::vector<TickRecord>& ticks) {
  std::printf("start frame %d, state %d\n", startFrame, request.state);
  for (const TickRecord& tick : ticks) {
    char frame[16] = "none";
    if (tick.frame) std::snprintf(frame, sizeof frame, "%d", *tick.frame);
    std::string recording;
    if (request.continuous && tick.recording >= 0) {
      recording =
          "  recording=" + std::to_string(tick.recording) + " (" +
          Printable(std::filesystem::path(request.paths[static_cast<size_t>(tick.recording)]).filename().string()) +
          ")";
    }
    std::printf("  t=%-8lld position=%lld (%s)%s  frame=%-6s%s\n", static_cast<long long>(tick.t),
                static_cast<long long>(tick.position), FormatDateTime(TimeKeyToDateTime(tick.position)).c_str(),
                recording.c_str(), frame, tick.ended ? "  ended" : "");
  }
}

Json PlayJson(const PlayRequest& request, int startFrame, const std::vector<TickRecord>& ticks) {
  Json list = Json::array();
  for (const TickRecord& tick : ticks) {
    Json item{{"t", tick.t},
              {"position", tick.position},
              {"frame", tick.frame ? Json(*tick.frame) : Json(nullptr)},
              {"ended", tick.ended}};
    if (request.continuous) item["recording"] = tick.recording;
    list.push_back(std::move(item));
  }
  return Json{{"start_frame", startFrame}, {"state", request.state}, {"ticks", std::move(list)}};
}

int RunPlay(const PlayRequest& request) {
  ScriptedPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  const Volumes volumes;
  CMgrDBSearch store(prompt, ui, app, volumes);
  for (const std::string& path : request.paths) {
    auto video = std::make_unique<CInfoEventFile>();
    WaitingLoadObserver observer;
    if (LoadVideoForCli(path, *video, observer) == LoadStatus::kFailed) return kExitLoadFailed;
    store.Videos().push_back(std::move(video));
  }
  const bool normal = request.mode == "normal";
  if (request.continuous && !normal) {
    PrintError("--continuous plays a normal run: give --mode normal");
    return kExitUsage;
  }
  if (normal && !InTimeOrder(store)) {
    PrintError("the recordings of a normal run must be given in time order");
    return kExitUsage;
  }
  app.viewMode = normal ? kViewModeNormal : kViewModeEvent;

  ManualClock clock;
  ManualTimerHost timers(clock);
  GSensorGraphModel videoGraph;
  GSensorGraphModel logGraph;
  DigitDisplays displays;
  TickPaneView paneView;
  PlaybackSinks sinks;
  sinks.pane = &paneView;
  CMgrPlayControl control(
      store, timers, clock, videoGraph, logGraph, displays, [] { return SpeedSource{}; }, sinks);

  FrameNavigator& navigator = control.Navigator();
  const bool continuous = request.continuous;
  navigator.SetRunSettings([continuous] { return continuous; }, [] { return kDefaultHardG; });
  navigator.UpdateRun();
  navigator.SelectRecording(0);
  CInfoEventFile& first = *store.Videos().front();
  if (request.from >= 0) {
    if (request.from >= first.FrameCount()) {
      PrintError("--from " + std::to_string(request.from) + ": the recording has " +
                 std::to_string(first.FrameCount()) + " frames");
      return kExitUsage;
    }
    navigator.GoToFrame(request.from);
  } else {
    navigator.ShowCurrentFrame(true);
  }
  const int startFrame = first.CurrentFrameIndex();

  const auto state = static_cast<PlayState>(request.state);
  PressTowards(control, state);
  const int tickMs = request.tickMs > 0 ? request.tickMs : VideoPeriodMs(state);
  std::vector<TickRecord> ticks;
  paneView.TakeRepainted();
  for (int k = 1; k <= request.ticks && control.IsVideoTimerRunning(); ++k) {
    // Each tick comes tickMs after the one before, whatever the period.
    clock.Advance(tickMs);
    control.OnVideoTimer();
    TickRecord tick;
    tick.t = static_cast<int64_t>(k) * tickMs;
    tick.position = control.PlayPosition();
    const PaneContent& pane = navigator.Panes().Pane(0);
    if (paneView.TakeRepainted() && pane.HoldsFrame()) tick.frame = pane.frameIndex;
    tick.recording = store.CurrentIndex();
    tick.ended = !control.IsVideoTimerRunning();
    ticks.push_back(tick);
  }

  if (request.json)
    std::cout << WriteJson(PlayJson(request, startFrame, ticks));
  else
    PrintText(request, startFrame, ticks);
  return kExitOk;
}

}  // namespace

void AddPlayCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("play", "Play video recordings on a simulated clock, tick by tick");
  auto request = std::make_shared<PlayRequest>();
  command->add_option("FILE", request->paths, "the recordings' data files (.vdd)")->required();
  command->add_option("--mode", request->mode, "event (one recording each) or normal (a run in time order)")
      ->check(CLI::IsMember({"event", "normal"}));
  command->add_option("--state", request->state, "the play state to play at, 2..13 (3 = normal speed)")
      ->check(CLI::Range(static_cast<int>(PS_PLAY_HALF), static_cast<int>(PS_FAST_REVERSE_16)));
  command->add_option("--from", request->from, "the frame to start at (default: the window's start frame)")
      ->check(CLI::NonNegativeNumber);
  command->add_option("--ticks", request->ticks, "how many timer ticks to run")->check(CLI::Range(0, 10000000));
  command->add_option("--tick-ms", request->tickMs, "milliseconds between ticks (default: the state's period)")
      ->check(CLI::Range(1, 3600000));
  command->add_flag("--continuous", request->continuous,
                    "play on from each recording into the next one of the run, as the window does");
  command->add_flag("--json", request->json, "print JSON");
  command->callback([&exitStatus, request] { exitStatus = RunPlay(*request); });
}
