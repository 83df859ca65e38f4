#pragma once
// The digit displays' strips: segment digits, separators, points, symbols
// and small word glyphs, each cell opaque on its display's background.
#include <QColor>
#include <QImage>
#include <QSize>
#include <QStringList>

namespace skin {

// 11 cells: the digits 0 to 9, then the dash.
QImage SegmentDigitStrip(QSize cell, const QColor& background, const QColor& lit, qreal thickness);
// 2 cells: the date separator '.', the colon.
QImage SeparatorStrip(QSize cell, const QColor& background, const QColor& ink);
// 1 cell: the decimal point, at the foot of the cell.
QImage DecimalPointCell(QSize cell, const QColor& background, const QColor& ink);
// 3 cells: degree, minute, second marks.
QImage AngleMarkStrip(QSize cell, const QColor& background, const QColor& ink);
// One cell per word, the word centred at the foot of its cell. firstInk, when
// valid, colours the first word (Sunday).
QImage WordStrip(QSize cell, const QStringList& words, const QColor& background, const QColor& ink, qreal pixelSize,
                 const QColor& firstInk = QColor());

}  // namespace skin
