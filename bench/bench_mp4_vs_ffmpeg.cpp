// The MP4 export of a 640 x 480, 30 fps recording against ffmpeg doing the
// same work on the same frames: with the caption (decode, draw the four
// caption texts, encode with libx264 veryfast at CRF 23) against ffmpeg's
// mjpeg decoder, four drawtext filters and libx264 with the same settings;
// and the whole overlay set against the caption alone, which tells what
// the speedometer, G-meter, graph, route and lamps cost.
// KORVANE_BENCH_SECONDS sets the recording's length (default five minutes).

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
#include "export/Mp4ExportJob.h"
#include "export/render/QtCaptionPainter.h"
#include "export/render/QtFilmOverlayPainter.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "recording/InfoEventFile.h"
#include "samplecard/SampleCard.h"

namespace fs = std::filesystem;

namespace {

const char* const kCaptionName = "BM_KorvaneMp4Caption";
const char* const kFfmpegName = "BM_FfmpegDrawtextX264";
const char* const kAllName = "BM_KorvaneMp4EveryOverlay";
constexpr int kDefaultSeconds = 300;
constexpr int kFps = 30;
constexpr int kWaitSliceMs = 20;
const char* const kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

fs::path g_folder;
fs::path g_dataFile;
CInfoEventFile* g_video = nullptr;

// The pictures written, -1 when the export failed.
int64_t ExportFilm(const char* overlays) {
  ManualUiQueue ui;
  ScriptedPrompt prompt;
  prompt.QueueAnswer(PromptAnswer::Yes);
  QtFilmOverlayPainter painter;
  Mp4ExportJob job(ui, &painter);
  Mp4ExportInputs inputs = Mp4InputsOnOpening(*g_video, 0, g_folder.string());
  inputs.fileName = "film";
  inputs.overlays = *FilmOverlaysFromKeys(overlays);
  ExportResult result = ExportResult::kFailed;
  if (job.Start(inputs, {{g_video}, 0}, prompt, [&](ExportResult r) { result = r; }).outcome != AviStart::kStarted)
    return -1;
  while (job.Running()) ui.WaitAndDrain(kWaitSliceMs);
  return result == ExportResult::kDone ? job.Frames() : -1;
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

void BM_Korvane(benchmark::State& state, const char* overlays) {
  for (auto _ : state) {
    if (ExportFilm(overlays) != g_video->FrameCount()) {
      state.SkipWithError("the export failed");
      return;
    }
  }
}

void BM_Ffmpeg(benchmark::State& state) {
  const fs::path out = g_folder / "ffmpeg.mp4";
  const std::vector<std::string> args = {"ffmpeg",     "-y",
                                         "-loglevel",  "error",
                                         "-f",         "mjpeg",
                                         "-framerate", std::to_string(kFps),
                                         "-i",         g_dataFile.string(),
                                         "-vf",        DrawtextFilters(),
                                         "-c:v",       "libx264",
                                         "-preset",    "veryfast",
                                         "-crf",       "23",
                                         out.string()};
  for (auto _ : state) {
    if (!RunQuietly(args)) {
      state.SkipWithError("ffmpeg failed");
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!OnPath("ffmpeg")) {
    std::fprintf(stderr, "ffmpeg is not installed (scripts/install-deps.sh installs it)\n");
    return 1;
  }
  if (!EnsureTextRendering()) return 1;
  char folder[] = "/tmp/korvane-bench-mp4-ffmpeg-XXXXXX";
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

  benchmark::RegisterBenchmark(kCaptionName, BM_Korvane, "caption")->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kFfmpegName, BM_Ffmpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kAllName, BM_Korvane, "caption,speed,gmeter,graph,route,lamps")
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double caption = reporter.Time(kCaptionName);
  const double ffmpeg = reporter.Time(kFfmpegName);
  const double all = reporter.Time(kAllName);
  if (caption > 0.0 && ffmpeg > 0.0)
    std::printf(
        "MP4 export with the caption: korvane %.0f ms, ffmpeg %.0f ms, ffmpeg / korvane = %.2f (target >= 1.5)\n",
        caption, ffmpeg, ffmpeg / caption);
  if (caption > 0.0 && all > 0.0)
    std::printf("MP4 export with every overlay: %.0f ms, every overlay / caption alone = %.2f\n", all, all / caption);
  std::error_code ignored;
  fs::remove_all(g_folder, ignored);
  return 0;
}
