#include <gtest/gtest.h>

#include "base/MgrMultiLang.h"
#include "support/TempDir.h"

namespace {

class MgrMultiLangTest : public ::testing::Test {
 protected:
  void TearDown() override { SetLangFilePath(""); }
  TempDir dir_;
};

TEST_F(MgrMultiLangTest, EnglishWinsOverEveryOtherLanguage) {
  dir_.Write("kelbrinlang_jp.ini", "");
  dir_.Write("kelbrinlang_en.ini", "");
  dir_.Write("kelbrinlang_zz.ini", "");
  std::string chosen;
  EXPECT_EQ(FindLangFile(dir_.path(), chosen), 1);
  EXPECT_EQ(std::filesystem::path(chosen).filename(), "kelbrinlang_en.ini");
}

TEST_F(MgrMultiLangTest, WithoutEnglishTheLastFileEnumeratedIsChosen) {
  dir_.Write("kelbrinlang_de.ini", "");
  dir_.Write("kelbrinlang_fr.ini", "");
  dir_.Write("kelbrinlang.txt", "");
  dir_.Write("other_en.ini", "");
  std::filesystem::create_directories(dir_ / "kelbrinlang_en.ini");  // a folder is no language file
  std::string chosen;
  FindLangFile(dir_.path(), chosen);
  EXPECT_EQ(std::filesystem::path(chosen).filename(), "kelbrinlang_fr.ini");
}

TEST_F(MgrMultiLangTest, EnglishMarkCountsAnywhereInThePath) {
  const auto folder = dir_ / "Program_Entry";  // "_en" after lower-casing
  dir_.Write("Program_Entry/kelbrinlang_de.ini", "");
  dir_.Write("Program_Entry/kelbrinlang_fr.ini", "");
  std::string chosen;
  FindLangFile(folder, chosen);
  EXPECT_EQ(std::filesystem::path(chosen).filename(), "kelbrinlang_de.ini") << "the first file met is English";
}

TEST_F(MgrMultiLangTest, NoFileLeavesThePathEmptyAndDefaultsAnswer) {
  std::string chosen = "stale";
  FindLangFile(dir_.path(), chosen);
  EXPECT_TRUE(chosen.empty());
  SetLangFilePath(chosen);
  EXPECT_EQ(GetLangText("Message", "MediaRemoved", "Media has been removed."), "Media has been removed.");
}

TEST_F(MgrMultiLangTest, LookupTurnsBackslashNIntoLineBreaks) {
  const auto file = dir_.Write("kelbrinlang_de.ini",
                               "[Message]\r\n"
                               "Two=erste\\nzweite\r\n"
                               "Other=a\\tb\r\n"
                               "Empty=\r\n"
                               "[GUI]\r\n"
                               "Long=" +
                                   std::string(600, 'x') + "\r\n");
  SetLangFilePath(file.string());
  EXPECT_EQ(GetLangText("Message", "Two", "?"), "erste\nzweite");
  EXPECT_EQ(GetLangText("message", "other", "?"), "a\\tb");
  EXPECT_EQ(GetLangText("Message", "Empty", "default"), "") << "an empty text is not the default";
  EXPECT_EQ(GetLangText("Message", "Missing", "Line one\nline two"), "Line one\nline two");
  EXPECT_EQ(GetLangText("GUI", "Long", "").size(), 499u);
}

}  // namespace
