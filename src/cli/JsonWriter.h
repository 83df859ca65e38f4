#pragma once
// JSON output with the number style scripts expect from us: floating-point
// values always with at least six decimals (more only when six would not
// give the value back), integers as integers.

#include <nlohmann/json.hpp>
#include <string>

#include "platform/DateTime.h"

using Json = nlohmann::ordered_json;

// A 32-bit float as the decimal value it was read as (0.123f stays 0.123,
// not 0.12300000339746475).
double JsonFloat(float value);

// The whole document, indented by two spaces, with a final newline. Bytes
// in strings that are not UTF-8 come out as U+FFFD.
std::string WriteJson(const Json& document);

// One number in the same style, for the CSV output.
std::string FormatNumber(double value);

// A date and time as its eight fields in their struct order.
Json DateTimeJson(const DateTime& time);
