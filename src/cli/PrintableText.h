#pragma once
// Text from a card, made safe for a terminal and for line-based output: a
// file name or recorder id may hold any byte, and a newline in it would
// split a row in two, an escape sequence would reach the terminal.

#include <string>
#include <string_view>

// text with every control character (C0, DEL, C1), every byte that starts
// no whole UTF-8 sequence, and the backslash itself written as an escape:
// "\n", "\r", "\t", "\\" or "\xNN" for each byte. Other text is kept.
std::string Printable(std::string_view text);

// Printable(text), or "-" for an empty text (an unknown id in a table row).
std::string OrDash(std::string_view text);
