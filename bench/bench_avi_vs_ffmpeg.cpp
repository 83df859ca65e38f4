// The AVI export of a 640 x 480, 30 fps recording against ffmpeg doing the
// same work on the same frames: with the caption (decode, draw the four
// caption texts, encode) against ffmpeg's mjpeg decoder, four drawtext
// filters and its mjpeg encoder; without it (our stream copy) against
// ffmpeg's `-c copy`. KORVANE_BENCH_SECONDS sets the recording's length
// (default five minutes).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchRatio.h"
#include "BenchSampleVideo.h"
#include "BenchSpawn.h"
#include "export/AviExportJob.h"
#include "export/render/QtCaptionPainter.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "recording/InfoEventFile.h"
#include "samplecard/SampleCard.h"

namespace fs = std::filesystem;

namespace {

const char* const kCaptionedName = "BM_KorvaneAviCaptioned";
const char* const kFfmpegCaptionedName = "BM_FfmpegDrawtext";
const char* const kCopyName = "BM_KorvaneAviStreamCopy";
const char* const kFfmpegCopyName = "BM_FfmpegCopy";
constexpr int kDefaultSeconds = 300;
constexpr int kFps = 30;
constexpr int kWaitSliceMs = 20;
const char* const kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

fs::path g_folder;
fs::path g_dataFile;
CInfoEventFile* g_video = nullptr;

// The pictures written, -1 when the export failed.
int64_t ExportFilm(bool caption) {
  ManualUiQueue ui;
  ScriptedPrompt prompt;
  QtCaptionPainter painter;
  AviExportJob job(ui, &painter);
  AviExportInputs inputs = AviInputsOnOpening(*g_video, 0, {}, g_folder.string());
  inputs.fileName = caption ? "captioned" : "copied";
  // The dialog proposes the most frames any second after the first holds,
  // which a recording of one second does not have; the count below is
  // every frame only at the rate the recording was made at.
  inputs.fps = kFps;
  inputs.caption = {caption, caption, caption, caption};
  ExportResult result = ExportResult::kFailed;
  if (job.Start(inputs, {{g_video}, 0}, prompt, [&](ExportResult r) { result = r; }).outcome != AviStart::kStarted)
    return -1;
  while (job.Running()) ui.WaitAndDrain(kWaitSliceMs);
  return result == ExportResult::kDone && job.StreamCopy() != caption ? job.PictureCount() : -1;
}

// Four texts where ours stand: date bottom left, speed bottom centre,
// position bottom right, recorder ID top left; yellow, one-pixel outline.
std::string DrawtextFilters() {
  const std::string common =
      std::string("fontfile=") + kFont + ":fontsize=14:fontcolor=yellow:borderw=1:bordercolor=black";
  const auto one = [&](const std::string& text, const std::string& x, const std::string& y) {
    return "drawtext=" + common + ":text='" + text + "':x=" + x + ":y=" + y;
  };
  return one("2026.12.08 12\\:00\\:00", "4", "h-18") + "," + one("52 km/h NE", "(w-text_w)/2", "h-18") + "," +
         one("E 136.53.00 N 35.10.20", "w-text_w-4", "h-18") + "," + one("DR-0001", "4", "2");
}

void BM_KorvaneAvi(benchmark::State& state, bool caption) {
  for (auto _ : state) {
    if (ExportFilm(caption) != g_video->FrameCount()) {
      state.SkipWithError("the export failed");
      return;
    }
  }
}

void BM_Ffmpeg(benchmark::State& state, bool caption) {
  const fs::path out = g_folder / (caption ? "ffmpeg-captioned.avi" : "ffmpeg-copied.avi");
  std::vector<std::string> args = {"ffmpeg", "-y",         "-loglevel",          "error", "-f",
                                   "mjpeg",  "-framerate", std::to_string(kFps), "-i",    g_dataFile.string()};
  const std::vector<std::string> work =
      caption ? std::vector<std::string>{"-vf", DrawtextFilters(), "-c:v", "mjpeg", "-q:v", "3"}
              : std::vector<std::string>{"-c", "copy"};
  args.insert(args.end(), work.begin(), work.end());
  args.push_back(out.string());
  for (auto _ : state) {
    if (!RunQuietly(args)) {
      state.SkipWithError("ffmpeg failed");
      return;
    }
  }
}

void PrintRatio(const RatioReporter& reporter, const char* what, const char* ours, const char* peer,
                const char* target) {
  const double oursMs = reporter.Time(ours);
  const double peerMs = reporter.Time(peer);
  if (oursMs <= 0.0 || peerMs <= 0.0) return;
  std::printf("AVI export %s: korvane %.0f ms, ffmpeg %.0f ms, ffmpeg / korvane = %.2f (target >= %s)\n", what, oursMs,
              peerMs, peerMs / oursMs, target);
}

}  // namespace

int main(int argc, char** argv) {
  if (!OnPath("ffmpeg")) {
    std::fprintf(stderr, "ffmpeg is not installed (scripts/install-deps.sh installs it)\n");
    return 1;
  }
  if (!EnsureTextRendering()) return 1;
  char folder[] = "/tmp/korvane-bench-avi-ffmpeg-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  g_folder = folder;
  const char* seconds = std::getenv("KORVANE_BENCH_SECONDS");
  SampleVideoRecipe recipe;
  recipe.kind = SampleVideoKind::kNormal;
  recipe.eventCode = 0;
  recipe.seconds = seconds ? std::max(1, std::atoi(seconds)) : kDefaultSeconds;
  recipe.fps = kFps;
  recipe.width = 640;
  recipe.height = 480;
  SampleVideo sample = MakeSampleVideo(recipe);
  CInfoEventFile video;
  if (!WriteAndLoadSampleVideo(g_folder, sample, video)) return 1;
  g_video = &video;
  g_dataFile = sample.dataPath;
  std::printf("recording: %d frames of 640 x 480 at %d fps\n", video.FrameCount(), kFps);

  benchmark::RegisterBenchmark(kCaptionedName, BM_KorvaneAvi, true)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kFfmpegCaptionedName, BM_Ffmpeg, true)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kCopyName, BM_KorvaneAvi, false)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kFfmpegCopyName, BM_Ffmpeg, false)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  PrintRatio(reporter, "with the caption", kCaptionedName, kFfmpegCaptionedName, "2");
  PrintRatio(reporter, "without caption (stream copy)", kCopyName, kFfmpegCopyName, "1");
  std::error_code ignored;
  fs::remove_all(g_folder, ignored);
  return 0;
}
