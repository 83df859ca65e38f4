// Guards the shipped language files against drift: the English template must
// carry every key the program looks up, and each translation exactly the
// template's keys with the same placeholders.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Utf8.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxTextChars = 499;  // the lookup reads into 500 characters

struct LangEntry {
  std::string key;
  std::string value;
  int line = 0;
};

struct LangSection {
  std::string name;
  std::vector<LangEntry> entries;
  int line = 0;
};

struct LangFile {
  std::string name;
  bool opened = false;
  std::vector<LangSection> sections;
  std::vector<std::string> problems;  // lines the profile reader would not take as meant

  const LangSection* Find(std::string_view section) const {
    for (const LangSection& s : sections) {
      if (s.name == section) return &s;
    }
    return nullptr;
  }
};

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

LangFile ReadLangFile(const std::string& fileName) {
  LangFile file;
  file.name = fileName;
  std::ifstream in(fs::path(KORVANE_SOURCE_DIR) / "resources" / "lang" / fileName, std::ios::binary);
  file.opened = static_cast<bool>(in);
  std::string raw;
  for (int lineNo = 1; std::getline(in, raw); ++lineNo) {
    const std::string_view line = Trim(raw);
    const std::string where = fileName + ":" + std::to_string(lineNo) + ": ";
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') file.problems.push_back(where + "unclosed section header");
      file.sections.push_back({std::string(Trim(line.substr(1, line.size() - 2))), {}, lineNo});
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || Trim(line.substr(0, equals)).empty()) {
      file.problems.push_back(where + "not a key=text line: " + std::string(line));
      continue;
    }
    if (file.sections.empty()) {
      file.problems.push_back(where + "key before the first section");
      continue;
    }
    file.sections.back().entries.push_back(
        {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))), lineNo});
  }
  return file;
}

// The printf conversions of a text in order ("%%" is no conversion), and one
// "$$$" token per page-count mark: what the program substitutes into it.
std::vector<std::string> Placeholders(std::string_view text) {
  std::vector<std::string> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 3) == "$$$") {
      found.emplace_back("$$$");
      i += 2;
      continue;
    }
    if (text[i] != '%') continue;
    size_t end = i + 1;
    while (end < text.size() && std::string_view("-+ #0123456789.l").find(text[end]) != std::string_view::npos) ++end;
    if (end < text.size() && text[end] == '%' && end == i + 1) {
      i = end;
      continue;
    }
    if (end < text.size() && std::string_view("sdicfuxX").find(text[end]) != std::string_view::npos) {
      found.emplace_back(text.substr(i, end - i + 1));
      i = end;
    }
  }
  return found;
}

bool HasAccelerator(std::string_view text) {
  const size_t mark = text.find("(&");
  return mark != std::string_view::npos && mark + 3 < text.size() && text[mark + 2] != ')' && text[mark + 3] == ')';
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : " ") + item;
  return out;
}

const std::vector<std::pair<std::string, size_t>> kSections = {
    {"GUI", 234}, {"Message", 81}, {"PullDownMenu", 60}, {"ToolTip", 33}};

class LangTemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_ = {ReadLangFile("kelbrinlang_en.ini"), ReadLangFile("kelbrinlang_de.ini")};
    for (const LangFile& file : files_) ASSERT_TRUE(file.opened) << file.name << " cannot be opened";
  }
  const LangFile& Template() const { return files_[0]; }
  const LangFile& Translation() const { return files_[1]; }

  std::vector<LangFile> files_;
};

TEST_F(LangTemplateTest, FilesHoldOnlySectionsCommentsAndKeyLines) {
  for (const LangFile& file : files_) {
    for (const std::string& problem : file.problems) ADD_FAILURE() << problem;
  }
}

TEST_F(LangTemplateTest, TemplateHasTheFourSectionsWithEveryKey) {
  EXPECT_EQ(Template().sections.size(), kSections.size());
  for (const auto& [name, count] : kSections) {
    const LangSection* section = Template().Find(name);
    ASSERT_NE(section, nullptr) << "section [" << name << "] is missing";
    EXPECT_EQ(section->entries.size(), count) << "key count of [" << name << "]";
  }
}

TEST_F(LangTemplateTest, NoSectionOrKeyIsRepeated) {
  // The reader matches sections and keys without regard to case, so a second
  // spelling of the same key would silently never be read.
  for (const LangFile& file : files_) {
    std::map<std::string, int> sectionLines;
    for (const LangSection& section : file.sections) {
      const auto [it, fresh] = sectionLines.emplace(AsciiLower(section.name), section.line);
      EXPECT_TRUE(fresh) << file.name << ": section [" << section.name << "] at lines " << it->second << " and "
                         << section.line;
      std::map<std::string, int> keyLines;
      for (const LangEntry& entry : section.entries) {
        const auto [at, first] = keyLines.emplace(AsciiLower(entry.key), entry.line);
        EXPECT_TRUE(first) << file.name << ": [" << section.name << "] " << entry.key << " at lines " << at->second
                           << " and " << entry.line;
      }
    }
  }
}

TEST_F(LangTemplateTest, KeysAreInAlphabeticalOrder) {
  for (const LangFile& file : files_) {
    for (const LangSection& section : file.sections) {
      for (size_t i = 1; i < section.entries.size(); ++i) {
        EXPECT_LE(AsciiLower(section.entries[i - 1].key), AsciiLower(section.entries[i].key))
            << file.name << ": [" << section.name << "] " << section.entries[i].key << " (line "
            << section.entries[i].line << ") is out of order";
      }
    }
  }
}

TEST_F(LangTemplateTest, TranslationHasExactlyTheTemplateKeys) {
  EXPECT_EQ(Translation().sections.size(), Template().sections.size());
  for (const LangSection& expected : Template().sections) {
    const LangSection* actual = Translation().Find(expected.name);
    ASSERT_NE(actual, nullptr) << Translation().name << ": section [" << expected.name << "] is missing";
    std::vector<std::string> missing;
    std::vector<std::string> extra;
    for (const LangEntry& entry : expected.entries) {
      const bool found = std::any_of(actual->entries.begin(), actual->entries.end(),
                                     [&](const LangEntry& e) { return e.key == entry.key; });
      if (!found) missing.push_back(entry.key);
    }
    for (const LangEntry& entry : actual->entries) {
      const bool found = std::any_of(expected.entries.begin(), expected.entries.end(),
                                     [&](const LangEntry& e) { return e.key == entry.key; });
      if (!found) extra.push_back(entry.key);
    }
    EXPECT_TRUE(missing.empty()) << "[" << expected.name << "] missing from the translation: " << Join(missing);
    EXPECT_TRUE(extra.empty()) << "[" << expected.name << "] not in the template: " << Join(extra);
  }
}

TEST_F(LangTemplateTest, EveryTextFitsTheLookupBuffer) {
  for (const LangFile& file : files_) {
    for (const LangSection& section : file.sections) {
      for (const LangEntry& entry : section.entries) {
        EXPECT_LE(Utf8Length(entry.value), kMaxTextChars)
            << file.name << ": [" << section.name << "] " << entry.key << " would be cut";
      }
    }
  }
}

TEST_F(LangTemplateTest, TranslationKeepsPlaceholdersAndAcceleratorMarks) {
  for (const LangSection& expected : Template().sections) {
    const LangSection* actual = Translation().Find(expected.name);
    if (actual == nullptr) continue;  // reported by the key test
    for (const LangEntry& english : expected.entries) {
      const auto translated = std::find_if(actual->entries.begin(), actual->entries.end(),
                                           [&](const LangEntry& e) { return e.key == english.key; });
      if (translated == actual->entries.end()) continue;
      EXPECT_EQ(Placeholders(translated->value), Placeholders(english.value))
          << "[" << expected.name << "] " << english.key << ": \"" << translated->value << "\"";
      if (HasAccelerator(english.value)) {
        EXPECT_TRUE(HasAccelerator(translated->value)) << "[" << expected.name << "] " << english.key
                                                       << " lost its menu accelerator: \"" << translated->value << "\"";
      }
    }
  }
}

// The scanner above decides what counts as a placeholder; a wrong scanner
// would let a broken translation through unnoticed.
TEST(LangTemplatePlaceholders, FindsConversionsInOrderAndPageMarks) {
  EXPECT_EQ(Placeholders("%s : %d km/h [%d %s/%s]"), (std::vector<std::string>{"%s", "%d", "%d", "%s", "%s"}));
  EXPECT_EQ(Placeholders("Print page number is $$$"), (std::vector<std::string>{"$$$"}));
  EXPECT_EQ(Placeholders("%.2d:%05.2f 100%% done"), (std::vector<std::string>{"%.2d", "%05.2f"}));
  EXPECT_TRUE(Placeholders("Line opacity (0~255)").empty());
  EXPECT_NE(Placeholders("%d of %s"), Placeholders("%s of %d"));
  EXPECT_TRUE(HasAccelerator("Exit(&X)"));
  EXPECT_FALSE(HasAccelerator("Load"));
  EXPECT_FALSE(HasAccelerator("Save (&)"));
}

}  // namespace
