// The search window's states: tabs pick a list only while the lists are up,
// loads swap them for the loaded boxes, the marker button toggles, logs keep
// their list disabled in the upper half, Close and a reset bring the lists
// back, and the check button follows the visible list's checks only when it
// is matched to them.

#include <gtest/gtest.h>

#include <array>

#include "base/AppState.h"
#include "playback/SearchWindowState.h"

namespace {

constexpr size_t kEvent = static_cast<size_t>(FileListKind::kEvent);
constexpr size_t kNormal = static_cast<size_t>(FileListKind::kNormal);
constexpr size_t kLog = static_cast<size_t>(FileListKind::kLog);

class SearchWindowStateTest : public ::testing::Test {
 protected:
  SearchWindowState MakeState(bool withLogTab) {
    return SearchWindowState(withLogTab, [this](FileListKind kind) { return checked_[static_cast<size_t>(kind)]; });
  }

  // Only the list of kind shows and only its tab is lit.
  static void ExpectListUp(const SearchWindowLook& look, size_t kind) {
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(look.listShown[i], i == kind) << i;
      EXPECT_EQ(look.tabLit[i], i == kind) << i;
    }
  }

  static void ExpectNoListOrTab(const SearchWindowLook& look) {
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_FALSE(look.listShown[i]) << i;
      EXPECT_FALSE(look.tabShown[i]) << i;
    }
  }

  std::array<bool, 3> checked_{};
};

TEST_F(SearchWindowStateTest, StartsOnTheEventListWithLoadAndCheckAllAndTheLogTabOnlyWhenAsked) {
  SearchWindowState state = MakeState(false);
  SearchWindowLook look = state.Look();
  EXPECT_EQ(state.Mode(), SearchWindowMode::kLists);
  ExpectListUp(look, kEvent);
  EXPECT_TRUE(look.listEnabled[kEvent]);
  EXPECT_TRUE(look.tabShown[kEvent]);
  EXPECT_TRUE(look.tabShown[kNormal]);
  EXPECT_FALSE(look.tabShown[kLog]);
  EXPECT_TRUE(look.loadShown);
  EXPECT_TRUE(look.checkAllShown);
  EXPECT_FALSE(look.unCheckAllShown);
  EXPECT_FALSE(look.closeShown);
  EXPECT_FALSE(look.loadedRecordingsShown);
  EXPECT_FALSE(look.markersShown);
  EXPECT_FALSE(look.markerButtonShown);
  EXPECT_FALSE(look.loadedLogsShown);
  EXPECT_FALSE(look.listsInUpperPart);

  EXPECT_TRUE(MakeState(true).Look().tabShown[kLog]);
}

TEST_F(SearchWindowStateTest, ATabPicksItsListAndTheCheckButtonFollowsThatListsChecks) {
  checked_[kNormal] = true;
  SearchWindowState state = MakeState(true);
  state.ChecksChanged();
  EXPECT_TRUE(state.Look().checkAllShown);

  EXPECT_EQ(state.PressTab(FileListKind::kNormal), SearchTabPress::kPicked);
  EXPECT_EQ(state.VisibleKind(), FileListKind::kNormal);
  ExpectListUp(state.Look(), kNormal);
  EXPECT_FALSE(state.Look().checkAllShown);
  EXPECT_TRUE(state.Look().unCheckAllShown);

  // Pressing the lit tab again keeps it lit.
  EXPECT_EQ(state.PressTab(FileListKind::kNormal), SearchTabPress::kPicked);
  ExpectListUp(state.Look(), kNormal);

  EXPECT_EQ(state.PressTab(FileListKind::kLog), SearchTabPress::kPicked);
  ExpectListUp(state.Look(), kLog);
  EXPECT_TRUE(state.Look().checkAllShown);
}

TEST_F(SearchWindowStateTest, TheCheckButtonIsLatchedAndMatchedOnlyToTheVisibleList) {
  SearchWindowState state = MakeState(false);
  // A check set in a row without a refresh leaves the button as it was.
  checked_[kEvent] = true;
  EXPECT_TRUE(state.Look().checkAllShown);
  // A refresh of another list does not touch it either.
  state.ChecksChanged(FileListKind::kNormal);
  EXPECT_TRUE(state.Look().checkAllShown);
  state.ChecksChanged(FileListKind::kEvent);
  EXPECT_TRUE(state.Look().unCheckAllShown);

  // Check All swaps to UnCheck All even on a list with no rows to check.
  checked_[kEvent] = false;
  state.AllChecked(true);
  EXPECT_FALSE(state.Look().checkAllShown);
  EXPECT_TRUE(state.Look().unCheckAllShown);
  state.AllChecked(false);
  EXPECT_TRUE(state.Look().checkAllShown);

  // Away from the lists the buttons stay hidden and the latch keeps.
  state.RecordingsLoaded(false);
  state.AllChecked(true);
  EXPECT_FALSE(state.Look().checkAllShown);
  EXPECT_FALSE(state.Look().unCheckAllShown);
}

TEST_F(SearchWindowStateTest, ALoadShowsTheRecordingsAndTabsAreRefusedUntilTheListsReturn) {
  SearchWindowState state = MakeState(true);
  state.PressTab(FileListKind::kNormal);
  state.RecordingsLoaded(false);
  SearchWindowLook look = state.Look();
  EXPECT_TRUE(state.IsShowingLoadedList());
  EXPECT_FALSE(state.IsShowingMarkers());
  ExpectNoListOrTab(look);
  EXPECT_TRUE(look.loadedRecordingsShown);
  EXPECT_TRUE(look.closeShown);
  EXPECT_FALSE(look.loadShown);
  EXPECT_FALSE(look.checkAllShown);
  EXPECT_FALSE(look.unCheckAllShown);
  EXPECT_FALSE(look.markerButtonShown);
  EXPECT_FALSE(look.loadedLogsShown);

  // A refused press leaves the earlier tab lit, so the pressed one is undone.
  EXPECT_EQ(state.PressTab(FileListKind::kEvent), SearchTabPress::kRefused);
  EXPECT_EQ(state.VisibleKind(), FileListKind::kNormal);
  EXPECT_TRUE(state.Look().tabLit[kNormal]);
  EXPECT_FALSE(state.Look().tabLit[kEvent]);
  EXPECT_FALSE(state.PickList(FileListKind::kLog));
  EXPECT_EQ(state.VisibleKind(), FileListKind::kNormal);
}

TEST_F(SearchWindowStateTest, TheMarkerButtonTogglesTheMarkersAndBackAndIsIgnoredElsewhere) {
  SearchWindowState state = MakeState(false);
  EXPECT_EQ(state.PressMarkerButton(), SearchMarkerPress::kIgnored);
  EXPECT_EQ(state.Mode(), SearchWindowMode::kLists);

  state.RecordingsLoaded(true);
  EXPECT_TRUE(state.Look().markerButtonShown);
  EXPECT_FALSE(state.Look().markerButtonLatched);

  EXPECT_EQ(state.PressMarkerButton(), SearchMarkerPress::kMarkersShown);
  SearchWindowLook look = state.Look();
  EXPECT_TRUE(state.IsShowingMarkers());
  EXPECT_TRUE(state.IsShowingLoadedList());
  EXPECT_TRUE(look.markersShown);
  EXPECT_FALSE(look.loadedRecordingsShown);
  EXPECT_TRUE(look.markerButtonShown);
  EXPECT_TRUE(look.markerButtonLatched);
  EXPECT_TRUE(look.closeShown);
  EXPECT_EQ(state.PressTab(FileListKind::kNormal), SearchTabPress::kRefused);

  EXPECT_EQ(state.PressMarkerButton(), SearchMarkerPress::kRecordingsShown);
  look = state.Look();
  EXPECT_FALSE(state.IsShowingMarkers());
  EXPECT_TRUE(look.loadedRecordingsShown);
  EXPECT_FALSE(look.markersShown);
  EXPECT_FALSE(look.markerButtonLatched);

  // A later load without the button takes it away, markers or not.
  state.PressMarkerButton();
  state.RecordingsLoaded(false);
  EXPECT_FALSE(state.Look().markerButtonShown);
  EXPECT_FALSE(state.Look().markersShown);
  EXPECT_TRUE(state.Look().loadedRecordingsShown);

  state.LogsLoaded();
  EXPECT_EQ(state.PressMarkerButton(), SearchMarkerPress::kIgnored);
  EXPECT_EQ(state.Mode(), SearchWindowMode::kLogs);
}

TEST_F(SearchWindowStateTest, LoadedLogsKeepTheirListDisabledAboveThemAndOnlyAnotherTabLeavesThem) {
  SearchWindowState state = MakeState(false);
  state.LogsLoaded();
  SearchWindowLook look = state.Look();
  EXPECT_EQ(state.VisibleKind(), FileListKind::kLog);
  EXPECT_FALSE(state.IsShowingLoadedList());
  ExpectListUp(look, kLog);
  for (size_t i = 0; i < 3; ++i) EXPECT_FALSE(look.listEnabled[i]) << i;
  // The log tab shows with the logs even when the lists were without it.
  for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(look.tabShown[i]) << i;
  EXPECT_TRUE(look.loadedLogsShown);
  EXPECT_TRUE(look.listsInUpperPart);
  EXPECT_TRUE(look.closeShown);
  EXPECT_FALSE(look.loadShown);
  EXPECT_FALSE(look.checkAllShown);
  EXPECT_FALSE(look.unCheckAllShown);
  EXPECT_FALSE(look.loadedRecordingsShown);

  EXPECT_EQ(state.PressTab(FileListKind::kLog), SearchTabPress::kRefused);
  EXPECT_EQ(state.PressTab(FileListKind::kEvent), SearchTabPress::kLeavesLogs);
  // Leaving is the caller's: the logs stay up until the lists are shown.
  EXPECT_EQ(state.Mode(), SearchWindowMode::kLogs);
  EXPECT_EQ(state.VisibleKind(), FileListKind::kLog);

  checked_[kEvent] = true;
  state.ShowLists(FileListKind::kEvent, false);
  look = state.Look();
  ExpectListUp(look, kEvent);
  EXPECT_TRUE(look.listEnabled[kEvent]);
  EXPECT_FALSE(look.tabShown[kLog]);
  EXPECT_FALSE(look.listsInUpperPart);
  EXPECT_FALSE(look.loadedLogsShown);
  EXPECT_TRUE(look.unCheckAllShown);
}

TEST_F(SearchWindowStateTest, ShowingTheLogListWithoutItsTabFallsBackToTheEventList) {
  SearchWindowState state = MakeState(true);
  state.ShowLists(FileListKind::kLog, false);
  EXPECT_EQ(state.VisibleKind(), FileListKind::kEvent);
  state.ShowLists(FileListKind::kLog, true);
  EXPECT_EQ(state.VisibleKind(), FileListKind::kLog);
  EXPECT_TRUE(state.Look().tabShown[kLog]);
}

TEST_F(SearchWindowStateTest, CloseGoesBackToTheClosedModesListWithTheLogTabForLogsOrACardWithLogs) {
  struct Case {
    ViewMode viewMode;
    bool cardHasLogs;
    FileListKind kind;
    bool withLogTab;
  };
  const Case cases[] = {
      {kViewModeEvent, false, FileListKind::kEvent, false},   {kViewModeEvent, true, FileListKind::kEvent, true},
      {kViewModeNormal, false, FileListKind::kNormal, false}, {kViewModeLog, false, FileListKind::kLog, true},
      {kViewModeNone, true, FileListKind::kEvent, true},
  };
  for (const Case& c : cases) {
    const SearchListsChoice choice = SearchWindowState::ListsAfterClose(c.viewMode, c.cardHasLogs);
    EXPECT_EQ(choice.kind, c.kind) << static_cast<int>(c.viewMode) << " " << c.cardHasLogs;
    EXPECT_EQ(choice.withLogTab, c.withLogTab) << static_cast<int>(c.viewMode) << " " << c.cardHasLogs;
  }

  // Closed logs come back on the log list with its tab and Load.
  SearchWindowState state = MakeState(false);
  state.LogsLoaded();
  const SearchListsChoice choice = SearchWindowState::ListsAfterClose(kViewModeLog, false);
  state.ShowLists(choice.kind, choice.withLogTab);
  ExpectListUp(state.Look(), kLog);
  EXPECT_TRUE(state.Look().listEnabled[kLog]);
  EXPECT_TRUE(state.Look().loadShown);
  EXPECT_FALSE(state.Look().closeShown);
}

TEST_F(SearchWindowStateTest, ShowingTheListsLeavesAnyStateAndRematchesTheButton) {
  SearchWindowState state = MakeState(true);
  state.PressTab(FileListKind::kNormal);
  state.AllChecked(true);
  state.RecordingsLoaded(true);
  state.PressMarkerButton();

  // What a reset for a new card does.
  state.ShowLists(FileListKind::kEvent, false);
  SearchWindowLook look = state.Look();
  EXPECT_EQ(state.Mode(), SearchWindowMode::kLists);
  ExpectListUp(look, kEvent);
  EXPECT_FALSE(look.tabShown[kLog]);
  EXPECT_TRUE(look.checkAllShown);
  EXPECT_FALSE(look.markersShown);
  EXPECT_FALSE(look.markerButtonShown);
  EXPECT_FALSE(look.closeShown);
}

TEST_F(SearchWindowStateTest, WithoutAChecksQueryTheButtonIsCheckAll) {
  SearchWindowState state(false, nullptr);
  state.AllChecked(true);
  state.ChecksChanged();
  EXPECT_TRUE(state.Look().checkAllShown);
}

}  // namespace
