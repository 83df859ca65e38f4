// The log search pane over loaded logs: the controls feed the search, the
// result list shows its rows, and a row click shows its record; the log
// info pane paints that record.

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTreeWidget>

#include "playback/ui/PaneLogInfo.h"
#include "playback/ui/PaneLogSearch.h"
#include "playback/ui/PaneUiFixture.h"
#include "skin/ui/AppFonts.h"

namespace pane_ui_test {
namespace {

class PaneLogSearchTest : public PaneUiTest {
 protected:
  CPaneLogSearch& Pane() { return *panel_->LogSearchPane(); }
  QTreeWidget& List() { return *Pane().ResultList(); }

  void ClickRow(int row) {
    QTreeWidgetItem* item = List().topLevelItem(row);
    ASSERT_NE(item, nullptr);
    List().scrollToItem(item);
    const QRect cell = List().visualItemRect(item);
    Press(List().viewport(), cell.center(), Qt::LeftButton);
  }
};

TEST_F(PaneLogSearchTest, ColumnsAndDefaultFields) {
  QTreeWidget& list = List();
  ASSERT_EQ(list.columnCount(), 4);
  EXPECT_EQ(list.headerItem()->text(0), "No.");
  EXPECT_EQ(list.headerItem()->text(1), "Date Time");
  EXPECT_EQ(list.headerItem()->text(3), "Event Type");
  EXPECT_TRUE(list.isColumnHidden(2));
  EXPECT_FALSE(list.isSortingEnabled());
  EXPECT_EQ(Pane().SpeedEdit()->text(), "60");
  EXPECT_EQ(Pane().AxisEdit(2)->text(), "0.40");
  EXPECT_EQ(Pane().SpeedCheck()->text(), "GPS Speed over");
  EXPECT_EQ(Pane().AxisCheck(1)->text(), "G-Sensor Y value over");
  EXPECT_EQ(Pane().SearchButton()->toolTip(), "Search Log");
}

// The result list reads like the recording lists: their font, and every
// column on screen with its header and (but for the event type, which may
// be shortened) its texts whole, in the pane the log layout gives it.
TEST_F(PaneLogSearchTest, TheResultColumnsShowWholeInTheListsFont) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  panel_->show();
  QTreeWidget& list = List();
  EXPECT_EQ(list.font().pixelSize(), AppFont(AppFontId::kNormal).pixelSize());
  Pane().SpeedCheck()->setChecked(true);
  Pane().SpeedEdit()->setText(QStringLiteral("1"));
  Pane().Search();
  ASSERT_GT(list.topLevelItemCount(), 0);

  const QFontMetrics headers(list.header()->font());
  const QFontMetrics cells(list.font());
  int right = 0;
  for (int column : {0, 1, 3}) {
    const int width = list.columnWidth(column);
    EXPECT_GT(width, headers.horizontalAdvance(list.headerItem()->text(column))) << column;
    if (column != 3) {
      EXPECT_GT(width, cells.horizontalAdvance(list.topLevelItem(0)->text(column))) << column;
    }
    right = std::max(right, list.header()->sectionViewportPosition(column) + width);
  }
  EXPECT_LE(right, list.viewport()->width());
}

// More results than fit: the list runs down to the pane's foot and its
// rows fill it, no scroll bar across taking one of them.
TEST_F(PaneLogSearchTest, TheResultRowsFillThePanesHeight) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  panel_->show();
  Pane().AccelerationCheck()->setChecked(true);
  Pane().AxisCheck(0)->setChecked(true);
  Pane().AxisEdit(0)->setText("0");
  Pane().Search();
  QTreeWidget& list = List();
  const int rowHeight = list.visualItemRect(list.topLevelItem(0)).height();
  ASSERT_GT(rowHeight, 0);
  ASSERT_GT(list.topLevelItemCount() * rowHeight, list.viewport()->height());

  constexpr int kMostMargin = 8;
  EXPECT_GE(list.geometry().bottom(), Pane().height() - kMostMargin);
  EXPECT_FALSE(list.horizontalScrollBar()->isVisible());
  const int lastShown = list.indexAt(QPoint(1, list.viewport()->height() - 1)).row();
  EXPECT_EQ(lastShown, (list.viewport()->height() - 1) / rowHeight);
}

TEST_F(PaneLogSearchTest, SearchFillsTheListAndWritesEmptyFieldsBack) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  Pane().AccelerationCheck()->setChecked(true);
  Pane().AxisCheck(0)->setChecked(true);
  Pane().AxisEdit(0)->setText("");
  Pane().SpeedEdit()->setText("");

  Pane().Search();
  const LogSearchFields& fields = engine_->SearchFields();
  EXPECT_TRUE(fields.accelChecked);
  EXPECT_TRUE(fields.axisChecked[0]);
  EXPECT_FALSE(fields.axisChecked[1]);
  EXPECT_EQ(Pane().AxisEdit(0)->text(), "0.00");
  EXPECT_EQ(Pane().SpeedEdit()->text(), "0");

  // X over 0 matches every record.
  const std::vector<LogSearchRow>& rows = engine_->SearchRows();
  ASSERT_EQ(rows.size(), static_cast<size_t>(store_.Logs()[0]->RecordCount()));
  ASSERT_EQ(List().topLevelItemCount(), static_cast<int>(rows.size()));
  QTreeWidgetItem* last = List().topLevelItem(static_cast<int>(rows.size()) - 1);
  EXPECT_EQ(last->text(0).toStdString(), rows.back().no);
  EXPECT_EQ(last->text(1).toStdString(), rows.back().dateTime);
  EXPECT_EQ(last->text(2).toStdString(), rows.back().recordText);

  // A stricter search replaces the rows.
  Pane().AxisEdit(0)->setText("9.00");
  Pane().Search();
  EXPECT_EQ(List().topLevelItemCount(), 0);
}

TEST_F(PaneLogSearchTest, RowClickShowsItsRecordUnderTheCursorAndInTheInfoPane) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  panel_->show();
  Pane().AccelerationCheck()->setChecked(true);
  Pane().AxisCheck(2)->setChecked(true);
  Pane().AxisEdit(2)->setText("0.00");
  Pane().Search();
  const std::vector<LogSearchRow>& rows = engine_->SearchRows();
  ASSERT_GT(rows.size(), 12U);
  const int cursorBefore = engine_->LogGraph().CurrentIndex();
  const QStringList infoBefore = panel_->LogInfoPane()->Rows();

  ClickRow(12);
  const LogRecordView& records = engine_->LogRecords();
  EXPECT_EQ(records.LogIndex(), rows[12].log);
  EXPECT_EQ(records.RecordIndex(), rows[12].record);
  EXPECT_NE(engine_->LogGraph().CurrentIndex(), cursorBefore);
  const QStringList info = panel_->LogInfoPane()->Rows();
  ASSERT_EQ(info.size(), 6);
  EXPECT_NE(info, infoBefore);
  EXPECT_TRUE(info[0].startsWith("EVENT File: ")) << info[0].toStdString();
  EXPECT_EQ(info[1].toStdString(), records.Texts(SpeedUnit::kKmh).recorderTime.Text());
  EXPECT_TRUE(info[5].startsWith("Speed:")) << info[5].toStdString();
}

TEST_F(PaneLogSearchTest, CloseEmptiesTheList) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  Pane().AccelerationCheck()->setChecked(true);
  Pane().AxisCheck(0)->setChecked(true);
  Pane().AxisEdit(0)->setText("0");
  Pane().Search();
  ASSERT_GT(List().topLevelItemCount(), 0);
  engine_->Close();
  EXPECT_EQ(List().topLevelItemCount(), 0);
}

}  // namespace
}  // namespace pane_ui_test
