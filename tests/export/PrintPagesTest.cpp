// The printed pages: which frames go on which page, every row of a frame's
// block in its printed form, and the rules a printer choice is held to.

#include <gtest/gtest.h>

#include "ExportTestSupport.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "export/PrintPages.h"
#include "export/PrintSetup.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

// 2012-05-03 (a Thursday) 10:15:30
constexpr DateTime kStart{2012, 5, 4, 3, 10, 15, 30, 0};

std::vector<std::string> Values(const PrintBlock& block) {
  std::vector<std::string> values;
  for (const PrintLine& line : block.lines) values.push_back(line.label + "|" + line.value);
  return values;
}

FRAMEINFOVIDEO FrameWithFix() {
  FRAMEINFOVIDEO frame;
  frame.time = kStart;
  frame.gX = 0.125f;
  frame.gY = -1.5f;
  frame.gZ = 0.98f;
  frame.gps.valid = 1;
  frame.gps.latHemi = 'N';
  frame.gps.latDeg = 37;
  frame.gps.latMin = 5;
  frame.gps.latSec = 7.25f;
  frame.gps.lonHemi = 'E';
  frame.gps.lonDeg = 127;
  frame.gps.lonMin = 1;
  frame.gps.lonSec = 45.5f;
  frame.gps.speed = 54;
  return frame;
}

PrintBlockSource Source(int model = kDefaultModelId) {
  PrintBlockSource source;
  source.drid = "DR-0042";
  source.sdid = "SD-7";
  source.fileName = "E_0001.vdd";
  source.frameCount = 120;
  source.model = model;
  source.pulseType = 2;
  return source;
}

class PrintBlockTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLangFilePath(""); }
  PrintTexts texts_;
};

TEST_F(PrintBlockTest, AFrameWithAFixPrintsEveryRowInOrder) {
  const DateTime gps{2012, 5, 4, 3, 8, 15, 29, 0};
  const PrintBlock block = MakePrintBlock(texts_, Source(), FrameWithFix(), 4, &gps);
  EXPECT_EQ(block.frame, 4);
  EXPECT_EQ(Values(block), (std::vector<std::string>{
                               "Recorder ID|: DR-0042",
                               "SD Card ID|: SD-7",
                               "File Name|: E_0001.vdd",
                               "Frame No.|: 5/120",
                               "Rec Time (Recorder)|",
                               "Recorder Time|: 2012.05.03(Thu)  10:15:30",
                               "Rec Time (GPS)|",
                               "GPS Time|: 2012.05.03(Thu)  08:15:29",
                               "Acceleration|: X 0.12 , Y -1.50 , Z 0.98",
                               "GPS Coordinate|",
                               "Datum WGS84|: WGS84",
                               "| 37\xC2\xB0"
                               "05' 07.25\" N",
                               "|127\xC2\xB0"
                               "01' 45.50\" E",
                               "Speed|: 54 km/h",
                           }));
  EXPECT_FALSE(block.lines[3].Heading());
  EXPECT_TRUE(block.lines[4].Heading());
  EXPECT_TRUE(block.lines[5].subRow);
  EXPECT_TRUE(block.lamps.empty());
}

TEST_F(PrintBlockTest, WithoutAFixOrGpsClockThePlaceholdersStand) {
  FRAMEINFOVIDEO frame = FrameWithFix();
  frame.gps.valid = 0;
  const std::vector<std::string> rows = Values(MakePrintBlock(texts_, Source(), frame, 0));
  EXPECT_EQ(rows[7], "GPS Time|: ----.--.--(-) --:--:--");
  EXPECT_EQ(rows[11], "| --\xC2\xB0--' --.--\" N");
  EXPECT_EQ(rows[12], "|---\xC2\xB0--' --.--\" E");
  EXPECT_EQ(rows[13], "Speed|: - km/h");
}

TEST_F(PrintBlockTest, SouthAndWestKeepTheirLettersAndPadding) {
  FRAMEINFOVIDEO frame = FrameWithFix();
  frame.gps.latHemi = 'S';
  frame.gps.latDeg = 3;
  frame.gps.latSec = 59.996f;  // rounds up to the field's width, as printf does
  frame.gps.lonHemi = 'W';
  frame.gps.lonDeg = 8;
  frame.gps.lonMin = 30;
  frame.gps.lonSec = 0;
  EXPECT_EQ(PrintLatitudeText(frame.gps),
            " 03\xC2\xB0"
            "05' 60.00\" S");
  EXPECT_EQ(PrintLongitudeText(frame.gps),
            "008\xC2\xB0"
            "30' 00.00\" W");
}

TEST_F(PrintBlockTest, TheMxhAddsTheCarPulseAndItsFourLamps) {
  FRAMEINFOVIDEO frame = FrameWithFix();
  frame.pulse = 300;
  frame.signal = 0x01 | 0x08;  // brake and left
  const PrintBlock block = MakePrintBlock(texts_, Source(kMxHModelId), frame, 0);
  ASSERT_EQ(block.lines.size(), 16u);
  EXPECT_EQ(block.lines[14].label, "Car Pulse");
  EXPECT_EQ(block.lines[14].value,
            ": " + std::to_string(CMgrDBSearch::PulseToKmhFor(2, 300)) + " km/h [300 pulse/sec]");
  EXPECT_EQ(block.lines[15].label, "Car Signal");
  EXPECT_TRUE(block.lines[15].lamps);
  EXPECT_FALSE(block.lines[15].Heading());
  ASSERT_EQ(block.lamps.size(), 4u);
  EXPECT_EQ(block.lamps[0].name, "Brake");
  EXPECT_EQ(block.lamps[1].name, "Emergency Light");
  EXPECT_EQ(block.lamps[2].name, "Left");
  EXPECT_EQ(block.lamps[3].name, "Right");
  EXPECT_TRUE(block.lamps[0].on);
  EXPECT_FALSE(block.lamps[1].on);
  EXPECT_TRUE(block.lamps[2].on);
  EXPECT_FALSE(block.lamps[3].on);

  frame.signal = 0x02 | 0x04;
  const PrintBlock other = MakePrintBlock(texts_, Source(kMxHModelId), frame, 0);
  EXPECT_FALSE(other.lamps[0].on);
  EXPECT_TRUE(other.lamps[1].on);
  EXPECT_FALSE(other.lamps[2].on);
  EXPECT_TRUE(other.lamps[3].on);
}

TEST_F(PrintBlockTest, AWeekdayOutsideTheWeekPrintsADash) {
  DateTime odd = kStart;
  odd.dayOfWeek = 9;
  EXPECT_EQ(PrintClockText(texts_, &odd), ": 2012.05.03(-)  10:15:30");
}

TEST(PrintFooter, NamesThePageAndTheCount) {
  EXPECT_EQ(PrintFooterText(1, 2), "- 1 / 2 -");
  EXPECT_EQ(PrintFooterText(12, 130), "- 12 / 130 -");
}

TEST(PrintPageCount, OneOrFourFramesAPage) {
  EXPECT_EQ(PrintPageCount(6, kPrintLayoutOne), 6);
  EXPECT_EQ(PrintPageCount(6, kPrintLayoutFour), 2);
  EXPECT_EQ(PrintPageCount(4, kPrintLayoutFour), 1);
  EXPECT_EQ(PrintPageCount(5, kPrintLayoutFour), 2);
  EXPECT_EQ(PrintPageCount(0, kPrintLayoutFour), 0);
  EXPECT_EQ(PrintPageCount(0, kPrintLayoutOne), 0);
}

class PrintDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLangFilePath("");
    SampleVideoRecipe recipe;
    recipe.start = kStart;
    recipe.fps = 2;
    recipe.seconds = 3;
    recipe.width = 64;
    recipe.height = 48;
    sample_ = MakeSampleVideo(recipe);
    std::string error;
    ASSERT_TRUE(WriteSampleVideo(dir_.path(), &sample_, &error)) << error;
    LoadVideo(sample_.dataPath, video_);
    ASSERT_EQ(video_.FrameCount(), 6);
  }

  ZoneGuard zone_;
  TempDir dir_;
  SampleVideo sample_;
  CInfoEventFile video_;
};

TEST_F(PrintDocumentTest, SixFramesInTwoByTwoFillTwoPagesWithTheirFooters) {
  JpegSelection all;
  all.kind = kJpegAllImages;
  PrintDocument document(video_, all, {}, kDefaultModelId, -1);
  EXPECT_EQ(document.Marked(), MarkJpegFrames(video_, all, {}));
  EXPECT_EQ(document.Layout(), kPrintLayoutOne);
  EXPECT_EQ(document.PageCount(), 6);

  document.SetLayout(kPrintLayoutFour);
  ASSERT_EQ(document.PageCount(), 2);
  EXPECT_EQ(document.FramesOfPage(1), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(document.FramesOfPage(2), (std::vector<int>{4, 5}));
  EXPECT_TRUE(document.FramesOfPage(3).empty());
  EXPECT_TRUE(document.FramesOfPage(0).empty());
  EXPECT_EQ(document.Footer(1), "- 1 / 2 -");
  EXPECT_EQ(document.Footer(2), "- 2 / 2 -");

  const std::vector<PrintBlock> blocks = document.BlocksOfPage(2);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].frame, 4);
  EXPECT_EQ(blocks[1].lines[3].value, ": 6/6");
  EXPECT_EQ(blocks[0].lines[0].value, ": " + video_.Drid());
  EXPECT_EQ(blocks[0].lines[2].value, ": " + sample_.dataPath.filename().string());
}

TEST_F(PrintDocumentTest, CurrentImagesPrintTheShownPanesFramesOnly) {
  JpegSelection current;  // kind 0
  const std::vector<int> panes = {3, -1, 1, 99};
  PrintDocument document(video_, current, panes, kDefaultModelId, -1);
  EXPECT_EQ(document.Marked(), (std::vector<int>{1, 3}));
  document.SetLayout(7);  // anything but 2x2 is 1x1
  EXPECT_EQ(document.Layout(), kPrintLayoutOne);
  EXPECT_EQ(document.PageCount(), 2);
}

TEST(PrintSetup, QualityCodesBecomeResolutionsAndEverythingElseIs300) {
  EXPECT_EQ(PrintQualityDpi(kQualityHigh), 1200);
  EXPECT_EQ(PrintQualityDpi(kQualityMedium), 600);
  EXPECT_EQ(PrintQualityDpi(kQualityLow), 300);
  EXPECT_EQ(PrintQualityDpi(kQualityDraft), 150);
  EXPECT_EQ(PrintQualityDpi(600), 300);  // a printer reporting its resolution
  EXPECT_EQ(PrintQualityDpi(0), 300);
  EXPECT_EQ(PrintQualityDpi(-5), 300);
  EXPECT_EQ(PrintQualityOfDpi(150), kQualityDraft);
  EXPECT_EQ(PrintQualityOfDpi(1200), kQualityHigh);
  EXPECT_FALSE(PrintQualityOfDpi(72).has_value());
}

TEST(PrintSetup, LetterBecomesA4AndLandscapeBecomesPortraitWithTheMessage) {
  PrinterChoice choice;
  choice.device = "Office";
  choice.paper = kPaperLetter;
  choice.landscape = true;
  choice.quality = kQualityMedium;
  const PrintSetupOutcome outcome = ApplyPrintSetupRules(choice);
  EXPECT_EQ(outcome.settings.device, "Office");
  EXPECT_EQ(outcome.settings.paper, kPaperA4);
  EXPECT_FALSE(outcome.settings.landscape);
  EXPECT_EQ(outcome.settings.dpi, 600);
  ASSERT_TRUE(outcome.message.has_value());
  EXPECT_EQ(outcome.message->english, "Landscape is not supported.");

  choice.landscape = false;
  EXPECT_FALSE(ApplyPrintSetupRules(choice).message.has_value());
}

}  // namespace
