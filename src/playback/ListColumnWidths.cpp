#include "playback/ListColumnWidths.h"

#include <algorithm>
#include <numeric>

namespace {

// Its whole text with the definition's width as the least.
int Full(const ColumnNeed& column) { return std::max({column.initial, column.header, column.widest}); }

int Wanted(const ColumnNeed& column, double widen) {
  const int widened = static_cast<int>(column.widest * widen);
  return widened > column.initial ? std::max(Full(column), widened) : Full(column);
}

// A column that does not yield keeps its whole text; the yielding one
// keeps at least its header.
int Narrowest(const ColumnNeed& column) {
  return column.yields ? column.header : std::max(column.header, column.widest);
}

}  // namespace

std::vector<int> FitColumnWidths(const std::vector<ColumnNeed>& columns, int available, double widen) {
  std::vector<int> widths(columns.size(), 0);
  for (size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].initial > 0) widths[c] = Wanted(columns[c], widen);
  }
  // Too wide: every column first gives up its widening, then the others
  // the room their definition had beyond their text, and only then the
  // yielding one shortens its text; each only as far as the list needs.
  enum class Step { kWidening, kDefinition, kYielding };
  for (const Step step : {Step::kWidening, Step::kDefinition, Step::kYielding}) {
    for (size_t c = 0; c < columns.size(); ++c) {
      const int excess = std::accumulate(widths.begin(), widths.end(), 0) - available;
      if (excess <= 0) return widths;
      const ColumnNeed& column = columns[c];
      if (widths[c] == 0) continue;
      int floor = widths[c];
      if (step == Step::kWidening) floor = Full(column);
      if (step == Step::kYielding && column.yields) floor = Narrowest(column);
      if (step == Step::kDefinition && !column.yields) floor = Narrowest(column);
      widths[c] -= std::clamp(widths[c] - floor, 0, excess);
    }
  }
  return widths;
}
