// The search window's wiring over a real engine: the lists show the card,
// clicks reach the lists' rules, the tabs and the twin check buttons follow
// the state, loads run the Qt loading dialog and leave their list boxes, and
// Close and the log tabs go back to the file lists.

#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <filesystem>

#include "playback/LoadedListRows.h"
#include "playback/ui/SearchUiFixture.h"
#include "recording/CardFolders.h"
#include "samplecard/SampleVideoWriter.h"
#include "skin/ui/VxListRowDelegate.h"

namespace search_ui_test {
namespace {

QStringList CaptionsOfLoadingDialogs(const QStringList& seen) {
  QStringList captions;
  for (const QString& caption : seen)
    if (!captions.contains(caption)) captions << caption;
  return captions;
}

TEST_F(SearchUiTest, ListsShowTheCardAndClicksOutsideTheCheckColumnToggleTheCheck) {
  WriteCard(2, 1, 2);
  CFileListView* events = List(FileListKind::kEvent);
  ASSERT_EQ(events->topLevelItemCount(), 2);
  EXPECT_TRUE(events->isVisible());
  EXPECT_FALSE(List(FileListKind::kNormal)->isVisible());
  const std::string title = std::filesystem::path(store_.Catalogue().event[0]).stem().string();
  EXPECT_EQ(events->CellText(0, kListColumnFile).toStdString(), title);
  EXPECT_EQ(events->headerItem()->text(kListColumnFile), QStringLiteral("EVENT File"));
  EXPECT_EQ(List(FileListKind::kNormal)->headerItem()->text(kListColumnInfo), QStringLiteral("Duration"));
  EXPECT_TRUE(events->isColumnHidden(kListColumnPath));
  EXPECT_TRUE(events->isColumnHidden(kListColumnSdid));
  EXPECT_FALSE(events->isColumnHidden(kListColumnInfo));
  EXPECT_TRUE(events->header()->defaultAlignment() & Qt::AlignHCenter);
  EXPECT_GE(events->columnWidth(kListColumnFile), CFileListView::kInitialWidths[kListColumnFile]);

  ClickCell(events, 1, kListColumnFile);
  EXPECT_TRUE(Model(FileListKind::kEvent).Row(1)->checked);
  EXPECT_TRUE(events->IsRowChecked(1));
  EXPECT_EQ(Model(FileListKind::kEvent).SelectedRow(), 1);
  EXPECT_FALSE(events->IsRowChecked(0));
  ClickCell(events, 1, kListColumnInfo);
  EXPECT_FALSE(Model(FileListKind::kEvent).Row(1)->checked);
  EXPECT_FALSE(events->IsRowChecked(1));

  // A click beside the check box in the first column leaves the check alone.
  const QRect rect = events->visualItemRect(events->topLevelItem(0));
  Click(events->viewport(), QPoint(events->columnWidth(0) - 4, rect.center().y()));
  EXPECT_FALSE(Model(FileListKind::kEvent).Row(0)->checked);
  // The check box itself is the list control's: its toggle reaches the list.
  QStyleOptionViewItem option;
  option.initFrom(events);
  option.rect = rect;
  option.features = QStyleOptionViewItem::HasCheckIndicator;
  const QRect box = events->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, events);
  Click(events->viewport(), box.center());
  EXPECT_TRUE(Model(FileListKind::kEvent).Row(0)->checked);
  EXPECT_FALSE(Model(FileListKind::kEvent).Row(1)->checked);
}

TEST_F(SearchUiTest, CheckAllAndUnCheckAllSwapAndActOnTheVisibleListOnly) {
  WriteCard(2, 1, 2);
  EXPECT_TRUE(window_->CheckAllButton()->isVisible());
  EXPECT_FALSE(window_->UnCheckAllButton()->isVisible());
  window_->CheckAllButton()->click();
  EXPECT_TRUE(List(FileListKind::kEvent)->IsRowChecked(0));
  EXPECT_TRUE(List(FileListKind::kEvent)->IsRowChecked(1));
  EXPECT_FALSE(Model(FileListKind::kNormal).AnyChecked());
  EXPECT_FALSE(window_->CheckAllButton()->isVisible());
  EXPECT_TRUE(window_->UnCheckAllButton()->isVisible());

  // The tabs show the twin that fits the shown list's checks.
  window_->TabButton(FileListKind::kNormal)->click();
  EXPECT_TRUE(window_->CheckAllButton()->isVisible());
  window_->TabButton(FileListKind::kEvent)->click();
  EXPECT_TRUE(window_->UnCheckAllButton()->isVisible());
  window_->UnCheckAllButton()->click();
  EXPECT_FALSE(Model(FileListKind::kEvent).AnyChecked());
  EXPECT_FALSE(List(FileListKind::kEvent)->IsRowChecked(0));
  EXPECT_TRUE(window_->CheckAllButton()->isVisible());
}

TEST_F(SearchUiTest, HeaderClicksSortTheNumberColumnAsNumbersAndChecksTravelWithTheirRows) {
  WriteCard(1, 1, 0);
  std::vector<FileListRow> rows(3);
  rows[0].no = "10";
  rows[0].path = "/c/10.vdd";
  rows[1].no = "2";
  rows[1].path = "/c/2.vdd";
  rows[2].no = "1";
  rows[2].path = "/c/1.vdd";
  Model(FileListKind::kEvent).Fill(rows);
  window_->RefillFileLists();
  CFileListView* events = List(FileListKind::kEvent);
  ClickCell(events, 0, kListColumnFile);  // checks "10"

  ClickHeader(events, kListColumnNo);
  EXPECT_EQ(events->CellText(0, kListColumnNo), QStringLiteral("1"));
  EXPECT_EQ(events->CellText(1, kListColumnNo), QStringLiteral("2"));
  EXPECT_EQ(events->CellText(2, kListColumnNo), QStringLiteral("10"));
  EXPECT_TRUE(events->IsRowChecked(2));
  EXPECT_FALSE(events->IsRowChecked(0));

  ClickHeader(events, kListColumnNo);
  EXPECT_EQ(events->CellText(0, kListColumnNo), QStringLiteral("10"));
  EXPECT_TRUE(events->IsRowChecked(0));
  EXPECT_EQ(Model(FileListKind::kEvent).CheckedPaths(), std::vector<std::string>{"/c/10.vdd"});
}

TEST_F(SearchUiTest, TabsShowOneListAndTheLogTabOnlyWhenTheCardHasLogs) {
  WriteCard(1, 1, 1);
  app_.hasLogs = false;
  window_->ShowFileList(FileListKind::kEvent);
  EXPECT_FALSE(window_->TabButton(FileListKind::kLog)->isVisible());
  EXPECT_TRUE(window_->TabButton(FileListKind::kEvent)->IsChecked());

  window_->TabButton(FileListKind::kNormal)->click();
  EXPECT_EQ(window_->VisibleKind(), FileListKind::kNormal);
  EXPECT_TRUE(List(FileListKind::kNormal)->isVisible());
  EXPECT_FALSE(List(FileListKind::kEvent)->isVisible());
  EXPECT_TRUE(window_->TabButton(FileListKind::kNormal)->IsChecked());
  EXPECT_FALSE(window_->TabButton(FileListKind::kEvent)->IsChecked());
  // Pressing the lit tab again keeps it lit.
  window_->TabButton(FileListKind::kNormal)->click();
  EXPECT_TRUE(window_->TabButton(FileListKind::kNormal)->IsChecked());

  app_.hasLogs = true;
  window_->ShowFileList(FileListKind::kEvent);
  EXPECT_TRUE(window_->TabButton(FileListKind::kLog)->isVisible());
  EXPECT_FALSE(window_->TabButton(FileListKind::kLog)->toolTip().isEmpty());
  EXPECT_EQ(window_->LoadButton()->toolTip(), QStringLiteral("Load Event/Log"));
}

TEST_F(SearchUiTest, LoadWithNothingCheckedSaysSoForTheVisibleKind) {
  WriteCard(1, 1, 0);
  window_->LoadButton()->click();
  window_->TabButton(FileListKind::kNormal)->click();
  window_->LoadButton()->click();
  ASSERT_EQ(prompt_.ShownBoxes().size(), 2u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, "No Event is selected");
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "EVENT File Loading");
  EXPECT_EQ(prompt_.ShownBoxes()[1].text, "No Normal is selected");
  EXPECT_TRUE(List(FileListKind::kNormal)->isVisible());
  EXPECT_TRUE(window_->LoadButton()->isVisible());
  EXPECT_EQ(app_.viewMode, kViewModeNone);
}

TEST_F(SearchUiTest, LoadingTwoEventsRunsADialogPerFileThenCloseGoesBackToTheLists) {
  WriteCard(2, 1, 0);
  ClickCell(List(FileListKind::kEvent), 0, kListColumnFile);
  ClickCell(List(FileListKind::kEvent), 1, kListColumnFile);

  QStringList seen;
  bool stripShown = false;
  QTimer probe;
  probe.setInterval(1);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<CDlgLoading*>(top); dialog && dialog->isVisible()) seen << dialog->windowTitle();
    stripShown = stripShown || window_->ProgressStrip()->isVisible();
  });
  probe.start();
  window_->LoadButton()->click();
  probe.stop();

  EXPECT_EQ(CaptionsOfLoadingDialogs(seen),
            QStringList({"EVENT File Loading  [ 1 / 2 ]", "EVENT File Loading  [ 2 / 2 ]"}));
  EXPECT_TRUE(stripShown);
  EXPECT_FALSE(window_->ProgressStrip()->isVisible());
  ASSERT_EQ(app_.viewMode, kViewModeEvent);
  ASSERT_EQ(store_.Videos().size(), 2u);
  EXPECT_GT(store_.Videos()[1]->FrameCount(), 0);

  CVxListBox* loaded = window_->LoadedRecordingsBox();
  EXPECT_TRUE(window_->IsShowingLoadedList());
  EXPECT_TRUE(loaded->isVisible());
  ASSERT_EQ(loaded->RowCount(), 2);
  EXPECT_EQ(loaded->SelectedRow(), 0);
  EXPECT_FALSE(List(FileListKind::kEvent)->isVisible());
  EXPECT_FALSE(window_->LoadButton()->isVisible());
  EXPECT_FALSE(window_->CheckAllButton()->isVisible());
  EXPECT_FALSE(window_->UnCheckAllButton()->isVisible());
  EXPECT_TRUE(window_->CloseButton()->isVisible());
  EXPECT_FALSE(window_->EventMarkerButton()->isVisible());

  // A row of the list box makes its recording the current one; navigation
  // selecting a recording moves the box's selection without a new choice.
  ClickListBoxRow(loaded, 1);
  EXPECT_EQ(store_.CurrentIndex(), 1);
  window_->SelectLoadedRecordingRow(0);
  EXPECT_EQ(loaded->SelectedRow(), 0);
  EXPECT_EQ(store_.CurrentIndex(), 1);

  window_->CloseButton()->click();
  EXPECT_EQ(app_.viewMode, kViewModeNone);
  EXPECT_TRUE(store_.Videos().empty());
  EXPECT_FALSE(window_->IsShowingLoadedList());
  EXPECT_FALSE(loaded->isVisible());
  EXPECT_TRUE(List(FileListKind::kEvent)->isVisible());
  EXPECT_TRUE(window_->LoadButton()->isVisible());
  EXPECT_FALSE(window_->CloseButton()->isVisible());
  EXPECT_TRUE(window_->TabButton(FileListKind::kNormal)->isVisible());
}

TEST_F(SearchUiTest, TheTripTabListsTheDrivesAndLoadPlaysTheTickedOneAsANormalRun) {
  WriteCard(0, 3, 0);
  CVxCheckButton* tab = window_->TabButton(FileListKind::kTrip);
  EXPECT_TRUE(tab->isVisible());
  EXPECT_EQ(tab->toolTip(), QStringLiteral("Show Trip List"));
  tab->click();
  CFileListView* trips = List(FileListKind::kTrip);
  EXPECT_TRUE(trips->isVisible());
  EXPECT_FALSE(List(FileListKind::kEvent)->isVisible());
  // The three one-minute recordings follow one another: one drive.
  ASSERT_EQ(trips->topLevelItemCount(), 1);
  EXPECT_EQ(trips->headerItem()->text(kTripColumnDistance), QStringLiteral("Distance"));
  EXPECT_TRUE(trips->isColumnHidden(kListColumnPath));
  EXPECT_FALSE(trips->isColumnHidden(kTripColumnHard));
  EXPECT_EQ(trips->CellText(0, kTripColumnDate), QStringLiteral("2024-06-14"));
  EXPECT_TRUE(trips->CellText(0, kTripColumnTopSpeed).endsWith(QStringLiteral(" km/h")));

  window_->LoadButton()->click();
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].text, "No Trip is selected");

  ClickCell(trips, 0, kTripColumnDate);
  window_->LoadButton()->click();
  ASSERT_EQ(app_.viewMode, kViewModeNormal);
  ASSERT_EQ(store_.Videos().size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(store_.Videos()[i]->DataFilePath(), store_.Catalogue().normal[i]) << i;
  EXPECT_EQ(window_->LoadedRecordingsBox()->RowCount(), 3);
  EXPECT_TRUE(window_->CloseButton()->isVisible());
  EXPECT_FALSE(tab->isVisible());

  // Close goes back to the lists of what was loaded.
  window_->CloseButton()->click();
  EXPECT_TRUE(List(FileListKind::kNormal)->isVisible());
  EXPECT_TRUE(tab->isVisible());
}

// A normal recording of three seconds whose event starts at frame 5.
std::string WriteNormalWithEvent(const std::filesystem::path& root) {
  SampleVideoRecipe recipe;
  recipe.kind = SampleVideoKind::kNormal;
  recipe.number = 7;
  recipe.width = 64;
  recipe.height = 48;
  SampleVideo video = MakeSampleVideo(recipe);
  for (size_t i = 0; i < video.frames.size(); ++i) video.frames[i].eventBits = i >= 5 && i < 8 ? 1 : 0;
  std::string error;
  EXPECT_TRUE(WriteSampleVideo(NormalFolderPath(root), &video, &error)) << error;
  return video.dataPath.string();
}

TEST_F(SearchUiTest, TheMarkerButtonSwapsToTheCurrentRecordingsMarkersAndAMarkerGoesToItsFrame) {
  WriteCard(1, 1, 0);
  const std::string withEvent = WriteNormalWithEvent(dir_ / "card");
  store_.Scan();
  window_->FillFromCatalogue();
  window_->TabButton(FileListKind::kNormal)->click();
  CListEvent& normals = Model(FileListKind::kNormal);
  for (int row = 0; row < normals.RowCount(); ++row) normals.SetChecked(row, normals.Row(row)->Path() == withEvent);
  window_->RefreshChecks(FileListKind::kNormal);
  window_->LoadButton()->click();
  ASSERT_EQ(app_.viewMode, kViewModeNormal);
  ASSERT_EQ(store_.Videos().size(), 1u);
  ASSERT_TRUE(window_->EventMarkerButton()->isVisible());

  window_->EventMarkerButton()->click();
  EXPECT_TRUE(window_->IsShowingMarkers());
  CVxListBox* markers = window_->MarkerBox();
  EXPECT_TRUE(markers->isVisible());
  EXPECT_FALSE(window_->LoadedRecordingsBox()->isVisible());
  const std::vector<LoadedListRow> expected = EventMarkerRows(*store_.Videos()[0]);
  ASSERT_EQ(markers->RowCount(), 1);
  EXPECT_EQ(markers->RowText(0).toStdString(), expected[0].text);
  EXPECT_EQ(markers->ItemValue(0), 5);

  engine_->Play();
  ClickListBoxRow(markers, 0);
  EXPECT_EQ(engine_->Control().CurrentPlayState(), PS_STOP);
  EXPECT_EQ(store_.Videos()[0]->CurrentFrameIndex(), 5);

  window_->EventMarkerButton()->click();
  EXPECT_FALSE(window_->IsShowingMarkers());
  EXPECT_TRUE(window_->LoadedRecordingsBox()->isVisible());
  EXPECT_FALSE(markers->isVisible());
}

// The marker list shows its row whole, the leading comma of the row that
// says there is no event included: the ink of the row spans the text.
TEST_F(SearchUiTest, TheMarkerListShowsTheNoEventRowWhole) {
  WriteCard(1, 1, 0);
  window_->TabButton(FileListKind::kNormal)->click();
  Model(FileListKind::kNormal).SetAllChecked(true);
  window_->RefreshChecks(FileListKind::kNormal);
  window_->show();
  window_->LoadButton()->click();
  ASSERT_EQ(app_.viewMode, kViewModeNormal);
  window_->EventMarkerButton()->click();
  CVxListBox* markers = window_->MarkerBox();
  ASSERT_EQ(markers->RowCount(), 1);
  const QString text = markers->RowText(0);
  ASSERT_TRUE(text.startsWith(',')) << text.toStdString();

  const QImage shot = markers->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRect row = markers->visualItemRect(markers->item(0));
  const QColor background = VxListRowDelegate::Background();
  int left = shot.width();
  int right = -1;
  for (int y = row.top(); y <= row.bottom(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (QColor(shot.pixel(x, y)).lightness() - background.lightness() < 64) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  const QRect ink = QFontMetrics(markers->font()).boundingRect(text);
  constexpr int kRoundingPixels = 2;
  EXPECT_LE(left, row.left() + QFontMetrics(markers->font()).horizontalAdvance(',')) << text.toStdString();
  EXPECT_GE(right - left + 1, ink.width() - kRoundingPixels) << text.toStdString();
}

TEST_F(SearchUiTest, ALogLoadKeepsTheLogListDisabledAndAnEventTabClosesTheLogs) {
  WriteCard(1, 1, 2);
  ASSERT_TRUE(app_.hasLogs);
  window_->TabButton(FileListKind::kLog)->click();
  window_->CheckAllButton()->click();
  window_->LoadButton()->click();
  ASSERT_EQ(app_.viewMode, kViewModeLog);

  CFileListView* logs = List(FileListKind::kLog);
  EXPECT_TRUE(logs->isVisible());
  EXPECT_FALSE(logs->isEnabled());
  EXPECT_FALSE(window_->LoadButton()->isVisible());
  EXPECT_FALSE(window_->CheckAllButton()->isVisible());
  EXPECT_FALSE(window_->UnCheckAllButton()->isVisible());
  EXPECT_TRUE(window_->CloseButton()->isVisible());
  EXPECT_TRUE(window_->LoadedLogsBox()->isVisible());
  EXPECT_EQ(window_->LoadedLogsBox()->RowCount(), 2);

  ClickListBoxRow(window_->LoadedLogsBox(), 1);
  EXPECT_EQ(window_->LoadedLogsBox()->SelectedRow(), 1);

  window_->TabButton(FileListKind::kEvent)->click();
  EXPECT_EQ(app_.viewMode, kViewModeNone);
  EXPECT_TRUE(store_.Logs().empty());
  EXPECT_TRUE(List(FileListKind::kEvent)->isVisible());
  EXPECT_TRUE(List(FileListKind::kEvent)->isEnabled());
  EXPECT_FALSE(logs->isVisible());
  EXPECT_FALSE(window_->LoadedLogsBox()->isVisible());
  EXPECT_TRUE(window_->LoadButton()->isVisible());
  EXPECT_FALSE(window_->CloseButton()->isVisible());
}

// File > Load > Normal and Ctrl+L (log) bring up the list they load even
// when nothing in it is ticked, so the answer stands beside the rows to tick.
TEST_F(SearchUiTest, FileMenuLoadWithNothingTickedShowsTheListItLoads) {
  WriteCard(1, 1, 1);
  struct Case {
    FileListKind kind;
    const char* text;
  };
  for (const Case& c :
       {Case{FileListKind::kNormal, "No Normal is selected"}, Case{FileListKind::kLog, "No Log is selected"},
        Case{FileListKind::kEvent, "No Event is selected"}}) {
    window_->TabButton(c.kind == FileListKind::kEvent ? FileListKind::kNormal : FileListKind::kEvent)->click();
    window_->LoadKind(c.kind);
    EXPECT_TRUE(List(c.kind)->isVisible()) << c.text;
    EXPECT_TRUE(window_->TabButton(c.kind)->isChecked()) << c.text;
    ASSERT_FALSE(prompt_.ShownBoxes().empty());
    EXPECT_EQ(prompt_.ShownBoxes().back().text, c.text);
  }
  EXPECT_EQ(app_.viewMode, kViewModeNone);
}

TEST_F(SearchUiTest, FileMenuLoadShowsTheKindsListAndACancelledLoadLeavesNothingUp) {
  WriteCard(2, 1, 0);
  Model(FileListKind::kNormal).SetAllChecked(true);
  window_->LoadKind(FileListKind::kNormal);
  ASSERT_EQ(app_.viewMode, kViewModeNormal);
  EXPECT_TRUE(window_->IsShowingLoadedList());

  // A second load from the menu, cancelled in its dialog: the earlier load
  // is gone and no list box of it stays.
  Model(FileListKind::kEvent).SetAllChecked(true);
  {
    ModalProbe<CDlgLoading> cancel([](CDlgLoading& dialog) { dialog.CancelButton()->click(); });
    window_->LoadKind(FileListKind::kEvent);
  }

  EXPECT_TRUE(store_.Videos().empty());
  EXPECT_FALSE(window_->IsShowingLoadedList());
  EXPECT_FALSE(window_->LoadedRecordingsBox()->isVisible());
  EXPECT_EQ(window_->LoadedRecordingsBox()->RowCount(), 0);
  EXPECT_TRUE(List(FileListKind::kEvent)->isVisible());
  EXPECT_TRUE(window_->LoadButton()->isVisible());
  ASSERT_FALSE(prompt_.ShownBoxes().empty());
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Event Loading Cancel");
}

}  // namespace
}  // namespace search_ui_test
