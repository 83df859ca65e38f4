// The route of an hour-long normal run (108 000 frames at 30 a second) as
// the map gets it: the thinned route points and their script argument
// texts, against a bare loop that only reads every frame's time and fix.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "BenchRatio.h"
#include "mapctrl/MapArgText.h"
#include "mapctrl/MapPoints.h"
#include "platform/TimeKey.h"

namespace {

const char* const kOursName = "BM_RouteAndScriptTexts";
const char* const kBareName = "BM_BareFrameLoop";
constexpr int kFrames = 108000;
constexpr int kFrameStepMs = 33;
const DateTime kStart{2024, 6, 5, 14, 9, 30, 0, 0};

std::vector<FRAMEINFOVIDEO> MakeHour() {
  std::vector<FRAMEINFOVIDEO> frames(kFrames);
  const int64_t start = MakeTimeKey(kStart);
  for (int i = 0; i < kFrames; ++i) {
    FRAMEINFOVIDEO& f = frames[static_cast<size_t>(i)];
    f.time = TimeKeyToDateTime(start + static_cast<int64_t>(i) * kFrameStepMs);
    f.gps.valid = 1;
    f.gps.latHemi = 'N';
    f.gps.latDeg = 35;
    f.gps.latMin = static_cast<uint16_t>(10 + i / 6000);
    f.gps.latSec = static_cast<float>(i % 6000) / 100.0f;
    f.gps.lonHemi = 'E';
    f.gps.lonDeg = 136;
    f.gps.lonMin = 53;
    f.gps.lonSec = static_cast<float>(i % 3000) / 50.0f;
  }
  return frames;
}

const std::vector<FRAMEINFOVIDEO>& Hour() {
  static const std::vector<FRAMEINFOVIDEO> frames = MakeHour();
  return frames;
}

void BM_RouteAndScriptTexts(benchmark::State& state) {
  CInfoMapObject route;
  size_t bytes = 0;
  for (auto _ : state) {
    MakeRoutePoints(route, Hour(), 0, kViewModeNormal);
    for (const MAPPOINTINFO& p : route.Route()) {
      for (const std::string& text : PointArgTexts(p.recording, p.frame, p.kind, p.latitude, p.longitude)) {
        bytes += text.size();
      }
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["points"] = route.RouteCount();
}

// What any pass over the run must do at least: look at each frame's time
// and fix once.
void BM_BareFrameLoop(benchmark::State& state) {
  for (auto _ : state) {
    int64_t sum = 0;
    for (const FRAMEINFOVIDEO& f : Hour()) sum += f.time.second + f.gps.valid;
    benchmark::DoNotOptimize(sum);
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("TZ", ":/etc/localtime", 0);
  tzset();
  Hour();
  benchmark::RegisterBenchmark(kOursName, BM_RouteAndScriptTexts)->Unit(benchmark::kMicrosecond)->UseRealTime();
  benchmark::RegisterBenchmark(kBareName, BM_BareFrameLoop)->Unit(benchmark::kMicrosecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double ours = reporter.Time(kOursName);
  const double bare = reporter.Time(kBareName);
  if (ours > 0.0 && bare > 0.0) {
    std::printf("route of a %d-frame normal run: %.1f us, bare frame loop %.1f us, route / bare = %.2f\n", kFrames,
                ours, bare, ours / bare);
  }
  return 0;
}
