#pragma once
// Text in the core is UTF-8. Limits that the recorder's formats count in
// characters ("the first 10 characters") count code points, never bytes.

#include <cstddef>
#include <string>
#include <string_view>

// U+FFFD, which stands in for bytes that are no character.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Length of the UTF-8 sequence that starts at text[at]: 1 to 4, and 1 for a
// byte that starts no whole sequence (overlong forms, surrogates and values
// beyond U+10FFFF included).
size_t Utf8SequenceLength(std::string_view text, size_t at);

// Whether text[at] starts a whole character: ASCII or a valid sequence.
bool Utf8SequenceValid(std::string_view text, size_t at);

// text with every byte that starts no whole character replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

// The first maxChars code points of text. Invalid bytes count as one
// character each and are kept, so nothing read from a card is lost silently.
std::string Utf8Prefix(std::string_view text, size_t maxChars);

// The number of code points in text (invalid bytes count one each).
size_t Utf8Length(std::string_view text);

// text up to its first NUL byte, or all of it.
std::string_view UntilNul(std::string_view text);

// Lower case of the ASCII letters; other bytes are kept.
std::string AsciiLower(std::string_view text);

// Whether a and b are equal without regard to ASCII letter case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Whether text begins or ends with the given part, by the same rule.
bool StartsWithNoCase(std::string_view text, std::string_view head);
bool EndsWithNoCase(std::string_view text, std::string_view tail);
