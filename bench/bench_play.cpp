// Play at x16 through a one-hour normal recording (108 000 frames at 30 fps)
// on the simulated clock. A play tick has 1 ms to find the frame of the new
// position and push its telemetry to the displays, the graph, the slide bar
// and the map; decoding the picture comes on top. Reported: the cost per
// tick without decoding (the whole tick less one decode), and per decoded
// frame with its display update, at positions across the run, each as a
// ratio of the 1 ms limit.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchRatio.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "playback/MgrPlayControl.h"
#include "recording/MgrDBSearch.h"
#include "recording/WaitingLoadObserver.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleIndexWriter.h"
#include "samplecard/SampleVideoWriter.h"
#include "telemetry/DigitDisplays.h"
#include "telemetry/GSensorGraphModel.h"

namespace {

constexpr int kFps = 30;
constexpr int kFrames = 3600 * kFps;
constexpr double kTickLimitNs = 1e6;
constexpr int kTicksPerRun = 200;  // ticks played from a start position before going back to it
constexpr int kPositions[] = {0, 25, 50, 75, 95};

// The whole run in memory: every frame's index record points at the one
// small picture the data file holds, so the index is real but the pictures
// cost no disk space.
struct Run {
  std::filesystem::path folder;
  ScriptedPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  Volumes volumes;
  CMgrDBSearch store{prompt, ui, app, volumes};
  ManualClock clock;
  ManualTimerHost timers{clock};
  GSensorGraphModel videoGraph;
  GSensorGraphModel logGraph;
  DigitDisplays displays;
  std::unique_ptr<CMgrPlayControl> control;

  Run() {
    setenv("TZ", "Europe/Berlin", 0);
    tzset();
    char pattern[] = "/tmp/korvane-bench-play-XXXXXX";
    folder = mkdtemp(pattern);
    SampleVideo video = WriteOnePicture();
    MakeOneHour(video);
    const std::vector<uint8_t> index = BuildSampleIndex(video);
    std::FILE* out = std::fopen(video.indexPath.c_str(), "wb");
    if (out == nullptr || std::fwrite(index.data(), 1, index.size(), out) != index.size()) std::abort();
    std::fclose(out);

    auto recording = std::make_unique<CInfoEventFile>();
    WaitingLoadObserver observer;
    observer.BeginLoad();
    if (recording->LoadVideoRecording(video.dataPath.string(), &observer) != 1) std::abort();
    while (!observer.WaitForLoadEnded(1000)) {
    }
    if (recording->FrameCount() != kFrames) std::abort();
    store.Videos().push_back(std::move(recording));
    app.viewMode = kViewModeNormal;
    control = std::make_unique<CMgrPlayControl>(
        store, timers, clock, videoGraph, logGraph, displays, [] { return SpeedSource{}; }, PlaybackSinks{});
    control->Navigator().SelectRecording(0);
  }
  ~Run() {
    control.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  SampleVideo WriteOnePicture() {
    SampleVideoRecipe recipe;
    recipe.kind = SampleVideoKind::kNormal;
    recipe.seconds = 1;
    recipe.fps = 1;
    recipe.width = 160;
    recipe.height = 120;
    SampleVideo video = MakeSampleVideo(recipe);
    if (!WriteSampleVideo(folder, &video, nullptr)) std::abort();
    return video;
  }

  static void MakeOneHour(SampleVideo& video) {
    const SampleFrame picture = video.frames.front();
    const int64_t start = MakeTimeKey(picture.time) / 1000 * 1000;
    video.frames.assign(kFrames, picture);
    for (int i = 0; i < kFrames; ++i) {
      SampleFrame& f = video.frames[static_cast<size_t>(i)];
      f.frameNumber = static_cast<uint8_t>(i % kFps);
      f.time = TimeKeyToDateTime(start + static_cast<int64_t>(i / kFps) * 1000 + f.frameNumber * 1000 / kFps);
      f.gpsValid = true;
      f.latitude = 4807.0 + 0.0003 * i;  // about half a metre a frame
      f.longitude = 1131.0 + 0.0002 * i;
      f.kind = 1;
    }
  }

  int StartFrame(int percent) const { return static_cast<int>(static_cast<int64_t>(kFrames - 1) * percent / 100); }
};

Run& Shared() {
  static Run run;
  return run;
}

void StartAt(Run& run, int frame, bool forward) {
  run.control->Stop();
  run.control->Navigator().GoToFrame(frame);
  for (int i = 0; i < 4; ++i) forward ? run.control->FastPlay() : run.control->FastReverse();
}

// One timer tick at x16: 33 ms of clock, 528 ms of recording, one frame
// decoded and shown, the 15 frames in between skipped.
void BM_Tick(benchmark::State& state, int percent, bool forward) {
  Run& run = Shared();
  const int start = run.StartFrame(percent);
  int played = 0;
  StartAt(run, start, forward);
  for (auto _ : state) {
    if (played == kTicksPerRun || !run.control->IsVideoTimerRunning()) {
      state.PauseTiming();
      StartAt(run, start, forward);
      played = 0;
      state.ResumeTiming();
    }
    run.clock.Advance(33);
    run.control->OnVideoTimer();
    ++played;
  }
  run.control->Stop();
}

// Reading and decoding one frame into the pane, and its display update.
void BM_DecodeFrame(benchmark::State& state, int percent) {
  Run& run = Shared();
  const int frame = run.StartFrame(percent);
  FrameNavigator& navigator = run.control->Navigator();
  for (auto _ : state) benchmark::DoNotOptimize(navigator.ShowFrame(0, frame, 0, false));
}

void BM_DisplayUpdate(benchmark::State& state, int percent) {
  Run& run = Shared();
  const int first = run.StartFrame(percent);
  const CInfoEventFile& video = *run.store.Videos().front();
  int i = 0;
  for (auto _ : state) {
    const int frame = std::min(first + (i++ % 16) * 16, kFrames - 1);
    run.control->DisplayUpdate(video.Frame(frame), 0, frame);
  }
}

std::string Name(const char* what, int percent) { return std::string(what) + " @" + std::to_string(percent) + "%"; }

}  // namespace

int main(int argc, char** argv) {
  for (int percent : kPositions) {
    benchmark::RegisterBenchmark(Name("tick x16 forward", percent).c_str(),
                                 [percent](benchmark::State& state) { BM_Tick(state, percent, true); });
    benchmark::RegisterBenchmark(Name("tick x16 reverse", percent).c_str(),
                                 [percent](benchmark::State& state) { BM_Tick(state, percent, false); });
    benchmark::RegisterBenchmark(Name("decode frame", percent).c_str(),
                                 [percent](benchmark::State& state) { BM_DecodeFrame(state, percent); });
    benchmark::RegisterBenchmark(Name("display update", percent).c_str(),
                                 [percent](benchmark::State& state) { BM_DisplayUpdate(state, percent); });
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Shared();  // the hour is built before any timing starts
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\nper tick against the 1 ms limit (ratio < 1 is within it)\n");
  std::printf("%-6s %26s %26s %24s\n", "pos", "fwd tick w/o decode", "rev tick w/o decode", "decoded frame + update");
  for (int percent : kPositions) {
    const double decode = reporter.Time(Name("decode frame", percent));
    const double update = reporter.Time(Name("display update", percent));
    const double forward = reporter.Time(Name("tick x16 forward", percent));
    const double reverse = reporter.Time(Name("tick x16 reverse", percent));
    if (decode <= 0 || forward <= 0 || reverse <= 0 || update <= 0) {
      std::printf("%5d%% not measured\n", percent);
      continue;
    }
    // Every x16 tick decodes exactly one frame.
    const double forwardNav = forward > decode ? forward - decode : 0.0;
    const double reverseNav = reverse > decode ? reverse - decode : 0.0;
    std::printf("%5d%% %12.0f ns  %7.4f   %12.0f ns  %7.4f   %10.0f ns  %7.4f\n", percent, forwardNav,
                forwardNav / kTickLimitNs, reverseNav, reverseNav / kTickLimitNs, decode + update,
                (decode + update) / kTickLimitNs);
  }
  return 0;
}
