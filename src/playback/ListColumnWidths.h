#pragma once
// How wide each column of a list is, in pixels of the font the list really
// uses. A column wants its definition's width, widened for its longest
// text; when the list is too narrow for all of that, the widening goes
// first, then the room beyond each text, and last one column (the file
// name, whose text the list may shorten) gives way, so that every other
// column stays on screen with its whole text.
#include <vector>

struct ColumnNeed {
  int initial = 0;      // the width the list's definition gives; 0 hides the column
  int header = 0;       // the header text, padding included
  int widest = 0;       // the widest cell, padding (and a check box) included
  bool yields = false;  // gives way first when the list is too narrow
};

// widen: the factor a column's widest text is widened by when that
// outgrows its initial width (1.0: just the text). available: the list's
// width for its columns. A hidden column stays 0. When even the narrowest
// widths do not fit, the list scrolls: no column goes below its header.
std::vector<int> FitColumnWidths(const std::vector<ColumnNeed>& columns, int available, double widen);
