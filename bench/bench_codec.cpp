// Frame decoding through the codec against a bare TurboJPEG decompression of
// the same bytes: the codec's segment saving, header read and buffer reuse
// should cost little beside the decoding itself (target: within 10 %).

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <vector>

#include "BenchRatio.h"
#include "recording/StreamImage.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kTargetRatio = 1.10;
constexpr unsigned char kCommentBytes = 59;
const char* const kCodecName = "DecodeToPixels";
const char* const kBareName = "tjDecompress2";

// A road-like picture: smooth gradients with some fine noise, encoded as the
// recorder does (quality 80, 4:2:0), with a frame comment after FF D8.
std::vector<unsigned char> MakeFrame() {
  std::vector<unsigned char> pixels(size_t(kWidth) * kHeight * 3);
  std::mt19937 rng(11);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      unsigned char* p = &pixels[(size_t(y) * kWidth + x) * 3];
      const int grain = int(rng() % 24);
      p[0] = static_cast<unsigned char>((x * 200 / kWidth) + grain);
      p[1] = static_cast<unsigned char>((y * 200 / kHeight) + grain);
      p[2] = static_cast<unsigned char>(((x ^ y) & 0x7F) + grain);
    }
  }
  tjhandle handle = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(handle, pixels.data(), kWidth, kWidth * 3, kHeight, TJPF_BGR, &jpeg, &size, TJSAMP_420, 80, 0);
  tjDestroy(handle);

  // The frame is made at its full size and filled in place: growing the
  // vector makes GCC 12 report a false -Warray-bounds in the move of the old
  // bytes. The comment block stays 0x5A after its header; the encoder's own
  // JFIF segment is dropped, as a recorder frame has none.
  const unsigned char comment[] = {0xFF, 0xD8, 0xFF, 0xFE, 0x00, kCommentBytes + 2};
  const size_t afterJfif = 2 + 2 + ((size_t(jpeg[4]) << 8) | jpeg[5]);
  std::vector<unsigned char> frame(sizeof comment + kCommentBytes + (size - afterJfif), 0x5A);
  std::copy(std::begin(comment), std::end(comment), frame.begin());
  std::copy(jpeg + afterJfif, jpeg + size, frame.begin() + sizeof comment + kCommentBytes);
  tjFree(jpeg);
  return frame;
}

const std::vector<unsigned char>& Frame() {
  static const std::vector<unsigned char> frame = MakeFrame();
  return frame;
}

void BM_DecodeToPixels(benchmark::State& state) {
  const auto& frame = Frame();
  CStreamImage codec;
  for (auto _ : state) {
    if (!codec.DecodeToPixels(frame.data(), int(frame.size()))) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(codec.Pixels());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size()));
}

void BM_BareDecompress(benchmark::State& state) {
  const auto& frame = Frame();
  tjhandle handle = tjInitDecompress();
  std::vector<unsigned char> pixels(size_t(kWidth) * kHeight * 3);
  for (auto _ : state) {
    if (tjDecompress2(handle, frame.data(), frame.size(), pixels.data(), kWidth, kWidth * 3, kHeight, TJPF_BGR, 0) !=
        0) {
      state.SkipWithError("decode failed");
    }
    benchmark::DoNotOptimize(pixels.data());
  }
  tjDestroy(handle);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size()));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark(kCodecName, BM_DecodeToPixels);
  benchmark::RegisterBenchmark(kBareName, BM_BareDecompress);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double codec = reporter.Time(kCodecName);
  const double bare = reporter.Time(kBareName);
  if (codec <= 0.0 || bare <= 0.0) {
    std::printf("ratio %s / %s: not measured\n", kCodecName, kBareName);
    return 0;
  }
  const double ratio = codec / bare;
  std::printf("ratio %s / %s (%dx%d): %.3f (target <= %.2f) %s\n", kCodecName, kBareName, kWidth, kHeight, ratio,
              kTargetRatio, ratio <= kTargetRatio ? "OK" : "OVER");
  return 0;
}
