#include "recording/LogLine.h"

#include "recording/LogFormat.h"

std::string_view TakeLogLine(std::string_view text, size_t& pos) {
  if (pos >= text.size()) return {};
  const size_t lf = text.find('\n', pos);
  const size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
  const std::string_view line = text.substr(pos, end - pos);
  pos = end;
  return line;
}

std::string_view LogLineSentence(std::string_view line) {
  if (line.size() > kLogLineMax) return {};
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool IsDataSentence(std::string_view sentence) {
  return sentence.size() > kLogDataCommaAt && sentence.substr(0, kLogDataStart.size()) == kLogDataStart &&
         sentence[kLogDataCommaAt] == ',';
}

int CountDataSentences(std::string_view text, int limit) {
  int count = 0;
  size_t pos = text.find(kLogDataStart);
  while (pos != std::string_view::npos && count < limit) {
    if (pos + kLogDataCommaAt < text.size() && text[pos + kLogDataCommaAt] == ',') ++count;
    pos = text.find(kLogDataStart, pos + 1);
  }
  return count;
}
