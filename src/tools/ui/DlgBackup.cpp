#include "tools/ui/DlgBackup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/AppSetting.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/DialogButtonRow.h"
#include "skin/ui/DialogStyle.h"
#include "skin/ui/VxListBox.h"
#include "tools/BackupMessages.h"
#include "tools/BackupStartCheck.h"

namespace {

constexpr int kListWidth = 220;
constexpr int kListHeight = 180;
constexpr int kPercentRange = 100;

// The folder field in the colours of the dialog's other controls.
constexpr const char* kFieldStyle =
    "QLineEdit { background: #14171b; color: #e6e9ed; border: 1px solid #3a424c; padding: 2px 4px; }"
    "QLineEdit:disabled { color: #7d858e; }";

QString Gui(const LangText& text) { return QString::fromStdString(GuiText(text)); }

void Fill(CVxListBox* list, const std::vector<std::string>& names) {
  for (size_t row = 0; row < names.size(); ++row) {
    list->AddRow(QString::fromStdString(names[row]), static_cast<int>(row));
  }
}

}  // namespace

CDlgBackup::CDlgBackup(std::filesystem::path card, BackupSelection selection, bool wholeCard, CAppSetting& setting,
                       Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      job_(std::move(card)),
      selection_(std::move(selection)),
      setting_(setting),
      prompt_(prompt),
      queue_(this),
      task_(queue_, prompt),
      eventCaption_(new QLabel(Gui(kGuiSelectedEvent), this)),
      normalCaption_(new QLabel(Gui(kGuiSelectedNormal), this)),
      logCaption_(new QLabel(Gui(kGuiSelectedLog), this)),
      events_(new CVxListBox(0, this)),
      normals_(new CVxListBox(1, this)),
      logs_(new CVxListBox(2, this)),
      folder_(new QLineEdit(QString::fromStdString(setting.BackupFolder()), this)),
      browse_(new QPushButton(Gui(kGuiBrowse), this)),
      all_(new QCheckBox(Gui(kGuiBackupAll), this)),
      size_(new QLabel(this)),
      fileBar_(new QProgressBar(this)),
      overallBar_(new QProgressBar(this)),
      start_(new QPushButton(Gui(kGuiStart), this)),
      cancel_(new QPushButton(Gui(kGuiCancel), this)),
      close_(new QPushButton(Gui(kGuiClose), this)) {
  setObjectName(QStringLiteral("backupDialog"));
  setModal(true);
  setWindowTitle(Gui(kGuiBackup));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet) + QString::fromLatin1(kFieldStyle));
  UseCheckMarkStyle(all_);

  auto* lists = new QGridLayout;
  int column = 0;
  for (auto [caption, list, names] :
       {std::tuple{eventCaption_, events_, &selection_.events},
        std::tuple{normalCaption_, normals_, &selection_.normals}, std::tuple{logCaption_, logs_, &selection_.logs}}) {
    list->setFixedSize(kListWidth, kListHeight);
    Fill(list, *names);
    lists->addWidget(caption, 0, column);
    lists->addWidget(list, 1, column);
    ++column;
  }
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(new QLabel(Gui(kGuiBackupFolder), this));
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(browse_);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(all_);
  sizeRow->addStretch();
  sizeRow->addWidget(size_);
  QHBoxLayout* buttons = DialogButtonRow({start_, cancel_, close_});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(folderRow);
  layout->addLayout(sizeRow);
  layout->addWidget(fileBar_);
  layout->addWidget(overallBar_);
  layout->addLayout(buttons);

  fileBar_->setRange(0, kPercentRange);
  fileBar_->setValue(0);
  overallBar_->setRange(0, 1);
  overallBar_->setValue(0);
  SetCopying(false);

  all_->setChecked(wholeCard);
  OnBackupAll(wholeCard);

  connect(start_, &QPushButton::clicked, this, &CDlgBackup::OnStart);
  connect(cancel_, &QPushButton::clicked, this, [this] { task_.Cancel(); });
  connect(close_, &QPushButton::clicked, this, &CDlgBackup::OnClose);
  connect(browse_, &QPushButton::clicked, this, &CDlgBackup::OnBrowse);
  connect(all_, &QCheckBox::toggled, this, &CDlgBackup::OnBackupAll);
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &CDlgBackup::Poll);
}

CDlgBackup::~CDlgBackup() = default;

void CDlgBackup::OnBackupAll(bool ticked) {
  for (QWidget* widget :
       std::initializer_list<QWidget*>{eventCaption_, normalCaption_, logCaption_, events_, normals_, logs_}) {
    widget->setEnabled(!ticked);
  }
  if (ticked) {
    job_.SelectAll();
  } else {
    job_.Select(selection_);
  }
  size_->setText(QString::fromStdString(job_.SizeLabel()));
}

void CDlgBackup::OnStart() {
  const std::string folder = folder_->text().toStdString();
  if (const auto refusal = BackupStartRefusal(job_.Card(), all_->isChecked(), selection_, folder)) {
    Show(*refusal);
    return;
  }
  // The card may have changed since the box was ticked.
  if (all_->isChecked()) job_.SelectAll();
  if (!task_.Start(job_, folder, [this](const BackupResult& result) { OnEnded(result); })) return;
  SetCopying(true);
  poll_.start();
}

void CDlgBackup::OnEnded(const BackupResult& result) {
  poll_.stop();
  Poll();
  SetCopying(false);
  const std::string message = BackupFinalMessage(result);
  if (message.empty()) return;
  prompt_.Show(message, GuiText(kGuiBackup), PromptButtons::Ok);
  if (result.end == BackupEnd::Completed && result.failed == 0) accept();
}

void CDlgBackup::Poll() {
  fileBar_->setValue(std::clamp(task_.FilePercent(), 0, kPercentRange));
  const int range = task_.OverallRange();
  overallBar_->setRange(0, std::max(range, 1));
  overallBar_->setValue(std::clamp(task_.OverallPosition(), 0, std::max(range, 1)));
}

void CDlgBackup::OnClose() { QDialog::reject(); }

void CDlgBackup::done(int result) {
  setting_.SetBackupFolder(folder_->text().toStdString());
  QDialog::done(result);
}

void CDlgBackup::OnBrowse() {
  const auto chosen = prompt_.PickFolder(GuiText(kGuiSelectFolder), folder_->text().toStdString());
  if (chosen) folder_->setText(QString::fromStdString(*chosen));
}

void CDlgBackup::reject() {
  if (task_.Running()) {
    task_.Cancel();
    return;
  }
  OnClose();
}

void CDlgBackup::SetCopying(bool copying) {
  cancel_->setEnabled(copying);
  for (QWidget* widget : std::initializer_list<QWidget*>{start_, browse_, all_, close_}) widget->setEnabled(!copying);
}

void CDlgBackup::Show(const LangText& message) {
  prompt_.Show(MessageText(message), GuiText(kGuiBackup), PromptButtons::Ok);
}
