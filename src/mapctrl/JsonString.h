#pragma once
// A text as a JSON string literal, quotes included. Also safe inside a
// script element and as a script argument: "<", ">" and "&" are escaped, so
// no text can end the element or the call it stands in.

#include <string>
#include <string_view>

std::string JsonString(std::string_view text);
