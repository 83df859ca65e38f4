// The recording lists in the window as it opens at 1024 x 768: every
// column is on screen, and Type and Duration show their texts whole; the
// file name is the one that may be shortened.
#include <QFontMetrics>
#include <QHeaderView>

#include "playback/ui/FileListView.h"
#include "shell/ui/MainWindowFixture.h"

namespace main_window_test {
namespace {

using FileListColumnsTest = MainWindowTest;

TEST_F(FileListColumnsTest, EveryColumnShowsAtTheWindowsSize) {
  ASSERT_TRUE(OpenCard());
  ASSERT_EQ(frame_->size(), QSize(1024, 768));
  for (FileListKind kind : {FileListKind::kEvent, FileListKind::kNormal, FileListKind::kLog}) {
    Search().ShowFileList(kind);
    CFileListView* list = Search().FileListWidget(kind);
    ASSERT_TRUE(list->isVisible());
    ASSERT_GT(list->topLevelItemCount(), 0);
    const QFontMetrics headers(list->header()->font());
    const QFontMetrics cells(list->font());
    int right = 0;
    for (int column : {kListColumnNo, kListColumnFile, kListColumnInfo}) {
      const int width = list->columnWidth(column);
      right = std::max(right, list->header()->sectionViewportPosition(column) + width);
      EXPECT_GT(width, headers.horizontalAdvance(list->HeaderText(column)))
          << static_cast<int>(kind) << " column " << column;
      if (column == kListColumnFile) continue;
      for (int row = 0; row < list->topLevelItemCount(); ++row)
        EXPECT_GT(width, cells.horizontalAdvance(list->CellText(row, column)))
            << static_cast<int>(kind) << " column " << column << " row " << row;
    }
    EXPECT_LE(right, list->viewport()->width()) << static_cast<int>(kind);
  }
  // A minute of normal recording reads as such.
  Search().ShowFileList(FileListKind::kNormal);
  EXPECT_EQ(Search().FileListWidget(FileListKind::kNormal)->CellText(0, kListColumnInfo), QStringLiteral("1 Min"));
}

}  // namespace
}  // namespace main_window_test
