#include "playback/ListSort.h"

bool ListSort::ClickHeader(int column) {
  if (column < 0 || column >= kSortableColumns) return false;
  ascending_ = column == column_ ? !ascending_ : true;
  column_ = column;
  return true;
}

std::string ListSort::SortKey(int column, std::string_view text) const {
  if (column != 0 || !numericFirstColumn_ || text.size() >= kNumericWidth) return std::string(text);
  return std::string(kNumericWidth - text.size(), '0').append(text);
}

bool ListSort::Before(std::string_view a, std::string_view b) const {
  const std::string keyA = SortKey(column_, a);
  const std::string keyB = SortKey(column_, b);
  return ascending_ ? keyA < keyB : keyB < keyA;
}
