// The check-files dialog over a real pass: it closes by itself when the pass
// is done, with the bar over every file, and its verify box and Cancel
// button decide whether the pass checks (and so removes empty files).

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <fstream>
#include <functional>

#include "playback/ui/DlgCheckFiles.h"
#include "playback/ui/SearchUiSupport.h"
#include "recording/CardFolders.h"
#include "recording/CheckFilesPass.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"

namespace search_ui_test {
namespace {

class DlgCheckFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(WriteSampleCard(root_, SmallCard(1, 1, 1), nullptr, &error)) << error;
    // Too short to hold a picture: a checking pass removes it.
    std::ofstream(empty_, std::ios::binary) << std::string(29, 'x');
  }

  // Runs the Qt runner over a pass, with during() called once the box is up.
  void RunPass(CheckFilesPass& pass, const std::function<void(CDlgCheckFiles&)>& during = {}) {
    ModalWatchdog watchdog(QDialog::Rejected);
    ModalProbe<CDlgCheckFiles> probe([&](CDlgCheckFiles& dialog) {
      title_ = dialog.windowTitle();
      maximum_ = dialog.ProgressBar()->maximum();
      if (during) during(dialog);
      visibleAfterAction_ = dialog.isVisible();
    });
    MakeQtCheckFilesRunner(nullptr)(pass);
  }

  bool Listed(const CheckFilesPass& pass) const {
    const auto& paths = pass.EventPaths();
    return std::find(paths.begin(), paths.end(), empty_.string()) != paths.end();
  }

  TempDir dir_;
  std::filesystem::path root_ = dir_ / "card";
  std::filesystem::path empty_ = EventFolderPath(root_) / "0099.vdd";
  QString title_;
  int maximum_ = -1;
  bool visibleAfterAction_ = false;
};

TEST_F(DlgCheckFilesTest, ATickedPassRemovesEmptyFilesAndTheBoxClosesWhenItIsDone) {
  CheckFilesPass pass(root_.string(), 4);
  RunPass(pass);
  EXPECT_TRUE(pass.IsDone());
  EXPECT_EQ(title_, QStringLiteral("Check Files ..."));
  EXPECT_EQ(maximum_, 4);
  EXPECT_EQ(pass.Progress(), 4);
  EXPECT_FALSE(std::filesystem::exists(empty_));
  EXPECT_FALSE(Listed(pass));
  EXPECT_EQ(pass.EventPaths().size(), 1u);
  EXPECT_EQ(pass.LogPaths().size(), 1u);
}

TEST_F(DlgCheckFilesTest, UntickingTheBoxOrCancelLetsThePassListWithoutChecking) {
  CheckFilesPass unticked(root_.string(), 4);
  RunPass(unticked, [](CDlgCheckFiles& dialog) { dialog.VerifyBox()->setChecked(false); });
  EXPECT_TRUE(unticked.IsDone());
  EXPECT_TRUE(std::filesystem::exists(empty_));
  EXPECT_TRUE(Listed(unticked));

  CheckFilesPass cancelled(root_.string(), 4);
  RunPass(cancelled, [](CDlgCheckFiles& dialog) { dialog.CancelButton()->click(); });
  // Cancel does not close the box; it shows the box unticked.
  EXPECT_TRUE(visibleAfterAction_);
  EXPECT_TRUE(cancelled.IsDone());
  EXPECT_FALSE(cancelled.Verify());
  EXPECT_TRUE(std::filesystem::exists(empty_));
  EXPECT_TRUE(Listed(cancelled));
}

}  // namespace
}  // namespace search_ui_test
