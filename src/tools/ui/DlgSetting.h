#pragma once
// The device-settings dialogs, one per model family. All four show the same
// model (tools/DeviceSettingModel.h) and differ only in which controls the
// family has: family A edits its levels in lists and has neither method nor
// event time, B and D show sliders for the levels, C lists, D the car pulse
// type. OK runs the save with its questions; Data Delete clears recordings
// or the configuration; Init SD Card runs the card initialisation when the
// caller gives it one.
#include <QDialog>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "tools/DeviceSettingDialogContext.h"
#include "tools/DeviceSettingModel.h"
#include "tools/DeviceSettingSave.h"
#include "tools/RecorderClockNow.h"

class CAppSetting;
class Prompt;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimeEdit;
class QTimer;
class QWidget;
class Volumes;

class CDlgSettingBase : public QDialog {
  Q_OBJECT

 public:
  ~CDlgSettingBase() override;

  const CDeviceSettingModel& Model() const { return *model_; }
  // The list box of a list, or nothing where the family shows a slider or
  // does not show the list.
  QComboBox* ListBox(SettingListId id) const;
  QSlider* Slider(SettingListId id) const;
  QCheckBox* CheckBox(SettingCheck check) const;
  QLineEdit* SdIdField() const { return sdId_; }
  QDateEdit* DateField() const { return date_; }
  QTimeEdit* TimeField() const { return time_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* InitSdButton() const { return initSd_; }
  QPushButton* DataDeleteButton() const { return dataDelete_; }
  // What the last OK did; nothing before the first.
  std::optional<SaveOutcome> LastSave() const { return lastSave_; }

 protected:
  CDlgSettingBase(SettingsFamily family, DeviceSettingDialogContext context, QWidget* parent);

 private:
  QWidget* BuildRecordGroup();
  QWidget* BuildSensorGroup();
  QWidget* BuildClockGroup();
  QWidget* BuildSystemGroup();
  void AddList(QGridLayout* grid, int row, const char* key, const char* text, SettingListId id);
  QWidget* LevelControl(SettingListId id);
  QCheckBox* AddCheck(SettingCheck check, const char* key, const char* text);
  void Refresh();
  void ShowClock();
  void OnOk();
  void OnDataDelete();
  void OnInitSdCard();
  void ReloadFromCard();

  DeviceSettingDialogContext context_;
  std::optional<CDeviceSettingModel> model_;
  std::map<SettingListId, QComboBox*> lists_;
  std::map<SettingListId, QSlider*> sliders_;
  std::map<SettingListId, QLabel*> listLabels_;
  std::map<SettingCheck, QCheckBox*> checks_;
  QLineEdit* sdId_ = nullptr;
  QDateEdit* date_ = nullptr;
  QTimeEdit* time_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* initSd_ = nullptr;
  QPushButton* dataDelete_ = nullptr;
  std::optional<SaveOutcome> lastSave_;
  QTimer* clockTick_ = nullptr;
};

// Models 0 to 3.
class CDlgSetting final : public CDlgSettingBase {
  Q_OBJECT
 public:
  CDlgSetting(DeviceSettingDialogContext context, QWidget* parent);
};

// Models 4 and 5.
class CDlgSetting15 final : public CDlgSettingBase {
  Q_OBJECT
 public:
  CDlgSetting15(DeviceSettingDialogContext context, QWidget* parent);
};

// Model 6.
class CDlgSetting2 final : public CDlgSettingBase {
  Q_OBJECT
 public:
  CDlgSetting2(DeviceSettingDialogContext context, QWidget* parent);
};

// Model 9.
class CDlgSetting3 final : public CDlgSettingBase {
  Q_OBJECT
 public:
  CDlgSetting3(DeviceSettingDialogContext context, QWidget* parent);
};

// How often the pickers follow the clock: often enough that a shown second
// is never skipped.
inline constexpr int kClockTickMs = 250;

// The dialog of a model id's family; nothing for an id outside the model
// table.
std::unique_ptr<CDlgSettingBase> MakeDeviceSettingDialog(int modelId, DeviceSettingDialogContext context,
                                                         QWidget* parent);
