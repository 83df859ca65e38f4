// korvane-cli device-settings on generated cards: what the dialog of a
// family would show, a save with its companions, the refusals that leave the
// card as it was, and a new recording method that deletes the videos only
// with --yes, after the backup when one is asked for.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "platform/ProfileFile.h"
#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

int FilesIn(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) count += entry.is_regular_file() ? 1 : 0;
  return count;
}

class CliDeviceSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 1;
    options.logs = 2;
    options.width = 64;
    options.height = 48;
    options.eventSeconds = 2;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card(), options, nullptr, &error)) << error;
  }

  fs::path card() const { return dir / "card"; }
  fs::path setIni() const { return card() / "config/set.ini"; }
  int Key(const char* key) const { return ReadProfileInt(setIni(), "SET", key, -99); }

  CliRun Run(std::vector<std::string> args) const {
    args.insert(args.begin(), "device-settings");
    return RunCli(args);
  }
  CliRun Errors(std::vector<std::string> args) const {
    args.insert(args.begin(), "device-settings");
    return RunCliErrors(args);
  }

  TempDir dir;
};

TEST_F(CliDeviceSettings, ShowGivesTheFamilysListsWithTheirSelection) {
  dir.Write("card/config/set.ini", "[SET]\r\nRECINGMODE1=1\r\nPOSTRECINT1=5\r\nCARPULSETYPE=3\r\n");
  const CliRun h = Run({"show", card().string(), "--model", "9", "--json"});
  ASSERT_EQ(h.exitStatus, 0) << h.out;
  const nlohmann::json shown = nlohmann::json::parse(h.out);
  EXPECT_EQ(shown["dialog"], "CDlgSetting3");
  EXPECT_EQ(shown["lists"]["fps"]["entries"].size(), 4u);  // method 1: 1, 5, 10, 15
  EXPECT_EQ(shown["lists"]["fps"]["value"], 5);
  EXPECT_FALSE(shown["lists"]["event_time"]["enabled"]);
  EXPECT_EQ(shown["lists"]["pulse_type"]["selected"], 4);
  EXPECT_EQ(shown["lists"]["event_ratio"]["entries"][0]["text"], "0 : 100");
  EXPECT_TRUE(shown["sd_id"].is_string());

  const nlohmann::json a = nlohmann::json::parse(Run({"show", card().string(), "--model", "0", "--json"}).out);
  EXPECT_EQ(a["dialog"], "CDlgSetting");
  EXPECT_FALSE(a["lists"].contains("method"));
  EXPECT_FALSE(a["lists"].contains("pulse_type"));
  EXPECT_TRUE(a["sd_id"].is_null());
  EXPECT_EQ(a["lists"]["fps"]["entries"].size(), 2u);

  EXPECT_EQ(Errors({"show", card().string(), "--model", "7"}).exitStatus, 1);
}

TEST_F(CliDeviceSettings, SetSavesTheKeysAndTheCompanions) {
  dir.Write("card/config/wgs84.dat", "old fix");
  const CliRun set = Run({"set",
                          card().string(),
                          "--model",
                          "9",
                          "--fps",
                          "15",
                          "--event-time",
                          "18",
                          "--pulse-type",
                          "3",
                          "--axis",
                          "1,5,2",
                          "--simple",
                          "off",
                          "--sdid",
                          "  Fleet 07",
                          "--detect-angle",
                          "on",
                          "--clock",
                          "2026-03-07 08:05:09",
                          "--quality",
                          "low",
                          "--mode",
                          "onetime"});
  ASSERT_EQ(set.exitStatus, 0) << set.out;
  EXPECT_EQ(Key("POSTRECINT1"), 15);
  EXPECT_EQ(Key("PRERECTIME1"), 18);
  EXPECT_EQ(Key("POSTRECTIME1"), 12);
  EXPECT_EQ(Key("CARPULSETYPE"), 3);
  EXPECT_EQ(Key("POSTSIZE1"), 32);
  EXPECT_EQ(Key("RECMOD"), 1);
  EXPECT_EQ(Key("SDFORMAT"), 0);
  EXPECT_EQ(Key("TRGSET"), 34);
  EXPECT_EQ(Key("ACCSEN") & 1, 0);
  EXPECT_EQ(ReadProfileString(setIni(), "SET", "SEN1Y", ""), "05,00,00,00,00");
  EXPECT_EQ(TempDir::Read(card() / "config/sdid.ini"), "\xEF\xBB\xBFsdid=Fleet 07");
  EXPECT_TRUE(fs::exists(card() / "config/selfadj.ini"));
  EXPECT_EQ(ReadProfileString(card() / "config/time.ini", "SET", "LOCALTIME", ""), "2026.03.07;08:05:09");
  EXPECT_FALSE(fs::exists(card() / "config/wgs84.dat"));
  EXPECT_TRUE(fs::is_directory(card() / "ch1/normal"));

  // What was saved is what the dialog loads next time.
  const nlohmann::json shown = nlohmann::json::parse(Run({"show", card().string(), "--model", "9", "--json"}).out);
  EXPECT_EQ(shown["lists"]["event_time"]["value"], 18);
  EXPECT_EQ(shown["lists"]["axis_y"]["value"], 4);
  EXPECT_EQ(shown["sd_id"], "Fleet 07");
  // The clock shows the moment of loading: a save sets the recorder to the
  // time of saving, never back to an earlier save's time.
  EXPECT_NE(shown["clock"], "2026-03-07 08:05:09");

  ASSERT_EQ(Run({"set", card().string(), "--model", "9", "--sdid", "", "--no-clock"}).exitStatus, 0);
  EXPECT_FALSE(fs::exists(card() / "config/sdid.ini"));
  EXPECT_FALSE(fs::exists(card() / "config/time.ini"));
}

TEST_F(CliDeviceSettings, ThirtyFramesDropTheLongEventTimesAndAStoredEighteenSavesTenTen) {
  dir.Write("card/config/set.ini", "[SET]\r\nRECINGMODE1=2\r\nPOSTRECINT1=15\r\nPRERECTIME1=18\r\n");
  const CliRun refused = Errors({"set", card().string(), "--model", "4", "--fps", "30", "--event-time", "18"});
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_NE(refused.out.find("event_time 18"), std::string::npos) << refused.out;
  EXPECT_EQ(Key("PRERECTIME1"), 18);

  ASSERT_EQ(Run({"set", card().string(), "--model", "4", "--fps", "30"}).exitStatus, 0);
  EXPECT_EQ(Key("PRERECTIME1"), 10);
  EXPECT_EQ(Key("POSTRECTIME1"), 10);
}

TEST_F(CliDeviceSettings, RefusalsNameTheCauseAndChangeNothing) {
  const std::string before = TempDir::Read(setIni());
  const CliRun longId = Errors({"set", card().string(), "--model", "6", "--sdid", "ABCDEFGHIJK"});
  EXPECT_EQ(longId.exitStatus, 1);
  EXPECT_EQ(longId.out, "korvane-cli: Invalid SD Card ID\n");
  for (const char* controlled : {"AB\x1b[2J", "line\nbreak", "bell\x07", "c1\xc2\x9b"}) {
    EXPECT_EQ(Errors({"set", card().string(), "--model", "4", "--sdid", controlled}).out,
              "korvane-cli: Invalid SD Card ID\n")
        << controlled;
  }
  EXPECT_EQ(Errors({"set", card().string(), "--model", "0", "--pulse-type", "2"}).exitStatus, 2);
  EXPECT_EQ(Errors({"set", card().string(), "--model", "9", "--fps", "30", "--method", "1"}).exitStatus, 2);
  EXPECT_EQ(Errors({"set", card().string(), "--model", "9", "--clock", "2026-13-01 00:00:00"}).exitStatus, 2);
  EXPECT_EQ(Errors({"set", (dir / "none").string(), "--model", "9"}).exitStatus, 1);
  EXPECT_EQ(TempDir::Read(setIni()), before);

  ASSERT_EQ(Run({"set", card().string(), "--model", "6", "--sdid", "ABCDEFGHIJ"}).exitStatus, 0);
  EXPECT_EQ(TempDir::Read(card() / "config/sdid.ini"), "\xEF\xBB\xBFsdid=ABCDEFGHIJ");
}

TEST_F(CliDeviceSettings, ANewMethodDeletesTheVideosOnlyWithYesAndAfterTheBackup) {
  const int videos = FilesIn(card() / "ch1");
  const int logs = FilesIn(card() / "log");
  ASSERT_GT(videos, 0);
  const std::string before = TempDir::Read(setIni());

  const CliRun asked = Errors({"set", card().string(), "--model", "9", "--method", "3"});
  EXPECT_EQ(asked.exitStatus, 2);
  EXPECT_NE(asked.out.find("--yes"), std::string::npos) << asked.out;
  EXPECT_EQ(FilesIn(card() / "ch1"), videos);
  EXPECT_EQ(TempDir::Read(setIni()), before);

  // A backup that cannot complete (an existing file in its way) deletes nothing.
  fs::create_directories(dir / "blocked");
  ASSERT_EQ(RunCli({"backup", card().string(), (dir / "blocked").string(), "--all"}).exitStatus, 0);
  const CliRun blocked = Errors(
      {"set", card().string(), "--model", "9", "--method", "3", "--yes", "--backup-to", (dir / "blocked").string()});
  EXPECT_EQ(blocked.exitStatus, 1);
  EXPECT_EQ(FilesIn(card() / "ch1"), videos);
  EXPECT_EQ(TempDir::Read(setIni()), before);

  fs::create_directories(dir / "backup");
  const CliRun changed =
      Run({"set", card().string(), "--model", "9", "--method", "3", "--yes", "--backup-to", (dir / "backup").string()});
  ASSERT_EQ(changed.exitStatus, 0) << changed.out;
  EXPECT_EQ(FilesIn(dir / "backup/CH1"), videos);
  EXPECT_EQ(FilesIn(card() / "ch1"), 0);
  EXPECT_EQ(FilesIn(card() / "log"), logs);
  EXPECT_EQ(Key("RECINGMODE1"), 3);
  EXPECT_EQ(Key("EVENTRECPER"), 30);
}

// Whatever can stop a new method's save is found before the first video
// goes: a backup into the card itself or its folders, a backup that misses a
// file, a config folder that cannot be written.
TEST_F(CliDeviceSettings, ANewMethodDeletesNothingWhenAnyCheckFails) {
  const int videos = FilesIn(card() / "ch1");
  const std::string before = TempDir::Read(setIni());
  fs::create_directories(dir / "backup");
  const fs::path pipe = card() / "ch1/event/9999,20240101_000000.vdd";
  const bool root = ::geteuid() == 0;
  const struct Row {
    const char* name;
    std::string backupTo;
    std::string says;
  } rows[] = {
      {"into the card", card().string(), "lies in the card's own folders"},
      {"into its event folder", (card() / "ch1/event").string(), "lies in the card's own folders"},
      {"into its config folder", (card() / "config").string(), "lies in the card's own folders"},
      {"missing a file", (dir / "backup").string(), "1 file(s) could not be copied"},
      {"unwritable config", "", "Save setting Error"},
  };
  for (const Row& row : rows) {
    const std::string name = row.name;
    std::string asUser;
    if (name == "missing a file") {
      ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    }
    if (name == "unwritable config") {
      fs::permissions(card() / "config", fs::perms::owner_read | fs::perms::owner_exec);
      // Root writes anywhere: the command runs as nobody, who owns the card.
      if (root) {
        fs::permissions(dir.path(), fs::perms::others_exec, fs::perm_options::add);
        ASSERT_EQ(RunShell("chown -R 65534:65534 " + ShellQuote(card().string())).exitStatus, 0);
        asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups";
      }
    }
    std::string line = asUser + " " + ShellQuote(KORVANE_CLI_PATH) + " device-settings set " +
                       ShellQuote(card().string()) + " --model 9 --method 3 --yes";
    if (!row.backupTo.empty()) line += " --backup-to " + ShellQuote(row.backupTo);
    const CliRun run = RunShell(line + " 2>&1");
    EXPECT_EQ(run.exitStatus, 1) << name << ": " << run.out;
    EXPECT_NE(run.out.find(row.says), std::string::npos) << name << ": " << run.out;
    EXPECT_EQ(run.out.find("Backup OK"), std::string::npos) << name << ": " << run.out;
    EXPECT_EQ(FilesIn(card() / "ch1"), videos) << name;
    EXPECT_EQ(TempDir::Read(setIni()), before) << name;
    fs::remove(pipe);
    fs::permissions(card() / "config", fs::perms::owner_all);
  }
}

TEST_F(CliDeviceSettings, DefaultsKeepTheOtherKeys) {
  dir.Write("card/config/set.ini", "[SET]\r\nCARPULSETYPE=4\r\nFIRMWARE=7\r\n");
  ASSERT_EQ(Run({"defaults", card().string(), "--model", "9"}).exitStatus, 0);
  EXPECT_EQ(Key("CARPULSETYPE"), -1);
  EXPECT_EQ(Key("FIRMWARE"), 7);
  EXPECT_EQ(ReadProfileInt(setIni(), "SDINFO", "VERSIONID", 0), 3);
  EXPECT_EQ(Errors({"defaults", card().string(), "--model", "8"}).exitStatus, 1);
}

}  // namespace
