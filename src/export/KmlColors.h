#pragma once
// The route line colours the KML export offers, as Windows colour values
// 0x00BBGGRR in the order of the dialog's colour list.

#include <array>
#include <string>

inline constexpr std::array<int, 16> kKmlLineColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

bool IsKmlLineColor(int value);

// The list entry a stored colour selects: itself when the list holds it,
// else the first entry.
int KmlLineColorOrFirst(int value);

// KML's aabbggrr colour text of a list colour with an opacity of 0..255.
std::string KmlColorText(int opacity, int color);
