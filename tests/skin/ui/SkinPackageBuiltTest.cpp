// The skin package the build draws: every entry the window asks for is
// there, with pictures cut into the cells the controls expect; and the Qt
// view of a package entry.
#include <gtest/gtest.h>

#include <QImage>

#include "skin/SkinEntries.h"
#include "skin/SkinPackage.h"
#include "skin/SkinPackageWriter.h"
#include "skin/ui/SkinImages.h"
#include "support/TempDir.h"

namespace {

CSkinPackage BuiltPackage() {
  CSkinPackage package;
  EXPECT_TRUE(package.Open(std::filesystem::path(KORVANE_BUILD_DIR) / "korvane.dsc"));
  return package;
}

QRect CellOf(const QImage& strip, int cells, int cell) {
  const int width = strip.width() / cells;
  return QRect(cell * width, 0, width, strip.height());
}

bool SameCells(const QImage& strip, int cells, int a, int b) {
  return strip.copy(CellOf(strip, cells, a)) == strip.copy(CellOf(strip, cells, b));
}

TEST(SkinPackageBuilt, ButtonsHaveFourDistinctCellsOfTheirRectangle) {
  const CSkinPackage package = BuiltPackage();
  for (int entry : {kSkinButtonAbout,      kSkinButtonMinimize,     kSkinButtonExit,
                    kSkinButtonOpen,       kSkinButtonSaveImage,    kSkinButtonPrintImage,
                    kSkinButtonSaveAvi,    kSkinButtonBackup,       kSkinButtonGoogleEarth,
                    kSkinButtonSetup,      kSkinButtonHomepage,     kSkinButtonBackFast,
                    kSkinButtonPrevious,   kSkinButtonBackPlay,     kSkinButtonPause,
                    kSkinButtonPlay,       kSkinButtonNext,         kSkinButtonPlayFast,
                    kSkinButtonZoomIn,     kSkinButtonZoomOut,      kSkinButtonMenuFile,
                    kSkinButtonMenuEdit,   kSkinButtonMenuView,     kSkinButtonMenuPlay,
                    kSkinButtonMenuTool,   kSkinButtonMenuHelp,     kSkinButtonSingleView,
                    kSkinButtonThumbView,  kSkinButtonDefaultGraph, kSkinButtonEventMarker,
                    kSkinButtonLoad,       kSkinButtonClose,        kSkinButtonCheckAll,
                    kSkinButtonUnCheckAll, kSkinTabEvent,           kSkinTabNormal,
                    kSkinTabLog,           kSkinButtonSearchLog,    kSkinTabTrip}) {
    const QRect rect = SkinRect(package, entry);
    const QImage strip = SkinImage(package, entry);
    ASSERT_FALSE(strip.isNull()) << entry;
    ASSERT_FALSE(rect.isEmpty()) << entry;
    EXPECT_EQ(strip.size(), QSize(rect.width() * 4, rect.height())) << entry;
    // A menu button is flat: unless the mouse is on it only its word, which
    // the window writes, tells normal from disabled.
    const bool flat = entry >= kSkinButtonMenuFile && entry <= kSkinButtonMenuHelp;
    for (int a = 0; a < 4; ++a) {
      for (int b = a + 1; b < 4; ++b) {
        if (flat && a == 0 && b == 3) continue;
        EXPECT_FALSE(SameCells(strip, 4, a, b)) << "entry " << entry << " cells " << a << " and " << b;
      }
    }
  }
}

TEST(SkinPackageBuilt, StripsHaveTheCellsTheDisplaysCut) {
  const CSkinPackage package = BuiltPackage();
  struct Strip {
    int entry;
    int cells;
    QSize cell;
  };
  const Strip strips[] = {
      {kSkinDigitsSmall, 11, {8, 12}},  {kSkinDigitsLarge, 11, {11, 15}},   {kSkinDateSeparators, 2, {6, 15}},
      {kSkinWeekdays, 7, {27, 12}},     {kSkinDigitsSpeed, 11, {18, 27}},   {kSkinDigitsG, 11, {12, 17}},
      {kSkinDecimalPoint, 1, {4, 17}},  {kSkinGpsSymbols, 3, {7, 17}},      {kSkinHemispheres, 4, {13, 16}},
      {kSkinSpeedCaption, 2, {42, 12}}, {kSkinSpeedIndicator, 2, {11, 11}},
  };
  for (const Strip& s : strips) {
    const SkinStrip strip = SkinStripOf(package, s.entry, s.cells);
    ASSERT_FALSE(strip.IsNull()) << s.entry;
    EXPECT_EQ(strip.Image().size(), QSize(s.cell.width() * s.cells, s.cell.height())) << s.entry;
    // The weekday and caption cells are the ground the window writes their
    // words on.
    if (s.entry == kSkinWeekdays || s.entry == kSkinSpeedCaption) continue;
    for (int a = 0; a < s.cells; ++a) {
      for (int b = a + 1; b < s.cells; ++b) {
        EXPECT_FALSE(SameCells(strip.Image(), s.cells, a, b)) << "entry " << s.entry << " cells " << a << ", " << b;
      }
    }
  }
  // The speed caption and indicator sit where the panel draws them.
  EXPECT_EQ(SkinRect(package, kSkinSpeedCaption), QRect(121, 576, 42, 12));
  EXPECT_EQ(SkinRect(package, kSkinSpeedIndicator), QRect(168, 580, 11, 11));
}

TEST(SkinPackageBuilt, LampsFitTheCarSignalHalves) {
  const CSkinPackage package = BuiltPackage();
  const QRect signal = SkinRect(package, kSkinCarSignal);
  ASSERT_FALSE(signal.isEmpty());
  EXPECT_EQ(package.Find(kSkinCarSignal)->visible, 0) << "shown only for the MX-H";
  for (int entry : {kSkinLampLeft, kSkinLampRight}) {
    const QImage strip = SkinImage(package, entry);
    EXPECT_EQ(strip.size(), QSize((signal.width() / 2 - 10) * 4, signal.height())) << entry;
    EXPECT_FALSE(SameCells(strip, 4, 0, 1)) << entry;
    EXPECT_FALSE(SameCells(strip, 4, 2, 3)) << entry;
  }
}

TEST(SkinPackageBuilt, BackgroundsStripsWindowsAndPictures) {
  const CSkinPackage package = BuiltPackage();
  EXPECT_EQ(SkinImage(package, kSkinBackground).size(), QSize(1024, 768));
  EXPECT_EQ(SkinImage(package, kSkinBackgroundMxH).size(), QSize(1024, 768));
  EXPECT_NE(SkinImage(package, kSkinBackground), SkinImage(package, kSkinBackgroundMxH));
  EXPECT_EQ(SkinImage(package, kSkinBottomStrip).width(), 1024);
  EXPECT_EQ(SkinImage(package, kSkinBottomStripMxH).width(), 1024);
  EXPECT_EQ(SkinImage(package, kSkinBottomStripNarrow).width(), 800);
  for (int entry : {kSkinSlideTrack, kSkinSlideThumb, kSkinSlideTrack2, kSkinEmptyPicture, kSkinFallback}) {
    EXPECT_FALSE(SkinImage(package, entry).isNull()) << entry;
  }
  const QRect panel(0, 0, 1024, 768);
  for (int entry : {kSkinPanePanel, kSkinGSensorWindow, kSkinMapWindow, kSkinSearchWindow, kSkinPlayTimePanel,
                    kSkinImgInfoPanel, kSkinSlideBar, kSkinDateTimeDisplay, kSkinSpeedDisplay, kSkinGpsDisplay}) {
    const QRect rect = SkinRect(package, entry);
    EXPECT_FALSE(rect.isEmpty()) << entry;
    EXPECT_TRUE(panel.contains(rect)) << entry;
    EXPECT_NE(package.Find(entry)->visible, 0) << entry;
  }
}

TEST(SkinImages, PixelsRectangleAndMissingEntries) {
  TempDir dir;
  CSkinPackageWriter writer;
  // Two pixels: pure red then pure blue, so a swapped channel order shows.
  ASSERT_TRUE(writer.AddPicture(5, {10, 20, 110, 70}, 0, true, 2, 1, {255, 0, 0, 0, 0, 255}));
  writer.AddRect(6, {1, 2, 3, 4}, true);
  ASSERT_TRUE(writer.Write(dir / "korvane.dsc"));
  CSkinPackage package;
  ASSERT_TRUE(package.Open(dir / "korvane.dsc"));

  const QImage image = SkinImage(package, 5);
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 0, 255));
  EXPECT_EQ(SkinRect(package, 5), QRect(10, 20, 100, 50));
  EXPECT_EQ(SkinStripOf(package, 5, 2).CellWidth(), 1);

  EXPECT_TRUE(SkinImage(package, 6).isNull());
  EXPECT_TRUE(SkinImage(package, 7).isNull());
  EXPECT_TRUE(SkinRect(package, 7).isNull());
  EXPECT_TRUE(SkinStripOf(package, 7, 4).IsNull());
}

}  // namespace
