#include "tools/DeviceSettingModel.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/MgrMultiLang.h"
#include "platform/ProfileFile.h"

namespace {

constexpr int kMethodNormal = 1;
constexpr int kMethodEvent = 2;
constexpr int kMethodDual = 3;
constexpr int kFamilyAMethod = 2;
constexpr int kFamilyAPreTrigger = 15;
constexpr int kFamilyAPostTrigger = 5;
constexpr int kLowResolution = 2;
constexpr int kHighResolution = 4;
constexpr int kOverwrite = 2;
constexpr int kOneTime = 1;
constexpr int kTriggersPlain = 3;
constexpr int kTriggersWithRadar = 34;
constexpr int kNoPulseType = -1;
constexpr int kLargestPulse = 5;
// Frame rates below this keep the event times of 30 seconds in all.
constexpr int kLongEventsBelowFps = 30;

struct EventTime {
  int pre;
  int post;
  int total;
};
constexpr std::array kEventTimes = {EventTime{10, 10, 20}, EventTime{12, 8, 20}, EventTime{15, 5, 20},
                                    EventTime{18, 12, 30}, EventTime{20, 10, 30}};

constexpr std::array kPulseCounts = {2, 4, 8, 16, 20, 25};

std::string Gui(const char* key, const char* text) { return GetLangText("GUI", key, text); }

std::string EventTimeText(const EventTime& time, const std::string& seconds) {
  std::array<char, 96> text{};
  std::snprintf(text.data(), text.size(), "%d,%d [%d %s]", time.pre, time.post, time.total, seconds.c_str());
  return text.data();
}

// Selects the entry holding value, else the entry at fallback.
void SelectOr(SettingList& list, int value, int fallback) { list.selected = list.IndexOf(value).value_or(fallback); }

int ClampLevel(int level) { return std::clamp(level, 0, kLevelCount - 1); }

SettingList LevelList(int level) {
  SettingList list;
  for (int value = 0; value < kLevelCount; ++value) list.entries.push_back({std::to_string(value + 1), value});
  list.selected = ClampLevel(level);
  return list;
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Characters, not bytes: an ID of ten accented letters is still ten.
int Utf8Length(std::string_view text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

std::optional<int> SettingList::IndexOf(int value) const {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].value == value) return static_cast<int>(i);
  return std::nullopt;
}

int PostTriggerSeconds(int preTriggerSeconds) {
  for (const EventTime& time : kEventTimes)
    if (time.pre == preTriggerSeconds) return time.post;
  return kFamilyAPostTrigger;
}

SettingsCard ReadSettingsCard(const std::filesystem::path& cardRoot) {
  return ReadSettingsCard(ReadSettingsFiles(cardRoot));
}

SettingsCard ReadSettingsCard(const SettingsFiles& files) {
  SettingsCard card;
  card.values = DeviceSettingsOf(ProfileSnapshot::OfBytes(files.setIni));
  card.selfAdjust = files.selfAdjIni;
  card.sdId = SdIdOf(files.sdIdIni);
  card.clockFile = files.timeIni || files.timeIniUnread;
  card.clock = RecorderClockOf(ProfileSnapshot::OfBytes(files.timeIni));
  return card;
}

CDeviceSettingModel::CDeviceSettingModel(SettingsFamily family, const SettingsCard& card, const RecorderClock& now)
    : family_(family) {
  const DeviceSettings& v = card.values;
  BuildFixedLists(v);
  RebuildFrameRates(v.postRecInt);
  RebuildEventTimes(v.preRecTime);
  RebuildRatio();
  RebuildQuality(v.postSize);

  simple_ = (v.accSen & 1) != 0;
  level_ = LevelList(v.accSen >> 1);
  const bool sen1Axes = LevelsAsSliders();
  axisX_ = LevelList(sen1Axes ? Sen1Level(v.sen1x) : v.accSenX);
  axisY_ = LevelList(sen1Axes ? Sen1Level(v.sen1y) : v.accSenY);
  axisZ_ = LevelList(sen1Axes ? Sen1Level(v.sen1z) : v.accSenZ);

  beep_ = v.beepRecord != 0;
  sdFormat_ = v.sdFormat != 0;
  radar_ = family_ == SettingsFamily::kB || family_ == SettingsFamily::kD;
  detectAngle_ = card.selfAdjust;
  sdId_ = card.sdId;
  manualTime_ = card.clockFile;
  loadedAt_ = now;
  ApplyEnabling();
}

std::optional<CDeviceSettingModel> CDeviceSettingModel::ForCard(const std::filesystem::path& cardRoot, int modelId,
                                                                const RecorderClock& now) {
  const std::optional<SettingsFamily> family = SettingsFamilyOf(modelId);
  if (!family) return std::nullopt;
  return CDeviceSettingModel(*family, ReadSettingsCard(cardRoot), now);
}

void CDeviceSettingModel::BuildFixedLists(const DeviceSettings& v) {
  method_.entries = {{Gui("RecMethodNormal", "Normal"), kMethodNormal},
                     {Gui("RecMethodEvent", "Event"), kMethodEvent},
                     {Gui("RecMethodDual", "Normal+Event"), kMethodDual}};
  const int method = family_ == SettingsFamily::kA ? kFamilyAMethod : v.recingMode;
  // Anything the recorder does not know counts as both kinds of recording.
  SelectOr(method_, method, 2);

  resolution_.entries = {{"S 320 X 240", kLowResolution}, {"L 640 X 480", kHighResolution}};
  SelectOr(resolution_, v.postField, 1);

  recMode_.entries = {{Gui("RecOverwrite", "Overwrite"), kOverwrite}, {Gui("RecOneTime", "One Time"), kOneTime}};
  SelectOr(recMode_, v.recMod, 0);

  pulseType_.entries.push_back({Gui("PulseReset", "reset"), kNoPulseType});
  const std::string pulse = Gui("Pulse", "pulse");
  for (size_t i = 0; i < kPulseCounts.size(); ++i)
    pulseType_.entries.push_back({std::to_string(kPulseCounts[i]) + " " + pulse, static_cast<int>(i)});
  const bool known = v.carPulseType >= kNoPulseType && v.carPulseType <= kLargestPulse;
  pulseType_.selected = known ? v.carPulseType + 1 : 0;
}

void CDeviceSettingModel::RebuildFrameRates(int wanted) {
  frameRate_.entries.clear();
  if (family_ == SettingsFamily::kA) {
    frameRate_.entries = {{"10", 10}, {"30", 30}};
    frameRate_.selected = wanted == 10 ? 0 : 1;
    return;
  }
  std::vector<int> rates;
  switch (method_.Value()) {
    case kMethodNormal:
      rates = {1, 5, 10, 15};
      break;
    case kMethodEvent:
      rates = {10, 15, 30};
      break;
    default:
      rates = {10, 15};
      break;
  }
  for (int rate : rates) frameRate_.entries.push_back({std::to_string(rate), rate});
  SelectOr(frameRate_, wanted, 0);
}

void CDeviceSettingModel::RebuildEventTimes(int wanted) {
  eventTime_.entries.clear();
  const std::string seconds = Gui("ForSec", "sec");
  const bool longOnes = frameRate_.Value() < kLongEventsBelowFps;
  for (const EventTime& time : kEventTimes) {
    if (time.total >= kLongEventsBelowFps && !longOnes) continue;
    eventTime_.entries.push_back({EventTimeText(time, seconds), time.pre});
  }
  SelectOr(eventTime_, wanted, 0);
}

void CDeviceSettingModel::RebuildRatio() {
  switch (method_.Value()) {
    case kMethodNormal:
      ratio_.entries = {{"0 : 100", 0}};
      break;
    case kMethodEvent:
      ratio_.entries = {{"100 : 0", 100}};
      break;
    default:
      ratio_.entries = {{"30 : 70", 30}};
      break;
  }
  ratio_.selected = 0;
}

void CDeviceSettingModel::RebuildQuality(int wanted) {
  const bool high = resolution_.Value() == kHighResolution;
  quality_.entries = {{Gui("Rank1", "Low"), high ? 32 : 10}, {Gui("Rank3", "High"), high ? 64 : 20}};
  SelectOr(quality_, wanted, 1);
}

void CDeviceSettingModel::ApplyEnabling() {
  eventTime_.enabled = method_.Value() != kMethodNormal;
  level_.enabled = simple_;
  axisX_.enabled = !simple_;
  axisY_.enabled = !simple_;
  axisZ_.enabled = !simple_;
}

bool CDeviceSettingModel::Shows(SettingListId id) const {
  const bool a = family_ == SettingsFamily::kA;
  switch (id) {
    case SettingListId::kMethod:
    case SettingListId::kEventTime:
    case SettingListId::kEventRatio:
      return !a;
    case SettingListId::kPulseType:
      return family_ == SettingsFamily::kD;
    default:
      return true;
  }
}

bool CDeviceSettingModel::Shows(SettingCheck check) const {
  switch (check) {
    case SettingCheck::kSimpleMode:
    case SettingCheck::kManualTime:
      return true;
    case SettingCheck::kTriggerBeep:
      return family_ != SettingsFamily::kA;
    case SettingCheck::kSdFormat:
      return family_ == SettingsFamily::kB || family_ == SettingsFamily::kC;
    case SettingCheck::kDetectAngle:
      return LevelsAsSliders();
    default:
      return false;
  }
}

const SettingList& CDeviceSettingModel::List(SettingListId id) const {
  return const_cast<CDeviceSettingModel*>(this)->Mutable(id);
}

SettingList& CDeviceSettingModel::Mutable(SettingListId id) {
  switch (id) {
    case SettingListId::kMethod:
      return method_;
    case SettingListId::kResolution:
      return resolution_;
    case SettingListId::kFrameRate:
      return frameRate_;
    case SettingListId::kQuality:
      return quality_;
    case SettingListId::kRecMode:
      return recMode_;
    case SettingListId::kEventTime:
      return eventTime_;
    case SettingListId::kEventRatio:
      return ratio_;
    case SettingListId::kLevel:
      return level_;
    case SettingListId::kAxisX:
      return axisX_;
    case SettingListId::kAxisY:
      return axisY_;
    case SettingListId::kAxisZ:
      return axisZ_;
    case SettingListId::kPulseType:
      break;
  }
  return pulseType_;
}

bool CDeviceSettingModel::Select(SettingListId id, int value) {
  const std::optional<int> index = List(id).IndexOf(value);
  return index && SelectIndex(id, *index);
}

bool CDeviceSettingModel::SelectIndex(SettingListId id, int index) {
  SettingList& list = Mutable(id);
  if (index < 0 || index >= static_cast<int>(list.entries.size())) return false;
  // Family A records events only; its method is not the user's to change.
  if (id == SettingListId::kMethod && family_ == SettingsFamily::kA) return false;
  list.selected = index;
  switch (id) {
    case SettingListId::kMethod:
      RebuildFrameRates(frameRate_.Value());
      RebuildEventTimes(eventTime_.Value());
      RebuildRatio();
      break;
    case SettingListId::kFrameRate:
      RebuildEventTimes(eventTime_.Value());
      break;
    case SettingListId::kResolution: {
      // Low stays Low and High stays High in the new resolution's values.
      const int rank = quality_.selected;
      RebuildQuality(0);
      quality_.selected = rank;
      break;
    }
    default:
      break;
  }
  ApplyEnabling();
  return true;
}

bool CDeviceSettingModel::Checked(SettingCheck check) const {
  switch (check) {
    case SettingCheck::kSimpleMode:
      return simple_;
    case SettingCheck::kTriggerBeep:
      return beep_;
    case SettingCheck::kSdFormat:
      return sdFormat_;
    case SettingCheck::kDetectAngle:
      return detectAngle_;
    case SettingCheck::kManualTime:
      return manualTime_;
    case SettingCheck::kTriggerGSensor:
    case SettingCheck::kTriggerSwitch:
      return true;
    case SettingCheck::kTriggerRadar:
      return radar_;
  }
  return false;
}

bool CDeviceSettingModel::Enabled(SettingCheck check) const { return Shows(check); }

void CDeviceSettingModel::SetChecked(SettingCheck check, bool ticked) {
  switch (check) {
    case SettingCheck::kSimpleMode:
      simple_ = ticked;
      ApplyEnabling();
      break;
    case SettingCheck::kTriggerBeep:
      beep_ = ticked;
      break;
    case SettingCheck::kSdFormat:
      sdFormat_ = ticked;
      break;
    case SettingCheck::kDetectAngle:
      detectAngle_ = ticked;
      break;
    case SettingCheck::kManualTime:
      manualTime_ = ticked;
      break;
    default:
      // The triggers are fixed per family.
      break;
  }
}

namespace {

// The recorder shows the ID on its screen and keeps it in a one-line file:
// a line break, an escape or another control character (C0, DEL, C1) has no
// place there.
bool HoldsControlCharacter(std::string_view text) {
  constexpr unsigned char kLastC0 = 0x1F, kDelete = 0x7F, kC1Lead = 0xC2, kFirstC1 = 0x80, kLastC1 = 0x9F;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte <= kLastC0 || byte == kDelete) return true;
    if (byte != kC1Lead || i + 1 == text.size()) continue;
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (next >= kFirstC1 && next <= kLastC1) return true;
  }
  return false;
}

}  // namespace

std::string CDeviceSettingModel::SdIdToSave() const {
  const auto first = std::find_if_not(sdId_.begin(), sdId_.end(), IsSpace);
  return std::string(first, sdId_.end());
}

bool CDeviceSettingModel::SdIdValid() const {
  const std::string id = SdIdToSave();
  return Utf8Length(id) <= kMaxSdIdChars && !HoldsControlCharacter(id);
}

int CDeviceSettingModel::MethodToSave() const {
  return family_ == SettingsFamily::kA ? kFamilyAMethod : method_.Value();
}

SettingsToSave CDeviceSettingModel::ToSave(const RecorderClock& now) const {
  const bool a = family_ == SettingsFamily::kA;
  SettingsToSave save;
  DeviceSettings& v = save.values;
  v.recingMode = MethodToSave();
  v.postField = resolution_.Value();
  v.postRecInt = frameRate_.Value();
  v.postSize = quality_.Value();
  v.recMod = recMode_.Value();
  v.trgSet = radar_ ? kTriggersWithRadar : kTriggersPlain;
  v.accSen = level_.Value() * 2 + (simple_ ? 1 : 0);
  v.accSenX = axisX_.Value();
  v.accSenY = axisY_.Value();
  v.accSenZ = axisZ_.Value();
  v.preRecTime = a ? kFamilyAPreTrigger : eventTime_.Value();
  v.postRecTime = a ? kFamilyAPostTrigger : PostTriggerSeconds(eventTime_.Value());
  v.beepRecord = beep_ ? 1 : 0;
  // The recorder of family D has no format function of its own.
  v.sdFormat = family_ == SettingsFamily::kD ? 0 : (sdFormat_ ? 1 : 0);
  v.eventRecPer = ratio_.Value();
  v.sen1x = Sen1Text(axisX_.Value());
  v.sen1y = Sen1Text(axisY_.Value());
  v.sen1z = Sen1Text(axisZ_.Value());
  v.carPulseType = pulseType_.Value();
  v.versionId = FamilyCode(family_);

  // Family A's recorder knows neither companion; C keeps the angle file as
  // it was, having no box for it.
  save.selfAdjust = !a && detectAngle_;
  save.sdId = a ? std::string() : SdIdToSave();
  if (manualTime_) save.clock = ClockAt(now);
  return save;
}

SettingsFiles SavedSettingsFiles(const SettingsFiles& before, SettingsFamily family, const SettingsToSave& save) {
  SettingsFiles after;
  after.setIni = SetIniText(family, save.values);
  after.selfAdjIni = save.selfAdjust;
  after.sdIdIni = SdIdIniText(save.sdId);
  if (save.clock) {
    after.timeIniUnread = before.timeIniUnread;
    if (!before.timeIniUnread) after.timeIni = TimeIniWith(before.timeIni.value_or(""), *save.clock);
  }
  return after;
}

bool WriteSettingsToCard(const std::filesystem::path& cardRoot, SettingsFamily family, const SettingsToSave& save) {
  const bool written = WriteSettingsFiles(cardRoot, SavedSettingsFiles(ReadSettingsFiles(cardRoot), family, save));
  return DeleteWgs84(cardRoot) && written;
}
