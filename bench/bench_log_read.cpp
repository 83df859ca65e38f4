// Reads a generated one-hour log with our reader and, as a peer, has
// gpsbabel's NMEA reader parse the same file, then prints how the two compare.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>

#include "BenchRatio.h"
#include "recording/InfoLogFile.h"

extern char** environ;

namespace {

constexpr int kRecords = 3600;
const char* const kOursName = "BM_KorvaneLogRead";
const char* const kPeerName = "BM_GpsbabelNmeaRead";

std::filesystem::path g_logPath;

std::string Sentence(const std::string& body) {
  unsigned checksum = 0;
  for (const char c : body) checksum ^= static_cast<unsigned char>(c);
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
  return "$" + body + tail;
}

// One hour of a car driving north-east at about 50 km/h, one record a second.
std::string OneHourLog() {
  std::string text = Sentence("KXDRL3,1,DR-BENCH01,SD-BENCH01,0,12,-8,1004");
  char body[160];
  for (int s = 0; s < kRecords; ++s) {
    const int hour = 11 + s / 3600;
    const int minute = s / 60 % 60;
    const int second = s % 60;
    const double latMinutes = 20.1234 + s * 0.0045;
    const double lonMinutes = 10.6789 + s * 0.0055;
    std::snprintf(body, sizeof body, "GPRMC,%02d%02d%02d.000,A,35%07.4f,N,139%07.4f,E,27.0,45.0,100326,,,A", hour,
                  minute, second, latMinutes, lonMinutes);
    text += Sentence(body);
    std::snprintf(body, sizeof body, "GPGGA,%02d%02d%02d.000,35%07.4f,N,139%07.4f,E,1,08,0.9,%.1f,M,46.9,M,,", hour,
                  minute, second, latMinutes, lonMinutes, 40.0 + s % 100);
    text += Sentence(body);
    text += Sentence("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00");
    std::snprintf(body, sizeof body, "KXDRL,1,0,%d,%d,%d,%02d%02d%02d000,100326,%d,%d", s % 50 - 25, s % 30 - 15,
                  1000 + s % 20, hour + 1, minute, second, s % 4, 14 + s % 3);
    text += Sentence(body);
  }
  return text;
}

class BenchObserver final : public LoadObserver {
 public:
  void PostLoadEnded() override {
    {
      std::lock_guard guard(lock_);
      ended_ = true;
    }
    cv_.notify_all();
  }
  void SetProgressRange(int, int) override {}
  void SetProgressPos(int) override {}
  void ShowProgress() override {}
  void Begin() {
    std::lock_guard guard(lock_);
    ended_ = false;
    Status().store(LoadStatus::kRunning);
  }
  void Wait() {
    std::unique_lock guard(lock_);
    cv_.wait(guard, [this] { return ended_; });
  }

 private:
  std::mutex lock_;
  std::condition_variable cv_;
  bool ended_ = false;
};

void BM_KorvaneLogRead(benchmark::State& state) {
  BenchObserver observer;
  for (auto _ : state) {
    CInfoLogFile log;
    observer.Begin();
    log.LoadLogRecording(g_logPath, &observer);
    observer.Wait();
    if (observer.Status().load() != LoadStatus::kRunning || log.RecordCount() != kRecords) {
      state.SkipWithError("the log did not load whole");
      return;
    }
  }
}

bool GpsbabelOnPath() {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string folders = path;
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t end = std::min(folders.find(':', start), folders.size());
    const std::filesystem::path candidate = std::filesystem::path(folders.substr(start, end - start)) / "gpsbabel";
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// Runs gpsbabel on the log with its output thrown away; true on exit code 0.
bool RunGpsbabel() {
  std::string file = g_logPath.string();
  const char* argv[] = {"gpsbabel", "-i", "nmea", "-f", file.c_str(), "-o", "unicsv", "-F", "/dev/null", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "gpsbabel", &actions, nullptr, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_GpsbabelNmeaRead(benchmark::State& state) {
  if (!GpsbabelOnPath()) {
    state.SkipWithError("gpsbabel is not installed; no peer to compare with");
    return;
  }
  for (auto _ : state) {
    if (!RunGpsbabel()) {
      state.SkipWithError("gpsbabel failed on the log");
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  char folder[] = "/tmp/korvane-bench-log-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  g_logPath = std::filesystem::path(folder) / "hour.log";
  const std::string text = OneHourLog();
  std::ofstream(g_logPath, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
  std::printf("one-hour log: %zu bytes, %d records\n", text.size(), kRecords);

  // Both in milliseconds of real time: the reader's worker thread and the
  // peer's child process do their work off the benchmark's own thread.
  benchmark::RegisterBenchmark(kOursName, BM_KorvaneLogRead)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(kPeerName, BM_GpsbabelNmeaRead)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double oursMs = reporter.Time(kOursName);
  const double peerMs = reporter.Time(kPeerName);
  if (oursMs > 0.0 && peerMs > 0.0) {
    std::printf("log read: korvane %.3f ms, gpsbabel %.3f ms, gpsbabel / korvane = %.2f\n", oursMs, peerMs,
                peerMs / oursMs);
  } else if (oursMs > 0.0) {
    std::printf("log read: korvane %.3f ms (no peer run)\n", oursMs);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
