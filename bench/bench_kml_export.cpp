// The KML export of an hour of logs, from the log file to the written KML,
// against gpsbabel converting the same NMEA file to KML.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "BenchRatio.h"
#include "BenchSpawn.h"
#include "export/KmlExportJob.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "recording/InfoLogFile.h"
#include "recording/WaitingLoadObserver.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleLogWriter.h"

namespace {

const char* const kOursName = "BM_KorvaneKmlExport";
const char* const kPeerName = "BM_GpsbabelNmeaToKml";
const char* const kWriteName = "BM_KorvaneKmlWriteOnly";
constexpr int kSeconds = 3600;
constexpr int kWaitSliceMs = 50;

std::filesystem::path g_folder;
std::filesystem::path g_logPath;

bool LoadHour(CInfoLogFile& log) {
  WaitingLoadObserver observer;
  observer.BeginLoad();
  log.LoadLogRecording(g_logPath, &observer);
  while (!observer.WaitForLoadEnded(1000)) {
  }
  return observer.Status().load() == LoadStatus::kRunning && log.RecordCount() == kSeconds;
}

// One export of a loaded log with a mark a second, as gpsbabel writes a
// placemark per position; false when it did not write the file.
bool ExportKml(const CInfoLogFile& log) {
  ManualUiQueue ui;
  ScriptedPrompt prompt;  // says Yes to overwriting the previous round's file
  KmlExportInputs inputs;
  inputs.folder = g_folder.string();
  inputs.fileName = "ours";
  inputs.pointerInterval = 1;
  KmlExportJob job(ui);
  ExportResult result = ExportResult::kFailed;
  if (job.Start(inputs, {&log}, nullptr, prompt, [&](ExportResult r) { result = r; }).outcome != KmlStart::kStarted)
    return false;
  while (job.Running()) ui.WaitAndDrain(kWaitSliceMs);
  return result == ExportResult::kDone && job.MarkCount() == kSeconds;
}

// From the log file to the KML file, as korvane-cli export-kml goes.
void BM_KorvaneKmlExport(benchmark::State& state) {
  for (auto _ : state) {
    CInfoLogFile log;
    if (!LoadHour(log) || !ExportKml(log)) {
      state.SkipWithError("the export failed");
      return;
    }
  }
}

// The writing alone, the log loaded once: how the total splits.
void BM_KorvaneKmlWriteOnly(benchmark::State& state) {
  CInfoLogFile log;
  if (!LoadHour(log)) {
    state.SkipWithError("the log did not load");
    return;
  }
  for (auto _ : state) {
    if (!ExportKml(log)) {
      state.SkipWithError("the export failed");
      return;
    }
  }
}

void BM_GpsbabelNmeaToKml(benchmark::State& state) {
  if (!OnPath("gpsbabel")) {
    state.SkipWithError("gpsbabel is not installed; no peer to compare with");
    return;
  }
  const std::string out = (g_folder / "gpsbabel.kml").string();
  for (auto _ : state) {
    if (!RunQuietly({"gpsbabel", "-i", "nmea", "-f", g_logPath.string(), "-o", "kml", "-F", out})) {
      state.SkipWithError("gpsbabel failed on the log");
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // As korvane-cli does: the zone named once, not looked up per conversion.
  setenv("TZ", ":/etc/localtime", 0);
  tzset();
  char folder[] = "/tmp/korvane-bench-kml-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  g_folder = folder;
  SampleLogRecipe recipe;
  recipe.seconds = kSeconds;
  SampleLog log = MakeSampleLog(recipe);
  std::string error;
  if (!WriteSampleLog(g_folder, &log, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  g_logPath = log.path;
  std::printf("one-hour log: %ju bytes, %d records\n", static_cast<uintmax_t>(std::filesystem::file_size(g_logPath)),
              kSeconds);

  benchmark::RegisterBenchmark(kOursName, BM_KorvaneKmlExport)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kWriteName, BM_KorvaneKmlWriteOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kPeerName, BM_GpsbabelNmeaToKml)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double oursMs = reporter.Time(kOursName);
  const double peerMs = reporter.Time(kPeerName);
  if (oursMs > 0.0 && peerMs > 0.0) {
    std::printf("KML of an hour of log: korvane %.3f ms, gpsbabel %.3f ms, gpsbabel / korvane = %.2f (target >= 10)\n",
                oursMs, peerMs, peerMs / oursMs);
  } else if (oursMs > 0.0) {
    std::printf("KML of an hour of log: korvane %.3f ms (no peer run)\n", oursMs);
  }
  if (const double writeMs = reporter.Time(kWriteName); writeMs > 0.0 && oursMs > 0.0)
    std::printf("of which writing the KML: %.3f ms, reading the log: %.3f ms\n", writeMs, oursMs - writeMs);
  std::error_code ignored;
  std::filesystem::remove_all(g_folder, ignored);
  return 0;
}
