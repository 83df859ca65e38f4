#include "tools/ui/DlgSetting.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "base/CommonTexts.h"
#include "base/MgrMultiLang.h"
#include "base/ModelTable.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/DialogButtonRow.h"
#include "skin/ui/DialogStyle.h"
#include "skin/ui/TrackClickStyle.h"
#include "tools/CardSizeCheck.h"
#include "tools/ui/DlgBackup.h"
#include "tools/ui/DlgDelFiles.h"
#include "tools/ui/DlgInitData.h"

namespace {

constexpr int kListWidth = 150;
constexpr int kSliderWidth = 140;

// Groups in the colours of the dialog's other controls.
constexpr const char* kSettingStyle =
    "QGroupBox { color: #e6e9ed; border: 1px solid #3a424c; border-radius: 3px; margin-top: 10px;"
    " padding: 6px 4px 4px 4px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }";

QString Gui(const char* key, const char* text) { return QString::fromStdString(GetLangText("GUI", key, text)); }

QDate DateOf(const RecorderClock& clock) { return QDate(clock.year, clock.month, clock.day); }
QTime TimeOf(const RecorderClock& clock) { return QTime(clock.hour, clock.minute, clock.second); }

RecorderClock ClockOf(const QDate& date, const QTime& time) {
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

}  // namespace

CDlgSettingBase::CDlgSettingBase(SettingsFamily family, DeviceSettingDialogContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
  model_.emplace(family, ReadSettingsCard(context_.cardRoot), context_.clockNow());
  setObjectName(QStringLiteral("settingDialog"));
  setModal(true);
  setWindowTitle(QString::fromStdString(GuiText(kGuiSetting)));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet) + QString::fromLatin1(kSettingStyle));

  ok_ = new QPushButton(Gui("OK", "OK"), this);
  cancel_ = new QPushButton(Gui("Cancel", "Cancel"), this);
  initSd_ = new QPushButton(Gui("InitSDCard", "Init SD Card"), this);
  dataDelete_ = new QPushButton(Gui("InitialData", "Initialize Data"), this);

  auto* left = new QVBoxLayout;
  left->addWidget(BuildRecordGroup());
  left->addWidget(BuildClockGroup());
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(BuildSensorGroup());
  right->addWidget(BuildSystemGroup());
  right->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);

  auto* tools = new QHBoxLayout;
  initSd_->setAutoDefault(false);
  dataDelete_->setAutoDefault(false);
  tools->addWidget(initSd_);
  tools->addWidget(dataDelete_);
  QHBoxLayout* buttons = DialogButtonRow({ok_, cancel_});
  tools->addLayout(buttons, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(tools);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  UseCheckMarkStyle(this);

  initSd_->setVisible(static_cast<bool>(context_.initSdCard));
  connect(ok_, &QPushButton::clicked, this, &CDlgSettingBase::OnOk);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(initSd_, &QPushButton::clicked, this, &CDlgSettingBase::OnInitSdCard);
  connect(dataDelete_, &QPushButton::clicked, this, &CDlgSettingBase::OnDataDelete);
  Refresh();
}

CDlgSettingBase::~CDlgSettingBase() = default;

// ---- building -----------------------------------------------------------------

void CDlgSettingBase::AddList(QGridLayout* grid, int row, const char* key, const char* text, SettingListId id) {
  if (!model_->Shows(id)) return;
  auto* label = new QLabel(Gui(key, text), this);
  auto* box = new QComboBox(this);
  box->setMinimumWidth(kListWidth);
  label->setBuddy(box);
  grid->addWidget(label, row, 0);
  grid->addWidget(box, row, 1);
  lists_[id] = box;
  listLabels_[id] = label;
  connect(box, &QComboBox::currentIndexChanged, this, [this, id](int index) {
    model_->SelectIndex(id, index);
    Refresh();
  });
}

QWidget* CDlgSettingBase::BuildRecordGroup() {
  auto* group = new QGroupBox(Gui("Record", "Record"), this);
  auto* grid = new QGridLayout(group);
  int row = 0;
  AddList(grid, row++, "RecMethod", "Record Method", SettingListId::kMethod);
  AddList(grid, row++, "ImgResolution", "Image Resolution", SettingListId::kResolution);
  AddList(grid, row++, "FrameRate", "Frame Rate", SettingListId::kFrameRate);
  AddList(grid, row++, "ImgQuality", "Image Quality", SettingListId::kQuality);
  AddList(grid, row++, "PrePostTime", "Event Time", SettingListId::kEventTime);
  AddList(grid, row++, "RecMode", "Recording Mode", SettingListId::kRecMode);
  AddList(grid, row++, "EventRecPer", "Event / Normal Ratio", SettingListId::kEventRatio);
  return group;
}

// A slider runs from the most sensitive level at the left to the least at
// the right, as the recorder's manual draws it.
QWidget* CDlgSettingBase::LevelControl(SettingListId id) {
  if (!model_->LevelsAsSliders()) {
    auto* box = new QComboBox(this);
    lists_[id] = box;
    connect(box, &QComboBox::currentIndexChanged, this, [this, id](int index) {
      model_->SelectIndex(id, index);
      Refresh();
    });
    return box;
  }
  auto* holder = new QWidget(this);
  auto* row = new QHBoxLayout(holder);
  row->setContentsMargins(0, 0, 0, 0);
  auto* slider = new QSlider(Qt::Horizontal, holder);
  slider->setRange(0, kLevelCount - 1);
  slider->setPageStep(1);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(1);
  slider->setFixedWidth(kSliderWidth);
  UseTrackClickStyle(slider);
  row->addWidget(new QLabel(Gui("GSHigh", "High") + QStringLiteral(" (1)"), holder));
  row->addWidget(slider);
  row->addWidget(new QLabel(Gui("GSLow", "Low") + QStringLiteral(" (5)"), holder));
  sliders_[id] = slider;
  connect(slider, &QSlider::valueChanged, this, [this, id](int value) {
    model_->Select(id, value);
    Refresh();
  });
  return holder;
}

QCheckBox* CDlgSettingBase::AddCheck(SettingCheck check, const char* key, const char* text) {
  auto* box = new QCheckBox(Gui(key, text), this);
  checks_[check] = box;
  connect(box, &QCheckBox::toggled, this, [this, check](bool ticked) {
    model_->SetChecked(check, ticked);
    Refresh();
  });
  return box;
}

QWidget* CDlgSettingBase::BuildSensorGroup() {
  auto* group = new QGroupBox(Gui("GSensorSetting", "G-Sensor"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(AddCheck(SettingCheck::kSimpleMode, "SimpleSetMode", "Simple setting mode"), 0, 0, 1, 2);
  const std::pair<SettingListId, QString> rows[] = {{SettingListId::kLevel, Gui("Sensitivity", "Sensitivity")},
                                                    {SettingListId::kAxisX, QStringLiteral("X")},
                                                    {SettingListId::kAxisY, QStringLiteral("Y")},
                                                    {SettingListId::kAxisZ, QStringLiteral("Z")}};
  int row = 1;
  for (const auto& [id, text] : rows) {
    auto* label = new QLabel(text, this);
    QWidget* control = LevelControl(id);
    label->setBuddy(sliders_.contains(id) ? static_cast<QWidget*>(sliders_[id]) : control);
    listLabels_[id] = label;
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row, 1);
    ++row;
  }
  return group;
}

QWidget* CDlgSettingBase::BuildClockGroup() {
  auto* group = new QGroupBox(Gui("DateTime", "Date / Time"), this);
  auto* grid = new QGridLayout(group);
  date_ = new QDateEdit(this);
  date_->setCalendarPopup(true);
  date_->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
  time_ = new QTimeEdit(this);
  time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  grid->addWidget(AddCheck(SettingCheck::kManualTime, "ManTimeSetting", "Manual Time Setting"), 0, 0, 1, 2);
  grid->addWidget(date_, 1, 0);
  grid->addWidget(time_, 1, 1);
  const auto changed = [this] { model_->SetClock(ClockOf(date_->date(), time_->time())); };
  connect(date_, &QDateEdit::dateChanged, this, changed);
  connect(time_, &QTimeEdit::timeChanged, this, changed);
  clockTick_ = new QTimer(this);
  connect(clockTick_, &QTimer::timeout, this, &CDlgSettingBase::ShowClock);
  clockTick_->start(kClockTickMs);
  return group;
}

QWidget* CDlgSettingBase::BuildSystemGroup() {
  auto* group = new QGroupBox(Gui("System", "System"), this);
  auto* grid = new QGridLayout(group);
  int row = 0;
  if (model_->Shows(SettingCheck::kTriggerBeep))
    grid->addWidget(AddCheck(SettingCheck::kTriggerBeep, "TriggerBeep", "Beep on trigger"), row++, 0, 1, 2);
  if (model_->Shows(SettingCheck::kSdFormat))
    grid->addWidget(AddCheck(SettingCheck::kSdFormat, "SDFormatFunc", "SD Format Function"), row++, 0, 1, 2);
  if (model_->Shows(SettingCheck::kDetectAngle))
    grid->addWidget(AddCheck(SettingCheck::kDetectAngle, "DetectAngle", "Detect Installation Angle"), row++, 0, 1, 2);
  if (model_->ShowsSdId()) {
    sdId_ = new QLineEdit(this);
    auto* label = new QLabel(Gui("SDID", "SD Card ID"), this);
    label->setBuddy(sdId_);
    grid->addWidget(label, row, 0);
    grid->addWidget(sdId_, row++, 1);
    connect(sdId_, &QLineEdit::textEdited, this, [this](const QString& text) { model_->SetSdId(text.toStdString()); });
  }
  if (model_->Shows(SettingListId::kPulseType))
    AddList(grid, row++, "CarPulseType", "Car Pulse Type", SettingListId::kPulseType);
  // Family A's recorder has no system settings beyond the clock.
  group->setVisible(row > 0);
  return group;
}

// ---- showing the model ------------------------------------------------------------

void CDlgSettingBase::Refresh() {
  const CDeviceSettingModel& model = *model_;
  for (const auto& [id, box] : lists_) {
    const SettingList& list = model.List(id);
    const QSignalBlocker blocker(box);
    box->clear();
    for (const SettingEntry& entry : list.entries) box->addItem(QString::fromStdString(entry.text), entry.value);
    box->setCurrentIndex(list.selected);
    box->setEnabled(list.enabled);
  }
  for (const auto& [id, slider] : sliders_) {
    const QSignalBlocker blocker(slider);
    slider->setValue(model.List(id).Value());
    slider->parentWidget()->setEnabled(model.List(id).enabled);
  }
  for (const auto& [id, label] : listLabels_) label->setEnabled(model.List(id).enabled);
  for (const auto& [check, box] : checks_) {
    const QSignalBlocker blocker(box);
    box->setChecked(model.Checked(check));
  }
  if (sdId_ && sdId_->text().toStdString() != model.SdId()) sdId_->setText(QString::fromStdString(model.SdId()));
  ShowClock();
  date_->setEnabled(model.ClockEnabled());
  time_->setEnabled(model.ClockEnabled());
}

void CDlgSettingBase::ShowClock() {
  const RecorderClock shown = model_->ClockAt(context_.clockNow());
  const QSignalBlocker dateBlocker(date_);
  const QSignalBlocker timeBlocker(time_);
  if (date_->date() != DateOf(shown)) date_->setDate(DateOf(shown));
  if (time_->time() != TimeOf(shown)) time_->setTime(TimeOf(shown));
}

QComboBox* CDlgSettingBase::ListBox(SettingListId id) const {
  const auto found = lists_.find(id);
  return found == lists_.end() ? nullptr : found->second;
}

QSlider* CDlgSettingBase::Slider(SettingListId id) const {
  const auto found = sliders_.find(id);
  return found == sliders_.end() ? nullptr : found->second;
}

QCheckBox* CDlgSettingBase::CheckBox(SettingCheck check) const {
  const auto found = checks_.find(check);
  return found == checks_.end() ? nullptr : found->second;
}

// ---- the buttons ------------------------------------------------------------------

void CDlgSettingBase::OnOk() {
  const std::filesystem::path root = context_.cardRoot;
  DeviceSettingSavePorts ports;
  ports.backupWholeCard = [this, root] {
    CDlgBackup backup(root, {}, true, context_.settings, context_.prompt, this);
    return backup.exec() == QDialog::Accepted;
  };
  ports.releaseCard = context_.releaseCard;
  ports.deleteVideos = [this, root] {
    CDlgDelFiles deleting(root, true, false, this);
    deleting.exec();
  };
  ports.pulseTypeSaved = context_.pulseTypeSaved;
  ports.clockNow = context_.clockNow;
  ports.unsupportedSize = [this](const std::filesystem::path& card) {
    return IsUnsupportedCardSize(context_.volumes, card);
  };
  lastSave_ = SaveDeviceSettings(root, *model_, context_.prompt, ports);
  switch (*lastSave_) {
    case SaveOutcome::kSaved:
    case SaveOutcome::kSaveError:
      accept();
      break;
    case SaveOutcome::kInvalidSdId:
      if (sdId_) sdId_->setFocus();
      break;
    case SaveOutcome::kStopped:
      break;
  }
}

void CDlgSettingBase::OnDataDelete() {
  CDlgInitData choose(this);
  if (choose.exec() != QDialog::Accepted) return;
  const std::filesystem::path root = context_.cardRoot;
  DataDeletePorts ports;
  ports.releaseCard = context_.releaseCard;
  ports.deleteAllRecordings = [this, root] {
    CDlgDelFiles deleting(root, true, true, this);
    deleting.exec();
  };
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::optional<CDeviceSettingModel> reloaded =
      RunDataDelete(root, model_->Family(), choose.Choice(), context_.prompt, ports, context_.clockNow());
  QApplication::restoreOverrideCursor();
  if (!reloaded) return;
  model_ = std::move(reloaded);
  Refresh();
}

void CDlgSettingBase::OnInitSdCard() {
  const std::filesystem::path card = context_.initSdCard();
  if (!card.empty()) context_.cardRoot = card;
  ReloadFromCard();
}

void CDlgSettingBase::ReloadFromCard() {
  model_.emplace(model_->Family(), ReadSettingsCard(context_.cardRoot), context_.clockNow());
  Refresh();
}

// ---- the four families --------------------------------------------------------------

CDlgSetting::CDlgSetting(DeviceSettingDialogContext context, QWidget* parent)
    : CDlgSettingBase(SettingsFamily::kA, std::move(context), parent) {}

CDlgSetting15::CDlgSetting15(DeviceSettingDialogContext context, QWidget* parent)
    : CDlgSettingBase(SettingsFamily::kB, std::move(context), parent) {}

CDlgSetting2::CDlgSetting2(DeviceSettingDialogContext context, QWidget* parent)
    : CDlgSettingBase(SettingsFamily::kC, std::move(context), parent) {}

CDlgSetting3::CDlgSetting3(DeviceSettingDialogContext context, QWidget* parent)
    : CDlgSettingBase(SettingsFamily::kD, std::move(context), parent) {}

std::unique_ptr<CDlgSettingBase> MakeDeviceSettingDialog(int modelId, DeviceSettingDialogContext context,
                                                         QWidget* parent) {
  const ModelEntry* model = FindModel(modelId);
  if (!model) return nullptr;
  switch (model->dialog) {
    case DeviceSettingDialog::kDlgSetting:
      return std::make_unique<CDlgSetting>(std::move(context), parent);
    case DeviceSettingDialog::kDlgSetting15:
      return std::make_unique<CDlgSetting15>(std::move(context), parent);
    case DeviceSettingDialog::kDlgSetting2:
      return std::make_unique<CDlgSetting2>(std::move(context), parent);
    case DeviceSettingDialog::kDlgSetting3:
      return std::make_unique<CDlgSetting3>(std::move(context), parent);
  }
  return nullptr;
}
