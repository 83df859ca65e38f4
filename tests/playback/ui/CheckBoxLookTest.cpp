// Ticked, unticked and disabled check boxes must read apart on the dark
// faces: in the log search pane, in the check-files dialog and in the
// check column of the recording lists.
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTreeWidget>
#include <array>
#include <cmath>

#include "playback/ui/DlgCheckFiles.h"
#include "playback/ui/FileListView.h"
#include "playback/ui/PaneLogSearch.h"
#include "playback/ui/PaneUiFixture.h"
#include "recording/CheckFilesPass.h"

namespace pane_ui_test {
namespace {

// The indicator of a check box as it shows on its parent's face.
QImage Indicator(QCheckBox* box) {
  QStyleOptionButton option;
  option.initFrom(box);
  const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
  const QImage shot = box->parentWidget()->grab(box->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
  return shot.copy(indicator);
}

// How far apart two pictures of the same size look: the mean difference of
// their channels, 0..255.
double Apart(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
    }
  }
  return sum / (3.0 * a.width() * a.height());
}

// The brightest pixel: a tick that reads is light on its well.
int Brightest(const QImage& image) {
  int brightest = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) brightest = std::max(brightest, image.pixelColor(x, y).lightness());
  return brightest;
}

// Unticked, ticked, disabled unticked, disabled ticked.
std::array<QImage, 4> FourLooks(QCheckBox* box) {
  std::array<QImage, 4> looks;
  for (int i = 0; i < 4; ++i) {
    box->setEnabled(i < 2);
    box->setChecked(i % 2 == 1);
    looks[static_cast<size_t>(i)] = Indicator(box);
  }
  return looks;
}

void ExpectDistinct(const std::array<QImage, 4>& looks) {
  constexpr double kApart = 12.0;
  const char* const names[] = {"unticked", "ticked", "disabled unticked", "disabled ticked"};
  for (size_t i = 0; i < looks.size(); ++i)
    for (size_t j = i + 1; j < looks.size(); ++j)
      EXPECT_GT(Apart(looks[i], looks[j]), kApart) << names[i] << " looks like " << names[j];
  // The ticked box is the one with the light mark.
  EXPECT_GT(Brightest(looks[1]), 230);
  EXPECT_GT(Brightest(looks[1]), Brightest(looks[3]) + 40);
}

using CheckBoxLookTest = PaneUiTest;

TEST_F(CheckBoxLookTest, TheLogSearchBoxesShowTheirState) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  panel_->show();
  ExpectDistinct(FourLooks(panel_->LogSearchPane()->SpeedCheck()));
}

TEST_F(CheckBoxLookTest, TheCheckFilesVerifyBoxShowsItsState) {
  CheckFilesPass pass((dir_ / "card").string(), 1);
  CDlgCheckFiles dialog(pass, nullptr);
  dialog.show();
  ExpectDistinct(FourLooks(dialog.VerifyBox()));
}

TEST_F(CheckBoxLookTest, TheListsCheckColumnShowsTheRowsState) {
  CFileListView list(1025, FileListKind::kEvent, nullptr);
  list.SetModel(&engine_->List(FileListKind::kEvent));
  list.resize(400, 200);
  list.show();
  ASSERT_GE(list.topLevelItemCount(), 2);
  engine_->List(FileListKind::kEvent).SetChecked(1, true);
  list.RenderChecks();
  const auto checkCell = [&list](int row) {
    const QRect cell = list.visualItemRect(list.topLevelItem(row));
    const QImage shot = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return shot.copy(cell.left(), cell.top(), cell.height(), cell.height());
  };
  const QImage unticked = checkCell(0);
  const QImage ticked = checkCell(1);
  EXPECT_GT(Apart(unticked, ticked), 6.0);
  EXPECT_GT(Brightest(ticked), 230);
}

}  // namespace
}  // namespace pane_ui_test
