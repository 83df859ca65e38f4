#include "cli/JsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMinDecimals = 6;
constexpr int kMaxDecimals = 12;

// Text from a card (names, recorder ids, settings values) need not be UTF-8.
// JSON must be, so a byte that is no part of a valid sequence becomes U+FFFD
// instead of failing the whole document.
std::string Dump(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

void Indent(std::string& out, int depth) { out.append(static_cast<size_t>(depth) * 2, ' '); }

void WriteValue(std::string& out, const Json& value, int depth) {
  switch (value.type()) {
    case Json::value_t::object: {
      if (value.empty()) {
        out += "{}";
        return;
      }
      out += "{\n";
      size_t i = 0;
      for (const auto& [key, item] : value.items()) {
        Indent(out, depth + 1);
        out += Dump(Json(key));
        out += ": ";
        WriteValue(out, item, depth + 1);
        out += ++i < value.size() ? ",\n" : "\n";
      }
      Indent(out, depth);
      out += "}";
      return;
    }
    case Json::value_t::array: {
      if (value.empty()) {
        out += "[]";
        return;
      }
      // Short arrays of numbers (G values, dates) stay on one line.
      const bool flat =
          value.size() <= 8 && std::all_of(value.begin(), value.end(), [](const Json& v) { return v.is_number(); });
      out += flat ? "[" : "[\n";
      for (size_t i = 0; i < value.size(); ++i) {
        if (!flat) Indent(out, depth + 1);
        WriteValue(out, value[i], depth + 1);
        if (i + 1 < value.size()) out += flat ? ", " : ",\n";
      }
      if (!flat) {
        out += "\n";
        Indent(out, depth);
      }
      out += "]";
      return;
    }
    case Json::value_t::number_float:
      out += FormatNumber(value.get<double>());
      return;
    default:
      out += Dump(value);
      return;
  }
}

}  // namespace

double JsonFloat(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  *result.ptr = '\0';
  return std::strtod(text, nullptr);
}

std::string FormatNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[64];
  for (int decimals = kMinDecimals; decimals <= kMaxDecimals; ++decimals) {
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

std::string WriteJson(const Json& document) {
  std::string out;
  WriteValue(out, document, 0);
  out += "\n";
  return out;
}

Json DateTimeJson(const DateTime& t) {
  return Json::array({t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds});
}
