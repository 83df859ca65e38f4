#include "skin/ui/VxListBox.h"

#include <QMouseEvent>
#include <QPalette>

#include "skin/ui/AppFonts.h"
#include "skin/ui/VxListRowDelegate.h"

namespace {

// A frame that is there but unseen until the list has the keyboard, so the
// rows do not move when it comes.
constexpr const char* kFocusFrameStyle =
    "CVxListBox { border: 1px solid transparent; } CVxListBox:focus { border-color: #f0b43c; }";

// Runs body with the flag set, so the row changes it causes are not taken
// for the user's choice.
template <typename Body>
void FromCode(bool& flag, Body body) {
  const bool previous = flag;
  flag = true;
  body();
  flag = previous;
}

}  // namespace

CVxListBox::CVxListBox(int id, QWidget* parent) : QListWidget(parent), id_(id) {
  setItemDelegate(new VxListRowDelegate(this));
  setFont(AppFont(AppFontId::kNormal));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFrameShape(QFrame::NoFrame);
  setUniformItemSizes(true);
  QPalette dark = palette();
  dark.setColor(QPalette::Base, VxListRowDelegate::Background());
  dark.setColor(QPalette::Window, VxListRowDelegate::Background());
  setPalette(dark);
  // The rows are drawn by the delegate, which shows no focus of its own.
  setStyleSheet(QString::fromLatin1(kFocusFrameStyle));
  connect(this, &QListWidget::currentRowChanged, this, &CVxListBox::OnCurrentRowChanged);
}

void CVxListBox::Clear() {
  FromCode(fromCode_, [this] { clear(); });
}

void CVxListBox::AddRow(const QString& text, int itemValue) {
  auto* row = new QListWidgetItem(text);
  row->setData(Qt::UserRole, itemValue);
  FromCode(fromCode_, [this, row] { addItem(row); });
}

QString CVxListBox::RowText(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry ? entry->text() : QString();
}

int CVxListBox::ItemValue(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry ? entry->data(Qt::UserRole).toInt() : -1;
}

int CVxListBox::FindItemValue(int value) const {
  for (int row = 0; row < count(); ++row) {
    if (ItemValue(row) == value) return row;
  }
  return -1;
}

bool CVxListBox::SelectRow(int row) {
  if (row < 0 || row >= count()) return false;
  FromCode(fromCode_, [this, row] { setCurrentRow(row, QItemSelectionModel::ClearAndSelect); });
  return true;
}

int CVxListBox::SelectedRow() const {
  const QListWidgetItem* current = currentItem();
  return current && current->isSelected() ? currentRow() : -1;
}

void CVxListBox::mousePressEvent(QMouseEvent* event) {
  // A click on the row that is already chosen picks it again (the user may
  // have moved on since), which no row change would report.
  const int before = currentRow();
  QListWidget::mousePressEvent(event);
  const bool sameRow = before >= 0 && indexAt(event->position().toPoint()).row() == before;
  if (event->button() == Qt::LeftButton && sameRow && currentRow() == before) emit rowChosen(before, ItemValue(before));
}

void CVxListBox::focusInEvent(QFocusEvent* event) {
  // Taking focus makes the first row current without selecting it; that is
  // no choice of the user's.
  FromCode(fromCode_, [this, event] { QListWidget::focusInEvent(event); });
}

void CVxListBox::OnCurrentRowChanged(int row) {
  if (fromCode_ || row < 0) return;
  emit rowChosen(row, ItemValue(row));
}
