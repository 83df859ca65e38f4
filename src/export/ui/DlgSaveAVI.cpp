#include "export/ui/DlgSaveAVI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "base/AppSetting.h"
#include "export/AviCaptionSetting.h"
#include "export/ui/ExportDialogParts.h"
#include "recording/InfoEventFile.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/DialogButtonRow.h"

namespace {

constexpr int kTrueColorBits = 24;
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

QDate DateOf(const DateTime& time) { return QDate(time.year, time.month, time.day); }
QTime TimeOf(const DateTime& time) { return QTime(time.hour, time.minute, time.second); }

DateTime FromPickers(const QDate& date, const QTime& time) {
  DateTime value;
  value.year = static_cast<uint16_t>(date.year());
  value.month = static_cast<uint16_t>(date.month());
  value.day = static_cast<uint16_t>(date.day());
  value.dayOfWeek = static_cast<uint16_t>(date.dayOfWeek() % 7);  // Qt counts Sunday as 7
  value.hour = static_cast<uint16_t>(time.hour());
  value.minute = static_cast<uint16_t>(time.minute());
  value.second = static_cast<uint16_t>(time.second());
  return value;
}

bool TrueColorDisplay() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen == nullptr || screen->depth() >= kTrueColorBits;
}

}  // namespace

CDlgSaveAVI::CDlgSaveAVI(AviExportSource source, std::span<const unsigned char> lastComment, int pulseType,
                         CAppSetting& setting, Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      source_(std::move(source)),
      rangeMode_(AviRangeMode(*source_.recordings.front())),
      opening_(
          AviInputsOnOpening(*source_.recordings.front(), source_.startFrame, lastComment, setting.SaveAviFolder())),
      setting_(setting),
      prompt_(prompt),
      queue_(this),
      job_(queue_, &painter_),
      progress_(job_.Progress(), this),
      folder_(new QLineEdit(QString::fromStdString(opening_.folder), this)),
      browse_(new QPushButton(ExportGuiText("Browse", "..."), this)),
      name_(new QLineEdit(QString::fromStdString(opening_.fileName), this)),
      fps_(new QComboBox(this)),
      startDate_(new QDateEdit(DateOf(opening_.rangeStart), this)),
      startTime_(new QTimeEdit(TimeOf(opening_.rangeStart), this)),
      endDate_(new QDateEdit(DateOf(opening_.rangeEnd), this)),
      endTime_(new QTimeEdit(TimeOf(opening_.rangeEnd), this)),
      dateTime_(new QCheckBox(ExportGuiText("DateTime", "Date / Time"), this)),
      speed_(new QCheckBox(ExportGuiText("Speed", "Speed"), this)),
      vehicleId_(new QCheckBox(ExportGuiText("VehicleID", "Vehicle ID"), this)),
      position_(new QCheckBox(
          ExportGuiText("Longitude", "Longitude") + QStringLiteral(" / ") + ExportGuiText("Latitude", "Latitude"),
          this)),
      start_(new QPushButton(ExportGuiText(kGuiStart), this)),
      cancel_(new QPushButton(ExportGuiText(kGuiCancel), this)),
      close_(new QPushButton(ExportGuiText(kGuiClose), this)) {
  setObjectName(QStringLiteral("saveAviDialog"));
  setModal(true);
  StyleExportDialog(*this, ExportGuiText("SaveAVI", "Save as AVI"));
  opening_.pulseType = pulseType;
  source_.startFrame = rangeMode_ ? source_.startFrame : 0;
  folder_->setReadOnly(true);
  folder_->setMinimumWidth(260);
  for (QWidget* box : std::initializer_list<QWidget*>{dateTime_, speed_, vehicleId_, position_}) UseCheckMarkStyle(box);
  const AviCaptionItems remembered = AviCaptionFromSetting(setting_.AviCaption());
  dateTime_->setChecked(remembered.dateTime);
  speed_->setChecked(remembered.speed);
  vehicleId_->setChecked(remembered.vehicleId);
  position_->setChecked(remembered.position);
  FillNumberList(*fps_, opening_.fps);
  fps_->setCurrentIndex(fps_->count() - 1);
  for (QDateEdit* date : {startDate_, endDate_}) date->setDisplayFormat(kDateFormat);
  for (QTimeEdit* time : {startTime_, endTime_}) time->setDisplayFormat(kTimeFormat);
  startDate_->setEnabled(false);
  startTime_->setEnabled(false);

  auto* files = new QGridLayout;
  files->addWidget(new QLabel(ExportGuiText("AVIFolder", "AVI File Folder"), this), 0, 0);
  files->addWidget(folder_, 0, 1);
  files->addWidget(browse_, 0, 2);
  files->addWidget(new QLabel(ExportGuiText("AVIName", "AVI File Name"), this), 1, 0);
  files->addWidget(name_, 1, 1);
  auto* fpsRow = new QHBoxLayout;
  fpsRow->addWidget(fps_);
  fpsRow->addWidget(new QLabel(ExportGuiText("InFps", "fps"), this));
  fpsRow->addStretch();
  files->addLayout(fpsRow, 2, 1);

  auto* range = new QGroupBox(ExportGuiText("AviRange", "Range"), this);
  auto* rangeGrid = new QGridLayout(range);
  rangeGrid->addWidget(startDate_, 0, 0);
  rangeGrid->addWidget(startTime_, 0, 1);
  rangeGrid->addWidget(new QLabel(QStringLiteral("~"), range), 0, 2);
  rangeGrid->addWidget(endDate_, 0, 3);
  rangeGrid->addWidget(endTime_, 0, 4);
  auto* caption = new QGroupBox(ExportGuiText("Caption", "Caption"), this);
  auto* captionGrid = new QGridLayout(caption);
  captionGrid->addWidget(dateTime_, 0, 0);
  captionGrid->addWidget(speed_, 0, 1);
  captionGrid->addWidget(vehicleId_, 1, 0);
  captionGrid->addWidget(position_, 1, 1);

  QHBoxLayout* buttons = DialogButtonRow({start_, cancel_, close_});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(files);
  layout->addWidget(range);
  layout->addWidget(caption);
  layout->addLayout(progress_.MakeLayout());
  layout->addLayout(buttons);

  SetSaving(false);

  connect(start_, &QPushButton::clicked, this, &CDlgSaveAVI::OnStart);
  connect(cancel_, &QPushButton::clicked, this, [this] { job_.Cancel(); });
  connect(close_, &QPushButton::clicked, this, [this] { QDialog::reject(); });
  connect(browse_, &QPushButton::clicked, this, [this] { BrowseForFolder(prompt_, *folder_); });
  connect(endDate_, &QDateEdit::dateChanged, this, &CDlgSaveAVI::OnRangeChanged);
  connect(endTime_, &QTimeEdit::timeChanged, this, &CDlgSaveAVI::OnRangeChanged);
}

CDlgSaveAVI::~CDlgSaveAVI() = default;

AviExportInputs CDlgSaveAVI::Inputs() const {
  AviExportInputs inputs = opening_;
  inputs.folder = folder_->text().toStdString();
  inputs.fileName = name_->text().toStdString();
  inputs.fps = fps_->currentIndex() + 1;
  inputs.rangeStart = FromPickers(startDate_->date(), startTime_->time());
  inputs.rangeEnd = FromPickers(endDate_->date(), endTime_->time());
  inputs.caption.dateTime = dateTime_->isChecked();
  inputs.caption.speed = speed_->isChecked();
  inputs.caption.vehicleId = vehicleId_->isChecked();
  inputs.caption.position = position_->isChecked();
  inputs.trueColorDisplay = TrueColorDisplay();
  inputs.speedSource = SpeedSourceOf(setting_);
  return inputs;
}

void CDlgSaveAVI::OnRangeChanged() { name_->setText(QString::fromStdString(ProposeAviFileName(Inputs().rangeStart))); }

void CDlgSaveAVI::OnStart() {
  const AviExportInputs inputs = Inputs();
  const AviStartResult started = job_.Start(inputs, source_, prompt_, [this](ExportResult result) { OnEnded(result); });
  switch (started.outcome) {
    case AviStart::kStarted:
      setting_.SetSaveAviFolder(inputs.folder);
      setting_.SetAviCaption(AviCaptionSetting(inputs.caption));
      SetSaving(true);
      progress_.Start();
      return;
    case AviStart::kInvalid:
      if (started.message) ShowExportMessage(prompt_, *started.message, kCaptionSaveAvi);
      return;
    case AviStart::kFailed:
      ShowExportMessage(prompt_, kMsgAviError, kCaptionSaveAvi);
      return;
    case AviStart::kDeclined:
    case AviStart::kBusy:
      return;
  }
}

void CDlgSaveAVI::OnEnded(ExportResult result) {
  progress_.Stop();
  SetSaving(false);
  ShowExportMessage(prompt_, AviResultMessage(result), kCaptionSaveAvi);
  progress_.Clear();
}

void CDlgSaveAVI::SetSaving(bool saving) {
  saving_ = saving;
  cancel_->setEnabled(saving);
  for (QWidget* widget :
       std::initializer_list<QWidget*>{start_, close_, browse_, name_, fps_, dateTime_, speed_, vehicleId_, position_})
    widget->setEnabled(!saving);
  endDate_->setEnabled(rangeMode_ && !saving);
  endTime_->setEnabled(rangeMode_ && !saving);
}

void CDlgSaveAVI::reject() {
  if (job_.Running()) {
    job_.Cancel();
    return;
  }
  QDialog::reject();
}
