#pragma once
// Panels of a fixed size hold texts whose length depends on the language:
// the font steps down, a pixel at a time, until every line fits, so a long
// translation stays readable instead of being cut off.
#include <QFont>
#include <QFontMetrics>
#include <QStringList>

inline QFont FontFitting(QFont font, const QStringList& lines, int width, int smallestPixelSize = 10) {
  for (int size = font.pixelSize(); size > smallestPixelSize; --size) {
    font.setPixelSize(size);
    const QFontMetrics metrics(font);
    bool fits = true;
    for (const QString& line : lines) fits = fits && metrics.horizontalAdvance(line) <= width;
    if (fits) return font;
  }
  font.setPixelSize(smallestPixelSize);
  return font;
}
