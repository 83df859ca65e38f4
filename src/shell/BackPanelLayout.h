#pragma once
// The back panel's fixed places: what the skin package does not say. All in
// back-panel pixels (1024 x 768); right and bottom are exclusive.
#include <array>
#include <functional>
#include <vector>

struct PanelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

// The smallest rectangle that holds both.
constexpr PanelRect Union(const PanelRect& a, const PanelRect& b) {
  return PanelRect{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                   a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

// The top strip that drags the frame like a title bar.
inline constexpr int kDragStripHeight = 28;
// A double click here stops playback and closes the frame.
inline constexpr PanelRect kCloseCorner{7, 7, 21, 21};
// A click released here opens the maker's homepage.
inline constexpr PanelRect kHomepageMark{875, 38, 1007, 58};
// The speed read-out, cleared and redrawn when the speed source changes.
inline constexpr PanelRect kSpeedReadout{12, 580, 171, 611};
// A right click here offers the speed menu (the MX-H only).
inline constexpr PanelRect kSpeedMenuArea{8, 575, 182, 613};
// The speed caption (42 x 12) and its indicator (11 x 11).
inline constexpr int kSpeedCaptionX = 121;
inline constexpr int kSpeedCaptionY = 576;
inline constexpr int kSpeedIndicatorX = 168;
inline constexpr int kSpeedIndicatorY = 580;
inline constexpr PanelRect kSpeedCaption{kSpeedCaptionX, kSpeedCaptionY, kSpeedCaptionX + 42, kSpeedCaptionY + 12};
inline constexpr PanelRect kSpeedIndicator{kSpeedIndicatorX, kSpeedIndicatorY, kSpeedIndicatorX + 11,
                                           kSpeedIndicatorY + 11};
// The unit under the caption, written by the window in the unit setting's word.
inline constexpr PanelRect kSpeedUnitLabel{110, 591, 174, 607};
// What a redraw of the speed read-out repaints: the read-out with its
// caption, indicator and unit, which reach beyond its frame.
inline constexpr PanelRect kSpeedReadoutRedraw =
    Union(Union(Union(kSpeedReadout, kSpeedCaption), kSpeedIndicator), kSpeedUnitLabel);

// The speed in use, in the gap left of the play buttons.
inline constexpr PanelRect kPlaySpeedText{237, 540, 262, 568};

// The three G-value displays (X, Y, Z): one column for the ordinary layout,
// rearranged around the car-signal display for the MX-H.
std::array<PanelRect, 3> GValueDisplayRects(bool mxhLayout);

// The menu buttons stay left of the divider before the tool buttons.
inline constexpr int kMenuBarRight = 396;

// The menu bar's words in a language: one size for all of them, and the
// buttons' places. A word wider than its button widens it, the buttons
// after it move along at the skin's gaps, all within the bar (up to
// barRight); the size steps down from nominal until the row fits, so the
// English words keep the skin's own places.
struct MenuBarWords {
  int pixelSize = 0;
  std::vector<PanelRect> places;
};
// wordWidth(i, pixels): the room word i needs at that size, padding included.
MenuBarWords LayOutMenuBar(const std::vector<PanelRect>& skinPlaces, int barRight, int nominal, int smallest,
                           const std::function<int(size_t word, int pixels)>& wordWidth);
