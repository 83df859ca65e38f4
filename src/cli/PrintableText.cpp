#include "cli/PrintableText.h"

#include <cstdio>

#include "platform/Utf8.h"

namespace {

constexpr unsigned char kDelete = 0x7F;
// U+0080..U+009F, the C1 controls, are C2 80..C2 9F in UTF-8.
constexpr unsigned char kC1Lead = 0xC2;
constexpr unsigned char kC1Last = 0x9F;

void AppendHex(std::string& out, unsigned char byte) {
  char escape[5];
  std::snprintf(escape, sizeof escape, "\\x%02X", byte);
  out += escape;
}

// The escape of a single-byte character, or empty when it prints as it is.
const char* NamedEscape(unsigned char byte) {
  switch (byte) {
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    case '\\':
      return "\\\\";
    default:
      return "";
  }
}

bool IsControlSequence(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return lead < 0x20 || lead >= kDelete;  // C0, DEL, or no whole sequence
  return sequence.size() == 2 && lead == kC1Lead && static_cast<unsigned char>(sequence[1]) <= kC1Last;
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const std::string_view sequence = text.substr(i, Utf8SequenceLength(text, i));
    i += sequence.size();
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (const char* named = NamedEscape(lead); sequence.size() == 1 && *named != '\0') {
      out += named;
    } else if (IsControlSequence(sequence)) {
      for (char byte : sequence) AppendHex(out, static_cast<unsigned char>(byte));
    } else {
      out += sequence;
    }
  }
  return out;
}

std::string OrDash(std::string_view text) { return text.empty() ? std::string("-") : Printable(text); }
