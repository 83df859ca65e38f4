// The columns of the recording lists and the log search's result list:
// wide enough for their texts, and all of them on screen in the width the
// list has, the file name giving way first.
#include <gtest/gtest.h>

#include <numeric>

#include "playback/ListColumnWidths.h"

namespace {

constexpr double kWiden = 1.5;

int Sum(const std::vector<int>& widths) { return std::accumulate(widths.begin(), widths.end(), 0); }

// No., file, Type and three hidden columns, as the event list has them.
std::vector<ColumnNeed> EventList(int fileWidest, int typeWidest) {
  return {{70, 40, 36, false}, {170, 90, fileWidest, true}, {80, 50, typeWidest, false},
          {0, 40, 300, false}, {0, 90, 80, false},          {0, 90, 80, false}};
}

TEST(ListColumnWidthsTest, RoomEnoughWidensALongTextByHalf) {
  const std::vector<int> widths = FitColumnWidths(EventList(140, 60), 1000, kWiden);
  EXPECT_EQ(widths, (std::vector<int>{70, 210, 90, 0, 0, 0}));
  // A short text keeps the definition's width.
  EXPECT_EQ(FitColumnWidths(EventList(100, 50), 1000, kWiden), (std::vector<int>{70, 170, 80, 0, 0, 0}));
}

TEST(ListColumnWidthsTest, ANarrowListKeepsEveryColumnsTextAndShortensTheFileName) {
  // The file name alone would fill the list: the type keeps its whole text
  // on screen and the file column takes what is left.
  const std::vector<int> widths = FitColumnWidths(EventList(290, 95), 374, kWiden);
  EXPECT_EQ(Sum(widths), 374);
  EXPECT_GE(widths[2], 95);
  EXPECT_GE(widths[0], 40);
  EXPECT_EQ(widths[1], 374 - widths[0] - widths[2]);
  // The widening and the empty room went before the file name was
  // shortened.
  EXPECT_EQ(widths[2], 95);
  EXPECT_EQ(widths[0], 40);
}

TEST(ListColumnWidthsTest, TheDefinitionsWidthGoesBeforeAnyTextIsCut) {
  // Even the file's header barely fits: No. and Type give up the width
  // their definition had beyond their text, but never their text.
  const std::vector<int> widths = FitColumnWidths(EventList(290, 60), 200, kWiden);
  EXPECT_EQ(widths[0], 40);
  EXPECT_EQ(widths[2], 60);
  EXPECT_EQ(widths[1], 100);
  EXPECT_EQ(Sum(widths), 200);
}

TEST(ListColumnWidthsTest, TooNarrowForTheHeadersTheListScrolls) {
  const std::vector<int> widths = FitColumnWidths(EventList(290, 60), 100, kWiden);
  EXPECT_EQ(widths, (std::vector<int>{40, 90, 60, 0, 0, 0}));
}

TEST(ListColumnWidthsTest, ALongHeaderIsNeverCut) {
  // The result list: "Event Type" is wider than its 85 pixels.
  const std::vector<ColumnNeed> results{
      {50, 40, 20, false}, {160, 90, 150, true}, {0, 60, 30, false}, {85, 96, 70, false}};
  const std::vector<int> widths = FitColumnWidths(results, 1000, 1.0);
  EXPECT_EQ(widths, (std::vector<int>{50, 160, 0, 96}));
  const std::vector<int> narrow = FitColumnWidths(results, 290, 1.0);
  EXPECT_EQ(narrow[3], 96);
  EXPECT_EQ(Sum(narrow), 290);
}

}  // namespace
