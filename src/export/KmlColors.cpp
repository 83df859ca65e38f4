#include "export/KmlColors.h"

#include <algorithm>

#include "export/NumberText.h"

bool IsKmlLineColor(int value) {
  return std::find(kKmlLineColors.begin(), kKmlLineColors.end(), value) != kKmlLineColors.end();
}

int KmlLineColorOrFirst(int value) { return IsKmlLineColor(value) ? value : kKmlLineColors.front(); }

std::string KmlColorText(int opacity, int color) {
  const int red = color & 0xFF;
  const int green = (color >> 8) & 0xFF;
  const int blue = (color >> 16) & 0xFF;
  std::string text;
  AppendHexByte(text, opacity);
  AppendHexByte(text, blue);
  AppendHexByte(text, green);
  AppendHexByte(text, red);
  return text;
}
