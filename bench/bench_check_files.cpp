// The check-files pass on a folder where most recordings are empty (data
// files of 29 bytes or less, each with its index): every pair is deleted.
// Against a bare walk that stats every file and deletes the same ones (the
// least the pass must do), at two folder sizes. Printed: the pass's time
// per pair at the larger size over that at the smaller (about 1 when the
// pass grows with the folder, the size ratio when it grows with its square)
// and the pass against the walk.

#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchRatio.h"
#include "recording/CheckFilesPass.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSmallFolder = 1000;
constexpr int kLargeFolder = 4000;
constexpr int kEmptyDataBytes = 20;
constexpr int kIndexBytes = 200;
const char* const kPassName = "Check-files pass";
const char* const kWalkName = "Walk, stat and delete";

struct Card {
  fs::path root;
  Card() {
    std::string pattern = (fs::temp_directory_path() / "korvane-bench-XXXXXX").string();
    root = mkdtemp(pattern.data());
    for (const char* sub : {"ch1/event", "ch1/normal", "log"}) fs::create_directories(root / sub);
  }
  ~Card() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path Events() const { return root / "ch1/event"; }

  void FillWithEmptyPairs(int pairs) const {
    const std::string data(kEmptyDataBytes, '\xFF');
    const std::string index(kIndexBytes, '\x11');
    for (int k = 0; k < pairs; ++k) {
      char stem[32];
      std::snprintf(stem, sizeof stem, "%04d,20240614_%06d", k % 10000, k);
      std::ofstream(Events() / (std::string(stem) + ".vdd"), std::ios::binary) << data;
      std::ofstream(Events() / (std::string(stem) + ".vdx"), std::ios::binary) << index;
    }
  }
};

Card& SharedCard() {
  static Card card;
  return card;
}

void BM_Pass(benchmark::State& state) {
  const Card& card = SharedCard();
  const int pairs = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    card.FillWithEmptyPairs(pairs);
    CheckFilesPass pass(card.root.string(), pairs);
    state.ResumeTiming();
    pass.Run();
    if (pass.Deleted().size() != static_cast<size_t>(2 * pairs)) state.SkipWithError("pairs left");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * pairs);
}

void BM_WalkStatDelete(benchmark::State& state) {
  const Card& card = SharedCard();
  const int pairs = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    card.FillWithEmptyPairs(pairs);
    state.ResumeTiming();
    int deleted = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(card.Events())) {
      struct stat info {};
      if (::stat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
      if (entry.path().extension() != ".vdd" || info.st_size > kEmptyDataBytes) continue;
      deleted += ::unlink(entry.path().c_str()) == 0;
      deleted += ::unlink(fs::path(entry.path()).replace_extension(".vdx").c_str()) == 0;
    }
    if (deleted != 2 * pairs) state.SkipWithError("pairs left");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * pairs);
}

}  // namespace

int main(int argc, char** argv) {
  using Function = void (*)(benchmark::State&);
  for (const auto& [name, function] :
       {std::pair<const char*, Function>{kPassName, BM_Pass}, {kWalkName, BM_WalkStatDelete}}) {
    benchmark::RegisterBenchmark(name, function)
        ->Arg(kSmallFolder)
        ->Arg(kLargeFolder)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const auto time = [&reporter](const char* name, int pairs) {
    return reporter.Time(std::string(name) + "/" + std::to_string(pairs));
  };
  const double passSmall = time(kPassName, kSmallFolder);
  const double passLarge = time(kPassName, kLargeFolder);
  const double walkLarge = time(kWalkName, kLargeFolder);
  if (passSmall <= 0.0 || passLarge <= 0.0 || walkLarge <= 0.0) {
    std::printf("ratio: not measured\n");
    return 0;
  }
  const double growth = (passLarge / kLargeFolder) / (passSmall / kSmallFolder);
  std::printf(
      "time per pair at %d pairs over that at %d: %.2f (1 grows with the folder, %d with its square); "
      "the pass takes %.1f times the walk\n",
      kLargeFolder, kSmallFolder, growth, kLargeFolder / kSmallFolder, passLarge / walkLarge);
  return 0;
}
