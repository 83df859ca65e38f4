// Help and homepage: which guide is opened, and what the user is told when
// the guide, a program for it or a web browser is missing.
#include <gtest/gtest.h>

#include "base/MgrMultiLang.h"
#include "platform/DesktopOpener.h"
#include "platform/ScriptedPrompt.h"
#include "shell/HelpAndHomepage.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

class FakeDesktop final : public DesktopOpener {
 public:
  bool OpenFile(const fs::path& file) override {
    files.push_back(file);
    return takes;
  }
  bool OpenUrl(const std::string& url) override {
    urls.push_back(url);
    return takes;
  }
  bool takes = true;
  std::vector<fs::path> files;
  std::vector<std::string> urls;
};

class HelpAndHomepageTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLangFilePath(""); }
  TempDir start_;
  FakeDesktop desktop_;
  ScriptedPrompt prompt_;
};

TEST_F(HelpAndHomepageTest, TheRecordersOwnGuideComesBeforeTheShippedOne) {
  EXPECT_FALSE(FindHelpGuide(start_.path()));
  start_.Write("rvguide.html", "<html></html>");
  EXPECT_EQ(FindHelpGuide(start_.path()), start_ / "rvguide.html");
  start_.Write("rvguide.chm", "ITSF");
  EXPECT_EQ(FindHelpGuide(start_.path()), start_ / "rvguide.chm");
  fs::remove(start_ / "rvguide.chm");
  fs::create_directory(start_ / "rvguide.chm");
  EXPECT_EQ(FindHelpGuide(start_.path()), start_ / "rvguide.html") << "a folder is no guide";
}

TEST_F(HelpAndHomepageTest, WithoutAGuideTheHelpFileIsNamedMissing) {
  EXPECT_FALSE(OpenHelpGuide(start_.path(), desktop_, prompt_));
  EXPECT_TRUE(desktop_.files.empty());
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, "No help file(*.chm)");
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Korvane");
}

TEST_F(HelpAndHomepageTest, AGuideNoProgramTakesIsNotCalledMissing) {
  const fs::path guide = start_.Write("rvguide.html", "<html></html>");
  EXPECT_TRUE(OpenHelpGuide(start_.path(), desktop_, prompt_));
  EXPECT_EQ(desktop_.files, std::vector<fs::path>{guide});
  EXPECT_TRUE(prompt_.ShownBoxes().empty());

  desktop_.takes = false;
  EXPECT_FALSE(OpenHelpGuide(start_.path(), desktop_, prompt_));
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, "No program is set up to open the help file : " + guide.string());
}

TEST_F(HelpAndHomepageTest, AHomepageNoBrowserTakesIsReported) {
  EXPECT_TRUE(OpenHomepage(desktop_, prompt_));
  EXPECT_EQ(desktop_.urls, std::vector<std::string>{std::string(kHomepageUrl)});
  EXPECT_TRUE(prompt_.ShownBoxes().empty());

  desktop_.takes = false;
  EXPECT_FALSE(OpenHomepage(desktop_, prompt_));
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, "No web browser could open the homepage : " + std::string(kHomepageUrl));
}

}  // namespace
