// Listing a card's trips: korvane-cli trips against korvane-cli scan
// --no-verify on the same card of 480 one-minute normal recordings (8
// hours), both run as the user runs them. The trips read each index whole
// for the frames' times, G values and fixes, never a picture. Printed: the
// time of each and trips ÷ scan (target: below 2).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchRatio.h"
#include "BenchSpawn.h"
#include "platform/TimeKey.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecordings = 480;
constexpr int64_t kMinuteMs = 60000;
const char* const kTripsName = "korvane-cli trips --json";
const char* const kScanName = "korvane-cli scan --no-verify";
constexpr double kTargetRatio = 2.0;

// One drive of back-to-back minutes, every recording with its index, as a
// recorder leaves it.
struct Card {
  fs::path folder;
  fs::path root;
  bool ok = false;

  Card() {
    std::string pattern = (fs::temp_directory_path() / "korvane-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    root = folder / "card";
    for (const char* sub : {"ch1/event", "ch1/normal", "log", "config"}) fs::create_directories(root / sub);
    SampleVideoRecipe recipe;
    recipe.kind = SampleVideoKind::kNormal;
    recipe.seconds = 60;
    recipe.fps = 2;
    recipe.width = 16;
    recipe.height = 16;
    const int64_t start = MakeTimeKey(kSampleStart);
    std::string error;
    for (int k = 0; k < kRecordings; ++k) {
      recipe.number = k + 1;
      recipe.seed = static_cast<uint64_t>(k + 1);
      recipe.start = TimeKeyToDateTime(start + k * kMinuteMs);
      SampleVideo video = MakeSampleVideo(recipe);
      if (!WriteSampleVideo(root / "ch1/normal", &video, &error)) {
        std::fprintf(stderr, "cannot write the card: %s\n", error.c_str());
        return;
      }
    }
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

void RunCli(benchmark::State& state, const std::vector<std::string>& arguments) {
  Card& card = SharedCard();
  if (!card.ok) {
    state.SkipWithError("no card");
    return;
  }
  std::vector<std::string> args{KORVANE_CLI_PROGRAM};
  args.insert(args.end(), arguments.begin(), arguments.end());
  args.push_back(card.root.string());
  for (auto _ : state) {
    if (!RunQuietly(args)) {
      state.SkipWithError("korvane-cli failed");
      return;
    }
  }
}

void BM_Trips(benchmark::State& state) { RunCli(state, {"trips", "--json"}); }
void BM_Scan(benchmark::State& state) { RunCli(state, {"scan", "--no-verify"}); }

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark(kScanName, BM_Scan)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kTripsName, BM_Trips)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double trips = reporter.Time(kTripsName);
  const double scan = reporter.Time(kScanName);
  if (trips <= 0.0 || scan <= 0.0) {
    std::printf("ratio: not measured\n");
    return 0;
  }
  std::printf("trips of %d recordings: %.0f ms; scan --no-verify: %.0f ms; trips / scan = %.2f (target < %.1f)\n",
              kRecordings, trips, scan, trips / scan, kTargetRatio);
  return 0;
}
