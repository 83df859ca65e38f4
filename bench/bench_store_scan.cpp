// Opening a card: the layout check, the check-files pass and the three file
// lists filled, on a card of 2000 short normal recordings, against a bare
// walk of the same folders that stats every file (the least any listing
// must do). Printed: files per second of both and their ratio.

#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "BenchRatio.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "recording/FileListRows.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecordings = 2000;
const char* const kScanName = "Scan and fill the lists";
const char* const kWalkName = "Walk and stat";

struct Card {
  fs::path folder;
  fs::path root;
  int files = 0;
  bool ok = false;

  Card() {
    std::string pattern = (fs::temp_directory_path() / "korvane-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    root = folder / "card";
    for (const char* sub : {"ch1/event", "ch1/normal", "log"}) fs::create_directories(root / sub);
    SampleVideoSpec spec;
    spec.kind = SampleVideoKind::kNormal;
    spec.seconds = 1;
    spec.fps = 2;
    spec.width = 16;
    spec.height = 16;
    std::string error;
    for (int k = 1; k <= kRecordings; ++k) {
      spec.number = k;
      // Every tenth recording without an index, so the lists also read pictures.
      spec.variant = k % 10 == 0 ? SampleIndexVariant::kNoIndex : SampleIndexVariant::kTrailer92;
      SampleVideo video = MakeSampleVideo(spec);
      if (!WriteSampleVideo(root / "ch1/normal", &video, &error)) {
        std::fprintf(stderr, "cannot write the card: %s\n", error.c_str());
        return;
      }
    }
    files = kRecordings;
    ok = true;
  }
  ~Card() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

Card& SharedCard() {
  static Card card;
  return card;
}

void BM_ScanAndFill(benchmark::State& state) {
  Card& card = SharedCard();
  if (!card.ok) {
    state.SkipWithError("no card");
    return;
  }
  ScriptedPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  const Volumes volumes;
  CMgrDBSearch store(prompt, ui, app, volumes);
  size_t rows = 0;
  for (auto _ : state) {
    if (!store.ChooseRoot(card.root.string())) state.SkipWithError("not a card");
    store.Scan();
    rows = 0;
    for (FileListKind kind : {FileListKind::kEvent, FileListKind::kNormal, FileListKind::kLog}) {
      rows += MakeFileListRows(store, kind).size();
    }
    benchmark::DoNotOptimize(rows);
  }
  if (rows != static_cast<size_t>(card.files)) state.SkipWithError("rows missing");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * card.files);
}

void BM_WalkAndStat(benchmark::State& state) {
  Card& card = SharedCard();
  size_t files = 0;
  for (auto _ : state) {
    files = 0;
    for (const char* sub : {"ch1/event", "ch1/normal", "log"}) {
      for (const fs::directory_entry& entry : fs::directory_iterator(card.root / sub)) {
        struct stat info {};
        if (::stat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode)) ++files;
      }
    }
    benchmark::DoNotOptimize(files);
  }
  state.counters["files"] = static_cast<double>(files);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * card.files);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark(kScanName, BM_ScanAndFill)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kWalkName, BM_WalkAndStat)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double scan = reporter.Time(kScanName);
  const double walk = reporter.Time(kWalkName);
  if (scan <= 0.0 || walk <= 0.0) {
    std::printf("ratio: not measured\n");
    return 0;
  }
  const int files = SharedCard().files;
  std::printf("scan and lists: %.0f files/s; walk and stat: %.0f files/s; the scan takes %.1f times the walk\n",
              files / (scan / 1000.0), files / (walk / 1000.0), scan / walk);
  return 0;
}
