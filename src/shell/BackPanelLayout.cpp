#include "shell/BackPanelLayout.h"

namespace {

constexpr int kColumnX = 85;
constexpr int kColumnWidth = 67;
constexpr int kMxHWidth = 63;
constexpr int kDisplayHeight = 20;

constexpr PanelRect At(int x, int y, int width) { return PanelRect{x, y, x + width, y + kDisplayHeight}; }

}  // namespace

std::array<PanelRect, 3> GValueDisplayRects(bool mxhLayout) {
  if (mxhLayout) return {At(115, 655, kMxHWidth), At(30, 678, kMxHWidth), At(115, 678, kMxHWidth)};
  return {At(kColumnX, 622, kColumnWidth), At(kColumnX, 650, kColumnWidth), At(kColumnX, 678, kColumnWidth)};
}
