// The delete-files dialog over generated cards: it counts, deletes the
// chosen kind and ends itself with OK; with nothing to delete its bar still
// shows 50 and then 100 before it closes.

#include <gtest/gtest.h>

#include <QProgressBar>
#include <filesystem>
#include <vector>

#include "playback/ui/SearchUiSupport.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"
#include "tools/ui/DlgDelFiles.h"

namespace {

namespace fs = std::filesystem;
using search_ui_test::ModalWatchdog;
using search_ui_test::SmallCard;

int FilesIn(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) count += entry.is_regular_file() ? 1 : 0;
  return count;
}

class DlgDelFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card_, SmallCard(2, 1, 2), nullptr, &error)) << error;
  }

  // Runs the dialog to its end, noting every value its bar shows.
  int Run(CDlgDelFiles& dialog) {
    QObject::connect(dialog.ProgressBar(), &QProgressBar::valueChanged,
                     [this](int value) { values_.push_back(value); });
    ModalWatchdog watchdog(QDialog::Rejected);
    return dialog.exec();
  }

  TempDir dir_;
  fs::path card_ = dir_ / "card";
  std::vector<int> values_;
};

TEST_F(DlgDelFilesTest, LogsOnlyAreDeletedWithTheBarOverEachFileAndTheBoxEndsWithOk) {
  CDlgDelFiles dialog(card_, false, true, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Delete Files ..."));
  EXPECT_EQ(Run(dialog), QDialog::Accepted);
  EXPECT_EQ(dialog.Deleted(), 2);
  EXPECT_EQ(dialog.ProgressBar()->maximum(), 2);
  EXPECT_EQ(values_.back(), 2);
  EXPECT_EQ(FilesIn(card_ / "log"), 0);
  EXPECT_GT(FilesIn(card_ / "ch1/event"), 0);
  EXPECT_TRUE(fs::exists(card_ / "config/set.ini"));
}

TEST_F(DlgDelFilesTest, NothingToDeleteStillShowsHalfThenFullBeforeClosing) {
  CDlgDelFiles first(card_, true, false, nullptr);
  ASSERT_EQ(Run(first), QDialog::Accepted);
  ASSERT_EQ(FilesIn(card_ / "ch1/event") + FilesIn(card_ / "ch1/normal"), 0);

  values_.clear();
  CDlgDelFiles again(card_, true, false, nullptr);
  EXPECT_EQ(Run(again), QDialog::Accepted);
  EXPECT_EQ(again.Deleted(), 0);
  const auto half = std::find(values_.begin(), values_.end(), 50);
  ASSERT_NE(half, values_.end());
  EXPECT_NE(std::find(half, values_.end(), 100), values_.end());
  EXPECT_EQ(again.ProgressBar()->maximum(), 100);
}

}  // namespace
