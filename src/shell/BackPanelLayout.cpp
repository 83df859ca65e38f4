#include "shell/BackPanelLayout.h"

#include <algorithm>

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

namespace {

std::vector<PanelRect> Widened(const std::vector<PanelRect>& skinPlaces, int pixels,
                               const std::function<int(size_t, int)>& wordWidth) {
  std::vector<PanelRect> places;
  int shift = 0;
  for (size_t i = 0; i < skinPlaces.size(); ++i) {
    PanelRect place = skinPlaces[i];
    place.left += shift;
    place.right = place.left + std::max(skinPlaces[i].Width(), wordWidth(i, pixels));
    shift = place.right - skinPlaces[i].right;
    places.push_back(place);
  }
  return places;
}

}  // namespace

MenuBarWords LayOutMenuBar(const std::vector<PanelRect>& skinPlaces, int barRight, int nominal, int smallest,
                           const std::function<int(size_t word, int pixels)>& wordWidth) {
  for (int pixels = nominal; pixels >= smallest; --pixels) {
    std::vector<PanelRect> places = Widened(skinPlaces, pixels, wordWidth);
    if (places.empty() || places.back().right <= barRight) return MenuBarWords{pixels, std::move(places)};
  }
  // Not even the smallest size lets the row widen: the skin's places, and
  // each word fits its own.
  return MenuBarWords{smallest, skinPlaces};
}
