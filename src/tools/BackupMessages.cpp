#include "tools/BackupMessages.h"

#include "base/MgrMultiLang.h"

std::string MessageText(const BackupText& text, std::string_view section) {
  return GetLangText(section, text.key, text.defaultText);
}
