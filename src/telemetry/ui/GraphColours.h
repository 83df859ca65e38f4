#pragma once
// The colour set of the G-sensor graph control and its plot.
#include <QColor>

namespace graph_colours {

inline const QColor kControlBackground(150, 150, 150);
inline const QColor kPlotBackground(50, 50, 50);
inline const QColor kGrid(100, 100, 100);
inline const QColor kValueLabel(30, 30, 30);
inline const QColor kMark(200, 200, 200);
inline const QColor kTimeText(255, 255, 0);
// A hard moment's peak: apart from the grey event marks and the three curves.
inline const QColor kHardMark(255, 150, 0);
// Keeps the yellow time texts readable on the light control background.
inline const QColor kTimeShadow(30, 30, 30);
inline const QColor kCursor(255, 255, 255);
inline const QColor kCurveX(255, 0, 0);
inline const QColor kCurveY(0, 255, 0);
inline const QColor kCurveZ(0, 0, 255);

}  // namespace graph_colours
