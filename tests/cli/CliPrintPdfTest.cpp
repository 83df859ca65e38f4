// korvane-cli print-pdf on a generated card, read back with poppler's tools:
// the page count and A4 size (pdfinfo), every row of every block on the page
// that holds its frame (pdftotext), and page 1 rendered (pdftoppm).

#include <gtest/gtest.h>

#include <regex>

#include "base/MgrMultiLang.h"
#include "export/ExportTestSupport.h"
#include "export/PrintPages.h"
#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

namespace fs = std::filesystem;

// Runs of white space as one space, none at the ends: pdftotext keeps the
// words of a line, not the spaces that align them.
std::string Squeezed(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\f';
    if (space && (out.empty() || out.back() == ' ')) continue;
    out += space ? ' ' : c;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

class CliPrintPdfTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    SampleCardOptions options;
    options.seed = 5;
    options.events = 1;
    options.normals = 0;
    options.logs = 0;
    options.width = 96;
    options.height = 64;
    card_ = new SampleCard;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(*dir_ / "card", options, card_, &error)) << error;
    fs::create_directories(*dir_ / "data");
  }
  static void TearDownTestSuite() {
    delete card_;
    delete dir_;
  }

  void SetUp() override {
    SetLangFilePath("");
    LoadVideo(Vdd(), video_);
  }

  static fs::path Vdd() { return card_->videos.front().dataPath; }
  static std::string Q(const fs::path& path) { return ShellQuote(path.string()); }

  // korvane-cli with the English defaults; stdout and stderr together.
  static CliRun Print(const std::string& args) {
    return RunShell("env KORVANE_DATA_DIR=" + Q(*dir_ / "data") + " " + ShellQuote(KORVANE_CLI_PATH) + " print-pdf " +
                    Q(Vdd()) + " " + args + " 2>&1");
  }

  static std::string PageText(const fs::path& pdf, int page) {
    const std::string n = std::to_string(page);
    return RunShell("pdftotext -raw -f " + n + " -l " + n + " " + Q(pdf) + " -").out;
  }

  static std::string Info(const fs::path& pdf) { return RunShell("pdfinfo " + Q(pdf)).out; }

  static int Pages(const fs::path& pdf) {
    std::smatch match;
    const std::string info = Info(pdf);
    if (!std::regex_search(info, match, std::regex("Pages:\\s+(\\d+)"))) return -1;
    return std::stoi(match[1]);
  }

  static TempDir* dir_;
  static SampleCard* card_;
  ZoneGuard zone_;
  CInfoEventFile video_;
};

TempDir* CliPrintPdfTest::dir_ = nullptr;
SampleCard* CliPrintPdfTest::card_ = nullptr;

TEST_F(CliPrintPdfTest, EveryBlockStandsOnItsPageOfAnA4Document) {
  const fs::path pdf = *dir_ / "all.pdf";
  const CliRun run = Print("-o " + Q(pdf) + " --all --layout 2 --title 'Crossing A7' --comment 'Case 12-118'");
  ASSERT_EQ(run.exitStatus, 0) << run.out;

  JpegSelection all;
  all.kind = kJpegAllImages;
  PrintDocument expected(video_, all, {}, 0, -1);
  expected.SetLayout(kPrintLayoutFour);
  ASSERT_GE(expected.PageCount(), 2);
  EXPECT_EQ(run.out, pdf.string() + ": " + std::to_string(expected.PageCount()) + " pages\n");
  EXPECT_EQ(Pages(pdf), expected.PageCount());
  EXPECT_NE(Info(pdf).find("(A4)"), std::string::npos) << Info(pdf);

  for (int page = 1; page <= expected.PageCount(); ++page) {
    const std::string text = Squeezed(PageText(pdf, page));
    EXPECT_NE(text.find(expected.Footer(page)), std::string::npos) << page;
    EXPECT_NE(text.find("Crossing A7"), std::string::npos) << page;
    EXPECT_NE(text.find("Case 12-118"), std::string::npos) << page;
    for (const PrintBlock& block : expected.BlocksOfPage(page)) {
      for (const PrintLine& line : block.lines) {
        EXPECT_NE(text.find(Squeezed(line.label)), std::string::npos) << "page " << page << ": " << line.label;
        EXPECT_NE(text.find(Squeezed(line.value)), std::string::npos) << "page " << page << ": " << line.value;
      }
    }
  }
  // A frame's number is on its own page only.
  const std::string lastFrame = ": " + std::to_string(expected.Marked().back() + 1) + "/";
  EXPECT_EQ(PageText(pdf, 1).find(lastFrame), std::string::npos);
  EXPECT_NE(PageText(pdf, expected.PageCount()).find(lastFrame), std::string::npos);
}

TEST_F(CliPrintPdfTest, OneFrameAPageAndPageOneRenders) {
  const fs::path pdf = *dir_ / "selected.pdf";
  const CliRun run = Print("-o " + Q(pdf) + " --selected 2 --seconds 1 --fps 1 --model 9 --dpi 150");
  ASSERT_EQ(run.exitStatus, 0) << run.out;
  JpegSelection selected;
  selected.kind = kJpegSelectedImages;
  selected.startFrame = 2;
  selected.seconds = 1;
  selected.fps = 1;
  selected.everyFrame = false;
  PrintDocument expected(video_, selected, {}, 9, -1);
  ASSERT_EQ(Pages(pdf), expected.PageCount());
  EXPECT_NE(PageText(pdf, 1).find("Car Signal"), std::string::npos);
  EXPECT_NE(PageText(pdf, 1).find("Emergency Light"), std::string::npos);

  const fs::path png = *dir_ / "page";
  ASSERT_EQ(RunShell("pdftoppm -png -r 50 -f 1 -l 1 -singlefile " + Q(pdf) + " " + Q(png)).exitStatus, 0);
  const std::string image = TempDir::Read(png.string() + ".png");
  ASSERT_GT(image.size(), 24u);
  EXPECT_EQ(image.substr(1, 3), "PNG");
}

TEST_F(CliPrintPdfTest, BadChoicesWriteNothing) {
  const fs::path pdf = *dir_ / "bad.pdf";
  EXPECT_NE(Print("-o " + Q(pdf) + " --layout 3").exitStatus, 0);
  EXPECT_NE(Print("-o " + Q(pdf) + " --dpi 72").exitStatus, 0);
  const CliRun outOfRange = Print("-o " + Q(pdf) + " --current 100000");
  EXPECT_EQ(outOfRange.exitStatus, 1);
  EXPECT_EQ(outOfRange.out, "korvane-cli: Invalid value.\n");
  EXPECT_EQ(Print("-o " + Q(*dir_ / "nowhere" / "x.pdf")).exitStatus, 1);
  EXPECT_EQ(Print("-o " + Q(Vdd())).exitStatus, 1);
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_GT(fs::file_size(Vdd()), 0u);
}

}  // namespace
