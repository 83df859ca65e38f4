// korvane-cli given hostile or broken input: outputs that are inputs, writes
// that fail half way, files it may not read or that loop, damaged indexes,
// and card text with control characters. Every failure must say what
// happened to which file, on stderr, and leave nothing half done behind.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "recording/VideoBytes.h"
#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Writes beyond this many bytes fail (EFBIG) in the command it prefixes;
// the signal that would otherwise end the process is ignored.
const std::string kSmallFileLimit = "trap '' XFSZ; ulimit -f 1;";  // 512-byte blocks

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

SampleCardOptions TinyCard() {
  SampleCardOptions options;
  options.events = 1;
  options.normals = 1;
  options.logs = 1;
  options.fps = 2;
  options.width = 32;
  options.height = 24;
  options.eventSeconds = 4;
  return options;
}

class CliBadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(WriteSampleCard(dir_ / "card", TinyCard(), &card_, &error)) << error;
  }

  const SampleVideo& Event() const { return card_.videos.front(); }
  std::string EventPath() const { return Event().dataPath.string(); }

  TempDir dir_;
  SampleCard card_;
};

TEST_F(CliBadInput, FrameRefusesToWriteOverItsOwnRecording) {
  const std::string before = TempDir::Read(Event().dataPath);
  const fs::path link = dir_ / "link.jpg";
  fs::create_symlink(Event().dataPath, link);
  const fs::path hardLink = dir_ / "hard.jpg";
  fs::create_hard_link(Event().indexPath, hardLink);

  for (const fs::path& output : {link, hardLink}) {
    SCOPED_TRACE(output.string());
    const CliRun run = RunCliErrors({"frame", EventPath(), "0", "-o", output.string()});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_TRUE(Contains(run.out, output.string())) << run.out;
  }
  EXPECT_EQ(TempDir::Read(Event().dataPath), before);
  EXPECT_EQ(fs::file_size(Event().indexPath), Event().indexBytes);
}

TEST_F(CliBadInput, FrameWritesItsOutputWholeOrNotAtAll) {
  const fs::path output = dir_ / "out" / "frame.jpg";
  dir_.Write("out/frame.jpg", "the picture of an earlier run");

  // The picture is larger than the file-size limit: the write fails half way.
  const CliRun failed = RunCliErrors({"frame", EventPath(), "0", "-o", output.string(), "--yes"}, kSmallFileLimit);
  EXPECT_EQ(failed.exitStatus, 1);
  EXPECT_TRUE(Contains(failed.out, "File too large")) << failed.out;
  EXPECT_EQ(TempDir::Read(output), "the picture of an earlier run");
  EXPECT_EQ(std::distance(fs::directory_iterator(output.parent_path()), fs::directory_iterator()), 1);

  // Kept unless the overwrite question is answered.
  EXPECT_EQ(RunCliErrors({"frame", EventPath(), "0", "-o", output.string()}).exitStatus, 2);
  EXPECT_EQ(TempDir::Read(output), "the picture of an earlier run");
  ASSERT_EQ(RunCliErrors({"frame", EventPath(), "0", "-o", output.string(), "--yes"}).exitStatus, 0);
  EXPECT_EQ(fs::file_size(output), Event().frames[0].size);
  EXPECT_EQ(std::distance(fs::directory_iterator(output.parent_path()), fs::directory_iterator()), 1);
  // As an ordinary new file: readable by others unless the umask says not.
  EXPECT_EQ(fs::status(output).permissions() & fs::perms::others_read, fs::perms::others_read);
}

TEST_F(CliBadInput, FailedSampleCardLeavesNothingBehind) {
  // A root that did not exist, below folders that did not either.
  const fs::path nested = dir_ / "new" / "deeper" / "card";
  CliRun run = RunCliErrors({"make-sample-card", nested.string()}, kSmallFileLimit);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, nested.string())) << run.out;
  EXPECT_FALSE(fs::exists(dir_ / "new"));

  // An empty root that was there: it stays, empty.
  fs::create_directory(dir_ / "empty");
  run = RunCliErrors({"make-sample-card", (dir_ / "empty").string()}, kSmallFileLimit);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(fs::is_directory(dir_ / "empty"));
  EXPECT_TRUE(fs::is_empty(dir_ / "empty"));

  // A root in use is refused and left alone.
  run = RunCliErrors({"make-sample-card", (dir_ / "card").string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(fs::exists(Event().dataPath));
}

TEST_F(CliBadInput, DamagedIndexLoadsFromTheDataFileOrFailsNamingIt) {
  // The index cut down to its trailer: the pictures are still all there.
  const std::string index = TempDir::Read(Event().indexPath);
  dir_.Write(fs::relative(Event().indexPath, dir_.path()).string(), index.substr(index.size() - 92));
  CliRun run = RunCliErrors({"frame", EventPath(), "1", "-o", (dir_ / "one.jpg").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.out;
  const json frames = json::parse(RunCli({"frames", EventPath(), "--json"}).out);
  EXPECT_EQ(frames["source"], "scan");
  EXPECT_EQ(frames["frames"].size(), Event().frames.size());

  // A trailer that counts no frames, before a data file without pictures.
  TestTrailer trailer;
  trailer.frameCount = 0;
  const fs::path junk = dir_.Write("junk/REC_0001.vdd", "no pictures in here");
  dir_.Write("junk/REC_0001.vdx", AsText(EncodeTrailer(trailer)));
  run = RunCliErrors({"frame", junk.string(), "0", "-o", (dir_ / "none.jpg").string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, junk.string())) << run.out;
  EXPECT_FALSE(Contains(run.out, "outside")) << run.out;
  EXPECT_FALSE(fs::exists(dir_ / "none.jpg"));
}

TEST_F(CliBadInput, UnreadableInputsSayWhyAndWhich) {
  const fs::path loop = dir_ / "loop.vdd";
  fs::create_symlink(loop, loop);
  CliRun run = RunCliErrors({"frames", loop.string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, loop.string() + ": Too many levels of symbolic links")) << run.out;

  const fs::path folder = dir_ / "folder.log";
  fs::create_directory(folder);
  run = RunCliErrors({"log", folder.string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, folder.string() + ": it is a folder")) << run.out;

  // Larger than any log a recorder writes (sparse, so nothing is written).
  const fs::path huge = dir_ / "card" / "log" / "9999_huge.log";
  fs::copy_file(card_.logs.front().path, huge);
  fs::resize_file(huge, 65ull << 20);
  run = RunCliErrors({"log", huge.string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, huge.string() + ": the file is larger than 64 MB")) << run.out;
  run = RunCliErrors({"search-log", huge.string(), "--speed", "10"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, huge.string())) << run.out;
  // The scan still lists it, and says that it cannot be loaded.
  run = RunCliErrors({"scan", (dir_ / "card").string(), "--no-verify"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(Contains(run.out, huge.string() + " is larger than 64 MB")) << run.out;
}

TEST_F(CliBadInput, PermissionDeniedIsNotNoSuchFile) {
  const fs::path data = Event().dataPath;
  ASSERT_EQ(chmod(data.c_str(), 0), 0);
  fs::permissions(dir_.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  // Root reads everything; the command runs as nobody then.
  const std::string asUser = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
  const CliRun run = RunCliErrors({"frames", data.string()}, asUser);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, data.string() + ": Permission denied")) << run.out;
}

TEST_F(CliBadInput, SearchLogNamesTheLogThatFailed) {
  const fs::path first = card_.logs.front().path;
  const fs::path noRecords = dir_.Write("0002_junk.log", "this is no log at all\r\n");
  CliRun run = RunCliErrors({"search-log", noRecords.string(), first.string(), "--speed", "10"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, "cannot load " + noRecords.string())) << run.out;

  const fs::path copy = dir_ / "copy.log";
  fs::copy_file(first, copy);
  run = RunCliErrors({"search-log", first.string(), copy.string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, copy.string() + " starts before " + first.string() + " ends")) << run.out;
}

TEST_F(CliBadInput, ScanSaysOnStderrWhatItCouldNotRead) {
  CliRun run = RunCliErrors({"scan", dir_.path().string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, dir_.path().string() + ": Invalid drive recorder folder. (it has no ch1/event folder)"))
      << run.out;
  run = RunCliErrors({"scan", (dir_ / "missing").string()});
  EXPECT_TRUE(Contains(run.out, "No such file or directory")) << run.out;

  // ch1/normal in a loop of links: the lists cannot be whole.
  const fs::path normal = dir_ / "card" / "ch1" / "normal";
  fs::remove_all(normal);
  fs::create_symlink(normal, normal);
  run = RunCliErrors({"scan", (dir_ / "card").string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(Contains(run.out, "cannot list " + normal.string() + ": Too many levels of symbolic links")) << run.out;
  const CliRun listed = RunCli({"scan", (dir_ / "card").string(), "--json"});
  EXPECT_EQ(listed.exitStatus, 1);
  const json out = json::parse(listed.out);
  EXPECT_EQ(out["event"].size(), 1u);
  ASSERT_EQ(out["unreadable"].size(), 1u);
  EXPECT_EQ(out["unreadable"][0]["path"], normal.string());
}

TEST_F(CliBadInput, CardTextCannotBreakRowsOrReachTheTerminal) {
  // A recorder id with a line break and a terminal title sequence, and a
  // file name with a line break and a colour sequence.
  TestTrailer trailer;
  trailer.frameCount = static_cast<uint32_t>(Event().frames.size());
  trailer.drid = "KX\n\x1b]0;x\x07";
  std::string index = TempDir::Read(Event().indexPath);
  index.replace(index.size() - 92, 92, AsText(EncodeTrailer(trailer)));
  const fs::path odd = Event().dataPath.parent_path() / "0009\n\x1b[31mred.vdd";
  fs::copy_file(Event().dataPath, odd);
  dir_.Write(fs::relative(Event().indexPath, dir_.path()).string(), index);

  const CliRun scan = RunCli({"scan", (dir_ / "card").string(), "--no-verify"});
  ASSERT_EQ(scan.exitStatus, 0);
  EXPECT_FALSE(Contains(scan.out, "\x1b")) << scan.out;
  EXPECT_FALSE(Contains(scan.out, "\x07")) << scan.out;
  EXPECT_TRUE(Contains(scan.out, "KX\\n\\x1B]0;x\\x07")) << scan.out;
  EXPECT_TRUE(Contains(scan.out, "0009\\n\\x1B[31mred.vdd")) << scan.out;
  // One line per row: the event list's heading, its column line, two rows.
  const size_t list = scan.out.find("event list: 2\n");
  ASSERT_NE(list, std::string::npos) << scan.out;
  const size_t next = scan.out.find("normal list:", list);
  EXPECT_EQ(std::count(scan.out.begin() + static_cast<long>(list), scan.out.begin() + static_cast<long>(next), '\n'),
            4);

  const CliRun frames = RunCli({"frames", EventPath()});
  EXPECT_TRUE(Contains(frames.out, "recorder KX\\n\\x1B]0;x\\x07,")) << frames.out;
  const CliRun errors = RunCliErrors({"frames", (odd.parent_path() / "0009\n\x1b[31mgone.vdd").string()});
  EXPECT_FALSE(Contains(errors.out, "\x1b")) << errors.out;
  EXPECT_EQ(std::count(errors.out.begin(), errors.out.end(), '\n'), 1) << errors.out;
}

}  // namespace
