// A letter marked in a menu must pick one item: two items sharing it make
// the key open neither at once. Checked over the menus the window builds, in
// the built-in texts and every shipped language.
#include <QAction>
#include <QMenu>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/CommandIds.h"
#include "base/MgrMultiLang.h"
#include "shell/ui/MainWindowFixture.h"

namespace main_window_test {
namespace {

constexpr int kPullDownMenuCount = 6;

// The letter after a single '&', lower-cased; none when the text marks none.
QChar MnemonicOf(const QString& text) {
  for (qsizetype at = 0; at + 1 < text.size(); ++at) {
    if (text[at] != u'&') continue;
    if (text[at + 1] != u'&') return text[at + 1].toLower();
    ++at;
  }
  return {};
}

void ExpectUniqueMnemonics(const QMenu& menu, const std::string& where) {
  std::map<QChar, QString> owners;
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) continue;
    if (action->menu()) ExpectUniqueMnemonics(*action->menu(), where + " > " + action->text().toStdString());
    const QChar letter = MnemonicOf(action->text());
    if (letter.isNull()) continue;
    const auto [owner, fresh] = owners.emplace(letter, action->text());
    EXPECT_TRUE(fresh) << where << ": \"" << owner->second.toStdString() << "\" and \"" << action->text().toStdString()
                       << "\" share '" << QString(letter).toStdString() << "'";
  }
}

std::vector<std::string> LanguageFiles() {
  std::vector<std::string> files{""};  // the built-in English texts
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(KORVANE_SOURCE_DIR) / "resources" / "lang"))
    files.push_back(entry.path().string());
  return files;
}

TEST_F(MainWindowTest, EveryMenuMarksEachLetterOnceInEveryLanguage) {
  // The MX-H shows every item a menu can hold.
  ASSERT_TRUE(OpenCard());
  Panel().OnCommand(kIdToolModelMxH);
  const std::string chosen = LangFilePath();
  for (const std::string& file : LanguageFiles()) {
    SetLangFilePath(file);
    const std::string language = file.empty() ? "built-in" : std::filesystem::path(file).filename().string();
    for (int index = 0; index < kPullDownMenuCount; ++index) {
      const QMenu* menu = Panel().BuildMenu(index);
      ASSERT_NE(menu, nullptr);
      EXPECT_GT(menu->actions().size(), 0);
      ExpectUniqueMnemonics(*menu, language + " menu " + std::to_string(index));
    }
  }
  SetLangFilePath(chosen);
}

}  // namespace
}  // namespace main_window_test
