#pragma once
// A text the program shows: its key in the language file with the English
// words used when the file has none. The section is where the text shows
// (a message box, a dialog's words, a menu, a tooltip), so whoever shows it
// names the section; the same key may live in several sections.

#include <string>
#include <string_view>

struct LangText {
  std::string_view key;
  std::string_view english;

  friend bool operator==(const LangText& a, const LangText& b) { return a.key == b.key; }
};

inline constexpr std::string_view kLangSectionMessage = "Message";
inline constexpr std::string_view kLangSectionGui = "GUI";

// The text in the chosen language; empty for a text without a key.
std::string TextIn(std::string_view section, const LangText& text);
// A message box's text (section Message).
std::string MessageText(const LangText& text);
// A dialog's or window's words and captions (section GUI).
std::string GuiText(const LangText& text);
