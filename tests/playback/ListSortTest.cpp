// The recording lists' rows: header-click sorting, the numeric No. column,
// and the check marks, selection and focus that travel with their rows.

#include <gtest/gtest.h>

#include "playback/ListEvent.h"

namespace {

std::vector<FileListRow> Rows(const std::vector<std::pair<std::string, std::string>>& noAndTitle) {
  std::vector<FileListRow> rows;
  for (const auto& [no, title] : noAndTitle) {
    FileListRow row;
    row.no = no;
    row.title = title;
    row.type = "G-Sensor";
    row.path = "/card/ch1/event/" + title + ".vdd";
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> Column(const CListEvent& list, int column) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.RowCount(); ++i) texts.push_back(list.Row(i)->columns[static_cast<size_t>(column)]);
  return texts;
}

using Texts = std::vector<std::string>;

TEST(ListSortTest, NumberColumnSortsByValueAndTogglesDirection) {
  CListEvent list(FileListKind::kEvent);
  list.Fill(Rows({{"10", "0010,a"}, {"2", "0002,b"}, {"1", "0001,c"}, {"100", "0100,d"}}));

  ASSERT_TRUE(list.ClickHeader(kListColumnNo));
  EXPECT_EQ(Column(list, kListColumnNo), (Texts{"1", "2", "10", "100"}));
  EXPECT_TRUE(list.Sort().Ascending());
  ASSERT_TRUE(list.ClickHeader(kListColumnNo));
  EXPECT_EQ(Column(list, kListColumnNo), (Texts{"100", "10", "2", "1"}));

  // Another column starts ascending again, and compares as plain text.
  list.Fill(Rows({{"1", "b10"}, {"2", "b2"}, {"3", "a"}}));
  ASSERT_TRUE(list.ClickHeader(kListColumnFile));
  EXPECT_TRUE(list.Sort().Ascending());
  EXPECT_EQ(Column(list, kListColumnFile), (Texts{"a", "b10", "b2"}));
}

TEST(ListSortTest, NumericKeyPadsToTenCharacters) {
  const ListSort sort;
  EXPECT_EQ(sort.SortKey(0, "12"), "0000000012");
  EXPECT_EQ(sort.SortKey(0, "12345678901"), "12345678901");
  EXPECT_EQ(sort.SortKey(1, "12"), "12");
  EXPECT_EQ(ListSort(false).SortKey(0, "12"), "12");
}

TEST(ListSortTest, RowsKeepCheckMarksSelectionAndFocus) {
  CListEvent list(FileListKind::kEvent);
  list.Fill(Rows({{"10", "0010,a"}, {"2", "0002,b"}, {"1", "0001,c"}}));
  list.SetChecked(0, true);  // "10"
  list.Select(1);            // "2"

  list.ClickHeader(kListColumnNo);
  ASSERT_EQ(Column(list, kListColumnNo), (Texts{"1", "2", "10"}));
  EXPECT_FALSE(list.Row(0)->checked);
  EXPECT_TRUE(list.Row(1)->selected);
  EXPECT_TRUE(list.Row(1)->focused);
  EXPECT_TRUE(list.Row(2)->checked);
  EXPECT_EQ(list.SelectedRow(), 1);
  EXPECT_EQ(list.CheckedPaths(), (Texts{"/card/ch1/event/0010,a.vdd"}));
}

TEST(ListSortTest, EqualTextsKeepTheirOrderInBothDirections) {
  CListEvent list(FileListKind::kEvent);
  list.Fill(Rows({{"1", "x"}, {"2", "y"}, {"3", "x"}, {"4", "y"}}));
  list.ClickHeader(kListColumnInfo);  // every type is the same
  EXPECT_EQ(Column(list, kListColumnNo), (Texts{"1", "2", "3", "4"}));
  list.ClickHeader(kListColumnInfo);
  EXPECT_EQ(Column(list, kListColumnNo), (Texts{"1", "2", "3", "4"}));

  list.ClickHeader(kListColumnFile);
  EXPECT_EQ(Column(list, kListColumnNo), (Texts{"1", "3", "2", "4"}));
  list.ClickHeader(kListColumnFile);
  EXPECT_EQ(Column(list, kListColumnNo), (Texts{"2", "4", "1", "3"}));
}

TEST(ListSortTest, HiddenColumnsDoNotSort) {
  CListEvent list(FileListKind::kEvent);
  list.Fill(Rows({{"2", "b"}, {"1", "a"}}));
  EXPECT_FALSE(list.ClickHeader(kListColumnDrid));
  EXPECT_FALSE(list.ClickHeader(-1));
  EXPECT_EQ(Column(list, kListColumnNo), (Texts{"2", "1"}));
  EXPECT_EQ(list.Sort().Column(), -1);
}

TEST(ListSortTest, ClickOutsideTheCheckColumnTogglesTheRow) {
  CListEvent list(FileListKind::kNormal);
  list.Fill(Rows({{"1", "a"}, {"2", "b"}}));
  list.ClickRow(1, kListColumnFile);
  EXPECT_TRUE(list.Row(1)->checked);
  EXPECT_EQ(list.SelectedRow(), 1);
  list.ClickRow(1, kListColumnInfo);
  EXPECT_FALSE(list.Row(1)->checked);

  list.ClickRow(0, kListColumnNo);  // the check box column: the list view's own
  list.ClickRow(5, kListColumnFile);
  EXPECT_FALSE(list.AnyChecked());
  EXPECT_EQ(list.SelectedRow(), 1);
}

TEST(ListSortTest, FillTakesTheKindsInfoColumn) {
  std::vector<FileListRow> rows = Rows({{"1", "a"}});
  rows[0].duration = "3 Sec";
  CListEvent events(FileListKind::kEvent);
  CListEvent normals(FileListKind::kNormal);
  events.Fill(rows);
  normals.Fill(rows);
  EXPECT_EQ(events.Row(0)->columns[kListColumnInfo], "G-Sensor");
  EXPECT_EQ(normals.Row(0)->columns[kListColumnInfo], "3 Sec");
  EXPECT_EQ(normals.Row(0)->Path(), "/card/ch1/event/a.vdd");
}

}  // namespace
