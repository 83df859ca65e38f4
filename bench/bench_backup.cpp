// The backup of a whole card (Backup All) against cp -r of the same tree,
// with the source in the page cache (warm) and pushed out of it before each
// run (cold, by posix_fadvise on every file, which needs no privileges).
// The backup flushes every file before renaming it into place, so every
// file of cp's copy is flushed too (fsync each, as the backup does; a sync
// of the whole file system would also flush whatever else runs). The card is
// KORVANE_BENCH_BACKUP_MB megabytes (default 1024) of recordings in 16 MiB
// files. Printed: cp's time over ours, cold and warm (target >= 0.9).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BenchRatio.h"
#include "BenchSpawn.h"
#include "platform/ScriptedPrompt.h"
#include "tools/BackupJob.h"

namespace fs = std::filesystem;

namespace {

const char* const kOursName = "BM_KorvaneBackupAll";
const char* const kPeerName = "BM_CpOfTheSameCard";
constexpr int kDefaultMegabytes = 1024;
constexpr uint64_t kFileBytes = uint64_t{16} << 20;
constexpr uint64_t kMegabyte = uint64_t{1} << 20;
constexpr int kWarm = 0;
constexpr int kCold = 1;

fs::path g_folder;
uint64_t g_bytes = 0;
std::vector<fs::path> g_sources;

int CardMegabytes() {
  const char* given = std::getenv("KORVANE_BENCH_BACKUP_MB");
  const int megabytes = given ? std::atoi(given) : kDefaultMegabytes;
  return megabytes > 0 ? megabytes : kDefaultMegabytes;
}

// Recordings of incompressible bytes: events, normals and logs, and the
// configuration file. Returns the bytes of the recordings.
uint64_t WriteCard(const fs::path& card, uint64_t bytes) {
  for (const char* sub : {"ch1/event", "ch1/normal", "log", "config"}) fs::create_directories(card / sub);
  std::ofstream(card / "config/set.ini") << "[SET]\nCARPULSETYPE=0\n";
  std::mt19937_64 random(42);
  std::vector<uint64_t> block(kFileBytes / sizeof(uint64_t));
  const char* folders[] = {"ch1/event", "ch1/normal", "log"};
  for (uint64_t written = 0, k = 0; written < bytes; written += kFileBytes, ++k) {
    for (uint64_t& word : block) word = random();
    char stem[40];
    std::snprintf(stem, sizeof stem, "%04u,20240614_%06u", static_cast<unsigned>(k % 10000), static_cast<unsigned>(k));
    const fs::path file = card / folders[k % 3] / (std::string(stem) + (k % 3 == 2 ? ".lgd" : ".vdd"));
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(kFileBytes));
    g_sources.push_back(file);
  }
  return g_sources.size() * kFileBytes;
}

// Flushed and, for a cold run, dropped from the page cache, so that the
// next read comes from the disk.
void Flush(const fs::path& file, bool drop) {
  const int fd = open(file.c_str(), O_RDONLY);
  if (fd < 0) return;
  fsync(fd);
  if (drop) posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  close(fd);
}

void FlushTree(const fs::path& folder) {
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) Flush(entry.path(), false);
  }
}

void Prepare(benchmark::State& state, const fs::path& target) {
  state.PauseTiming();
  std::error_code ignored;
  fs::remove_all(target, ignored);
  for (const fs::path& file : g_sources) Flush(file, state.range(0) == kCold);
  state.ResumeTiming();
}

void BM_KorvaneBackupAll(benchmark::State& state) {
  const fs::path target = g_folder / "ours";
  BackupJob job(g_folder / "card");
  job.SelectAll();
  ScriptedPrompt prompt;
  const std::atomic<bool> cancel{false};
  for (auto _ : state) {
    Prepare(state, target);
    fs::create_directories(target);
    const BackupResult result = job.Run(target, prompt, cancel, {});
    if (result.end != BackupEnd::Completed || result.failed != 0) {
      state.SkipWithError("the backup failed");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_bytes));
}

void BM_CpOfTheSameCard(benchmark::State& state) {
  const fs::path target = g_folder / "copy";
  for (auto _ : state) {
    Prepare(state, target);
    if (!RunQuietly({"cp", "-r", (g_folder / "card").string(), target.string()})) {
      state.SkipWithError("cp failed");
      return;
    }
    FlushTree(target);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_bytes));
}

void PrintRatio(const RatioReporter& reporter, int cache, const char* name) {
  const std::string suffix = "/" + std::to_string(cache);
  const double oursMs = reporter.Time(std::string(kOursName) + suffix);
  const double peerMs = reporter.Time(std::string(kPeerName) + suffix);
  if (oursMs <= 0.0 || peerMs <= 0.0) {
    std::printf("%s: ratio not measured\n", name);
    return;
  }
  std::printf(
      "Backup All of %ju MiB, %s cache: korvane %.0f ms, cp -r + fsync %.0f ms, cp / korvane = %.2f "
      "(target >= 0.9)\n",
      static_cast<uintmax_t>(g_bytes / kMegabyte), name, oursMs, peerMs, peerMs / oursMs);
}

}  // namespace

int main(int argc, char** argv) {
  char folder[] = "/tmp/korvane-bench-backup-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  g_folder = folder;
  g_bytes = WriteCard(g_folder / "card", static_cast<uint64_t>(CardMegabytes()) * kMegabyte);
  std::printf("card: %zu files, %ju MiB\n", g_sources.size(), static_cast<uintmax_t>(g_bytes / kMegabyte));

  for (const char* name : {kOursName, kPeerName}) {
    auto* bench = benchmark::RegisterBenchmark(name, name == kOursName ? BM_KorvaneBackupAll : BM_CpOfTheSameCard);
    bench->Arg(kWarm)->Arg(kCold)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatio(reporter, kCold, "cold");
  PrintRatio(reporter, kWarm, "warm");

  std::error_code ignored;
  fs::remove_all(g_folder, ignored);
  return 0;
}
