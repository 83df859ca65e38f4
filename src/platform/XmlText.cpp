#include "platform/XmlText.h"

#include "platform/Utf8.h"

namespace {

constexpr unsigned char kDelete = 0x7F;
// U+0080..U+009F, the C1 controls, are C2 80..C2 9F in UTF-8.
constexpr unsigned char kC1Lead = 0xC2;
constexpr unsigned char kC1Last = 0x9F;
// U+FFFE and U+FFFF, which no XML document may hold.
constexpr std::string_view kNonCharacterFffe = "\xEF\xBF\xBE";
constexpr std::string_view kNonCharacterFfff = "\xEF\xBF\xBF";

bool XmlAllows(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return lead == '\t' || lead == '\n' || lead == '\r' || (lead >= 0x20 && lead < kDelete);
  if (sequence.size() == 2 && lead == kC1Lead) return static_cast<unsigned char>(sequence[1]) > kC1Last;
  return sequence != kNonCharacterFffe && sequence != kNonCharacterFfff;
}

const char* Entity(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    default:
      return nullptr;
  }
}

// Where the run of printable ASCII and XML's white space from `from` ends.
size_t PlainAsciiRun(std::string_view text, size_t from) {
  size_t i = from;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= kDelete || (c < 0x20 && c != '\t' && c != '\n' && c != '\r')) break;
    ++i;
  }
  return i;
}

}  // namespace

std::string XmlCharacters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    // Runs of plain ASCII, most of any text, go over as they are.
    const size_t plain = PlainAsciiRun(text, i);
    if (plain > i) {
      out.append(text.substr(i, plain - i));
      i = plain;
      continue;
    }
    const size_t length = Utf8SequenceLength(text, i);
    const std::string_view sequence = text.substr(i, length);
    i += length;
    if (Utf8SequenceValid(sequence, 0) && XmlAllows(sequence))
      out += sequence;
    else
      out += kReplacementCharacter;
  }
  return out;
}

bool IsPlainXmlText(std::string_view text) { return PlainAsciiRun(text, 0) == text.size(); }

std::string XmlText(std::string_view text) {
  const std::string clean = XmlCharacters(text);
  std::string escaped;
  escaped.reserve(clean.size());
  for (const char c : clean) {
    if (const char* entity = Entity(c))
      escaped += entity;
    else
      escaped += c;
  }
  return escaped;
}
