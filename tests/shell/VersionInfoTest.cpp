// The version box's texts.
#include <gtest/gtest.h>

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
  VERSIONBOXTEXT box = MakeVersionBoxText(card.path(), "Drive Recorder");
  EXPECT_EQ(box.title, "Korvane Information");
  EXPECT_EQ(box.modelName, "Drive Recorder");
  EXPECT_EQ(box.recorderLine, "Recoder Version : 1.2");
  EXPECT_EQ(box.programLine, std::string("Korvane Version : ") + KORVANE_VERSION);
  EXPECT_EQ(box.okLabel, "OK");

  const auto lang = card.Write("kelbrinlang_de.ini", "[GUI]\nInformation=Info\nMachineVersion=Rekorder\n");
  SetLangFilePath(lang.string());
  box = MakeVersionBoxText("", "X");
  SetLangFilePath("");
  EXPECT_EQ(box.title, "Korvane Info");
  EXPECT_EQ(box.recorderLine, "Rekorder : ");
}

}  // namespace
