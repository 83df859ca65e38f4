#include "platform/ProfileFile.h"

#include <climits>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/OutputFile.h"
#include "platform/RegularFile.h"
#include "platform/Trace.h"
#include "platform/Utf8.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kWhitespace = " \t\r\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kWhitespace);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(kWhitespace);
  return text.substr(first, last - first + 1);
}

}  // namespace

// One line of a profile file, kept with its own text so that a rewrite leaves
// every line it does not change byte for byte as it was.
struct ProfileLine {
  std::string text;                    // without the line end
  std::optional<std::string> section;  // set for "[name]" lines
  std::optional<std::string> key;      // set for "key=value" lines
  size_t valueStart = 0;               // where the value begins in text
};

struct ProfileDocument {
  // A UTF-8 byte order mark the file begins with, written back with it: a
  // file rewritten without it would read differently where it begins with
  // a second one.
  std::string_view bom;
  std::vector<ProfileLine> lines;
  std::string lineEnd = "\r\n";  // the recorder reads these files too: Windows line ends unless told otherwise
  bool endsWithNewline = true;
};

namespace {

ProfileLine ParseLine(std::string text) {
  ProfileLine line;
  line.text = std::move(text);
  const std::string_view body = Trim(line.text);
  if (body.empty() || body.front() == ';') return line;
  if (body.front() == '[') {
    const size_t close = body.find(']');
    line.section = std::string(Trim(body.substr(1, close == std::string_view::npos ? body.size() - 1 : close - 1)));
    return line;
  }
  const size_t equals = line.text.find('=');
  if (equals == std::string::npos) return line;
  line.key = std::string(Trim(std::string_view(line.text).substr(0, equals)));
  line.valueStart = equals + 1;
  return line;
}

ProfileDocument ParseDocument(std::string_view content) {
  ProfileDocument doc;
  if (content.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    doc.bom = kUtf8Bom;
    content.remove_prefix(kUtf8Bom.size());
  }
  const size_t firstBreak = content.find('\n');
  if (firstBreak != std::string_view::npos && (firstBreak == 0 || content[firstBreak - 1] != '\r')) doc.lineEnd = "\n";
  doc.endsWithNewline = content.empty() || content.back() == '\n';
  size_t pos = 0;
  while (pos < content.size()) {
    size_t end = content.find('\n', pos);
    if (end == std::string_view::npos) end = content.size();
    std::string_view text = content.substr(pos, end - pos);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    doc.lines.push_back(ParseLine(std::string(text)));
    pos = end + 1;
  }
  return doc;
}

// Index of the first "[section]" line, or npos.
size_t FindSection(const ProfileDocument& doc, std::string_view section) {
  for (size_t i = 0; i < doc.lines.size(); ++i) {
    if (doc.lines[i].section && EqualsNoCase(*doc.lines[i].section, section)) return i;
  }
  return std::string::npos;
}

// End (exclusive) of the section that starts at line index start.
size_t SectionEnd(const ProfileDocument& doc, size_t start) {
  size_t i = start + 1;
  while (i < doc.lines.size() && !doc.lines[i].section) ++i;
  return i;
}

size_t FindKey(const ProfileDocument& doc, size_t sectionLine, std::string_view key) {
  const size_t end = SectionEnd(doc, sectionLine);
  for (size_t i = sectionLine + 1; i < end; ++i) {
    if (doc.lines[i].key && EqualsNoCase(*doc.lines[i].key, key)) return i;
  }
  return std::string::npos;
}

// The value of a key line: trimmed, and without one pair of enclosing quotes.
std::string ValueOf(const ProfileLine& line) {
  std::string_view value = Trim(std::string_view(line.text).substr(line.valueStart));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::optional<std::string> LookUpIn(const ProfileDocument& doc, std::string_view section, std::string_view key) {
  const size_t sectionLine = FindSection(doc, section);
  if (sectionLine == std::string::npos) return std::nullopt;
  const size_t keyLine = FindKey(doc, sectionLine, key);
  if (keyLine == std::string::npos) return std::nullopt;
  return ValueOf(doc.lines[keyLine]);
}

std::string Serialize(const ProfileDocument& doc) {
  std::string out(doc.bom);
  for (size_t i = 0; i < doc.lines.size(); ++i) {
    out += doc.lines[i].text;
    if (i + 1 < doc.lines.size() || doc.endsWithNewline) out += doc.lineEnd;
  }
  return out;
}

}  // namespace

// Anything but a regular file of sensible size reads as absent: a FIFO in
// its place would hang the read, /dev/zero or a huge sparse file would take
// all memory, and none of them is a profile file anyone wrote.
std::optional<std::string> ReadProfileFile(const fs::path& file) {
  WholeFile read = ReadRegularFile(file, kMaxProfileFileBytes);
  if (read.content) return std::move(read.content);
  if (read.error == FileReadError::kNotRegular) KTRACE("%s is not a regular file; not read", file.c_str());
  if (read.error == FileReadError::kTooLarge) {
    KTRACE("%s is larger than %llu bytes; not read", file.c_str(),
           static_cast<unsigned long long>(kMaxProfileFileBytes));
  }
  if (read.error == FileReadError::kReadFailed) KTRACE("%s cannot be read", file.c_str());
  return std::nullopt;
}

int LeadingInt(std::string_view text) {
  constexpr long long kIntLimit = 2147483648LL;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kIntLimit) value = kIntLimit;  // saturate, never overflow
  }
  if (negative) return value >= kIntLimit ? INT_MIN : static_cast<int>(-value);
  return value >= kIntLimit ? INT_MAX : static_cast<int>(value);
}

ProfileSnapshot::ProfileSnapshot(const fs::path& file) : ProfileSnapshot(OfBytes(ReadProfileFile(file))) {}

ProfileSnapshot ProfileSnapshot::OfBytes(const std::optional<std::string>& content) {
  ProfileSnapshot snapshot;
  if (content) snapshot.doc_ = std::make_shared<const ProfileDocument>(ParseDocument(*content));
  return snapshot;
}

std::optional<std::string> ProfileSnapshot::LookUp(std::string_view section, std::string_view key) const {
  if (!doc_) return std::nullopt;
  return LookUpIn(*doc_, section, key);
}

std::string ProfileSnapshot::String(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    size_t bufferChars) const {
  const size_t limit = bufferChars > 0 ? bufferChars - 1 : 0;
  const std::optional<std::string> value = LookUp(section, key);
  return Utf8Prefix(value ? std::string_view(*value) : defaultValue, limit);
}

int ProfileSnapshot::Int(std::string_view section, std::string_view key, int defaultValue) const {
  const std::optional<std::string> value = LookUp(section, key);
  if (!value || value->empty()) return defaultValue;
  return LeadingInt(*value);
}

std::string ReadProfileString(const fs::path& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, size_t bufferChars) {
  return ProfileSnapshot(file).String(section, key, defaultValue, bufferChars);
}

int ReadProfileInt(const fs::path& file, std::string_view section, std::string_view key, int defaultValue) {
  return ProfileSnapshot(file).Int(section, key, defaultValue);
}

namespace {

// Sets one key in the parsed document as a key-by-key writer would: in
// place when it is there, else after its section's last non-blank line,
// else in a new section at the end.
void SetKey(ProfileDocument& doc, std::string_view section, std::string_view key, std::string_view value) {
  const std::string keyLine = std::string(key) + "=" + std::string(value);
  const size_t sectionLine = FindSection(doc, section);
  if (sectionLine == std::string::npos) {
    // Appended rather than "[" + string: GCC 12 reports a false -Wrestrict
    // overlap for a literal prepended to a temporary string.
    doc.lines.push_back(ParseLine(std::string("[").append(section).append("]")));
    doc.lines.push_back(ParseLine(keyLine));
    doc.endsWithNewline = true;
    return;
  }
  const size_t existing = FindKey(doc, sectionLine, key);
  if (existing != std::string::npos) {
    ProfileLine& line = doc.lines[existing];
    line = ParseLine(line.text.substr(0, line.valueStart) + std::string(value));
    return;
  }
  size_t insertAt = SectionEnd(doc, sectionLine);
  while (insertAt > sectionLine + 1 && Trim(doc.lines[insertAt - 1].text).empty()) --insertAt;
  doc.lines.insert(doc.lines.begin() + static_cast<long>(insertAt), ParseLine(keyLine));
  if (insertAt == doc.lines.size() - 1) doc.endsWithNewline = true;
}

}  // namespace

std::string ProfileTextWith(std::string_view content, std::span<const ProfileValue> values) {
  ProfileDocument doc = ParseDocument(content);
  for (const ProfileValue& entry : values) SetKey(doc, entry.section, entry.key, entry.value);
  return Serialize(doc);
}

bool WriteProfileStrings(const fs::path& file, std::span<const ProfileValue> values) {
  std::optional<std::string> content = std::string();
  std::error_code error;
  if (fs::exists(file, error)) content = ReadProfileFile(file);
  if (!content) return false;
  return WriteWholeFile(file.string(), ProfileTextWith(*content, values), Overwrite::kReplace);
}

bool WriteProfileString(const fs::path& file, std::string_view section, std::string_view key, std::string_view value) {
  const ProfileValue entry{std::string(section), std::string(key), std::string(value)};
  return WriteProfileStrings(file, std::span(&entry, 1));
}

bool WriteProfileInt(const fs::path& file, std::string_view section, std::string_view key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return WriteProfileString(file, section, key, text);
}
