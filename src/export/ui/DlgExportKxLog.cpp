#include "export/ui/DlgExportKxLog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/AppSetting.h"
#include "export/LogNameTime.h"
#include "export/ui/ColorComboEx.h"
#include "export/ui/ExportDialogParts.h"
#include "platform/OpenOrTell.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/DialogButtonRow.h"
#include "telemetry/SpeedSource.h"

namespace {

constexpr int kNumberFieldWidth = 60;

constexpr ExportEndTexts kKmlEndTexts{kMsgSaveLogFileOK, kMsgSaveLogFileCancel, kMsgSaveLogFileFail,
                                      kCaptionSaveLogFile};

QLineEdit* NumberField(int value, QWidget* parent) {
  auto* field = new QLineEdit(QString::number(value), parent);
  field->setFixedWidth(kNumberFieldWidth);
  return field;
}

// The integer value of a field's text; 0 for text that is no number.
int ValueOf(const QLineEdit* field) { return field->text().trimmed().toInt(); }

}  // namespace

CDlgExportKxLog::CDlgExportKxLog(std::vector<const CInfoLogFile*> logs, const GSensorGraphModel* logGraph,
                                 CAppSetting& setting, Prompt& prompt, DesktopOpener& desktop, QWidget* parent)
    : QDialog(parent),
      logs_(std::move(logs)),
      logGraph_(logGraph),
      setting_(setting),
      prompt_(prompt),
      desktop_(desktop),
      queue_(this),
      job_(queue_),
      folder_(new QLineEdit(QString::fromStdString(setting.SaveLogFolder()), this)),
      browse_(new QPushButton(ExportGuiText("Browse", "..."), this)),
      name_(new QLineEdit(QString::fromStdString(KmlProposedFileName(*logs_.front())), this)),
      pointer_(new QCheckBox(ExportGuiText("Pointer", "Pointer"), this)),
      interval_(NumberField(setting.Kml().pointerInterval, this)),
      route_(new QCheckBox(ExportGuiText("Route", "Route"), this)),
      width_(NumberField(setting.Kml().lineWidth, this)),
      opacity_(NumberField(setting.Kml().lineOpacity, this)),
      color_(new CColorComboEx(this)),
      run_(new QCheckBox(ExportGuiText("AutoRunGoogle", "Run Google Earth"), this)),
      progress_(job_.Progress(), this),
      start_(new QPushButton(ExportGuiText(kGuiStart), this)),
      cancel_(new QPushButton(ExportGuiText(kGuiCancel), this)),
      close_(new QPushButton(ExportGuiText(kGuiClose), this)) {
  setObjectName(QStringLiteral("exportKmlDialog"));
  setModal(true);
  StyleExportDialog(*this, ExportGuiText("SaveLogFile", "Save to NMEA-0183 File"));
  folder_->setReadOnly(true);
  folder_->setMinimumWidth(260);
  for (QWidget* box : std::initializer_list<QWidget*>{pointer_, route_, run_}) UseCheckMarkStyle(box);

  const KmlExportInputs opening = KmlInputsFromSettings(setting.Kml(), setting.SaveLogFolder());
  pointer_->setChecked(opening.pointer);
  route_->setChecked(opening.route);
  run_->setChecked(setting.Kml().runGoogleEarth != 0);
  color_->SelectColor(opening.lineColor);

  auto* files = new QGridLayout;
  files->addWidget(new QLabel(ExportGuiText("LogFolder", "Log File Folder"), this), 0, 0);
  files->addWidget(folder_, 0, 1);
  files->addWidget(browse_, 0, 2);
  files->addWidget(new QLabel(ExportGuiText("LogFileName", "Log File Name"), this), 1, 0);
  files->addWidget(name_, 1, 1);

  auto* options = new QGridLayout;
  int row = 0;
  auto addCheck = [&](const char* descKey, QCheckBox* box) {
    const QString description = ExportGuiText(descKey, "");
    if (!description.isEmpty()) options->addWidget(new QLabel(description, this), row++, 0, 1, 2);
    options->addWidget(box, row++, 0, 1, 2);
  };
  auto addField = [&](const QString& label, QWidget* field) {
    options->addWidget(new QLabel(label, this), row, 0);
    options->addWidget(field, row++, 1, Qt::AlignLeft);
  };
  addCheck("PointerDesc", pointer_);
  addField(ExportGuiText("PointInterval", "Point interval (1~30 sec)"), interval_);
  addCheck("RouteDesc", route_);
  addField(ExportGuiText("LineWidth", "Line width (1~10)"), width_);
  addField(ExportGuiText("LineOpacity", "Line opacity (0~255)"), opacity_);
  addField(ExportGuiText("LineColor", "Line color"), color_);
  options->addWidget(run_, row++, 0, 1, 2);
  options->setColumnStretch(2, 1);

  QHBoxLayout* buttons = DialogButtonRow({start_, cancel_, close_});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(files);
  layout->addLayout(options);
  layout->addLayout(progress_.MakeLayout());
  layout->addLayout(buttons);

  SetSaving(false);

  connect(pointer_, &QCheckBox::toggled, this, &CDlgExportKxLog::ApplyBoxRules);
  connect(route_, &QCheckBox::toggled, this, &CDlgExportKxLog::ApplyBoxRules);
  connect(start_, &QPushButton::clicked, this, &CDlgExportKxLog::OnStart);
  connect(cancel_, &QPushButton::clicked, this, [this] { job_.Cancel(); });
  connect(close_, &QPushButton::clicked, this, &CDlgExportKxLog::OnClose);
  connect(browse_, &QPushButton::clicked, this, [this] { BrowseForFolder(prompt_, *folder_); });
}

CDlgExportKxLog::~CDlgExportKxLog() = default;

KmlExportInputs CDlgExportKxLog::Inputs() const {
  KmlExportInputs inputs = KmlInputsFromSettings(setting_.Kml(), folder_->text().toStdString());
  inputs.fileName = name_->text().toStdString();
  inputs.pointer = pointer_->isChecked();
  inputs.pointerInterval = ValueOf(interval_);
  inputs.route = route_->isChecked();
  inputs.lineWidth = ValueOf(width_);
  inputs.lineOpacity = ValueOf(opacity_);
  inputs.lineColor = color_->SelectedColor();
  inputs.speedUnit = SpeedUnitOf(setting_);
  return inputs;
}

void CDlgExportKxLog::ApplyBoxRules() {
  const bool idle = !saving_;
  interval_->setEnabled(idle && pointer_->isChecked());
  for (QWidget* widget : std::initializer_list<QWidget*>{width_, opacity_, color_})
    widget->setEnabled(idle && route_->isChecked());
  start_->setEnabled(idle && (pointer_->isChecked() || route_->isChecked()));
}

QWidget* CDlgExportKxLog::FieldOf(KmlField field) const {
  switch (field) {
    case KmlField::kInterval:
      return interval_;
    case KmlField::kLineWidth:
      return width_;
    case KmlField::kLineOpacity:
      return opacity_;
    case KmlField::kLineColor:
      return color_;
    case KmlField::kFolder:
      return browse_;
    case KmlField::kFileName:
      return name_;
    case KmlField::kNone:
      break;
  }
  return nullptr;
}

void CDlgExportKxLog::OnStart() {
  const KmlExportInputs inputs = Inputs();
  const KmlStartResult started =
      job_.Start(inputs, logs_, logGraph_, prompt_, [this](ExportResult result) { OnEnded(result); });
  switch (started.outcome) {
    case KmlStart::kStarted:
      setting_.SetSaveLogFolder(inputs.folder);
      SetSaving(true);
      progress_.Start();
      return;
    case KmlStart::kInvalid:
      if (!started.failure) return;
      ShowExportMessage(prompt_, started.failure->message, kCaptionSaveLogFile);
      if (QWidget* field = FieldOf(started.failure->field)) field->setFocus();
      return;
    case KmlStart::kFailed:
      ShowExportMessage(prompt_, kMsgSaveLogFileFail, kCaptionSaveLogFile);
      return;
    case KmlStart::kDeclined:
    case KmlStart::kBusy:
      return;
  }
}

void CDlgExportKxLog::OnEnded(ExportResult result) {
  progress_.Stop();
  SetSaving(false);
  progress_.Clear();
  ShowExportEnd(prompt_, result, kKmlEndTexts);
  if (result == ExportResult::kDone && run_->isChecked())
    OpenFileOrTell(desktop_, prompt_, job_.OutputPath(), MessageText(kMsgNoKmlViewer), GuiText(kCaptionSaveLogFile));
}

void CDlgExportKxLog::SetSaving(bool saving) {
  saving_ = saving;
  cancel_->setEnabled(saving);
  for (QWidget* widget : std::initializer_list<QWidget*>{close_, browse_, name_, pointer_, route_, run_})
    widget->setEnabled(!saving);
  ApplyBoxRules();
}

void CDlgExportKxLog::OnClose() {
  const KmlExportInputs inputs = Inputs();
  setting_.SetKmlPointer(inputs.pointer ? 1 : 0);
  if (inputs.pointer && inputs.pointerInterval >= kKmlIntervalMin && inputs.pointerInterval <= kKmlIntervalMax)
    setting_.SetKmlPointerInterval(inputs.pointerInterval);
  setting_.SetKmlRoute(inputs.route ? 1 : 0);
  if (inputs.route && inputs.lineWidth >= kKmlLineWidthMin && inputs.lineWidth <= kKmlLineWidthMax)
    setting_.SetKmlLineWidth(inputs.lineWidth);
  if (inputs.route && inputs.lineOpacity >= kKmlOpacityMin && inputs.lineOpacity <= kKmlOpacityMax)
    setting_.SetKmlLineOpacity(inputs.lineOpacity);
  setting_.SetKmlRunGoogleEarth(run_->isChecked() ? 1 : 0);
  setting_.SetKmlLineColor(inputs.lineColor);
  QDialog::reject();
}

void CDlgExportKxLog::reject() {
  if (job_.Running()) {
    job_.Cancel();
    return;
  }
  OnClose();
}
