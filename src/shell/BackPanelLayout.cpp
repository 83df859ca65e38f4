#include "shell/BackPanelLayout.h"

namespace {

constexpr int kColumnX = 85;
constexpr int kColumnWidth = 67;
constexpr int kModel9Width = 63;
constexpr int kDisplayHeight = 20;

constexpr PanelRect At(int x, int y, int width) { return PanelRect{x, y, x + width, y + kDisplayHeight}; }

}  // namespace

std::array<PanelRect, 3> GValueDisplayRects(bool model9Layout) {
  if (model9Layout) return {At(115, 655, kModel9Width), At(30, 678, kModel9Width), At(115, 678, kModel9Width)};
  return {At(kColumnX, 622, kColumnWidth), At(kColumnX, 650, kColumnWidth), At(kColumnX, 678, kColumnWidth)};
}
