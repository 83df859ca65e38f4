#pragma once
// The sort rule of the recording lists: a click on a column header sorts by
// that column's text, a second click on the same column reverses the order,
// and the No. column compares as a number.

#include <string>
#include <string_view>

class ListSort {
 public:
  // Columns from here on do not sort.
  static constexpr int kSortableColumns = 4;
  // The No. column's texts are left-padded with zeros to this width, so that
  // "2" sorts before "10".
  static constexpr size_t kNumericWidth = 10;

  explicit ListSort(bool numericFirstColumn = true) : numericFirstColumn_(numericFirstColumn) {}

  // A click on the header of column: the same column reverses the
  // direction, another one starts ascending. False (and nothing changes)
  // for a column that does not sort.
  bool ClickHeader(int column);

  // Whether the text a of the sort column goes before b in the current
  // direction; equal texts keep their order.
  bool Before(std::string_view a, std::string_view b) const;

  // What column's text is compared as.
  std::string SortKey(int column, std::string_view text) const;

  int Column() const { return column_; }
  bool Ascending() const { return ascending_; }

 private:
  int column_ = -1;  // none yet
  bool ascending_ = true;
  bool numericFirstColumn_;
};
