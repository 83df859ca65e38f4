// The one set of rules every written file follows: what is refused, when an
// existing file is replaced, and the temporary names beside the target.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>

#include "platform/OutputFile.h"
#include "recording/ExportGuard.h"
#include "support/EndedProcess.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool HasTemporaries(const fs::path& folder) {
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (WriterOfTemporary(entry.path().filename().string()) != 0) return true;
  return false;
}

// What a path is, so that a refused write can be shown to have left it.
std::string Describe(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return "nothing";
  if (S_ISLNK(info.st_mode)) return "link to " + fs::read_symlink(path).string();
  if (S_ISREG(info.st_mode)) return "file " + TempDir::Read(path);
  return "entry of mode " + std::to_string(info.st_mode & S_IFMT);
}

bool MakeSocket(const fs::path& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return bound;
}

TEST(OutputFile, RefusesInputsCardFoldersAndWhatIsNoFile) {
  TempDir dir;
  const fs::path recording = dir.Write("loose/rec.vdd", "frames");
  dir.Write("loose/rec.vdx", "index");
  dir.Write("card/CH1/Event/e.vdd", "event");
  dir.Write("card/Log/a.log", "log");
  fs::create_directories(dir / "plain/log");
  fs::create_symlink(recording, dir / "loose/link.csv");
  fs::create_hard_link(recording, dir / "loose/hard.csv");
  const fs::path elsewhere = dir.Write("elsewhere.txt", "kept");
  fs::create_symlink(elsewhere, dir / "loose/linked.csv");
  fs::create_symlink(dir / "gone.txt", dir / "loose/dangling.csv");
  ASSERT_TRUE(MakeFifo(dir / "loose/fifo.csv"));
  ASSERT_TRUE(MakeSocket(dir / "loose/socket.csv"));
  fs::create_directory(dir / "loose/folder.csv");

  struct Case {
    const char* target;
    Overwrite overwrite;
    OutputRefusal expected;
  };
  const Case cases[] = {
      {"loose/rec.vdd", Overwrite::kReplace, OutputRefusal::kAnInput},
      {"loose/rec.vdx", Overwrite::kReplace, OutputRefusal::kAnInput},  // the index the recording is read with
      {"loose/link.csv", Overwrite::kReplace, OutputRefusal::kAnInput},
      {"loose/hard.csv", Overwrite::kReplace, OutputRefusal::kAnInput},
      {"card/CH1/Event/new.jpg", Overwrite::kReplace, OutputRefusal::kProtectedFolder},
      {"card/Log/new.csv", Overwrite::kReplace, OutputRefusal::kProtectedFolder},
      {"plain/log/new.csv", Overwrite::kKeep, OutputRefusal::kNone},  // a log folder of no card
      {"loose/fifo.csv", Overwrite::kReplace, OutputRefusal::kNotAFile},
      {"loose/socket.csv", Overwrite::kReplace, OutputRefusal::kNotAFile},
      {"loose/folder.csv", Overwrite::kReplace, OutputRefusal::kNotAFile},
      {"loose/dangling.csv", Overwrite::kReplace, OutputRefusal::kNotAFile},
      {"loose/dangling.csv", Overwrite::kKeep, OutputRefusal::kNotAFile},
      {"loose/linked.csv", Overwrite::kKeep, OutputRefusal::kExists},
      {"loose/linked.csv", Overwrite::kReplace, OutputRefusal::kNone},  // the link is replaced, not its file
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const fs::path target = dir / c.target;
    const OutputGuard guard = ExportGuard({recording.string()}, target.parent_path().string());
    const std::string before = Describe(target);
    EXPECT_EQ(CheckOutput(target.string(), guard, c.overwrite), c.expected);
    std::string error;
    const bool written = WriteWholeFile(target.string(), "new", c.overwrite, guard, &error);
    EXPECT_EQ(written, c.expected == OutputRefusal::kNone) << error;
    if (written) {
      EXPECT_EQ(Describe(target), "file new");
    } else {
      EXPECT_EQ(Describe(target), before);
      EXPECT_NE(error.find(target.string()), std::string::npos) << error;
    }
  }
  EXPECT_EQ(TempDir::Read(recording), "frames");
  EXPECT_EQ(TempDir::Read(elsewhere), "kept");
  EXPECT_FALSE(HasTemporaries(dir.path()));
}

TEST(OutputFile, KeepsAnExistingFileUnlessReplacingIsAllowed) {
  TempDir dir;
  const std::string file = dir.Write("out.csv", "old").string();
  std::string error;
  EXPECT_FALSE(WriteWholeFile(file, "new", Overwrite::kKeep, {}, &error));
  EXPECT_EQ(TempDir::Read(file), "old");
  EXPECT_TRUE(WriteWholeFile(file, "new", Overwrite::kReplace, {}, &error)) << error;
  EXPECT_EQ(TempDir::Read(file), "new");

  // A file that appears while ours is written is not replaced by the rename.
  const std::string raced = (dir / "raced.csv").string();
  OutputFile output;
  ASSERT_TRUE(output.Open(raced, Overwrite::kKeep));
  output.Write("ours");
  dir.Write("raced.csv", "theirs");
  EXPECT_FALSE(output.Commit());
  EXPECT_EQ(output.Refusal(), OutputRefusal::kExists);
  EXPECT_EQ(TempDir::Read(raced), "theirs");

  // Nowhere to write: the error names the place.
  EXPECT_FALSE(WriteWholeFile((dir / "no/such/folder/out.csv").string(), "x", Overwrite::kKeep, {}, &error));
  EXPECT_NE(error.find("no/such/folder"), std::string::npos) << error;
  EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"out.csv", "raced.csv"}));
}

TEST(OutputFile, TemporariesAreShortAndThoseOfEndedRunsAreCleared) {
  TempDir dir;
  // The longest name the file system takes leaves no room for a suffix.
  const std::string longest = std::string(NAME_MAX - 4, 'n') + ".csv";
  std::string error;
  EXPECT_TRUE(WriteWholeFile((dir / longest).string(), "x", Overwrite::kKeep, {}, &error)) << error;

  const std::string ended = std::to_string(EndedProcessId());
  const std::string running = std::to_string(::getpid());
  const uint64_t start = ProcessStartTime(::getpid());
  ASSERT_NE(start, 0u);
  const std::string started = std::to_string(start);
  const std::string earlier = std::to_string(start - 1);  // the id's earlier owner
  const std::vector<std::string> stale = {".korvane-" + ended + "-0.tmp", ".korvane-" + ended + "-17.tmp",
                                          ".korvane-" + ended + "-" + started + "-4.tmp",
                                          ".korvane-" + running + "-" + earlier + "-5.tmp"};
  const std::vector<std::string> kept = {
      ".korvane-" + running + "-0.tmp",                  // a write still going on
      ".korvane-" + running + "-" + started + "-6.tmp",  // the same, as named now
      ".korvane-" + ended + ".tmp",                      // not one of our names
      "x.korvane-" + ended + "-1.tmp",
      ".korvane-" + ended + "-2.tmp.csv",
  };
  for (const std::string& name : stale) dir.Write("out/" + name, "half");
  for (const std::string& name : kept) dir.Write("out/" + name, "");
  fs::create_directory(dir / "out" / (".korvane-" + ended + "-3.tmp"));  // never a folder
  dir.Write("other/" + stale.front(), "half");                           // another folder is not written

  ASSERT_TRUE(WriteWholeFile((dir / "out/a.csv").string(), "a", Overwrite::kKeep, {}, &error)) << error;
  std::vector<std::string> expected = kept;
  expected.push_back(".korvane-" + ended + "-3.tmp");
  expected.push_back("a.csv");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NamesIn(dir / "out"), expected);
  EXPECT_EQ(NamesIn(dir / "other"), std::vector<std::string>{stale.front()});
}

}  // namespace
