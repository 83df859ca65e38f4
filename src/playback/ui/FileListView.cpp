#include "playback/ui/FileListView.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "base/MgrMultiLang.h"
#include "playback/ListColumnWidths.h"
#include "playback/ListEvent.h"
#include "skin/ui/CheckMarkStyle.h"

namespace {

QString Gui(const char* key, const char* english) { return QString::fromStdString(GetLangText("GUI", key, english)); }

QString FileColumnHeader(FileListKind kind) {
  if (kind == FileListKind::kEvent) return Gui("EventFile", "EVENT File");
  if (kind == FileListKind::kNormal) return Gui("NormalFile", "NORMAL File");
  return Gui("LogFile", "LOG File");
}

QString TripHeader(int column) {
  switch (column) {
    case kTripColumnDate:
      return Gui("TripDate", "Date");
    case kTripColumnSpan:
      return Gui("TripSpan", "Start - End");
    case kTripColumnDuration:
      return Gui("Duration", "Duration");
    case kTripColumnDistance:
      return Gui("TripDistance", "Distance");
    case kTripColumnTopSpeed:
      return Gui("TripTopSpeed", "Top Speed");
    case kTripColumnEvents:
      return Gui("TripEvents", "Events");
    case kTripColumnHard:
      return Gui("TripHard", "Hard");
    default:
      return {};
  }
}

Qt::CheckState CheckStateOf(bool checked) { return checked ? Qt::Checked : Qt::Unchecked; }

}  // namespace

CFileListView::CFileListView(int id, FileListKind kind, QWidget* parent) : QTreeWidget(parent), id_(id), kind_(kind) {
  setObjectName(QStringLiteral("fileList%1").arg(id));
  setColumnCount(ListColumnCount(kind_));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);  // the list sorts itself on header clicks
  UseCheckMarkStyle(this);

  QStringList headers;
  for (int column = 0; column < columnCount(); ++column) headers << HeaderText(column);
  setHeaderLabels(headers);
  header()->setDefaultAlignment(Qt::AlignCenter);
  setTextElideMode(Qt::ElideMiddle);
  header()->setSectionsClickable(true);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  for (int column = 0; column < columnCount(); ++column) {
    setColumnWidth(column, InitialWidth(column));
    setColumnHidden(column, InitialWidth(column) == 0);
  }

  connect(this, &QTreeWidget::itemClicked, this, &CFileListView::OnItemClicked);
  connect(this, &QTreeWidget::itemChanged, this, &CFileListView::OnItemChanged);
  connect(header(), &QHeaderView::sectionClicked, this, &CFileListView::OnHeaderClicked);
}

int CFileListView::InitialWidth(int column) const {
  return kind_ == FileListKind::kTrip ? kTripInitialWidths[column] : kInitialWidths[column];
}

QString CFileListView::HeaderText(int column) const {
  const bool trip = kind_ == FileListKind::kTrip;
  if (trip && column != kListColumnNo && column != kListColumnPath) return TripHeader(column);
  switch (column) {
    case kListColumnNo:
      return Gui("ListNo", "No.");
    case kListColumnFile:
      return FileColumnHeader(kind_);
    case kListColumnInfo:
      return kind_ == FileListKind::kEvent ? Gui("Type", "Type") : Gui("Duration", "Duration");
    case kListColumnPath:
      return QStringLiteral("Path");
    case kListColumnDrid:
      return Gui("DRID", "Recorder ID");
    case kListColumnSdid:
      return Gui("SDID", "SD Card ID");
    default:
      return {};
  }
}

void CFileListView::SetModel(CListEvent* list) {
  list_ = list;
  Render();
}

void CFileListView::Render() {
  rendering_ = true;
  clear();
  if (list_) {
    QList<QTreeWidgetItem*> items;
    for (int row = 0; row < list_->RowCount(); ++row) {
      const ListEventRow& source = *list_->Row(row);
      auto* item = new QTreeWidgetItem;
      for (int column = 0; column < columnCount(); ++column)
        item->setText(column, QString::fromStdString(source.columns[static_cast<size_t>(column)]));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(0, CheckStateOf(source.checked));
      items << item;
    }
    addTopLevelItems(items);
  }
  rendering_ = false;
  RenderChecks();
  FitColumns();
}

void CFileListView::RenderChecks() {
  if (!list_) return;
  rendering_ = true;
  const int rows = std::min(list_->RowCount(), topLevelItemCount());
  for (int row = 0; row < rows; ++row) {
    const ListEventRow& source = *list_->Row(row);
    QTreeWidgetItem* item = topLevelItem(row);
    item->setCheckState(0, CheckStateOf(source.checked));
    item->setSelected(source.selected);
    if (source.focused) setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
  }
  rendering_ = false;
}

// The widths come from the fonts the list and its header really use, and
// from the room the list has. Every column keeps its whole text, the file
// names too: a language with longer words widens the columns, and the list
// scrolls sideways before it cuts a name.
void CFileListView::FitColumns() {
  const QFontMetrics cells(font());
  const QFontMetrics headers(header()->font());
  std::vector<ColumnNeed> needs;
  for (int column = 0; column < columnCount(); ++column) {
    ColumnNeed need;
    need.initial = InitialWidth(column);
    need.header = headers.horizontalAdvance(HeaderText(column)) + kCellPadding;
    for (int row = 0; row < topLevelItemCount(); ++row)
      need.widest = std::max(need.widest, cells.horizontalAdvance(topLevelItem(row)->text(column)));
    need.widest += kCellPadding + (column == kListColumnNo ? kCheckBoxRoom : 0);
    needs.push_back(need);
  }
  const std::vector<int> widths = FitColumnWidths(needs, ColumnRoom(), kWidenFactor);
  for (int column = 0; column < columnCount(); ++column) {
    if (needs[static_cast<size_t>(column)].initial > 0) setColumnWidth(column, widths[static_cast<size_t>(column)]);
  }
}

// The list's inside, less a vertical scroll bar whether it shows yet or
// not, so the columns never run under one that comes with more rows.
int CFileListView::ColumnRoom() const { return width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width(); }

void CFileListView::resizeEvent(QResizeEvent* event) {
  QTreeWidget::resizeEvent(event);
  FitColumns();
}

bool CFileListView::IsRowChecked(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item && item->checkState(0) == Qt::Checked;
}

QString CFileListView::CellText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->text(column) : QString();
}

void CFileListView::OnItemClicked(QTreeWidgetItem* item, int column) {
  if (!list_ || !item) return;
  const int row = indexOfTopLevelItem(item);
  if (column == kListColumnNo) {
    // The check box itself is the item's own; the click still selects.
    list_->Select(row);
    return;
  }
  list_->ClickRow(row, column);
  RenderChecks();
  emit checksChanged();
}

void CFileListView::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (rendering_ || !list_ || !item || column != kListColumnNo) return;
  const int row = indexOfTopLevelItem(item);
  const bool checked = item->checkState(0) == Qt::Checked;
  const ListEventRow* source = list_->Row(row);
  if (!source || source->checked == checked) return;
  list_->SetChecked(row, checked);
  emit checksChanged();
}

void CFileListView::OnHeaderClicked(int column) {
  if (!list_ || !list_->ClickHeader(column)) return;
  Render();
}
