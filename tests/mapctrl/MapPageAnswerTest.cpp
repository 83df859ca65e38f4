// The page answer: its fixed header, the 16384-byte rule, and the tile
// settings written into the page without changing its length or letting a
// setting break out of its place.
#include <gtest/gtest.h>

#include <string>

#include "mapctrl/JsonString.h"
#include "mapctrl/MapPageAnswer.h"
#include "mapctrl/MapRequest.h"
#include "support/TempDir.h"

namespace {

std::string Slot() {
  std::string slot(kTileSlotMark);
  slot.resize(kTileSlotSize, ' ');
  return slot;
}

std::string ShippedPage() { return TempDir::Read(std::string(KORVANE_SOURCE_DIR) + "/resources/map/index.html"); }

TEST(MapPageAnswer, HeaderIsTheThirtyEightByteStatusAndType) {
  EXPECT_EQ(kMapPageHeader.size(), 38u);
  const std::string answer = MapPageAnswer("<html></html>");
  EXPECT_EQ(answer, std::string(kMapPageHeader) + "<html></html>");
}

TEST(MapPageAnswer, APageThatDoesNotFitIsLeftOut) {
  const std::string fits(kMapRequestLimit - kMapPageHeader.size(), 'x');
  EXPECT_EQ(MapPageAnswer(fits).size(), kMapRequestLimit);
  EXPECT_EQ(MapPageAnswer(fits + "x"), kMapPageHeader);
}

TEST(MapPageAnswer, ShippedPageFitsAndHoldsTheTileSlot) {
  const std::string page = ShippedPage();
  ASSERT_FALSE(page.empty());
  EXPECT_LE(kMapPageHeader.size() + page.size(), kMapRequestLimit);
  EXPECT_NE(page.find(Slot()), std::string::npos);
  for (const char* name : {"initialize", "addRoute", "addSingleRoute", "drawRoute", "clearRoute", "doMoveCenter",
                           "noData", "map_canvas", "loadingMessage"}) {
    EXPECT_NE(page.find(name), std::string::npos) << name;
  }
}

TEST(MapPageAnswer, TileSettingsKeepThePageLength) {
  const std::string page = "<p>" + Slot() + "</p>";
  MapTiles tiles;
  tiles.url = "http://tiles.example/{z}/{x}/{y}.png";
  tiles.attribution = "Example </script><script>alert(1)</script>";
  const std::string filled = MapPageWithTiles(page, tiles);
  EXPECT_EQ(filled.size(), page.size());
  EXPECT_NE(filled.find("\"url\":\"http://tiles.example/{z}/{x}/{y}.png\""), std::string::npos);
  EXPECT_EQ(filled.find("</script>"), std::string::npos);
  EXPECT_EQ(filled.substr(filled.size() - 4), "</p>");
  EXPECT_EQ(MapPageWithTiles(ShippedPage(), tiles).size(), ShippedPage().size());
}

TEST(MapPageAnswer, SettingsTooLongForTheSlotLeaveThePageAsItIs) {
  const std::string page = "<p>" + Slot() + "</p>";
  MapTiles tiles;
  tiles.url = "http://tiles.example/" + std::string(kTileSlotSize, 'a');
  EXPECT_EQ(MapPageWithTiles(page, tiles), page);
  // A mark without its padding is not a slot.
  EXPECT_EQ(MapPageWithTiles("<p>" + std::string(kTileSlotMark) + "</p>", MapTiles{}),
            "<p>" + std::string(kTileSlotMark) + "</p>");
}

TEST(JsonString, EscapesWhatCouldEndTheLiteralOrTheElement) {
  EXPECT_EQ(JsonString("35.172222"), "\"35.172222\"");
  EXPECT_EQ(JsonString("C:\\a \"b\""), "\"C:\\\\a \\\"b\\\"\"");
  EXPECT_EQ(JsonString("</script>"), "\"\\u003c/script\\u003e\"");
  EXPECT_EQ(JsonString(std::string("a\nb\x01", 4)), "\"a\\nb\\u0001\"");
  EXPECT_EQ(JsonString("x\xE2\x80\xA8y"), "\"x\\u2028y\"");
  EXPECT_EQ(JsonString("\xC3\xA9"), "\"\xC3\xA9\"");
}

}  // namespace
