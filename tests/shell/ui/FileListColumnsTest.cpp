// The recording lists in the window as it opens at 1024 x 768: every
// column shows its texts whole, the file names too, in English and in the
// shipped translation, and the English columns are all on screen.
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <filesystem>
#include <string>

#include "base/MgrMultiLang.h"
#include "playback/ui/FileListView.h"
#include "shell/ui/MainWindowFixture.h"

namespace main_window_test {
namespace {

class FileListColumnsTest : public MainWindowTest {
 protected:
  void ExpectEveryColumnWhole(const std::string& language) {
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
            << language << " " << static_cast<int>(kind) << " column " << column;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
          EXPECT_GT(width, cells.horizontalAdvance(list->CellText(row, column)))
              << language << " " << static_cast<int>(kind) << " column " << column << " row " << row;
      }
      // Longer words may take the columns past the list's side: it scrolls
      // to them then; the English ones fit.
      if (right > list->viewport()->width()) {
        EXPECT_FALSE(language.empty()) << static_cast<int>(kind);
        EXPECT_GT(list->horizontalScrollBar()->maximum(), 0) << language << " " << static_cast<int>(kind);
      }
    }
  }
};

TEST_F(FileListColumnsTest, EveryColumnShowsAtTheWindowsSize) {
  const std::string chosen = LangFilePath();
  for (const char* language : {"", "kelbrinlang_de.ini"}) {
    SetLangFilePath(*language ? (std::filesystem::path(KORVANE_SOURCE_DIR) / "resources" / "lang" / language).string()
                              : std::string());
    ExpectEveryColumnWhole(language);
  }
  SetLangFilePath(chosen);
  ASSERT_TRUE(OpenCard());
  // A minute of normal recording reads as such.
  Search().ShowFileList(FileListKind::kNormal);
  EXPECT_EQ(Search().FileListWidget(FileListKind::kNormal)->CellText(0, kListColumnInfo), QStringLiteral("1 Min"));
}

}  // namespace
}  // namespace main_window_test
