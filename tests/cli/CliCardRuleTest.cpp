// Every command that deletes from, backs up, or changes the settings of a
// card proves the card layout first: a folder shaped like /var (with its
// log folder), a home folder, and a half card are refused with the store's
// own words and left exactly as they were; a real card in capitals is taken.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Every entry under root with its size, so that any change shows.
std::map<std::string, uintmax_t> Tree(const fs::path& root) {
  std::map<std::string, uintmax_t> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    tree[entry.path().lexically_relative(root).string()] = entry.is_regular_file() ? entry.file_size() : 0;
  }
  return tree;
}

struct Command {
  const char* name;
  std::vector<std::string> args;  // CARD and TARGET stand for the folders
};

std::vector<std::string> Fill(const Command& command, const fs::path& card, const fs::path& target) {
  std::vector<std::string> args;
  for (const std::string& arg : command.args) {
    args.push_back(arg == "CARD" ? card.string() : arg == "TARGET" ? target.string() : arg);
  }
  return args;
}

TEST(CliCardRule, OnlyACardIsDeletedFromBackedUpOrSet) {
  const std::vector<Command> commands = {
      {"delete logs", {"delete-recordings", "CARD", "--logs", "--yes"}},
      {"delete videos", {"delete-recordings", "CARD", "--video", "--yes"}},
      {"backup", {"backup", "CARD", "TARGET", "--all", "--yes"}},
      {"settings", {"device-settings", "set", "CARD", "--model", "4", "--beep", "off"}},
      {"defaults", {"device-settings", "defaults", "CARD", "--model", "4"}},
  };
  TempDir dir;
  const fs::path target = dir / "target";
  fs::create_directories(target);

  // Not cards: the log folder alone, a home, the event folder without log.
  dir.Write("var/log/syslog", "Dec  9 kernel: up\n");
  dir.Write("var/log/auth.log", "sshd: accepted\n");
  dir.Write("var/cache/apt/pkgcache.bin", "cache");
  dir.Write("home/.bashrc", "alias ll='ls -l'\n");
  dir.Write("home/Documents/letter.txt", "Dear ...");
  dir.Write("home/ch1/notes.vdd", "not a recording");
  dir.Write("half/ch1/event/0001.vdd", "data");
  dir.Write("half/config/set.ini", "[SET]\nRECINGMODE1=2\n");
  for (const char* folder : {"var", "home", "half"}) {
    const std::map<std::string, uintmax_t> before = Tree(dir / folder);
    for (const Command& command : commands) {
      const CliRun run = RunCliErrors(Fill(command, dir / folder, target));
      EXPECT_NE(run.exitStatus, 0) << folder << ", " << command.name;
      EXPECT_NE(run.out.find("Invalid drive recorder folder."), std::string::npos)
          << folder << ", " << command.name << ": " << run.out;
      EXPECT_EQ(Tree(dir / folder), before) << folder << ", " << command.name;
      EXPECT_TRUE(fs::is_empty(target)) << folder << ", " << command.name;
    }
  }

  // A card whose folders are spelt in capitals is a card to every command.
  SampleCardOptions options;
  options.events = 1;
  options.logs = 1;
  options.width = 32;
  options.height = 24;
  options.eventSeconds = 1;
  for (const Command& command : commands) {
    const fs::path card = dir / (std::string("card ") + command.name);
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card, options, nullptr, &error)) << error;
    fs::rename(card / "ch1/event", card / "ch1/EVENT");
    fs::rename(card / "ch1", card / "CH1");
    fs::rename(card / "log", card / "LOG");
    const fs::path copies = dir / (std::string("copies ") + command.name);
    fs::create_directories(copies);
    const CliRun run = RunCliErrors(Fill(command, card, copies));
    EXPECT_EQ(run.exitStatus, 0) << command.name << ": " << run.out;
  }
}

}  // namespace
