#include "skin/ui/AppFonts.h"

#include <QApplication>
#include <array>

namespace {

// The pixel heights of the newer platform rule: h for the small fonts, H
// for the heading.
constexpr int kSmallHeight = 15;
constexpr int kHeadingHeight = 20;

std::array<QFont, 5>& Fonts() {
  static std::array<QFont, 5> fonts;
  return fonts;
}

QFont Make(const QFont& base, int pixelHeight, int weight) {
  QFont font(base);
  font.setPixelSize(pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

}  // namespace

void MakeAppFonts() {
  const QFont base = QApplication::font();
  auto& fonts = Fonts();
  fonts[0] = Make(base, kSmallHeight, 500);
  fonts[1] = Make(base, kSmallHeight + 1, 400);
  fonts[2] = Make(base, kSmallHeight + 1, 700);
  fonts[3] = Make(base, kSmallHeight + 3, 700);
  fonts[4] = Make(base, kHeadingHeight, 700);
}

const QFont& AppFont(AppFontId id) {
  static bool made = (MakeAppFonts(), true);
  (void)made;
  return Fonts()[static_cast<size_t>(id)];
}
