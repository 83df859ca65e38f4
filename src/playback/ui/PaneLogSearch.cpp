#include "playback/ui/PaneLogSearch.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "base/MgrMultiLang.h"
#include "playback/ListColumnWidths.h"
#include "playback/PlaybackEngine.h"
#include "skin/SkinEntries.h"
#include "skin/SkinWords.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/VxButton.h"

namespace {

const char* const kStyle =
    "CPaneLogSearch { background: #20252b; }"
    "QCheckBox, QLabel { color: #e6e9ed; }"
    "QCheckBox:disabled, QLabel:disabled { color: #7d858e; }"
    "QLineEdit { background: #14171b; color: #e6e9ed; border: 1px solid #3a424c; padding: 1px 3px; }"
    "QPushButton { background: #2d343c; color: #e6e9ed; border: 1px solid #4a545f; padding: 4px 16px; }"
    "QPushButton:hover { background: #38414b; }"
    "QTreeWidget { background: #14171b; color: #e6e9ed; border: 1px solid #3a424c; }"
    "QTreeWidget::item:selected { background: #3d8fd1; color: #ffffff; }"
    "QTreeWidget:focus, QLineEdit:focus, QPushButton:focus { border-color: #f0b43c; }"
    "QCheckBox:focus { color: #ffd27a; }"
    "QHeaderView { background: #2d343c; }"
    "QHeaderView::section { background: #2d343c; color: #e6e9ed; border: 0; border-right: 1px solid #3a424c;"
    " padding: 2px 4px; }";

// The result list's columns: No., date and time, the hidden record index
// and the event type, which gives way when the pane is narrow.
constexpr std::array<int, CPaneLogSearch::kColumnCount> kResultWidths = {50, 160, 0, 85};
// What a cell needs beside its text.
constexpr int kCellPadding = 14;
constexpr int kEditWidth = 56;
// The thresholds sit close together and near the pane's edges: every
// pixel they keep is a result row more in the log layout's small pane.
constexpr int kFieldSpacing = 1;
constexpr int kPaneMargin = 6;
constexpr int kSearchWordPixels = 11;
constexpr const char* kDateTimeHeaderFormat = "%1 %2";
constexpr const char* kSpeedUnit = "Km/h";

struct AxisKey {
  const char* key;
  const char* english;
};

constexpr std::array<AxisKey, 3> kAxisKeys{{{"GSensorXover", "G-Sensor X value over"},
                                            {"GSensorYover", "G-Sensor Y value over"},
                                            {"GSensorZover", "G-Sensor Z value over"}}};

QString Gui(const char* key, const char* english) { return QString::fromStdString(GetLangText("GUI", key, english)); }

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CPaneLogSearch::CPaneLogSearch(PlaybackEngine& engine, QWidget* parent) : QWidget(parent), engine_(engine) {
  setAttribute(Qt::WA_StyledBackground);
  setStyleSheet(QString::fromLatin1(kStyle));
  BuildControls();
  BuildResultList();
  ShowFields();
  RepaintRows();
}

void CPaneLogSearch::BuildControls() {
  speedCheck_ = new QCheckBox(Gui("GPSspeedOver", "GPS Speed over"), this);
  speedEdit_ = new QLineEdit(this);
  accelCheck_ = new QCheckBox(Gui("Acceleration", "Acceleration"), this);
  auto* grid = new QGridLayout;
  grid->addWidget(speedCheck_, 0, 0);
  grid->addWidget(speedEdit_, 0, 1);
  grid->addWidget(new QLabel(QString::fromLatin1(kSpeedUnit), this), 0, 2);
  grid->addWidget(accelCheck_, 1, 0, 1, 3);
  for (size_t axis = 0; axis < kAxisKeys.size(); ++axis) {
    axisChecks_[axis] = new QCheckBox(Gui(kAxisKeys[axis].key, kAxisKeys[axis].english), this);
    axisEdits_[axis] = new QLineEdit(this);
    axisEdits_[axis]->setFixedWidth(kEditWidth);
    const int row = static_cast<int>(axis) + 2;
    grid->addWidget(axisChecks_[axis], row, 0);
    grid->addWidget(axisEdits_[axis], row, 1);
  }
  speedEdit_->setFixedWidth(kEditWidth);
  // The step keys move the caret of a field, so a field takes the keyboard
  // only when the user clicks into it, never on its way round with Tab or
  // when the layout changes.
  for (QLineEdit* edit : {speedEdit_, axisEdits_[0], axisEdits_[1], axisEdits_[2]})
    edit->setFocusPolicy(Qt::ClickFocus);
  for (QCheckBox* box : {speedCheck_, accelCheck_, axisChecks_[0], axisChecks_[1], axisChecks_[2]})
    UseCheckMarkStyle(box);

  // The button says what its tooltip says.
  const QString tip = QString::fromStdString(SkinWordText(SkinWord::kSearchLog));
  plainSearch_ = new QPushButton(tip, this);
  plainSearch_->setToolTip(tip);
  skinSearch_ = new CVxButton(kSkinButtonSearchLog, this);
  skinSearch_->SetCaption(tip, kSearchWordPixels, true);
  skinSearch_->setToolTip(tip);
  skinSearch_->hide();
  connect(plainSearch_, &QPushButton::clicked, this, &CPaneLogSearch::Search);
  connect(skinSearch_, &QAbstractButton::clicked, this, &CPaneLogSearch::Search);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(plainSearch_);
  buttonRow->addWidget(skinSearch_);
  grid->addLayout(buttonRow, 5, 0, 1, 3);
  grid->setColumnStretch(0, 1);
  grid->setVerticalSpacing(kFieldSpacing);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kPaneMargin, kPaneMargin, kPaneMargin, kPaneMargin);
  layout->setSpacing(kPaneMargin);
  layout->addLayout(grid);
}

void CPaneLogSearch::BuildResultList() {
  results_ = new QTreeWidget(this);
  results_->setColumnCount(kColumnCount);
  results_->setRootIsDecorated(false);
  results_->setSortingEnabled(false);
  results_->setUniformRowHeights(true);
  results_->setHeaderLabels({Gui("ListNo", "No."),
                             QString::fromLatin1(kDateTimeHeaderFormat).arg(Gui("Date", "Date"), Gui("Time", "Time")),
                             Gui("LogFrameIdx", "LogFrameIdx"), Gui("EventType", "Event Type")});
  results_->header()->setSectionsClickable(false);
  results_->header()->setStretchLastSection(false);
  results_->setFont(AppFont(AppFontId::kNormal));
  results_->setColumnHidden(kColumnRecord, true);
  results_->installEventFilter(this);
  connect(results_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { OnRowClicked(item); });
  static_cast<QVBoxLayout*>(layout())->addWidget(results_, 1);
  FitResultColumns();
}

// Every column shows its header whole in the font the list uses; the
// event type gives way when the pane is too narrow for all texts.
void CPaneLogSearch::FitResultColumns() {
  const QFontMetrics cells(results_->font());
  const QFontMetrics headers(results_->header()->font());
  std::vector<ColumnNeed> needs;
  for (int column = 0; column < kColumnCount; ++column) {
    ColumnNeed need;
    need.initial = kResultWidths[static_cast<size_t>(column)];
    need.header = headers.horizontalAdvance(results_->headerItem()->text(column)) + kCellPadding;
    for (int row = 0; row < results_->topLevelItemCount(); ++row)
      need.widest = std::max(need.widest, cells.horizontalAdvance(results_->topLevelItem(row)->text(column)));
    need.widest += kCellPadding;
    need.yields = column == kColumnEventType;
    needs.push_back(need);
  }
  const int room = results_->width() - 2 * results_->frameWidth() - results_->verticalScrollBar()->sizeHint().width();
  const std::vector<int> widths = FitColumnWidths(needs, room, 1.0);
  for (int column = 0; column < kColumnCount; ++column) {
    if (needs[static_cast<size_t>(column)].initial > 0)
      results_->setColumnWidth(column, widths[static_cast<size_t>(column)]);
  }
}

bool CPaneLogSearch::eventFilter(QObject* watched, QEvent* event) {
  if (watched == results_ && event->type() == QEvent::Resize) FitResultColumns();
  return QWidget::eventFilter(watched, event);
}

void CPaneLogSearch::SetSearchButtonStrip(const SkinStrip& strip) {
  skinSearch_->SetStrip(strip);
  skinSearch_->setFixedSize(skinSearch_->sizeHint());
  skinSearch_->setVisible(!strip.IsNull());
  plainSearch_->setVisible(strip.IsNull());
}

QWidget* CPaneLogSearch::SearchButton() const {
  return skinSearch_->isVisibleTo(this) ? static_cast<QWidget*>(skinSearch_) : plainSearch_;
}

void CPaneLogSearch::ShowFields() {
  const LogSearchFields& fields = engine_.SearchFields();
  speedCheck_->setChecked(fields.speedChecked);
  speedEdit_->setText(Text(fields.speedText));
  accelCheck_->setChecked(fields.accelChecked);
  for (size_t axis = 0; axis < axisChecks_.size(); ++axis) {
    axisChecks_[axis]->setChecked(fields.axisChecked[axis]);
    axisEdits_[axis]->setText(Text(fields.axisText[axis]));
  }
}

void CPaneLogSearch::ReadFields() {
  LogSearchFields& fields = engine_.SearchFields();
  fields.speedChecked = speedCheck_->isChecked();
  fields.speedText = speedEdit_->text().toStdString();
  fields.accelChecked = accelCheck_->isChecked();
  for (size_t axis = 0; axis < axisChecks_.size(); ++axis) {
    fields.axisChecked[axis] = axisChecks_[axis]->isChecked();
    fields.axisText[axis] = axisEdits_[axis]->text().toStdString();
  }
}

// The search fills empty fields in; they are shown back as it read them.
void CPaneLogSearch::Search() {
  ReadFields();
  engine_.SearchLog();
  ShowFields();
  RepaintRows();
}

void CPaneLogSearch::RepaintRows() {
  results_->clear();
  QList<QTreeWidgetItem*> items;
  for (const LogSearchRow& row : engine_.SearchRows()) {
    items.append(
        new QTreeWidgetItem(QStringList{Text(row.no), Text(row.dateTime), Text(row.recordText), Text(row.eventType)}));
  }
  results_->addTopLevelItems(items);
  FitResultColumns();
}

void CPaneLogSearch::OnRowClicked(QTreeWidgetItem* item) {
  const int row = results_->indexOfTopLevelItem(item);
  if (row >= 0) engine_.ShowSearchResult(row);
}
