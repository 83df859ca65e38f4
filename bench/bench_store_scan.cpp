// Opening a card: the layout check, the check-files pass and the three file
// lists filled, on a card of 2000 short normal recordings, against the I/O
// no listing can avoid: a walk of the same folders that opens every index
// and reads its trailer (the last 92 bytes) and its first record. Printed:
// files per second of both and the share of the walk's speed the scan
// reaches (target: at least 0.5).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchRatio.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "platform/Utf8.h"
#include "recording/FileListRows.h"
#include "recording/MgrDBSearch.h"
#include "recording/VideoFormat.h"
#include "recording/VideoIndexPath.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecordings = 2000;
const char* const kScanName = "Scan and fill the lists";
const char* const kWalkName = "Read every index's trailer and first record";
constexpr double kTargetShare = 0.5;

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
    SampleVideoRecipe recipe;
    recipe.kind = SampleVideoKind::kNormal;
    recipe.seconds = 1;
    recipe.fps = 2;
    recipe.width = 16;
    recipe.height = 16;
    std::string error;
    for (int k = 1; k <= kRecordings; ++k) {
      recipe.number = k;
      // Every tenth recording without an index, so the lists also read pictures.
      recipe.variant = k % 10 == 0 ? SampleIndexVariant::kNoIndex : SampleIndexVariant::kTrailer92;
      SampleVideo video = MakeSampleVideo(recipe);
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

// The trailer and the first record of one index: open, learn the size,
// two reads, close. True when both reads came back whole.
bool ReadIndexEnds(const fs::path& index) {
  const int fd = ::open(index.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  std::array<unsigned char, kTrailerSize> trailer{};
  std::array<unsigned char, kLongRecordSize> first{};
  bool whole = ::fstat(fd, &info) == 0 && info.st_size >= static_cast<off_t>(kTrailerSize);
  whole = whole && ::pread(fd, trailer.data(), trailer.size(), info.st_size - static_cast<off_t>(kTrailerSize)) ==
                       static_cast<ssize_t>(trailer.size());
  whole = whole && ::pread(fd, first.data(), first.size(), 0) == static_cast<ssize_t>(first.size());
  ::close(fd);
  benchmark::DoNotOptimize(trailer);
  benchmark::DoNotOptimize(first);
  return whole;
}

void BM_ReadIndexEnds(benchmark::State& state) {
  Card& card = SharedCard();
  if (!card.ok) {
    state.SkipWithError("no card");
    return;
  }
  size_t indexes = 0;
  for (auto _ : state) {
    indexes = 0;
    for (const char* sub : {"ch1/event", "ch1/normal", "log"}) {
      for (const fs::directory_entry& entry : fs::directory_iterator(card.root / sub)) {
        if (EndsWithNoCase(entry.path().filename().string(), kVideoIndexExtension) && ReadIndexEnds(entry.path())) {
          ++indexes;
        }
      }
    }
    benchmark::DoNotOptimize(indexes);
  }
  state.counters["indexes"] = static_cast<double>(indexes);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * card.files);
}

}  // namespace

int main(int argc, char** argv) {
  // As both programs do.
  NameLocalZoneOnce();
  benchmark::RegisterBenchmark(kScanName, BM_ScanAndFill)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kWalkName, BM_ReadIndexEnds)->Unit(benchmark::kMillisecond)->UseRealTime();
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
  std::printf(
      "scan and lists: %.0f files/s; index ends alone: %.0f files/s; the scan reaches %.2fx of that (target %.1fx)\n",
      files / (scan / 1000.0), files / (walk / 1000.0), walk / scan, kTargetShare);
  return 0;
}
