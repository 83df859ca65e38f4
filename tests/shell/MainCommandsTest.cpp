// The window's whole command table: the main frame's rows and playback's
// together reach every command by its button, menu item and key, with no
// id claimed twice; the model items carry their model.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/ModelTable.h"
#include "platform/TimeKey.h"
#include "playback/EngineWorld.h"
#include "playback/PlaybackCommands.h"
#include "playback/PlaybackEngine.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "shell/MainCommands.h"

namespace {

class RecordingWindow final : public MainWindowActions {
 public:
  void Minimize() override { calls.push_back("minimize"); }
  void Exit() override { calls.push_back("exit"); }
  void OpenFolder() override { calls.push_back("open"); }
  void OpenMenu(int index) override { calls.push_back("menu " + std::to_string(index)); }
  void OpenHelp() override { calls.push_back("help"); }
  void OpenHomepage() override { calls.push_back("homepage"); }
  void ShowVersion() override { calls.push_back("version"); }
  void ChooseModel(int modelId) override { calls.push_back("model " + std::to_string(modelId)); }
  void ChooseSpeedSource(int source) override { calls.push_back("speed " + std::to_string(source)); }
  void ChooseSpeedUnit(SpeedUnit unit) override { calls.push_back("unit " + std::string(SpeedUnitKey(unit))); }
  std::vector<std::string> calls;
};

class NoSearch final : public SearchCommands {
 public:
  void LoadKind(FileListKind) override {}
  void SetAllChecked(bool) override {}
};

class MainCommandsTest : public ::testing::Test, protected EngineWorld {
 protected:
  MainCommandsTest() {
    AddMainCommands(table_, window_);
    AddPlaybackCommands(table_, context_);
  }

  std::string Ran(int id) {
    window_.calls.clear();
    if (!table_.Run(id, CommandState{})) return "(nothing)";
    return window_.calls.empty() ? "(engine)" : window_.calls.back();
  }

  WaitingLoadingDialogRunner dialogs_;
  PlaybackEngine engine_{store_, settings_, timers_, clock_, prompt_, dialogs_};
  NoSearch search_;
  PlaybackCommandContext context_{engine_, search_};
  RecordingWindow window_;
  CommandTable table_;
};

TEST_F(MainCommandsTest, ButtonsMenusAndKeysReachTheSameCommand) {
  EXPECT_EQ(table_.Find(kIdPrevious), table_.Find(kIdAccelLeft));
  EXPECT_EQ(table_.Find(kIdPrevious), table_.Find(kIdPlayPreviousFrame));
  EXPECT_EQ(table_.Find(kIdPlay), table_.Find(kIdAccelPlay));
  EXPECT_EQ(table_.Find(kIdFileLoadEvent), table_.Find(kIdAccelLoadEvent));
  EXPECT_EQ(Ran(kIdAbout), "help");
  EXPECT_EQ(Ran(kIdAccelHelp), "help");
  EXPECT_EQ(Ran(kIdAccelExit), "exit");
  EXPECT_EQ(Ran(kIdAccelOpen), "open");
  EXPECT_EQ(Ran(kIdAccelMenuHelp), "menu 5");
  EXPECT_EQ(Ran(kIdMenuFile + 4), "menu 4");
  EXPECT_EQ(Ran(kIdSpeedMenuPulse), "speed 1");
  EXPECT_EQ(Ran(kIdToolSpeedGps), "speed 0");
  EXPECT_EQ(Ran(kIdHomepage), "homepage");
  EXPECT_EQ(Ran(kIdViewSpeedMph), "unit mph");
  EXPECT_EQ(Ran(kIdViewSpeedKmh), "unit kmh");
  CommandState mph;
  mph.speedInMph = true;
  EXPECT_TRUE(table_.IsChecked(kIdViewSpeedMph, mph));
  EXPECT_FALSE(table_.IsChecked(kIdViewSpeedKmh, mph));
  EXPECT_TRUE(table_.IsChecked(kIdViewSpeedKmh, CommandState{}));
}

TEST_F(MainCommandsTest, ModelItemsCarryTheirIdsWithMxHOnItsOwnItem) {
  EXPECT_EQ(Ran(kIdToolModelFirst), "model 0");
  EXPECT_EQ(Ran(kIdToolModelFirst + 6), "model 6");
  EXPECT_EQ(Ran(kIdToolModelMxH), "model 9");
  // 32862 and 32863 belong to no model.
  EXPECT_EQ(table_.Find(kIdToolModelFirst + 7), nullptr);
  EXPECT_EQ(table_.Find(kIdToolModelFirst + 8), nullptr);
  EXPECT_EQ(ModelItemId(9), kIdToolModelMxH);
  EXPECT_EQ(ModelItemId(7), 0);

  CommandState state;
  state.currentModel = 9;
  EXPECT_TRUE(table_.IsChecked(kIdToolModelMxH, state));
  EXPECT_FALSE(table_.IsChecked(kIdToolModelFirst, state));
  EXPECT_EQ(table_.MenuText(kIdToolModelFirst), "MX-A(&0)");
}

TEST_F(MainCommandsTest, KeysWithoutHandlerAndCommandsNotInThisProgramReachNothing) {
  for (int id : {kIdAccelSpace, kIdAccelCtrlD, kIdAccelCtrlG}) EXPECT_EQ(table_.Find(id), nullptr) << id;
  EXPECT_EQ(Ran(kIdAccelSpace), "(nothing)");
}

TEST_F(MainCommandsTest, EveryCommandHasANameAndAnIdAndEveryMenuTextAKey) {
  for (const Command& command : table_.Commands()) {
    EXPECT_FALSE(command.name.empty());
    EXPECT_FALSE(command.ids.empty()) << command.name;
    if (!command.menu.english.empty()) {
      EXPECT_FALSE(command.menu.key.empty()) << command.name;
    }
  }
  EXPECT_NE(table_.FindByName("play"), nullptr);
  EXPECT_NE(table_.FindByName("exit"), nullptr);
}

}  // namespace
