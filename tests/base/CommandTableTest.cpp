// The command table on rows of its own: handlers run only when enabled and
// with their row's argument, one id never reaches two commands, and the
// texts come from the language keys with their English defaults.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "base/CommandTable.h"
#include "base/MgrMultiLang.h"

namespace {

struct Calls {
  std::vector<int> arguments;
};

bool WhenVideoLoaded(const CommandState& state) { return state.videoLoaded; }
bool ModelIs(const CommandState& state, int model) { return state.currentModel == model; }

using Row = CommandRow<Calls>;

const std::array kRows = {
    Row{"first",
        {10, 11, 12},
        {"FirstKey", "First(&F)"},
        {"FirstTip", "First tip"},
        CommandAlwaysEnabled,
        [](Calls& calls, int argument) { calls.arguments.push_back(argument); },
        7},
    Row{"video-only",
        {20},
        {},
        {},
        WhenVideoLoaded,
        [](Calls& calls, int argument) { calls.arguments.push_back(argument); },
        8,
        ModelIs},
};

class CommandTableTest : public ::testing::Test {
 protected:
  CommandTableTest() : savedLang_(LangFilePath()) {
    SetLangFilePath("");
    table_.AddRows(kRows, calls_);
  }
  ~CommandTableTest() override { SetLangFilePath(savedLang_); }

  std::string savedLang_;
  Calls calls_;
  CommandTable table_;
};

TEST_F(CommandTableTest, EveryIdOfARowRunsItsHandlerWithItsArgument) {
  const CommandState state;
  EXPECT_TRUE(table_.Run(10, state));
  EXPECT_TRUE(table_.Run(12, state));
  EXPECT_EQ(calls_.arguments, (std::vector<int>{7, 7}));
  EXPECT_EQ(table_.Find(11), table_.FindByName("first"));
}

TEST_F(CommandTableTest, ADisabledOrUnknownCommandDoesNothing) {
  CommandState state;
  EXPECT_FALSE(table_.IsEnabled(20, state));
  EXPECT_FALSE(table_.Run(20, state));
  EXPECT_FALSE(table_.Run(99, state));
  EXPECT_FALSE(table_.IsEnabled(99, state));
  EXPECT_TRUE(calls_.arguments.empty());

  state.videoLoaded = true;
  EXPECT_TRUE(table_.Run(20, state));
  EXPECT_EQ(calls_.arguments, (std::vector<int>{8}));
}

TEST_F(CommandTableTest, TheTickFollowsTheRowsRuleWithItsArgument) {
  CommandState state;
  state.currentModel = 8;
  EXPECT_TRUE(table_.IsChecked(20, state));
  state.currentModel = 7;
  EXPECT_FALSE(table_.IsChecked(20, state));
  EXPECT_FALSE(table_.IsChecked(10, state)) << "a row without a tick rule is never ticked";
}

TEST_F(CommandTableTest, AnIdThatAlreadyReachesACommandIsRefused) {
  Calls other;
  const Row clash{"clash", {30, 11}, {}, {}, CommandAlwaysEnabled, [](Calls&, int) {}};
  EXPECT_THROW(table_.Add(clash, other), std::logic_error);
  EXPECT_EQ(table_.Find(30), nullptr) << "nothing of the refused row is kept";
}

TEST_F(CommandTableTest, TextsComeFromTheLanguageKeysOrTheirEnglish) {
  EXPECT_EQ(table_.MenuText(10), "First(&F)");
  EXPECT_EQ(table_.TipText(11), "First tip");
  EXPECT_EQ(table_.MenuText(20), "");
  EXPECT_EQ(table_.TipText(99), "");
}

}  // namespace
