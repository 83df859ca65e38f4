// The words the window writes over its skin come from the language table:
// each names a key the shipped template holds, with the template's English,
// and a word fits its place at the largest size that fits.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "base/MgrMultiLang.h"
#include "skin/SkinWords.h"

namespace {

constexpr const char* kMissing = "\x01 not in the file";

class SkinWordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chosen_ = LangFilePath();
    SetLangFilePath((std::filesystem::path(KORVANE_SOURCE_DIR) / "resources" / "lang" / "kelbrinlang_en.ini").string());
  }
  void TearDown() override { SetLangFilePath(chosen_); }

  std::string chosen_;
};

TEST_F(SkinWordsTest, EveryWordIsAKeyOfTheTemplateWithItsEnglish) {
  for (int w = static_cast<int>(SkinWord::kMenuFile); w <= static_cast<int>(SkinWord::kSpeedPulse); ++w) {
    const SkinWordKey key = KeyOf(static_cast<SkinWord>(w));
    EXPECT_EQ(GetLangText(key.section, key.key, kMissing), key.english) << key.section << " / " << key.key;
  }
  for (int day = 0; day < 7; ++day) EXPECT_FALSE(WeekdayWord(day).empty()) << day;
  EXPECT_EQ(WeekdayWord(0), "Sun");
  EXPECT_EQ(WeekdayWord(7), "");
  EXPECT_EQ(WeekdayWord(-1), "");
}

TEST(SkinWordFitTest, TheLargestSizeThatFitsOrTheSmallest) {
  struct Case {
    int nominal, smallest, widthPerPixel, room, expected;
  };
  for (const Case& c : {Case{13, 6, 4, 60, 13}, Case{13, 6, 5, 60, 12}, Case{13, 6, 10, 60, 6}, Case{13, 6, 10, 30, 6},
                        Case{8, 8, 1, 100, 8}}) {
    const int size =
        FittingPixelSize(c.nominal, c.smallest, [&](int pixels) { return pixels * c.widthPerPixel <= c.room; });
    EXPECT_EQ(size, c.expected) << c.nominal << " " << c.widthPerPixel << " " << c.room;
  }
}

TEST(SkinWordPlaceTest, AWordTooWideForItsButtonTakesInTheSparePlace) {
  const SkinPlace close{298, 4, 338, 26};
  const SkinPlace load{254, 4, 294, 26};
  struct Case {
    SkinPlace spare;
    int wordWidth;
    SkinPlace expected;
  };
  for (const Case& c : {Case{load, 40, close}, Case{load, 41, SkinPlace{254, 4, 338, 26}}, Case{SkinPlace{}, 90, close},
                        Case{SkinPlace{340, 2, 380, 28}, 50, SkinPlace{298, 2, 380, 28}}}) {
    const SkinPlace got = PlaceForWord(close, c.spare, c.wordWidth);
    EXPECT_EQ(std::tie(got.left, got.top, got.right, got.bottom),
              std::tie(c.expected.left, c.expected.top, c.expected.right, c.expected.bottom))
        << c.wordWidth;
  }
}

}  // namespace
