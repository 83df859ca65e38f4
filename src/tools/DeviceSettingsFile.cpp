#include "tools/DeviceSettingsFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <span>
#include <vector>

#include "base/ModelTable.h"
#include "platform/OutputFile.h"
#include "platform/ProfileFile.h"
#include "platform/RegularFile.h"
#include "platform/Utf8.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kConfigFolder = "config";
constexpr const char* kSetIni = "set.ini";
constexpr const char* kSdIdIni = "sdid.ini";
constexpr const char* kSelfAdjIni = "selfadj.ini";
constexpr const char* kTimeIni = "time.ini";
constexpr const char* kWgs84 = "wgs84.dat";

constexpr const char* kSet = "SET";
constexpr const char* kSdInfo = "SDINFO";
constexpr const char* kVersionId = "VERSIONID";
constexpr const char* kModelId = "MODELID";
constexpr const char* kLocalTime = "LOCALTIME";
constexpr const char* kLocalTimeFormat = "%.4d.%.2d.%.2d;%.2d:%.2d:%.2d";
constexpr const char* kSen1Format = "%.2x,%.2x,%.2x,%.2x,%.2x";
constexpr std::string_view kSdIdPrefix = "sdid=";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr size_t kSdIdMaxChars = 10;
constexpr uint64_t kSdIdMaxFileBytes = 64 * 1024;
constexpr int kMaxAxisLevel = 4;

// The fixed TRGSET of each family: G-sensor and manual switch, plus the
// radar-detector mode bit for B and D.
constexpr int kTriggersPlain = 3;
constexpr int kTriggersWithRadar = 34;

// Family A always records events only, with 15 s before and 5 s after.
constexpr int kFamilyAMethod = 2;
constexpr int kFamilyAPreTime = 15;
constexpr int kFamilyAPostTime = 5;

std::string Decimal(int value) { return std::to_string(value); }

fs::path ConfigFile(const fs::path& cardRoot, const char* name) { return ConfigFolder(cardRoot) / name; }

bool MakeConfigFolder(const fs::path& cardRoot) {
  std::error_code error;
  fs::create_directories(ConfigFolder(cardRoot), error);
  return fs::is_directory(ConfigFolder(cardRoot), error);
}

// Gone afterwards, whether it was there or not.
bool RemoveFile(const fs::path& file) {
  std::error_code error;
  fs::remove(file, error);
  return !error;
}

bool WriteConfigFile(const fs::path& cardRoot, const char* name, std::string_view content) {
  return MakeConfigFolder(cardRoot) &&
         WriteWholeFile(ConfigFile(cardRoot, name).string(), content, Overwrite::kReplace);
}

bool WriteOrRemoveConfigFile(const fs::path& cardRoot, const char* name, const std::optional<std::string>& content) {
  return content ? WriteConfigFile(cardRoot, name, *content) : RemoveFile(ConfigFile(cardRoot, name));
}

std::optional<std::string> ReadSdIdIni(const fs::path& cardRoot) {
  return ReadRegularFile(ConfigFile(cardRoot, kSdIdIni), kSdIdMaxFileBytes).content;
}

std::string LocalTimeText(const RecorderClock& clock) {
  char text[64];
  std::snprintf(text, sizeof text, kLocalTimeFormat, clock.year, clock.month, clock.day, clock.hour, clock.minute,
                clock.second);
  return text;
}

int TriggersOf(SettingsFamily family) {
  return family == SettingsFamily::kB || family == SettingsFamily::kD ? kTriggersWithRadar : kTriggersPlain;
}

bool HasSensorBytes(SettingsFamily family) { return family == SettingsFamily::kB || family == SettingsFamily::kD; }

// The values a family cannot choose, whatever the caller holds.
DeviceSettings WithFixedValues(SettingsFamily family, DeviceSettings values) {
  values.trgSet = TriggersOf(family);
  if (family == SettingsFamily::kA) {
    values.recingMode = kFamilyAMethod;
    values.preRecTime = kFamilyAPreTime;
    values.postRecTime = kFamilyAPostTime;
  }
  if (family == SettingsFamily::kD) values.sdFormat = 0;
  return values;
}

std::vector<ProfileValue> SavedKeys(SettingsFamily family, const DeviceSettings& v) {
  std::vector<ProfileValue> keys = {
      {kSet, "RECINGMODE1", Decimal(v.recingMode)}, {kSet, "POSTFIELD1", Decimal(v.postField)},
      {kSet, "POSTRECINT1", Decimal(v.postRecInt)}, {kSet, "POSTSIZE1", Decimal(v.postSize)},
      {kSet, "RECMOD", Decimal(v.recMod)},          {kSet, "TRGSET", Decimal(v.trgSet)},
      {kSet, "ACCSEN", Decimal(v.accSen)},          {kSet, "ACCSENX", Decimal(v.accSenX)},
      {kSet, "ACCSENY", Decimal(v.accSenY)},        {kSet, "ACCSENZ", Decimal(v.accSenZ)},
      {kSet, "PRERECTIME1", Decimal(v.preRecTime)}, {kSet, "POSTRECTIME1", Decimal(v.postRecTime)},
      {kSet, "PRERECINT1", Decimal(v.postRecInt)},  {kSet, "PRESIZE1", Decimal(v.postSize)},
      {kSet, "PREFIELD1", Decimal(v.postField)},
  };
  if (family == SettingsFamily::kA) return keys;
  keys.push_back({kSet, "BEEPRECORD", Decimal(v.beepRecord)});
  keys.push_back({kSet, "SDFORMAT", Decimal(v.sdFormat)});
  keys.push_back({kSet, "EVENTRECPER", Decimal(v.eventRecPer)});
  if (HasSensorBytes(family)) {
    keys.push_back({kSet, "SEN1X", Sen1Text(v.accSenX)});
    keys.push_back({kSet, "SEN1Y", Sen1Text(v.accSenY)});
    keys.push_back({kSet, "SEN1Z", Sen1Text(v.accSenZ)});
  }
  if (family == SettingsFamily::kD) keys.push_back({kSet, "CARPULSETYPE", Decimal(v.carPulseType)});
  keys.push_back({kSdInfo, kVersionId, Decimal(FamilyCode(family))});
  return keys;
}

std::vector<ProfileValue> DefaultKeys(SettingsFamily family) {
  const DeviceSettings d = WithFixedValues(family, DeviceSettings{});
  if (family == SettingsFamily::kA) {
    return {
        {kSet, "POSTFIELD1", Decimal(d.postField)},   {kSet, "POSTRECINT1", Decimal(d.postRecInt)},
        {kSet, "POSTSIZE1", Decimal(d.postSize)},     {kSet, "RECMOD", Decimal(d.recMod)},
        {kSet, "TRGSET", Decimal(d.trgSet)},          {kSet, "ACCSEN", Decimal(d.accSen)},
        {kSet, "ACCSENX", Decimal(d.accSenX)},        {kSet, "ACCSENY", Decimal(d.accSenY)},
        {kSet, "ACCSENZ", Decimal(d.accSenZ)},        {kSet, "RECINGMODE1", Decimal(d.recingMode)},
        {kSet, "PRERECTIME1", Decimal(d.preRecTime)}, {kSet, "POSTRECTIME1", Decimal(d.postRecTime)},
        {kSet, "PRERECINT1", Decimal(d.postRecInt)},  {kSet, "PRESIZE1", Decimal(d.postSize)},
        {kSet, "PREFIELD1", Decimal(d.postField)},
    };
  }
  std::vector<ProfileValue> keys = {
      {kSet, "POSTFIELD1", Decimal(d.postField)},    {kSet, "POSTRECINT1", Decimal(d.postRecInt)},
      {kSet, "PRERECINT1", Decimal(d.postRecInt)},   {kSet, "POSTSIZE1", Decimal(d.postSize)},
      {kSet, "RECMOD", Decimal(d.recMod)},           {kSet, "TRGSET", Decimal(d.trgSet)},
      {kSet, "ACCSEN", Decimal(d.accSen)},           {kSet, "ACCSENX", Decimal(d.accSenX)},
      {kSet, "ACCSENY", Decimal(d.accSenY)},         {kSet, "ACCSENZ", Decimal(d.accSenZ)},
      {kSet, "BEEPRECORD", Decimal(d.beepRecord)},   {kSet, "SDFORMAT", Decimal(d.sdFormat)},
      {kSet, "EVENTRECPER", Decimal(d.eventRecPer)}, {kSet, "RECINGMODE1", Decimal(d.recingMode)},
      {kSet, "PRERECTIME1", Decimal(d.preRecTime)},  {kSet, "POSTRECTIME1", Decimal(d.postRecTime)},
      {kSet, "PRESIZE1", Decimal(d.postSize)},       {kSet, "PREFIELD1", Decimal(d.postField)},
  };
  if (HasSensorBytes(family)) {
    keys.push_back({kSet, "SEN1X", d.sen1x});
    keys.push_back({kSet, "SEN1Y", d.sen1y});
    keys.push_back({kSet, "SEN1Z", d.sen1z});
  }
  if (family == SettingsFamily::kD) keys.push_back({kSet, "CARPULSETYPE", Decimal(d.carPulseType)});
  keys.push_back({kSdInfo, kVersionId, Decimal(FamilyCode(family))});
  return keys;
}

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n\v\f";
  const size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

}  // namespace

std::optional<SettingsFamily> SettingsFamilyOf(int modelId) {
  const ModelEntry* model = FindModel(modelId);
  if (!model) return std::nullopt;
  switch (model->dialog) {
    case DeviceSettingDialog::kDlgSetting:
      return SettingsFamily::kA;
    case DeviceSettingDialog::kDlgSetting15:
      return SettingsFamily::kB;
    case DeviceSettingDialog::kDlgSetting2:
      return SettingsFamily::kC;
    case DeviceSettingDialog::kDlgSetting3:
      return SettingsFamily::kD;
  }
  return std::nullopt;
}

int FamilyCode(SettingsFamily family) {
  switch (family) {
    case SettingsFamily::kA:
      return 0;
    case SettingsFamily::kB:
      return 1;
    case SettingsFamily::kC:
      return 2;
    case SettingsFamily::kD:
      return 3;
  }
  return 0;
}

int FamilyCode(int modelId) {
  const std::optional<SettingsFamily> family = SettingsFamilyOf(modelId);
  return family ? FamilyCode(*family) : 0;
}

int Sen1Level(std::string_view text) {
  const DeviceSettings defaults;
  if (Trim(text).empty()) text = defaults.sen1x;
  const std::string_view first = Trim(text.substr(0, text.find(',')));
  unsigned byte = 0;
  const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), byte, 16);
  if (error != std::errc() || end != first.data() + first.size()) return Sen1Level(defaults.sen1x);
  const int level = static_cast<int>(byte & 0x7u) - 1;
  return std::clamp(level, 0, kMaxAxisLevel);
}

std::string Sen1Text(int level) {
  char text[32];
  std::snprintf(text, sizeof text, kSen1Format, std::clamp(level, 0, kMaxAxisLevel) + 1, 0, 0, 0, 0);
  return text;
}

fs::path ConfigFolder(const fs::path& cardRoot) { return cardRoot / kConfigFolder; }
fs::path SetIniPath(const fs::path& cardRoot) { return ConfigFile(cardRoot, kSetIni); }

DeviceSettings ReadDeviceSettings(const fs::path& cardRoot) {
  return DeviceSettingsOf(ProfileSnapshot(SetIniPath(cardRoot)));
}

DeviceSettings DeviceSettingsOf(const ProfileSnapshot& file) {
  DeviceSettings v;
  const auto readInt = [&file](const char* key, int& value) { value = file.Int(kSet, key, value); };
  const auto readText = [&file](const char* key, std::string& value) { value = file.String(kSet, key, value); };
  readInt("RECINGMODE1", v.recingMode);
  readInt("POSTFIELD1", v.postField);
  readInt("POSTRECINT1", v.postRecInt);
  readInt("POSTSIZE1", v.postSize);
  readInt("RECMOD", v.recMod);
  readInt("TRGSET", v.trgSet);
  readInt("ACCSEN", v.accSen);
  readInt("ACCSENX", v.accSenX);
  readInt("ACCSENY", v.accSenY);
  readInt("ACCSENZ", v.accSenZ);
  readInt("PRERECTIME1", v.preRecTime);
  readInt("POSTRECTIME1", v.postRecTime);
  readInt("BEEPRECORD", v.beepRecord);
  readInt("SDFORMAT", v.sdFormat);
  readInt("EVENTRECPER", v.eventRecPer);
  readText("SEN1X", v.sen1x);
  readText("SEN1Y", v.sen1y);
  readText("SEN1Z", v.sen1z);
  readInt("CARPULSETYPE", v.carPulseType);
  v.versionId = file.Int(kSdInfo, kVersionId, 0);
  return v;
}

bool WriteDeviceSettings(const fs::path& cardRoot, SettingsFamily family, const DeviceSettings& values) {
  return WriteConfigFile(cardRoot, kSetIni, SetIniText(family, values));
}

std::string SetIniText(SettingsFamily family, const DeviceSettings& values) {
  return ProfileTextWith({}, SavedKeys(family, WithFixedValues(family, values)));
}

bool WriteDefaultSettings(const fs::path& cardRoot, int modelId) {
  const std::optional<SettingsFamily> family = SettingsFamilyOf(modelId);
  if (!family) return true;
  if (!MakeConfigFolder(cardRoot)) return false;
  return WriteProfileStrings(SetIniPath(cardRoot), DefaultKeys(*family));
}

std::string ReadSdId(const fs::path& cardRoot) { return SdIdOf(ReadSdIdIni(cardRoot)); }

std::string SdIdOf(const std::optional<std::string>& sdIdIni) {
  if (!sdIdIni) return {};
  std::string_view text = *sdIdIni;
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  const size_t at = text.find(kSdIdPrefix);
  // A file without the key holds no ID the recorder would read.
  if (at == std::string_view::npos) return {};
  std::string rest(text.substr(0, at));
  rest += text.substr(at + kSdIdPrefix.size());
  // Trimmed again once cut: the cut may end on a line end the ID never held.
  return std::string(Trim(Utf8Prefix(Trim(rest), kSdIdMaxChars)));
}

bool WriteSdId(const fs::path& cardRoot, std::string_view id) {
  return WriteOrRemoveConfigFile(cardRoot, kSdIdIni, SdIdIniText(id));
}

std::optional<std::string> SdIdIniText(std::string_view id) {
  if (id.empty()) return std::nullopt;
  std::string content(kUtf8Bom);
  content += kSdIdPrefix;
  content += id;
  return content;
}

bool HasSelfAdjust(const fs::path& cardRoot) {
  std::error_code error;
  return fs::exists(ConfigFile(cardRoot, kSelfAdjIni), error);
}

bool SetSelfAdjust(const fs::path& cardRoot, bool present) {
  if (!present) return RemoveFile(ConfigFile(cardRoot, kSelfAdjIni));
  if (HasSelfAdjust(cardRoot)) return true;
  return MakeConfigFolder(cardRoot) &&
         WriteWholeFile(ConfigFile(cardRoot, kSelfAdjIni).string(), "", Overwrite::kReplace);
}

bool HasRecorderClockFile(const fs::path& cardRoot) {
  std::error_code error;
  return fs::exists(ConfigFile(cardRoot, kTimeIni), error);
}

std::optional<RecorderClock> ReadRecorderClock(const fs::path& cardRoot) {
  return RecorderClockOf(ProfileSnapshot(ConfigFile(cardRoot, kTimeIni)));
}

std::optional<RecorderClock> RecorderClockOf(const ProfileSnapshot& timeIni) {
  const std::string text = timeIni.String(kSet, kLocalTime, "");
  RecorderClock clock;
  if (std::sscanf(text.c_str(), "%d.%d.%d;%d:%d:%d", &clock.year, &clock.month, &clock.day, &clock.hour, &clock.minute,
                  &clock.second) != 6) {
    return std::nullopt;
  }
  return clock;
}

bool WriteRecorderClock(const fs::path& cardRoot, const std::optional<RecorderClock>& clock) {
  if (!clock) return RemoveFile(ConfigFile(cardRoot, kTimeIni));
  if (!MakeConfigFolder(cardRoot)) return false;
  return WriteProfileString(ConfigFile(cardRoot, kTimeIni), kSet, kLocalTime, LocalTimeText(*clock));
}

std::string TimeIniWith(std::string_view timeIni, const RecorderClock& clock) {
  const ProfileValue localTime{kSet, kLocalTime, LocalTimeText(clock)};
  return ProfileTextWith(timeIni, std::span(&localTime, 1));
}

SettingsFiles ReadSettingsFiles(const fs::path& cardRoot) {
  SettingsFiles files;
  files.setIni = ReadProfileFile(SetIniPath(cardRoot));
  files.sdIdIni = ReadSdIdIni(cardRoot);
  files.selfAdjIni = HasSelfAdjust(cardRoot);
  files.timeIni = ReadProfileFile(ConfigFile(cardRoot, kTimeIni));
  files.timeIniUnread = !files.timeIni && HasRecorderClockFile(cardRoot);
  return files;
}

bool WriteSettingsFiles(const fs::path& cardRoot, const SettingsFiles& files) {
  bool written = WriteOrRemoveConfigFile(cardRoot, kSetIni, files.setIni);
  written = SetSelfAdjust(cardRoot, files.selfAdjIni) && written;
  written = WriteOrRemoveConfigFile(cardRoot, kSdIdIni, files.sdIdIni) && written;
  written = !files.timeIniUnread && WriteOrRemoveConfigFile(cardRoot, kTimeIni, files.timeIni) && written;
  return written;
}

bool DeleteWgs84(const fs::path& cardRoot) { return RemoveFile(ConfigFile(cardRoot, kWgs84)); }

bool WriteModelId(const fs::path& cardRoot, int modelId) {
  return MakeConfigFolder(cardRoot) && WriteProfileInt(SetIniPath(cardRoot), kSdInfo, kModelId, modelId);
}

bool WriteVersionId(const fs::path& cardRoot, int versionId) {
  return MakeConfigFolder(cardRoot) && WriteProfileInt(SetIniPath(cardRoot), kSdInfo, kVersionId, versionId);
}
