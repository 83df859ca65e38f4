#pragma once
// What the device-settings dialog shows and saves, without the widgets: the
// lists with their entries and selection, the check boxes, which controls
// are enabled, the card ID and the recorder clock. The window's four
// dialogs and the command-line tool drive the same model, so a list rebuilt
// after a change is rebuilt the same way in both.
//
// The lists depend on each other: the recording method decides the frame
// rates, the frame rate the event times; the resolution decides the quality
// values. Selecting in one of them rebuilds the ones after it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/DeviceSettingsFile.h"

struct SettingEntry {
  std::string text;
  int value = 0;
};

struct SettingList {
  std::vector<SettingEntry> entries;
  int selected = 0;  // index into entries; entries are never empty
  bool enabled = true;

  int Value() const { return entries.empty() ? 0 : entries[static_cast<size_t>(selected)].value; }
  const std::string& Text() const { return entries[static_cast<size_t>(selected)].text; }
  // The index of the entry holding value; nothing when none does.
  std::optional<int> IndexOf(int value) const;
};

enum class SettingListId {
  kMethod,      // recording method 1..3
  kResolution,  // POSTFIELD1 2 or 4
  kFrameRate,   // frames per second
  kQuality,     // POSTSIZE1
  kRecMode,     // RECMOD 2 overwrite, 1 one time
  kEventTime,   // pre-trigger seconds 10, 12, 15, 18, 20
  kEventRatio,  // EVENTRECPER, one entry that follows the method
  kLevel,       // simple-mode sensitivity 0..4
  kAxisX,       // per-axis levels 0..4
  kAxisY,
  kAxisZ,
  kPulseType,  // CARPULSETYPE -1..5
};

enum class SettingCheck {
  kSimpleMode,
  kTriggerBeep,
  kSdFormat,
  kDetectAngle,
  kManualTime,
  // Triggers: always ticked and never shown; what TRGSET holds is fixed
  // per family.
  kTriggerGSensor,
  kTriggerSwitch,
  kTriggerRadar,
};

// What a card holds for the dialog: set.ini and its companions.
struct SettingsCard {
  DeviceSettings values;
  bool selfAdjust = false;             // selfadj.ini exists
  std::string sdId;                    // as ReadSdId gives it
  bool clockFile = false;              // time.ini exists
  std::optional<RecorderClock> clock;  // its LOCALTIME, when readable
};

SettingsCard ReadSettingsCard(const std::filesystem::path& cardRoot);
SettingsCard ReadSettingsCard(const SettingsFiles& files);

// What a save writes: set.ini's keys and the companions.
struct SettingsToSave {
  DeviceSettings values;
  bool selfAdjust = false;
  std::string sdId;                    // leading spaces removed; empty deletes sdid.ini
  std::optional<RecorderClock> clock;  // nothing deletes time.ini
};

// The card ID field may hold at most this many characters once its leading
// spaces are removed, and no control character.
inline constexpr int kMaxSdIdChars = 10;
inline constexpr int kLevelCount = 5;  // levels 0..4, shown "1".."5"

class CDeviceSettingModel {
 public:
  // Loads as the dialog does: the card's values, and the pickers at now.
  CDeviceSettingModel(SettingsFamily family, const SettingsCard& card, const RecorderClock& now);

  // The model of a model id's family over a card; nothing for an id outside
  // the model table.
  static std::optional<CDeviceSettingModel> ForCard(const std::filesystem::path& cardRoot, int modelId,
                                                    const RecorderClock& now);

  SettingsFamily Family() const { return family_; }

  // Whether the family's dialog shows a control at all.
  bool Shows(SettingListId id) const;
  bool Shows(SettingCheck check) const;
  bool ShowsSdId() const { return family_ != SettingsFamily::kA; }
  // Families B and D show the levels as sliders, A and C as lists.
  bool LevelsAsSliders() const { return family_ == SettingsFamily::kB || family_ == SettingsFamily::kD; }

  const SettingList& List(SettingListId id) const;
  // Selects the entry holding value, then rebuilds the lists that depend on
  // it. False (nothing changed) when the list has no such entry.
  bool Select(SettingListId id, int value);
  // The same by entry index, as a list control reports it.
  bool SelectIndex(SettingListId id, int index);

  bool Checked(SettingCheck check) const;
  bool Enabled(SettingCheck check) const;
  void SetChecked(SettingCheck check, bool ticked);

  const std::string& SdId() const { return sdId_; }
  void SetSdId(std::string text) { sdId_ = std::move(text); }
  // The ID as saved (leading spaces removed), and whether it is short enough.
  std::string SdIdToSave() const;
  bool SdIdValid() const;

  // The pickers' value at the moment now: the time the user set them to,
  // else now itself. So the pickers tick while the dialog is open and a save
  // sets the recorder to the moment of saving, not to when the dialog
  // opened; a clock value the card still holds is a past save's and is
  // not kept. Enabled only with manual time setting ticked.
  RecorderClock ClockAt(const RecorderClock& now) const { return userClock_.value_or(now); }
  // The value at the moment the model was loaded.
  RecorderClock Clock() const { return ClockAt(loadedAt_); }
  void SetClock(const RecorderClock& clock) { userClock_ = clock; }
  bool ClockEnabled() const { return manualTime_; }

  // The recording method a save writes (family A always 2).
  int MethodToSave() const;
  // What a save at the moment now writes.
  SettingsToSave ToSave(const RecorderClock& now) const;

 private:
  SettingList& Mutable(SettingListId id);
  void BuildFixedLists(const DeviceSettings& values);
  void RebuildFrameRates(int wanted);
  void RebuildEventTimes(int wanted);
  void RebuildRatio();
  void RebuildQuality(int wanted);
  void ApplyEnabling();
  int CarPulseTypeToSave() const;

  SettingsFamily family_;
  SettingList method_, resolution_, frameRate_, quality_, recMode_, eventTime_, ratio_, level_, axisX_, axisY_, axisZ_,
      pulseType_;
  bool simple_ = false;
  bool beep_ = true;
  bool sdFormat_ = true;
  bool detectAngle_ = false;
  bool manualTime_ = false;
  bool radar_ = false;
  std::string sdId_;
  RecorderClock loadedAt_;
  std::optional<RecorderClock> userClock_;
};

// The event-time entry's post-trigger seconds for its pre-trigger value
// (10/10, 12/8, 15/5, 18/12, 20/10); 5 for a value outside them.
int PostTriggerSeconds(int preTriggerSeconds);

// Writes set.ini and the companions (the dialog's save steps 7 and 8);
// false when any of them could not be written.
bool WriteSettingsToCard(const std::filesystem::path& cardRoot, SettingsFamily family, const SettingsToSave& save);
// The files that save leaves of a card's files: what WriteSettingsToCard
// writes.
SettingsFiles SavedSettingsFiles(const SettingsFiles& before, SettingsFamily family, const SettingsToSave& save);
