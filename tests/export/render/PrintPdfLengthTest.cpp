// A print of any length: the pages go out one by one, holding only the
// page being drawn, so a long print neither runs out of memory nor fails.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>
#include <regex>

#include "../ExportTestSupport.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "export/PrintPages.h"
#include "export/render/PrintPagePainter.h"
#include "export/render/PrintPdf.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

constexpr DateTime kStart{2012, 5, 4, 3, 10, 15, 30, 0};
constexpr int kFrames = 1200;

class PrintPdfLengthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLangFilePath("");
    SampleVideoRecipe recipe;
    recipe.start = kStart;
    recipe.fps = 10;
    recipe.seconds = kFrames / recipe.fps;
    recipe.width = 64;
    recipe.height = 48;
    sample_ = MakeSampleVideo(recipe);
    std::string error;
    ASSERT_TRUE(WriteSampleVideo(dir_.path(), &sample_, &error)) << error;
    LoadVideo(sample_.dataPath, video_);
    ASSERT_EQ(video_.FrameCount(), kFrames);
  }

  ZoneGuard zone_;
  TempDir dir_;
  SampleVideo sample_;
  CInfoEventFile video_;
};

TEST_F(PrintPdfLengthTest, EveryPageOfALongPrintIsWrittenHoldingOnlyOnePagesPictures) {
  JpegSelection all;
  all.kind = kJpegAllImages;
  PrintDocument document(video_, all, {}, kDefaultModelId, -1);
  struct Case {
    int layout;
    int pages;
    std::size_t mostHeld;
  };
  for (const Case c : {Case{kPrintLayoutOne, kFrames, 1}, Case{kPrintLayoutFour, kFrames / 4, 4}}) {
    SCOPED_TRACE(c.layout);
    document.SetLayout(c.layout);
    ASSERT_EQ(document.PageCount(), c.pages);

    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter writer(&sink);
    writer.setResolution(72);
    PrintPagePainter painter(document);
    ASSERT_TRUE(painter.PaintAll(writer));
    EXPECT_LE(painter.HeldPictures(), c.mostHeld);

    const auto pdf = dir_ / ("print-" + std::to_string(c.layout) + ".pdf");
    std::string error;
    ASSERT_TRUE(WritePrintPdf(document, pdf.string(), Overwrite::kReplace, OutputGuard{}, 72, {}, error)) << error;
    std::smatch pages;
    const std::string info = RunShell("pdfinfo " + ShellQuote(pdf.string())).out;
    ASSERT_TRUE(std::regex_search(info, pages, std::regex("Pages:\\s+(\\d+)"))) << info;
    EXPECT_EQ(std::stoi(pages[1]), c.pages);
  }
}

}  // namespace
