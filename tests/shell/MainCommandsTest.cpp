#include <gtest/gtest.h>

#include "base/AppState.h"
#include "shell/MainCommands.h"

namespace {

TEST(MainCommandsTest, ButtonsMenusAndKeysReachTheSameCommand) {
  EXPECT_EQ(CommandForId(kIdPrevious).command, MainCommand::kPrevious);
  EXPECT_EQ(CommandForId(kIdAccelLeft).command, MainCommand::kPrevious);
  EXPECT_EQ(CommandForId(kIdPlayPreviousFrame).command, MainCommand::kPrevious);
  EXPECT_EQ(CommandForId(kIdAccelPlay).command, MainCommand::kPlay);
  EXPECT_EQ(CommandForId(kIdAccelLoadEvent).command, MainCommand::kLoadEvent);
  EXPECT_EQ(CommandForId(kIdAccelMenuHelp).command, MainCommand::kMenuHelp);
  EXPECT_EQ(CommandForId(kIdSpeedMenuPulse).command, MainCommand::kSpeedPulse);
}

TEST(MainCommandsTest, ModelItemsCarryTheirIdsWithMxHOnItsOwnItem) {
  EXPECT_EQ(CommandForId(kIdToolModelFirst).model, 0);
  EXPECT_EQ(CommandForId(kIdToolModelFirst + 6).model, 6);
  EXPECT_EQ(CommandForId(kIdToolModelMXH).model, 9);
  // 32862 and 32863 belong to no model.
  EXPECT_EQ(CommandForId(kIdToolModelFirst + 7).command, MainCommand::kNone);
  EXPECT_EQ(CommandForId(kIdToolModelFirst + 8).command, MainCommand::kNone);
  EXPECT_EQ(ModelItemId(9), kIdToolModelMXH);
  EXPECT_EQ(ModelItemId(7), 0);
}

TEST(MainCommandsTest, KeysWithoutHandlerDoNothing) {
  EXPECT_EQ(CommandForId(kIdAccelSpace).command, MainCommand::kNone);
  EXPECT_EQ(CommandForId(kIdAccelCtrlD).command, MainCommand::kNone);
  EXPECT_EQ(CommandForId(kIdAccelCtrlG).command, MainCommand::kNone);
}

TEST(MainCommandsTest, MenuStateFollowsWhatIsLoaded) {
  const MenuState nothing = MenuStateFor(kViewModeNone, false, false, true);
  EXPECT_FALSE(nothing.fileListEnabled);
  EXPECT_FALSE(nothing.printEnabled);
  EXPECT_TRUE(nothing.loadLogPresent);
  const MenuState logs = MenuStateFor(kViewModeLog, false, true, true);
  EXPECT_TRUE(logs.fileListEnabled);
  EXPECT_FALSE(logs.printEnabled);
  const MenuState normal = MenuStateFor(kViewModeNormal, true, false, false);
  EXPECT_TRUE(normal.printEnabled);
  EXPECT_FALSE(normal.loadLogPresent);
}

}  // namespace
