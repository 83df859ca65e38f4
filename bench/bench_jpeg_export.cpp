// The JPEG export of every frame of a minute of 640 x 480 video against cp
// copying the same files: the write limit of the same bytes in the same
// number of files.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "BenchRatio.h"
#include "BenchSampleVideo.h"
#include "BenchSpawn.h"
#include "export/JpegExportJob.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "recording/InfoEventFile.h"
#include "samplecard/SampleCard.h"

namespace fs = std::filesystem;

namespace {

const char* const kOursName = "BM_KorvaneJpegExport";
const char* const kPeerName = "BM_CpOfTheSameFiles";
constexpr int kWaitSliceMs = 50;

fs::path g_folder;
CInfoEventFile* g_video = nullptr;
uint64_t g_bytes = 0;

fs::path Fresh(const char* name) {
  const fs::path folder = g_folder / name;
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directories(folder);
  return folder;
}

int ExportAll(const fs::path& folder) {
  ManualUiQueue ui;
  ScriptedPrompt prompt;
  JpegExportJob job(ui);
  JpegSelection selection;
  selection.folder = folder.string();
  selection.kind = kJpegAllImages;
  selection.everyFrame = true;
  JpegResult result = JpegResult::kError;
  if (!job.Start(g_video, selection, {}, prompt, [&](JpegResult r) { result = r; })) return -1;
  while (job.Running()) ui.WaitAndDrain(kWaitSliceMs);
  return result == JpegResult::kDone ? static_cast<int>(job.Written().size()) : -1;
}

void BM_KorvaneJpegExport(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path folder = Fresh("ours");
    state.ResumeTiming();
    if (ExportAll(folder) != g_video->FrameCount()) {
      state.SkipWithError("the export failed");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_bytes));
}

void BM_CpOfTheSameFiles(benchmark::State& state) {
  const fs::path source = Fresh("source");
  if (ExportAll(source) != g_video->FrameCount()) {
    state.SkipWithError("no files to copy");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    std::error_code ignored;
    fs::remove_all(g_folder / "copy", ignored);
    state.ResumeTiming();
    if (!RunQuietly({"cp", "-r", source.string(), (g_folder / "copy").string()})) {
      state.SkipWithError("cp failed");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_bytes));
}

}  // namespace

int main(int argc, char** argv) {
  char folder[] = "/tmp/korvane-bench-jpeg-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  g_folder = folder;
  SampleVideoRecipe recipe;
  recipe.kind = SampleVideoKind::kNormal;
  recipe.seconds = 60;
  recipe.fps = 10;
  recipe.width = 640;
  recipe.height = 480;
  SampleVideo sample = MakeSampleVideo(recipe);
  CInfoEventFile video;
  if (!WriteAndLoadSampleVideo(g_folder, sample, video)) return 1;
  g_video = &video;
  g_bytes = sample.dataBytes;
  std::printf("recording: %d frames of 640 x 480, %ju bytes\n", video.FrameCount(), static_cast<uintmax_t>(g_bytes));

  benchmark::RegisterBenchmark(kOursName, BM_KorvaneJpegExport)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kPeerName, BM_CpOfTheSameFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double oursMs = reporter.Time(kOursName);
  const double peerMs = reporter.Time(kPeerName);
  if (oursMs > 0.0 && peerMs > 0.0) {
    std::printf("JPEG export of every frame: korvane %.3f ms, cp %.3f ms, cp / korvane = %.2f (target >= 0.5)\n",
                oursMs, peerMs, peerMs / oursMs);
  }
  std::error_code ignored;
  std::filesystem::remove_all(g_folder, ignored);
  return 0;
}
