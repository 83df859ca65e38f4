#pragma once
// Text of our own or from a card (file names, language texts) as it goes
// into an XML file. Whatever the bytes hold, the file stays well-formed:
// bytes that are no UTF-8 character and characters XML does not allow
// (controls, U+FFFE, U+FFFF) become U+FFFD, and markup is escaped.

#include <string>
#include <string_view>

// text with only the characters an XML document may hold: tab, line feed
// and carriage return are kept; every other control character (C0, DEL,
// C1), U+FFFE, U+FFFF and every invalid byte is replaced by U+FFFD.
std::string XmlCharacters(std::string_view text);
// Whether XmlCharacters leaves text as it is because it holds only
// printable ASCII and XML's white space (a quick look, no copy).
bool IsPlainXmlText(std::string_view text);

// XmlCharacters with the five XML specials escaped, for element text and
// attribute values.
std::string XmlText(std::string_view text);
