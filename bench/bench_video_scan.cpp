// The data-file scan against a bare memchr pass that looks for FF D9 over
// the same mapping: walking the pictures' markers and building the frames
// should cost little beside finding the end markers (target: our throughput
// at least half of memchr's). Also the index load, in frames per second.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BenchRatio.h"
#include "platform/ReadOnlyFile.h"
#include "recording/InfoEventFile.h"
#include "recording/MappedFile.h"
#include "recording/VideoDataScan.h"
#include "recording/WaitingLoadObserver.h"

namespace {

constexpr size_t kDataBytes = 160u * 1000u * 1000u;
constexpr size_t kPictureBytes = 48000;
constexpr int kIndexFrames = 200000;
constexpr double kTargetRatio = 0.5;
const char* const kScanName = "ScanVideoData";
const char* const kMemchrName = "memchr FF D9";

using Bytes = std::vector<uint8_t>;

void PutLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void PutLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void PutF64(uint8_t* p, double v) { std::memcpy(p, &v, sizeof v); }

// A recorder picture: SOI, APP0, the comment segment with the frame's block,
// then entropy-coded-looking bytes (an FF is always stuffed with 00), EOI.
void AppendPicture(Bytes& data, int frame, std::mt19937& rng) {
  const int second = frame / 30;
  uint8_t block[59] = {};
  block[0] = 25;
  block[1] = 6;
  block[2] = 14;
  block[3] = static_cast<uint8_t>(9 + second / 3600);
  block[4] = static_cast<uint8_t>(second / 60 % 60);
  block[5] = static_cast<uint8_t>(second % 60);
  block[6] = static_cast<uint8_t>(frame % 30);
  PutLe16(block + 9, static_cast<uint16_t>(frame % 300));
  block[12] = 1;
  PutF64(block + 21, 3725.1234 + second * 0.0011);
  PutF64(block + 29, 12701.5678 + second * 0.0013);
  block[39] = 60;
  block[44] = 1;
  PutLe16(block + 49, 1000);

  const uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I',  'F',  0,    1,
                          1,    0,    0,    1,    0,    1,    0,   0,   0xFF, 0xFE, 0x00, 61};
  data.insert(data.end(), head, head + sizeof head);
  data.insert(data.end(), block, block + sizeof block);
  const uint8_t scan[] = {0xFF, 0xDA, 0x00, 0x0C, 3, 1, 0, 2, 0x11, 3, 0x11, 0, 0x3F, 0};
  data.insert(data.end(), scan, scan + sizeof scan);
  const size_t end = data.size() + kPictureBytes - sizeof head - sizeof block - sizeof scan - 2;
  while (data.size() < end) {
    const auto byte = static_cast<uint8_t>(rng());
    data.push_back(byte);
    if (byte == 0xFF) data.push_back(0x00);
  }
  data.push_back(0xFF);
  data.push_back(0xD9);
}

struct Fixture {
  std::filesystem::path folder;
  std::string dataPath;     // pictures, no index: loads by scan
  std::string indexedPath;  // a small data file with a large index
  ReadOnlyFile file;
  MappedFile mapping;

  Fixture() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    std::mt19937 rng(7);
    Bytes data;
    data.reserve(kDataBytes + kPictureBytes * 2);
    for (int frame = 0; data.size() < kDataBytes; ++frame) AppendPicture(data, frame, rng);
    dataPath = (folder / "scan" / "REC0001.vdd").string();
    Write(dataPath, data);
    file.Open(dataPath);
    mapping.Map(file.Fd());

    Bytes small;
    AppendPicture(small, 0, rng);
    indexedPath = (folder / "index" / "REC0002.vdd").string();
    Write(indexedPath, small);
    Write((folder / "index" / "REC0002.vdx").string(), MakeIndex(static_cast<uint32_t>(small.size())));
  }
  ~Fixture() {
    mapping.Release();
    file.Close();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  static Bytes MakeIndex(uint32_t pictureSize) {
    Bytes index(static_cast<size_t>(kIndexFrames) * 66 + 92, 0);
    for (int i = 0; i < kIndexFrames; ++i) {
      uint8_t* r = index.data() + static_cast<size_t>(i) * 66;
      PutLe32(r, 0xEE0000A1);
      r[4] = 1;
      PutLe32(r + 9, pictureSize);
      const uint16_t time[8] = {2025,
                                6,
                                6,
                                14,
                                9,
                                static_cast<uint16_t>(i / 1800 % 60),
                                static_cast<uint16_t>(i / 30 % 60),
                                static_cast<uint16_t>(i % 30 * 33)};
      for (int k = 0; k < 8; ++k) PutLe16(r + 13 + 2 * k, time[k]);
      r[29] = 1;
      PutLe16(r + 35, 1000);
      r[37] = 1;
      PutF64(r + 38, 3725.1234 + i / 30 * 0.0011);
      PutF64(r + 46, 12701.5678 + i / 30 * 0.0013);
    }
    uint8_t* t = index.data() + static_cast<size_t>(kIndexFrames) * 66;
    PutLe32(t, 0xFF0000A0);
    t[5] = 1;
    t[7] = 1;
    t[8] = 1;
    PutLe32(t + 10, kIndexFrames);
    PutLe16(t + 20, 1000);
    std::memcpy(t + 26, "DR-BENCH", 8);
    return index;
  }

  static void Write(const std::string& path, const Bytes& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_Scan(benchmark::State& state) {
  Fixture& f = Shared();
  WaitingLoadObserver observer;
  std::atomic<bool> stop{false};
  std::vector<FRAMEINFOVIDEO> frames;
  for (auto _ : state) {
    frames.clear();
    if (ScanVideoData(f.mapping.Data(), f.mapping.Size(), observer, stop, frames) != ScanEnd::kCompleted) {
      state.SkipWithError("scan did not complete");
    }
    benchmark::DoNotOptimize(frames.data());
  }
  state.counters["frames"] = static_cast<double>(frames.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.mapping.Size()));
}

void BM_Memchr(benchmark::State& state) {
  Fixture& f = Shared();
  const uint8_t* begin = f.mapping.Data();
  const uint8_t* end = begin + f.mapping.Size();
  size_t markers = 0;
  for (auto _ : state) {
    markers = 0;
    for (const uint8_t* p = begin; p < end;) {
      const auto* ff = static_cast<const uint8_t*>(std::memchr(p, 0xFF, static_cast<size_t>(end - p)));
      if (ff == nullptr || ff + 1 >= end) break;
      if (ff[1] == 0xD9) ++markers;
      p = ff + 1;
    }
    benchmark::DoNotOptimize(markers);
  }
  state.counters["frames"] = static_cast<double>(markers);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.mapping.Size()));
}

// The whole load by scan: open, map, worker thread, frames.
void BM_LoadByScan(benchmark::State& state) {
  Fixture& f = Shared();
  WaitingLoadObserver observer;
  CInfoEventFile recording;
  for (auto _ : state) {
    observer.BeginLoad();
    recording.LoadVideoRecording(f.dataPath, &observer);
    if (!observer.WaitForLoadEnded(60000) || recording.FrameCount() == 0) state.SkipWithError("load failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.mapping.Size()));
}

void BM_IndexLoad(benchmark::State& state) {
  Fixture& f = Shared();
  WaitingLoadObserver observer;
  CInfoEventFile recording;
  for (auto _ : state) {
    observer.BeginLoad();
    recording.LoadVideoRecording(f.indexedPath, &observer);
    if (recording.FrameCount() != kIndexFrames || recording.Source() != FrameSource::kIndex) {
      state.SkipWithError("index not loaded");
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kIndexFrames);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark(kScanName, BM_Scan)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(kMemchrName, BM_Memchr)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("LoadVideoRecording (scan)", BM_LoadByScan)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("LoadVideoRecording (index)", BM_IndexLoad)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double scan = reporter.Time(kScanName);
  const double bare = reporter.Time(kMemchrName);
  if (scan <= 0.0 || bare <= 0.0) {
    std::printf("ratio %s / %s: not measured\n", kScanName, kMemchrName);
    return 0;
  }
  // Throughput ratio: the same bytes, so it is the inverse ratio of the times.
  const double ratio = bare / scan;
  std::printf("ratio %s / %s throughput (%zu MB): %.3f (target >= %.2f) %s\n", kScanName, kMemchrName,
              Shared().mapping.Size() / 1000000, ratio, kTargetRatio, ratio >= kTargetRatio ? "ok" : "BELOW TARGET");
  return 0;
}
