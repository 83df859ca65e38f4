#pragma once
// The application title: the caption of the start-up message boxes and the
// first word of the version box's title.

#include <string_view>

inline constexpr std::string_view kApplicationTitle = "Korvane";
