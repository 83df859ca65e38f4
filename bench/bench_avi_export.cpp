// The AVI export of a minute of 640 x 480 video without a caption (the
// recorded pictures copied into the film) against cp copying the
// recording's data file: the write limit of about the same bytes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "BenchRatio.h"
#include "BenchSampleVideo.h"
#include "BenchSpawn.h"
#include "export/AviExportJob.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "recording/InfoEventFile.h"
#include "samplecard/SampleCard.h"

namespace fs = std::filesystem;

namespace {

const char* const kOursName = "BM_KorvaneAviStreamCopy";
const char* const kPeerName = "BM_CpOfTheDataFile";
constexpr int kWaitSliceMs = 20;

fs::path g_folder;
fs::path g_dataFile;
CInfoEventFile* g_video = nullptr;
uint64_t g_bytes = 0;

int64_t ExportFilm() {
  ManualUiQueue ui;
  ScriptedPrompt prompt;
  AviExportJob job(ui, nullptr);
  AviExportInputs inputs = AviInputsOnOpening(*g_video, 0, {}, g_folder.string());
  inputs.fileName = "film";
  ExportResult result = ExportResult::kFailed;
  if (job.Start(inputs, {{g_video}, 0}, prompt, [&](ExportResult r) { result = r; }).outcome != AviStart::kStarted)
    return -1;
  while (job.Running()) ui.WaitAndDrain(kWaitSliceMs);
  return result == ExportResult::kDone && job.StreamCopy() ? job.SampleCount() : -1;
}

void BM_KorvaneAviStreamCopy(benchmark::State& state) {
  for (auto _ : state) {
    if (ExportFilm() != g_video->FrameCount()) {
      state.SkipWithError("the export failed");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_bytes));
}

void BM_CpOfTheDataFile(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunQuietly({"cp", g_dataFile.string(), (g_folder / "copy.vdd").string()})) {
      state.SkipWithError("cp failed");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_bytes));
}

}  // namespace

int main(int argc, char** argv) {
  char folder[] = "/tmp/korvane-bench-avi-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  g_folder = folder;
  SampleVideoRecipe recipe;
  recipe.kind = SampleVideoKind::kNormal;
  recipe.eventCode = 0;
  recipe.seconds = 60;
  recipe.fps = 10;
  recipe.width = 640;
  recipe.height = 480;
  SampleVideo sample = MakeSampleVideo(recipe);
  CInfoEventFile video;
  if (!WriteAndLoadSampleVideo(g_folder, sample, video)) return 1;
  g_video = &video;
  g_dataFile = sample.dataPath;
  g_bytes = sample.dataBytes;
  std::printf("recording: %d frames of 640 x 480, %ju bytes\n", video.FrameCount(), static_cast<uintmax_t>(g_bytes));

  benchmark::RegisterBenchmark(kOursName, BM_KorvaneAviStreamCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kPeerName, BM_CpOfTheDataFile)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double oursMs = reporter.Time(kOursName);
  const double peerMs = reporter.Time(kPeerName);
  if (oursMs > 0.0 && peerMs > 0.0) {
    std::printf("AVI export without caption: korvane %.3f ms, cp %.3f ms, cp / korvane = %.2f (target >= 0.5)\n",
                oursMs, peerMs, peerMs / oursMs);
  }
  std::error_code ignored;
  std::filesystem::remove_all(g_folder, ignored);
  return 0;
}
