#include "export/ui/DlgSaveMp4.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "base/AppSetting.h"
#include "export/ui/ExportDialogParts.h"
#include "recording/InfoEventFile.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/DialogButtonRow.h"
#include "telemetry/SpeedSource.h"

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

QDate DateOf(const DateTime& time) { return QDate(time.year, time.month, time.day); }
QTime TimeOf(const DateTime& time) { return QTime(time.hour, time.minute, time.second); }

DateTime FromPickers(const QDate& date, const QTime& time) {
  DateTime value;
  value.year = static_cast<uint16_t>(date.year());
  value.month = static_cast<uint16_t>(date.month());
  value.day = static_cast<uint16_t>(date.day());
  value.dayOfWeek = static_cast<uint16_t>(date.dayOfWeek() % 7);
  value.hour = static_cast<uint16_t>(time.hour());
  value.minute = static_cast<uint16_t>(time.minute());
  value.second = static_cast<uint16_t>(time.second());
  return value;
}

// The overlay boxes in the order of FilmOverlayItems, with their texts.
struct OverlayBoxText {
  bool FilmOverlayItems::*item;
  const char* key;
  const char* english;
};
constexpr OverlayBoxText kOverlayBoxes[] = {
    {&FilmOverlayItems::caption, "Caption", "Caption"},
    {&FilmOverlayItems::speedometer, "OverlaySpeedometer", "Speedometer"},
    {&FilmOverlayItems::gMeter, "OverlayGMeter", "G-meter"},
    {&FilmOverlayItems::graph, "OverlayGraph", "G graph"},
    {&FilmOverlayItems::route, "OverlayRoute", "Route inset"},
    {&FilmOverlayItems::lamps, "OverlayLamps", "Lamps"},
};

constexpr Mp4Quality kQualities[] = {Mp4Quality::kHigh, Mp4Quality::kMedium, Mp4Quality::kSmall};
constexpr const char* kQualityKeys[][2] = {
    {"QualityHigh", "High"}, {"QualityMedium", "Medium"}, {"QualitySmall", "Small"}};
constexpr SpeedUnit kUnits[] = {SpeedUnit::kKmh, SpeedUnit::kMph};

}  // namespace

CDlgSaveMp4::CDlgSaveMp4(AviExportSource source, int pulseType, CAppSetting& setting, Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      source_(std::move(source)),
      rangeMode_(AviRangeMode(*source_.recordings.front())),
      opening_(Mp4InputsOnOpening(*source_.recordings.front(), source_.startFrame, setting.Mp4().folder)),
      setting_(setting),
      prompt_(prompt),
      queue_(this),
      job_(queue_, &painter_),
      progress_(job_.Progress(), this),
      folder_(new QLineEdit(QString::fromStdString(opening_.folder), this)),
      browse_(new QPushButton(ExportGuiText("Browse", "..."), this)),
      name_(new QLineEdit(QString::fromStdString(opening_.fileName), this)),
      startDate_(new QDateEdit(DateOf(opening_.rangeStart), this)),
      startTime_(new QTimeEdit(TimeOf(opening_.rangeStart), this)),
      endDate_(new QDateEdit(DateOf(opening_.rangeEnd), this)),
      endTime_(new QTimeEdit(TimeOf(opening_.rangeEnd), this)),
      quality_(new QComboBox(this)),
      units_(new QComboBox(this)),
      gpx_(new QCheckBox(ExportGuiText("WriteGpx", "Write a GPX file beside the film"), this)),
      start_(new QPushButton(ExportGuiText(kGuiStart), this)),
      cancel_(new QPushButton(ExportGuiText(kGuiCancel), this)),
      close_(new QPushButton(ExportGuiText(kGuiClose), this)) {
  setObjectName(QStringLiteral("saveMp4Dialog"));
  setModal(true);
  StyleExportDialog(*this, ExportGuiText("SaveMP4", "Save as MP4"));
  opening_.pulseType = pulseType;
  source_.startFrame = rangeMode_ ? source_.startFrame : 0;
  folder_->setReadOnly(true);
  folder_->setMinimumWidth(260);
  const CAppSetting::Mp4Choices& remembered = setting_.Mp4();
  const FilmOverlayItems chosen = FilmOverlaysFromKeys(remembered.overlays).value_or(FilmOverlayItems{});
  for (size_t i = 0; i < kOverlayCount; ++i) {
    overlays_[i] = new QCheckBox(ExportGuiText(kOverlayBoxes[i].key, kOverlayBoxes[i].english), this);
    overlays_[i]->setChecked(chosen.*(kOverlayBoxes[i].item));
    UseCheckMarkStyle(overlays_[i]);
  }
  UseCheckMarkStyle(gpx_);
  gpx_->setChecked(remembered.gpx);
  for (size_t i = 0; i < std::size(kQualities); ++i) {
    quality_->addItem(ExportGuiText(kQualityKeys[i][0], kQualityKeys[i][1]));
    if (Mp4QualityKey(kQualities[i]) == remembered.quality) quality_->setCurrentIndex(static_cast<int>(i));
  }
  const SpeedUnit unit = Mp4UnitOnOpening(remembered.units, SpeedUnitOf(setting_));
  for (size_t i = 0; i < std::size(kUnits); ++i) {
    units_->addItem(QString::fromUtf8(SpeedUnitLabel(kUnits[i]).data()));
    if (kUnits[i] == unit) units_->setCurrentIndex(static_cast<int>(i));
  }
  if (!Mp4QualityFromKey(remembered.quality)) quality_->setCurrentIndex(1);
  for (QDateEdit* date : {startDate_, endDate_}) date->setDisplayFormat(kDateFormat);
  for (QTimeEdit* time : {startTime_, endTime_}) time->setDisplayFormat(kTimeFormat);
  startDate_->setEnabled(false);
  startTime_->setEnabled(false);

  auto* files = new QGridLayout;
  files->addWidget(new QLabel(ExportGuiText("MP4Folder", "MP4 File Folder"), this), 0, 0);
  files->addWidget(folder_, 0, 1);
  files->addWidget(browse_, 0, 2);
  files->addWidget(new QLabel(ExportGuiText("MP4Name", "MP4 File Name"), this), 1, 0);
  files->addWidget(name_, 1, 1);
  auto* qualityRow = new QHBoxLayout;
  qualityRow->addWidget(new QLabel(ExportGuiText("Mp4Quality", "Quality"), this));
  qualityRow->addWidget(quality_);
  qualityRow->addWidget(units_);
  qualityRow->addStretch();
  files->addLayout(qualityRow, 2, 1);

  auto* range = new QGroupBox(ExportGuiText("AviRange", "Range"), this);
  auto* rangeGrid = new QGridLayout(range);
  rangeGrid->addWidget(startDate_, 0, 0);
  rangeGrid->addWidget(startTime_, 0, 1);
  rangeGrid->addWidget(new QLabel(QStringLiteral("~"), range), 0, 2);
  rangeGrid->addWidget(endDate_, 0, 3);
  rangeGrid->addWidget(endTime_, 0, 4);
  auto* overlayGroup = new QGroupBox(ExportGuiText("Overlays", "Overlays"), this);
  auto* overlayGrid = new QGridLayout(overlayGroup);
  for (size_t i = 0; i < kOverlayCount; ++i)
    overlayGrid->addWidget(overlays_[i], static_cast<int>(i / 3), static_cast<int>(i % 3));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(files);
  layout->addWidget(range);
  layout->addWidget(overlayGroup);
  layout->addWidget(gpx_);
  layout->addLayout(progress_.MakeLayout());
  layout->addLayout(DialogButtonRow({start_, cancel_, close_}));

  SetSaving(false);

  connect(start_, &QPushButton::clicked, this, &CDlgSaveMp4::OnStart);
  connect(cancel_, &QPushButton::clicked, this, [this] { job_.Cancel(); });
  connect(close_, &QPushButton::clicked, this, [this] { QDialog::reject(); });
  connect(browse_, &QPushButton::clicked, this, [this] { BrowseForFolder(prompt_, *folder_); });
}

CDlgSaveMp4::~CDlgSaveMp4() = default;

Mp4ExportInputs CDlgSaveMp4::Inputs() const {
  Mp4ExportInputs inputs = opening_;
  inputs.folder = folder_->text().toStdString();
  inputs.fileName = name_->text().toStdString();
  inputs.rangeStart = FromPickers(startDate_->date(), startTime_->time());
  inputs.rangeEnd = FromPickers(endDate_->date(), endTime_->time());
  for (size_t i = 0; i < kOverlayCount; ++i) inputs.overlays.*(kOverlayBoxes[i].item) = overlays_[i]->isChecked();
  inputs.quality = kQualities[std::clamp(quality_->currentIndex(), 0, static_cast<int>(std::size(kQualities)) - 1)];
  inputs.unit = kUnits[std::clamp(units_->currentIndex(), 0, static_cast<int>(std::size(kUnits)) - 1)];
  inputs.gpx = gpx_->isChecked();
  inputs.speedSource = SpeedSourceOf(setting_);
  return inputs;
}

void CDlgSaveMp4::OnStart() {
  const Mp4ExportInputs inputs = Inputs();
  const AviStartResult started = job_.Start(inputs, source_, prompt_, [this](ExportResult result) { OnEnded(result); });
  switch (started.outcome) {
    case AviStart::kStarted:
      setting_.SetMp4({inputs.folder, FilmOverlayKeys(inputs.overlays), std::string(Mp4QualityKey(inputs.quality)),
                       Mp4UnitToRemember(inputs.unit, SpeedUnitOf(setting_)), inputs.gpx});
      SetSaving(true);
      progress_.Start();
      return;
    case AviStart::kInvalid:
      if (started.message) ShowExportMessage(prompt_, *started.message, kCaptionSaveMp4);
      return;
    case AviStart::kFailed:
      ShowExportMessage(prompt_, kMsgMp4Error, kCaptionSaveMp4);
      return;
    case AviStart::kDeclined:
    case AviStart::kBusy:
      return;
  }
}

void CDlgSaveMp4::OnEnded(ExportResult result) {
  progress_.Stop();
  SetSaving(false);
  ShowExportMessage(prompt_, Mp4ResultMessage(result), kCaptionSaveMp4);
  progress_.Clear();
}

void CDlgSaveMp4::SetSaving(bool saving) {
  saving_ = saving;
  cancel_->setEnabled(saving);
  for (QWidget* widget : std::initializer_list<QWidget*>{start_, close_, browse_, name_, quality_, units_, gpx_})
    widget->setEnabled(!saving);
  for (QCheckBox* box : overlays_) box->setEnabled(!saving);
  endDate_->setEnabled(rangeMode_ && !saving);
  endTime_->setEnabled(rangeMode_ && !saving);
}

void CDlgSaveMp4::reject() {
  if (job_.Running()) {
    job_.Cancel();
    return;
  }
  QDialog::reject();
}
