#pragma once
// A word drawn on the skin in its place: the font steps down from its
// nominal size until the word fits the box (on one line, or wrapped at its
// spaces where the place allows), so a longer translation stays whole and
// readable where the English one stood.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

struct SkinTextLook {
  int pixelSize = 11;
  QFont::Weight weight = QFont::DemiBold;
  QColor colour = Qt::white;
  int alignment = Qt::AlignCenter;
  bool wrap = false;
  // Drawn one pixel around the text first, when valid.
  QColor outline;
};

// The look's font at the largest size from its nominal one down at which
// text fits box.
QFont FittedSkinFont(const QString& text, const QRect& box, const SkinTextLook& look);
// The width of text on one line in the look's font at pixelSize.
int SkinTextWidth(const QString& text, const SkinTextLook& look, int pixelSize);
void DrawSkinText(QPainter& painter, const QRect& box, const QString& text, const SkinTextLook& look);
