#include "playback/ui/WndSearch.h"

#include <QProgressBar>
#include <QResizeEvent>
#include <algorithm>

#include "base/AppState.h"
#include "base/MgrMultiLang.h"
#include "playback/LoadedListRows.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/DlgWaitMsg.h"
#include "playback/ui/FileListView.h"
#include "recording/MgrDBSearch.h"
#include "skin/SkinWords.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxCheckButton.h"
#include "skin/ui/VxListBox.h"

namespace {

constexpr std::array<FileListKind, kFileListKindCount> kKinds = {FileListKind::kEvent, FileListKind::kNormal,
                                                                 FileListKind::kLog, FileListKind::kTrip};
constexpr std::array<int, kFileListKindCount> kListIds = {CWndSearch::kIdEventList, CWndSearch::kIdNormalList,
                                                          CWndSearch::kIdLogList, CWndSearch::kIdTripList};

// The window's own places for controls the skin leaves unplaced.
constexpr int kMargin = 4;
constexpr int kTabWidth = 64;
constexpr int kTabHeight = 24;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kProgressHeight = 14;
constexpr int kButtonWordPixels = 11;

const char* const kStyle =
    "CWndSearch { background: #1b1f24; }"
    "QTreeWidget { background: #14171b; color: #e6e9ed; border: 1px solid #2c333b;"
    " selection-background-color: #2f6fa8; selection-color: #ffffff; outline: 0; }"
    "QTreeWidget:focus { border-color: #f0b43c; }"
    "QHeaderView { background: #262c33; }"
    "QTreeWidget::item { border-right: 1px solid #262c33; border-bottom: 1px solid #262c33; padding: 1px 2px; }"
    "QTreeWidget::item:selected { background: #2f6fa8; color: #ffffff; }"
    "QTreeWidget::item:disabled { color: #7d858e; }"
    "QHeaderView::section { background: #262c33; color: #cfd5db; border: 0; border-right: 1px solid #3a424c;"
    " border-bottom: 1px solid #3a424c; padding: 3px; }"
    "QScrollBar:horizontal { background: #1b1f24; height: 10px; margin: 0; }"
    "QScrollBar:vertical { background: #1b1f24; width: 10px; margin: 0; }"
    "QScrollBar::handle { background: #3a424c; border-radius: 4px; min-width: 24px; min-height: 24px; }"
    "QScrollBar::handle:hover { background: #4a545f; }"
    "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
    "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"
    "QProgressBar { background: #14171b; color: #e6e9ed; border: 1px solid #3a424c; border-radius: 2px;"
    " text-align: center; font-size: 9px; }"
    "QProgressBar::chunk { background: #3d8fd1; }";

QString ToolTip(const char* key, const char* english) {
  return QString::fromStdString(GetLangText("ToolTip", key, english));
}

QString Word(SkinWord word) { return QString::fromStdString(SkinWordText(word)); }

QRect Or(const QRect& skinRect, const QRect& own) { return skinRect.isEmpty() ? own : skinRect; }

SkinPlace PlaceOf(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

QRect RectOf(const SkinPlace& place) { return QRect(place.left, place.top, place.Width(), place.Height()); }

int ButtonTop(int height) { return height - kMargin - kButtonHeight; }

// Where the lists and the loaded boxes lie: between the tabs and the buttons.
QRect ListArea(int width, int height) {
  const int top = kMargin * 2 + kTabHeight;
  const int bottom = ButtonTop(height) - kMargin;
  return QRect(kMargin, top, std::max(width - 2 * kMargin, 0), std::max(bottom - top, 0));
}

// With logs loaded the disabled log list shares the area with their box.
QRect UpperPart(const QRect& area) { return QRect(area.left(), area.top(), area.width(), area.height() / 2); }

}  // namespace

CWndSearch::CWndSearch(CMgrDBSearch& store, AppState& app, QWidget* parent)
    : QWidget(parent),
      store_(store),
      app_(app),
      state_(app.hasLogs, [this](FileListKind kind) { return AnyChecked(kind); }) {
  setObjectName(QStringLiteral("searchWindow"));
  setAttribute(Qt::WA_StyledBackground);
  setStyleSheet(QString::fromLatin1(kStyle));
  MakeAppFonts();
  MakeChildren();
  ConnectChildren();
  ApplyLook();
}

CWndSearch::~CWndSearch() {
  if (engine_) engine_->RemoveViews(PlaybackSinks{.loadedList = this}, this);
}

// The lists are built as they first show (ApplyLook), not here: each is a
// tree view with its own header, scroll bars and style, a large part of the
// window's start-up, and most users never open some of them.
void CWndSearch::MakeChildren() {
  const std::array<int, kFileListKindCount> tabIds = {kIdTabEvent, kIdTabNormal, kIdTabLog, kIdTabTrip};
  // Short captions fit the tabs; the tooltips say what each one shows.
  const std::array<SkinWord, kFileListKindCount> captions = {SkinWord::kTabEvent, SkinWord::kTabNormal,
                                                             SkinWord::kTabLog, SkinWord::kTabTrip};
  const std::array<QString, kFileListKindCount> tips = {
      ToolTip("Event", "Show Event File List"), ToolTip("Normal", "Show Normal File List"),
      ToolTip("Log", "Show Log File List"), ToolTip("Trip", "Show Trip List")};
  for (FileListKind kind : kKinds) {
    const size_t i = Index(kind);
    tabs_[i] = new CVxCheckButton(tabIds[i], this);
    tabs_[i]->SetCaption(Word(captions[i]));
    tabs_[i]->setToolTip(tips[i]);
  }
  load_ = new CVxButton(kIdLoad, this);
  load_->SetCaption(Word(SkinWord::kLoad), kButtonWordPixels);
  load_->setToolTip(ToolTip("Load", "Load Event/Log"));
  close_ = new CVxButton(kIdClose, this);
  close_->SetCaption(Word(SkinWord::kClose), kButtonWordPixels);
  close_->setToolTip(ToolTip("Close", "Close Event/Log"));
  checkAll_ = new CVxButton(kIdCheckAll, this);
  checkAll_->SetCaption(Word(SkinWord::kAll), kButtonWordPixels, true);
  checkAll_->setToolTip(ToolTip("CheckAll", "Check All"));
  unCheckAll_ = new CVxButton(kIdUnCheckAll, this);
  unCheckAll_->SetCaption(Word(SkinWord::kAll), kButtonWordPixels, true);
  unCheckAll_->setToolTip(ToolTip("UnCheckAll", "UnCheck All"));
  markerButton_ = new CVxButton(kIdEventMarker, this);
  progress_ = new QProgressBar(this);
  progress_->setTextVisible(false);
  progress_->hide();
  ChainTabOrder();
}

CFileListView* CWndSearch::FileListWidget(FileListKind kind) {
  const size_t i = Index(kind);
  if (lists_[i]) return lists_[i];
  CFileListView* list = new CFileListView(kListIds[i], kind, this);
  lists_[i] = list;
  list->setFont(AppFont(AppFontId::kNormal));
  list->SetModel(engine_ ? &engine_->List(kind) : nullptr);
  list->Render();
  const SearchWindowLook look = state_.Look();
  list->setGeometry(ListPlace());
  list->setEnabled(look.listEnabled[i]);
  list->setVisible(look.listShown[i]);
  ChainTabOrder();
  return list;
}

CVxListBox* CWndSearch::Box(LoadedBox which) {
  const size_t i = Index(which);
  if (boxes_[i]) return boxes_[i];
  constexpr std::array<int, kLoadedBoxCount> kBoxIds = {kIdLoadedRecordings, kIdLoadedLogs, kIdMarkerList};
  CVxListBox* box = new CVxListBox(kBoxIds[i], this);
  boxes_[i] = box;
  switch (which) {
    case LoadedBox::kRecordings:
      connect(box, &CVxListBox::rowChosen, this, [this](int, int recording) {
        if (engine_) engine_->SelectLoadedRecording(recording);
      });
      break;
    case LoadedBox::kLogs:
      connect(box, &CVxListBox::rowChosen, this, [this](int, int log) {
        if (engine_) engine_->SelectLoadedLog(log);
      });
      break;
    case LoadedBox::kMarkers:
      connect(box, &CVxListBox::rowChosen, this, [this](int, int frame) { OnMarkerChosen(frame); });
      break;
  }
  // Left hidden: the look shows it once its rows are in, and showing it
  // lays them out.
  box->setGeometry(BoxPlace(which));
  ChainTabOrder();
  return box;
}

void CWndSearch::ClearBox(LoadedBox which) {
  if (CVxListBox* box = boxes_[Index(which)]) box->Clear();
}

// The buttons take the keyboard from Tab only: a click leaves it in the
// list the user works in.
void CWndSearch::ChainTabOrder() {
  QWidget* previous = nullptr;
  for (SearchControl control : SearchTabOrder()) {
    QWidget* widget = Control(control);
    if (!widget) continue;
    if (qobject_cast<QAbstractButton*>(widget)) widget->setFocusPolicy(Qt::TabFocus);
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
}

QWidget* CWndSearch::Control(SearchControl control) const {
  switch (control) {
    case SearchControl::kTabEvent:
      return tabs_[Index(FileListKind::kEvent)];
    case SearchControl::kTabNormal:
      return tabs_[Index(FileListKind::kNormal)];
    case SearchControl::kTabLog:
      return tabs_[Index(FileListKind::kLog)];
    case SearchControl::kTabTrip:
      return tabs_[Index(FileListKind::kTrip)];
    case SearchControl::kEventList:
      return lists_[Index(FileListKind::kEvent)];
    case SearchControl::kNormalList:
      return lists_[Index(FileListKind::kNormal)];
    case SearchControl::kLogList:
      return lists_[Index(FileListKind::kLog)];
    case SearchControl::kTripList:
      return lists_[Index(FileListKind::kTrip)];
    case SearchControl::kLoadedRecordings:
      return boxes_[Index(LoadedBox::kRecordings)];
    case SearchControl::kMarkers:
      return boxes_[Index(LoadedBox::kMarkers)];
    case SearchControl::kLoadedLogs:
      return boxes_[Index(LoadedBox::kLogs)];
    case SearchControl::kLoad:
      return load_;
    case SearchControl::kCheckAll:
      return checkAll_;
    case SearchControl::kUnCheckAll:
      return unCheckAll_;
    case SearchControl::kClose:
      return close_;
    case SearchControl::kEventMarker:
      return markerButton_;
  }
  return nullptr;
}

void CWndSearch::ConnectChildren() {
  for (FileListKind kind : kKinds) {
    connect(tabs_[Index(kind)], &QAbstractButton::clicked, this, [this, kind] { OnTab(kind); });
  }
  connect(load_, &QAbstractButton::clicked, this, &CWndSearch::OnLoad);
  connect(close_, &QAbstractButton::clicked, this, &CWndSearch::OnClose);
  connect(checkAll_, &QAbstractButton::clicked, this, [this] { OnCheckAll(true); });
  connect(unCheckAll_, &QAbstractButton::clicked, this, [this] { OnCheckAll(false); });
  connect(markerButton_, &QAbstractButton::clicked, this, &CWndSearch::OnMarkerButton);
}

void CWndSearch::SetEngine(PlaybackEngine* engine) {
  if (engine_) engine_->RemoveViews(PlaybackSinks{.loadedList = this}, this);
  engine_ = engine;
  if (engine_) engine_->AddViews(PlaybackSinks{.loadedList = this}, this);
  for (CFileListView* list : lists_) {
    if (list) list->SetModel(engine_ ? &engine_->List(list->Kind()) : nullptr);
  }
  state_.ChecksChanged();
  ApplyLook();
}

void CWndSearch::SetSkin(const SearchWindowSkin& skin) {
  skin_ = skin;
  load_->SetStrip(skin.load);
  close_->SetStrip(skin.close);
  checkAll_->SetStrip(skin.checkAll);
  unCheckAll_->SetStrip(skin.unCheckAll);
  markerButton_->SetStrip(skin.eventMarker);
  tabs_[Index(FileListKind::kEvent)]->SetStrip(skin.tabEvent);
  tabs_[Index(FileListKind::kNormal)]->SetStrip(skin.tabNormal);
  tabs_[Index(FileListKind::kLog)]->SetStrip(skin.tabLog);
  tabs_[Index(FileListKind::kTrip)]->SetStrip(skin.tabTrip);
  Layout();
}

// ---- the lists --------------------------------------------------------------

void CWndSearch::FillFromCatalogue() {
  if (!engine_) return;
  engine_->FillLists();
  RefillFileLists();
}

void CWndSearch::RefillFileLists() {
  for (CFileListView* list : lists_) {
    if (list) list->Render();
  }
  state_.ChecksChanged();
  ApplyLook();
}

void CWndSearch::ShowFileList(FileListKind kind) { ShowFileLists(kind, app_.hasLogs); }

void CWndSearch::ShowFileLists(FileListKind kind, bool withLogTab) {
  state_.ShowLists(kind, withLogTab);
  ClearBox(LoadedBox::kMarkers);
  ApplyLook();
}

void CWndSearch::RefreshTripList() {
  if (CFileListView* trips = lists_[Index(FileListKind::kTrip)]) trips->Render();
  state_.ChecksChanged();
  ApplyLook();
}

void CWndSearch::ResetLists() {
  if (engine_) engine_->ClearLists();
  for (CFileListView* list : lists_) {
    if (list) list->Render();
  }
  ClearBox(LoadedBox::kRecordings);
  ClearBox(LoadedBox::kLogs);
  // Nothing loaded is left to close: the (empty) lists come back with their
  // tabs and Load, ready for the next card.
  ShowFileLists(FileListKind::kEvent, app_.hasLogs);
}

void CWndSearch::SetAllChecked(bool checked) {
  if (!engine_ || !state_.ShowsLists()) return;
  const FileListKind kind = state_.VisibleKind();
  engine_->List(kind).SetAllChecked(checked);
  FileListWidget(kind)->RenderChecks();
  state_.AllChecked(checked);
  ApplyLook();
}

bool CWndSearch::AnyChecked(FileListKind kind) const { return engine_ && engine_->List(kind).AnyChecked(); }

void CWndSearch::RefreshChecks(FileListKind kind) {
  if (CFileListView* list = lists_[Index(kind)]) list->RenderChecks();
  if (kind != state_.VisibleKind()) return;
  state_.ChecksChanged(kind);
  ApplyLook();
}

// ---- what a load leaves -----------------------------------------------------

void CWndSearch::ShowLoadedRecordings(const std::vector<LoadedListRow>& rows, int selectedRow, bool withMarkerButton) {
  CVxListBox* box = Box(LoadedBox::kRecordings);
  box->Clear();
  for (const LoadedListRow& row : rows) box->AddRow(QString::fromStdString(row.text), row.itemValue);
  box->SelectRow(selectedRow);
  ClearBox(LoadedBox::kMarkers);
  state_.RecordingsLoaded(withMarkerButton);
  ApplyLook();
}

void CWndSearch::ShowLoadedLogs(const std::vector<LoadedListRow>& rows, int selectedRow) {
  CVxListBox* box = Box(LoadedBox::kLogs);
  box->Clear();
  for (const LoadedListRow& row : rows) box->AddRow(QString::fromStdString(row.text), row.itemValue);
  box->SelectRow(selectedRow);
}

void CWndSearch::ShowLogsLoaded() {
  state_.LogsLoaded();
  ApplyLook();
}

void CWndSearch::SelectLoadedRecordingRow(int recording) {
  CVxListBox* box = Box(LoadedBox::kRecordings);
  box->SelectRow(box->FindItemValue(recording));
}

void CWndSearch::SelectLoadedLogRow(int log) {
  CVxListBox* box = Box(LoadedBox::kLogs);
  box->SelectRow(box->FindItemValue(log));
}

// ---- the progress strip and the wait box ------------------------------------

void CWndSearch::ShowProgressStrip(int total) {
  progress_->setRange(0, std::max(total, 0));
  progress_->setValue(0);
  progress_->show();
  progress_->raise();
}

void CWndSearch::SetProgressPos(int pos) {
  progress_->setValue(std::clamp(pos, progress_->minimum(), progress_->maximum()));
}

void CWndSearch::HideProgressStrip() { progress_->hide(); }

void CWndSearch::RunWithWaitMessage(const std::string& text, const std::function<void()>& work) {
  CDlgWaitMsg::Run(QString::fromStdString(text), window(), work);
}

// ---- clicks -----------------------------------------------------------------

void CWndSearch::OnTab(FileListKind kind) {
  // A refused press still paints the look: that undoes the tab's own toggle.
  if (!engine_) {
    ApplyLook();
    return;
  }
  if (state_.PressTab(kind) == SearchTabPress::kLeavesLogs) {
    engine_->Close();
    ShowFileLists(kind, app_.hasLogs);
    return;
  }
  ApplyLook();
}

void CWndSearch::OnCheckAll(bool checked) { SetAllChecked(checked); }

void CWndSearch::OnLoad() {
  if (!engine_ || !state_.ShowsLists()) return;
  const FileListKind kind = state_.VisibleKind();
  const LoadOutcome outcome = engine_->LoadChecked(kind);
  if (outcome == LoadOutcome::kCancelled || outcome == LoadOutcome::kFailed) AfterLoad(kind);
}

void CWndSearch::LoadKind(FileListKind kind) {
  if (!engine_) return;
  if (kind == FileListKind::kLog && !app_.hasLogs) return;
  // The list it loads comes up first, so that "nothing selected" stands
  // beside the rows to tick; a load that is up stays up.
  if (state_.PickList(kind)) ApplyLook();
  const LoadOutcome outcome = engine_->LoadChecked(kind);
  if (outcome == LoadOutcome::kCancelled || outcome == LoadOutcome::kFailed) AfterLoad(kind);
}

void CWndSearch::AfterLoad(FileListKind kind) {
  // The engine let go of everything loaded, the earlier load included: no
  // list box of it may stay up.
  ClearBox(LoadedBox::kRecordings);
  ClearBox(LoadedBox::kLogs);
  ShowFileLists(kind, app_.hasLogs);
}

void CWndSearch::OnClose() {
  if (!engine_) return;
  const SearchListsChoice after = SearchWindowState::ListsAfterClose(app_.viewMode, app_.hasLogs);
  engine_->Close();
  // The engine tells the window through the back panel as well; showing
  // the lists twice changes nothing.
  ShowFileLists(after.kind, after.withLogTab);
}

void CWndSearch::OnMarkerButton() {
  const SearchMarkerPress press = state_.PressMarkerButton();
  if (press == SearchMarkerPress::kIgnored) return;
  if (press == SearchMarkerPress::kMarkersShown) FillMarkers();
  ApplyLook();
}

void CWndSearch::FillMarkers() {
  CVxListBox* markers = Box(LoadedBox::kMarkers);
  markers->Clear();
  const auto& videos = store_.Videos();
  const int current = store_.CurrentIndex();
  if (current >= 0 && static_cast<size_t>(current) < videos.size() && videos[static_cast<size_t>(current)]) {
    for (const LoadedListRow& row : EventMarkerRows(*videos[static_cast<size_t>(current)]))
      markers->AddRow(QString::fromStdString(row.text), row.itemValue);
  }
}

void CWndSearch::OnMarkerChosen(int frame) {
  // The "no event" row carries no frame.
  if (!engine_ || frame < 0) return;
  engine_->Stop();
  engine_->GoTo(store_.CurrentIndex(), frame);
}

// ---- showing and placing ----------------------------------------------------

void CWndSearch::ApplyLook() {
  const SearchWindowLook look = state_.Look();
  for (FileListKind kind : kKinds) {
    const size_t i = Index(kind);
    if (look.listShown[i]) FileListWidget(kind);
    if (lists_[i]) {
      lists_[i]->setVisible(look.listShown[i]);
      lists_[i]->setEnabled(look.listEnabled[i]);
    }
    tabs_[i]->setVisible(look.tabShown[i]);
    tabs_[i]->setEnabled(true);
    tabs_[i]->SetChecked(look.tabLit[i]);
  }
  load_->setVisible(look.loadShown);
  load_->setEnabled(true);
  checkAll_->setVisible(look.checkAllShown);
  unCheckAll_->setVisible(look.unCheckAllShown);
  close_->setVisible(look.closeShown);
  const std::array<bool, kLoadedBoxCount> boxShown = {look.loadedRecordingsShown, look.loadedLogsShown,
                                                      look.markersShown};
  for (LoadedBox which : {LoadedBox::kRecordings, LoadedBox::kLogs, LoadedBox::kMarkers}) {
    const size_t i = Index(which);
    if (boxShown[i]) Box(which);
    if (boxes_[i]) boxes_[i]->setVisible(boxShown[i]);
  }
  markerButton_->setVisible(look.markerButtonShown);
  markerButton_->SetLatched(look.markerButtonLatched);
  Layout();
}

void CWndSearch::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
}

// The loaded logs take the lower part under the loaded recordings; the
// recordings and the markers take the whole list area, one at a time.
QRect CWndSearch::BoxPlace(LoadedBox which) const {
  const QRect area = ListArea(width(), height());
  if (which != LoadedBox::kLogs) return area;
  const QRect upper = UpperPart(area);
  return QRect(area.left(), upper.bottom() + 1, area.width(), area.height() - upper.height());
}

QRect CWndSearch::ListPlace() const {
  const QRect area = ListArea(width(), height());
  return state_.Look().listsInUpperPart ? UpperPart(area) : area;
}

void CWndSearch::Layout() {
  const int w = width();
  const int h = height();
  const int buttonTop = ButtonTop(h);
  const QRect own_load(kMargin, buttonTop, kButtonWidth, kButtonHeight);
  const QRect own_checkAll(kMargin * 2 + kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
  auto ownTab = [](int i) { return QRect(kMargin + i * (kTabWidth + kMargin), kMargin, kTabWidth, kTabHeight); };

  tabs_[Index(FileListKind::kEvent)]->setGeometry(Or(skin_.tabEventRect, ownTab(0)));
  tabs_[Index(FileListKind::kNormal)]->setGeometry(Or(skin_.tabNormalRect, ownTab(1)));
  tabs_[Index(FileListKind::kLog)]->setGeometry(Or(skin_.tabLogRect, ownTab(2)));
  tabs_[Index(FileListKind::kTrip)]->setGeometry(Or(skin_.tabTripRect, ownTab(3)));
  load_->setGeometry(Or(skin_.loadRect, own_load));
  // Close never shows with Load, so it may take Load's place, all of it for
  // a word the skin's button is too narrow for.
  const QRect loadPlace = Or(skin_.loadRect, own_load);
  const QRect closePlace = Or(skin_.closeRect, loadPlace);
  close_->setGeometry(RectOf(PlaceForWord(PlaceOf(closePlace), PlaceOf(loadPlace), close_->CaptionWidth())));
  checkAll_->setGeometry(Or(skin_.checkAllRect, own_checkAll));
  unCheckAll_->setGeometry(Or(skin_.checkAllRect, own_checkAll));
  // The marker button only shows when Check All does not.
  markerButton_->setGeometry(Or(skin_.eventMarkerRect, Or(skin_.checkAllRect, own_checkAll)));

  const QRect area = ListArea(w, h);
  for (CFileListView* list : lists_) {
    if (list) list->setGeometry(ListPlace());
  }
  for (LoadedBox which : {LoadedBox::kRecordings, LoadedBox::kLogs, LoadedBox::kMarkers}) {
    if (CVxListBox* box = boxes_[Index(which)]) box->setGeometry(BoxPlace(which));
  }
  progress_->setGeometry(area.left(), area.bottom() - kProgressHeight, area.width(), kProgressHeight);
}
