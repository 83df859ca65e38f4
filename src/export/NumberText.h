#pragma once
// Numbers written into export files, independent of the process's locale
// (the window runs with the user's, where "%f" may print a decimal comma).

#include <cstdint>
#include <string>

// "%.*f": decimals after the point, rounded as printf rounds.
void AppendFixed(std::string& out, double value, int decimals);
// "%d".
void AppendInt(std::string& out, int64_t value);
// "%.2d": at least two digits.
void AppendTwoDigits(std::string& out, int value);
// "%.2X": two upper-case hexadecimal digits of the low byte.
void AppendHexByte(std::string& out, int value);

// The same, as a new string.
std::string FixedText(double value, int decimals);
