// The skinned list box: item values, row heights, and which selections are
// reported as the user's choice.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QKeyEvent>

#include "skin/ui/VxListBox.h"
#include "skin/ui/VxTestEvents.h"

namespace {

class VxListBoxTest : public ::testing::Test {
 protected:
  VxListBoxTest() : list_(1027, nullptr) {
    list_.resize(300, 200);
    list_.AddRow(" 1,  2021.03.04 05:06:07 [G-Sensor]", 10);
    list_.AddRow(" 2,  2021.03.04 05:07:07 [Manual]", 11);
    list_.AddRow(" 3,  crashed.vdd [Crashed Video]", 12);
    QObject::connect(&list_, &CVxListBox::rowChosen, [this](int row, int value) { chosen_.emplace_back(row, value); });
  }

  QPoint RowCentre(int row) const { return list_.visualItemRect(list_.item(row)).center(); }
  void Click(int row) {
    vx_test::Press(*list_.viewport(), RowCentre(row));
    vx_test::Release(*list_.viewport(), RowCentre(row));
  }
  void Key(Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&list_, &press);
  }

  CVxListBox list_;
  std::vector<std::pair<int, int>> chosen_;
};

using Chosen = std::vector<std::pair<int, int>>;

TEST_F(VxListBoxTest, RowsCarryTheirItemValues) {
  EXPECT_EQ(list_.RowCount(), 3);
  EXPECT_EQ(list_.RowText(2), " 3,  crashed.vdd [Crashed Video]");
  EXPECT_EQ(list_.ItemValue(1), 11);
  EXPECT_EQ(list_.FindItemValue(12), 2);
  EXPECT_EQ(list_.FindItemValue(99), -1);
  EXPECT_EQ(list_.ItemValue(3), -1);
  EXPECT_EQ(list_.RowText(-1), QString());
}

TEST_F(VxListBoxTest, SelectRowFromCodeIsNoChoice) {
  EXPECT_EQ(list_.SelectedRow(), -1);
  EXPECT_TRUE(list_.SelectRow(1));
  EXPECT_EQ(list_.SelectedRow(), 1);
  EXPECT_FALSE(list_.SelectRow(3));
  EXPECT_FALSE(list_.SelectRow(-1));
  EXPECT_EQ(list_.SelectedRow(), 1);
  EXPECT_TRUE(chosen_.empty());
}

TEST_F(VxListBoxTest, ClickChoosesTheRowEvenWhenAlreadyChosen) {
  list_.show();
  Click(2);
  EXPECT_EQ(chosen_, (Chosen{{2, 12}}));
  EXPECT_EQ(list_.SelectedRow(), 2);
  Click(2);
  EXPECT_EQ(chosen_, (Chosen{{2, 12}, {2, 12}}));
  Click(0);
  EXPECT_EQ(chosen_, (Chosen{{2, 12}, {2, 12}, {0, 10}}));
}

TEST_F(VxListBoxTest, ArrowKeysChooseTheNextRow) {
  list_.SelectRow(0);
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  Key(Qt::Key_Up);
  EXPECT_EQ(chosen_, (Chosen{{1, 11}, {2, 12}, {1, 11}}));
  EXPECT_EQ(list_.SelectedRow(), 1);
}

TEST_F(VxListBoxTest, ClearAndFocusAreNoChoice) {
  list_.show();
  list_.Clear();
  list_.AddRow("only", 5);
  list_.setFocus();
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(&list_, &focusIn);
  list_.Clear();
  EXPECT_TRUE(chosen_.empty());
  EXPECT_EQ(list_.RowCount(), 0);
  EXPECT_EQ(list_.SelectedRow(), -1);
}

TEST_F(VxListBoxTest, RowIsTextHeightPlusFourAndNeverBelowTheIcon) {
  list_.show();
  const int textHeight = QFontMetrics(list_.font()).height();
  EXPECT_EQ(list_.visualItemRect(list_.item(0)).height(), textHeight + 4);

  CVxListBox withIcons(1163, nullptr);
  withIcons.setIconSize(QSize(16, textHeight + 10));
  withIcons.AddRow("marker", 0);
  QPixmap icon(16, textHeight + 10);
  icon.fill(Qt::red);
  withIcons.item(0)->setIcon(QIcon(icon));
  withIcons.show();
  EXPECT_EQ(withIcons.visualItemRect(withIcons.item(0)).height(), textHeight + 14);
}

TEST_F(VxListBoxTest, SelectedRowIsLit) {
  // Right of the texts, on the rows' own background.
  const QPoint inRow0(list_.width() - 3, RowCentre(0).y());
  const QPoint inRow1(list_.width() - 3, RowCentre(1).y());
  list_.SelectRow(1);
  const QImage image = vx_test::Paint(list_);
  EXPECT_NE(image.pixelColor(inRow0), image.pixelColor(inRow1));
  list_.SelectRow(0);
  const QImage after = vx_test::Paint(list_);
  EXPECT_EQ(after.pixelColor(inRow0), image.pixelColor(inRow1));
  EXPECT_EQ(after.pixelColor(inRow1), image.pixelColor(inRow0));
}

}  // namespace
