#pragma once
// Where every skin entry sits: one table of rectangles (right and bottom
// exclusive) and visible flags, plus the fixed places of the read-outs that
// the back panel positions itself, so the background can frame them.
#include <QRect>
#include <span>

namespace skin {

struct LayoutRow {
  int entry;
  int left;
  int top;
  int right;
  int bottom;
  bool visible;
};

std::span<const LayoutRow> Layout();
// The entry's rectangle; a null rectangle for an entry not in the table.
QRect RectOf(int entry);

inline constexpr QSize kPanelSize(1024, 768);
inline constexpr int kTitleBarHeight = 28;
inline constexpr QRect kCloseGlyph(7, 7, 13, 13);
inline constexpr QRect kHomepageMark(875, 38, 131, 19);
inline constexpr QRect kSpeedFrame(12, 580, 158, 30);
inline constexpr QRect kSpeedCaption(121, 576, 42, 12);
inline constexpr QRect kSpeedIndicator(168, 580, 11, 11);
// The G-value displays, X, Y, Z.
inline constexpr QRect kGDisplays[3] = {{85, 622, 67, 20}, {85, 650, 67, 20}, {85, 678, 67, 20}};
inline constexpr QRect kGDisplaysModel9[3] = {{115, 655, 63, 20}, {30, 678, 63, 20}, {115, 678, 63, 20}};
inline constexpr int kBottomStripHeight = 40;
inline constexpr int kNarrowStripWidth = 800;

}  // namespace skin
