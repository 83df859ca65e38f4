#include "mapctrl/JsonString.h"

#include <cstdio>

#include "platform/Utf8.h"

namespace {

void AppendUnicodeEscape(std::string& out, unsigned char c) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
  out += escaped;
}

}  // namespace

std::string JsonString(std::string_view raw) {
  // A name from a card may hold bytes that are no UTF-8; the page's texts
  // hold U+FFFD in their place, as its other texts would show them.
  const std::string text = ValidUtf8(raw);
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '<':
      case '>':
      case '&':
        AppendUnicodeEscape(out, c);
        break;
      default:
        if (c < 0x20) {
          AppendUnicodeEscape(out, c);
        } else {
          out += ch;
        }
    }
  }
  // U+2028 and U+2029 end a line in older script engines; they pass through
  // as escapes so a literal can never be split.
  for (std::size_t at = out.find("\xE2\x80\xA8"); at != std::string::npos; at = out.find("\xE2\x80\xA8", at)) {
    out.replace(at, 3, "\\u2028");
  }
  for (std::size_t at = out.find("\xE2\x80\xA9"); at != std::string::npos; at = out.find("\xE2\x80\xA9", at)) {
    out.replace(at, 3, "\\u2029");
  }
  out += '"';
  return out;
}
