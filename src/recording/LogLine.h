#pragma once
// Lines and sentences of a log file. A line runs up to and including its LF
// (the recorder ends lines with CR LF); its sentence is the line without the
// line end.
//
// A line longer than kLogLineMax bytes is not something the recorder writes
// (an NMEA sentence is at most 82 characters): it is ignored whole, its
// sentence read as empty. Cutting it into 256-byte pieces instead would let
// the rest of it start with "$" and be taken for a sentence of its own, and
// reading only its first 256 bytes would complete a record from a cut-off
// sentence with zeros in its missing fields.

#include <cstddef>
#include <string_view>

constexpr size_t kLogLineMax = 256;

// The line that starts at pos; pos moves past it. Empty at the end of text.
std::string_view TakeLogLine(std::string_view text, size_t& pos);

// The sentence of a line: without its CR LF, and empty for an over-long line.
std::string_view LogLineSentence(std::string_view line);

// A recorder data sentence: "$KX" with a "," as its seventh character.
bool IsDataSentence(std::string_view sentence);

// The occurrences of a data sentence's start anywhere in text, counted up to
// limit; sizes the record array before the lines are read.
int CountDataSentences(std::string_view text, int limit);
