#pragma once
// The argument texts of the page's script functions, as printf's "%f" and
// "%d" write them in the C locale: the page parses them with a point as the
// decimal sign, whatever the user's locale says.

#include <string>
#include <vector>

// Six digits after the point, no exponent, a minus sign when negative.
std::string CoordinateText(double degrees);
std::string IndexText(int value);

// The five arguments of "addRoute" and "addSingleRoute": latitude,
// longitude, recording, frame and kind.
std::vector<std::string> PointArgTexts(int recording, int frame, int kind, double latitude, double longitude);
