// The version box's texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/MgrMultiLang.h"
#include "shell/VersionInfo.h"
#include "support/TempDir.h"

namespace {

TEST(VersionInfo, RecorderVersionFromTheCard) {
  TempDir card;
  EXPECT_EQ(ReadRecorderVersion(card.path()), "") << "no version.ini";
  card.Write("config/version.ini", "[INFO]\r\nVERSION=MX2.04.17\r\n");
  EXPECT_EQ(ReadRecorderVersion(card.path()), "MX2.04.17");
  EXPECT_EQ(ReadRecorderVersion(""), "") << "no card chosen";
  card.Write("config/version.ini", "[INFO]\nVERSION=" + std::string(400, 'v') + "\n");
  EXPECT_EQ(ReadRecorderVersion(card.path()).size(), 259u);
  TempDir backup;
  backup.Write("CONFIG/VERSION.INI", "[INFO]\nVERSION=2.0\n");
  EXPECT_EQ(ReadRecorderVersion(backup.path()), "2.0") << "a backup written in upper case";
}

TEST(VersionInfo, TitleAndLinesInTheChosenLanguage) {
  TempDir card;
  card.Write("config/version.ini", "[INFO]\nVERSION=1.2\n");
  VersionBoxText box = MakeVersionBoxText(card.path(), "Drive Recorder");
  EXPECT_EQ(box.title, "Korvane Information");
  EXPECT_EQ(box.modelName, "Drive Recorder");
  EXPECT_EQ(box.recorderLine, "Recoder Version : 1.2");
  EXPECT_EQ(box.programLine, "Korvane Version : " + FileVersionText(KORVANE_VERSION));
  EXPECT_EQ(box.okLabel, "OK");

  const auto lang = card.Write("kelbrinlang_de.ini", "[GUI]\nInformation=Info\nMachineVersion=Rekorder\n");
  SetLangFilePath(lang.string());
  box = MakeVersionBoxText("", "X");
  SetLangFilePath("");
  EXPECT_EQ(box.title, "Korvane Info");
  EXPECT_EQ(box.recorderLine, "Rekorder : ");
}

// The program's version reads as a file version: four parts.
TEST(VersionInfo, ProgramVersionHasTheFourPartsOfAFileVersion) {
  EXPECT_EQ(FileVersionText("0.1.0"), "0.1.0.0");
  EXPECT_EQ(FileVersionText("2.3.4.5"), "2.3.4.5");
  EXPECT_EQ(FileVersionText("7"), "7.0.0.0");
  EXPECT_EQ(FileVersionText("10.20"), "10.20.0.0");
  for (const char* notAVersion : {"", ".", "1..2", "1.2.", "1.2.3.4.5", "1.x", "-1.2", "v1.2"})
    EXPECT_EQ(FileVersionText(notAVersion), "1.0") << notAVersion;

  const std::string version = ProgramVersion();
  EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 3) << version;
  EXPECT_EQ(version.rfind(KORVANE_VERSION, 0), 0u) << version;
}

}  // namespace
