#include "platform/Utf8.h"

#include <utility>

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The range the second byte of a sequence must lie in: narrower than the
// usual continuation bytes after E0 and F0 (overlong forms), ED (the
// surrogates, which are no characters) and F4 (beyond U+10FFFF).
std::pair<unsigned char, unsigned char> SecondByteRange(unsigned char lead) {
  if (lead == 0xE0) return {0xA0, 0xBF};
  if (lead == 0xED) return {0x80, 0x9F};
  if (lead == 0xF0) return {0x90, 0xBF};
  if (lead == 0xF4) return {0x80, 0x8F};
  return {0x80, 0xBF};
}

}  // namespace

size_t Utf8SequenceLength(std::string_view text, size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (i + length > text.size()) return 1;
  if (length == 1) return 1;
  const auto [low, high] = SecondByteRange(lead);
  const auto second = static_cast<unsigned char>(text[i + 1]);
  if (second < low || second > high) return 1;
  for (size_t k = 2; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

bool Utf8SequenceValid(std::string_view text, size_t at) {
  const size_t length = Utf8SequenceLength(text, at);
  return length > 1 || static_cast<unsigned char>(text[at]) < 0x80;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i);
    if (Utf8SequenceValid(text, i))
      out.append(text.substr(i, length));
    else
      out += kReplacementCharacter;
    i += length;
  }
  return out;
}

std::string Utf8Prefix(std::string_view text, size_t maxChars) {
  size_t i = 0;
  for (size_t count = 0; i < text.size() && count < maxChars; ++count) i += Utf8SequenceLength(text, i);
  return std::string(text.substr(0, i));
}

size_t Utf8Length(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) i += Utf8SequenceLength(text, i);
  return count;
}

std::string_view UntilNul(std::string_view text) {
  const size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && EqualsNoCase(text.substr(0, head.size()), head);
}

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}
