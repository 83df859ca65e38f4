#include "base/LangText.h"

#include "base/MgrMultiLang.h"

std::string TextIn(std::string_view section, const LangText& text) {
  if (text.key.empty()) return {};
  return GetLangText(section, text.key, text.english);
}

std::string MessageText(const LangText& text) { return TextIn(kLangSectionMessage, text); }

std::string GuiText(const LangText& text) { return TextIn(kLangSectionGui, text); }
