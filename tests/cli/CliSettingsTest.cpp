// korvane-cli settings in a home of its own: the first run seeds the file
// from the data folder, and the values come back as the viewer reads them.

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

CliRun RunSettings(const TempDir& dir, const std::string& args) {
  const std::string command = "env -u XDG_DOCUMENTS_DIR HOME='" + (dir / "home").string() + "' XDG_CONFIG_HOME='" +
                              (dir / "cfg").string() + "' KORVANE_DATA_DIR='" + (dir / "data").string() + "' '" +
                              KORVANE_CLI_PATH + "' settings " + args + " 2>/dev/null";
  return RunShell(command);
}

TEST(CliSettings, FirstRunSeedsAndReportsTheValuesAsRead) {
  TempDir dir;
  std::filesystem::create_directories(dir / "home");
  dir.Write("data/kelbrin.ini",
            "[GUI]\r\nVender=0\r\nDateDesc=1\r\n[RunParam]\r\nCurrentModel=9\r\n"
            "DisplaySpeed=1\r\nSaveAviFolder=/videos\r\n[KML]\r\nLineWidth=3\r\n[DISPLAY]\r\nSpeedUnit=mph\r\n");
  dir.Write("data/kelbrinlang_de.ini", "");
  const CliRun run = RunSettings(dir, "--json");
  ASSERT_EQ(run.exitStatus, 0);
  const auto doc = nlohmann::json::parse(run.out);
  const std::string ini = (dir / "cfg/Halvorn/Nemora/kelbrin.ini").string();
  EXPECT_EQ(doc["settings_file"], ini);
  EXPECT_EQ(TempDir::Read(ini), TempDir::Read(dir / "data/kelbrin.ini"));
  EXPECT_EQ(doc["GUI"]["Vender"], 1);
  EXPECT_EQ(doc["GUI"]["DateDesc"], 1);
  EXPECT_EQ(doc["RunParam"]["SaveAviFolder"], "/videos");
  EXPECT_EQ(doc["RunParam"]["SaveJpgFolder"], (dir / "home").string());
  EXPECT_EQ(doc["KML"]["LineWidth"], 3);
  EXPECT_EQ(doc["KML"]["LineColor"], 255);
  EXPECT_EQ(doc["DISPLAY"]["SpeedUnit"], "mph");
  EXPECT_EQ(doc["RunParam"]["SaveJpgGeotag"], 0);
  EXPECT_EQ(doc["current_model"]["menu"], "MX-H");
  EXPECT_EQ(doc["current_model"]["dialog"], "CDlgSetting3");
  EXPECT_EQ(doc["display_speed"], "pulse");
  EXPECT_EQ(std::filesystem::path(doc["language_file"].get<std::string>()).filename(), "kelbrinlang_de.ini");

  const CliRun text = RunSettings(dir, "");
  ASSERT_EQ(text.exitStatus, 0);
  EXPECT_NE(text.out.find("current model    MX-H, CDlgSetting3"), std::string::npos) << text.out;
}

}  // namespace
