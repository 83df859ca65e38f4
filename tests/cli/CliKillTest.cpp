// Every kind of file korvane-cli writes, killed (SIGKILL: no chance to
// clean up) at random moments: a file under a real name is always whole —
// the one before the run or the one a finished run writes — and the next
// run that writes there leaves no temporary file behind.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <thread>

#include "platform/OutputFile.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;  // path under the watched folder -> bytes

constexpr int kKills = 50;

struct Writer {
  const char* name;
  std::vector<std::string> args;  // after korvane-cli
  fs::path watched;               // the folder whose files the run writes
  // A file that is whole though it differs from the finished run's (a PDF
  // carries its creation time); empty: the bytes must match.
  std::function<bool(const std::string&)> whole;
};

Files Snapshot(const fs::path& folder) {
  Files files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file() || WriterOfTemporary(entry.path().filename().string()) != 0) continue;
    files[fs::relative(entry.path(), folder).string()] = TempDir::Read(entry.path());
  }
  return files;
}

std::vector<std::string> Temporaries(const fs::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (WriterOfTemporary(entry.path().filename().string()) != 0) found.push_back(entry.path().string());
  return found;
}

// Puts the folder back as it was before any run: files of later runs gone,
// the first ones' bytes back.
void Restore(const fs::path& folder, const Files& before) {
  for (const auto& [path, bytes] : Snapshot(folder))
    if (!before.contains(path)) fs::remove(folder / path);
  for (const auto& [path, bytes] : before) {
    if (Snapshot(folder)[path] != bytes) std::ofstream(folder / path, std::ios::binary) << bytes;
  }
}

class CliKillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.seed = 5;
    options.events = 1;
    options.normals = 1;
    options.logs = 1;
    options.width = 96;
    options.height = 64;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(dir_ / "card", options, &card_, &error)) << error;
    fs::create_directories(dir_ / "home");
    fs::create_directories(dir_ / "data");
    for (const char* name :
         {"export-jpeg", "export-avi", "export-kml", "export-gpx", "export-csv", "print-pdf", "frame", "backup"})
      fs::create_directories(dir_ / "out" / name);
    env_ = {"HOME=" + (dir_ / "home").string(), "XDG_CONFIG_HOME=" + (dir_ / "cfg").string(),
            "KORVANE_DATA_DIR=" + (dir_ / "data").string()};
    for (char** e = environ; *e; ++e) env_.emplace_back(*e);
  }

  // Starts korvane-cli; SIGKILL after delay unless it ended first. Whether
  // it ran to its end.
  bool Run(const std::vector<std::string>& args, std::chrono::microseconds delay) {
    std::vector<std::string> line{KORVANE_CLI_PATH};
    line.insert(line.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : line) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : env_) envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, ErrorsPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return false;
    const auto until = std::chrono::steady_clock::now() + delay;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
      if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  // What the last run said on stderr, for the message of a run that failed.
  std::string ErrorsPath() const { return (dir_ / "stderr").string(); }
  std::string Errors() const { return TempDir::Read(ErrorsPath()); }

  std::vector<Writer> Writers() {
    const std::string video = card_.videos.front().dataPath.string();
    const std::string log = card_.logs.front().path.string();
    const fs::path out = dir_ / "out";
    const auto pdf = [](const std::string& bytes) {
      const size_t end = bytes.rfind("%%EOF");
      return bytes.starts_with("%PDF-") && end != std::string::npos && end + 8 >= bytes.size();
    };
    return {
        {"export-jpeg",
         {"export-jpeg", video, "-o", (out / "export-jpeg").string(), "--all", "--yes"},
         out / "export-jpeg",
         {}},
        {"export-avi",
         {"export-avi", video, "-o", (out / "export-avi/clip.avi").string(), "--yes"},
         out / "export-avi",
         {}},
        {"export-kml",
         {"export-kml", log, "-o", (out / "export-kml/drive.kml").string(), "--yes"},
         out / "export-kml",
         {}},
        {"export-gpx",
         {"export-gpx", video, log, "-o", (out / "export-gpx/t.gpx").string(), "--yes"},
         out / "export-gpx",
         {}},
        {"export-csv",
         {"export-csv", video, log, "-o", (out / "export-csv/t.csv").string(), "--yes"},
         out / "export-csv",
         {}},
        {"print-pdf",
         {"print-pdf", video, "-o", (out / "print-pdf/p.pdf").string(), "--all", "--yes"},
         out / "print-pdf",
         pdf},
        {"frame", {"frame", video, "0", "-o", (out / "frame/f.ppm").string(), "--yes"}, out / "frame", {}},
        {"backup", {"backup", card_.root.string(), (out / "backup").string(), "--all", "--yes"}, out / "backup", {}},
        {"settings",
         {"device-settings", "set", card_.root.string(), "--model", "9", "--sdid", "KILL 1", "--beep", "on", "--clock",
          "2026-01-02 03:04:05"},
         card_.root / "config",
         {}},
    };
  }

  TempDir dir_;
  SampleCard card_;
  std::vector<std::string> env_;
};

TEST_F(CliKillTest, AKilledWriterLeavesOnlyWholeFilesAndTheNextRunNoTemporaries) {
  std::mt19937 random(20);
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(writer.name);
    const Files before = Snapshot(writer.watched);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Run(writer.args, std::chrono::seconds(60))) << "the run without a kill failed: " << Errors();
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    const Files finished = Snapshot(writer.watched);
    ASSERT_NE(finished, before);
    std::uniform_int_distribution<int64_t> moment(0, took.count() * 5 / 4);

    for (int kill = 0; kill < kKills; ++kill) {
      // Every other run starts from nothing, so that creating is killed as
      // often as replacing.
      if (kill % 2 == 0) Restore(writer.watched, before);
      Run(writer.args, std::chrono::microseconds(moment(random)));
      for (const auto& [path, bytes] : Snapshot(writer.watched)) {
        const auto old = before.find(path);
        const auto done = finished.find(path);
        const bool whole = (old != before.end() && old->second == bytes) ||
                           (done != finished.end() && (done->second == bytes || (writer.whole && writer.whole(bytes))));
        EXPECT_TRUE(whole) << path << " after a kill in run " << kill << " (" << bytes.size() << " bytes)";
      }
    }
    ASSERT_TRUE(Run(writer.args, std::chrono::seconds(60))) << "the run after the kills failed: " << Errors();
    EXPECT_EQ(Temporaries(writer.watched), std::vector<std::string>{});
  }
}

}  // namespace
