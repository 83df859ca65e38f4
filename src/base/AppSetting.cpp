#include "base/AppSetting.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "base/MgrMultiLang.h"
#include "base/ScriptPolicy.h"
#include "base/SettingKeys.h"
#include "platform/OutputFile.h"
#include "platform/ProfileFile.h"
#include "platform/RegularFile.h"
#include "platform/Trace.h"
#include "platform/UserFolders.h"

namespace fs = std::filesystem;

namespace {

// Vendor code and map type: the one maker's variant and the one map kind in
// use, whatever the file says.
constexpr int kVenderCode = 1;
constexpr int kMapType = 1;

// The shipped file is a profile file like the one it seeds, held to the
// same limits; the copy is named only once complete, so a start cut short
// (even by kill -9) leaves either no settings file or a whole one.
bool SeedFrom(const fs::path& shipped, const fs::path& target) {
  const WholeFile source = ReadRegularFile(shipped, kMaxProfileFileBytes);
  return source.content && WriteWholeFile(target.string(), *source.content, Overwrite::kKeep);
}

// The key under which a run that keeps its changes holds a value.
std::string RunKey(std::string_view section, std::string_view key) {
  std::string joined(section);
  joined += '/';
  joined += key;
  return joined;
}

}  // namespace

AppSettingFolders AppSettingFolders::FromUser() {
  AppSettingFolders folders;
  folders.settingsBase = ConfigHomeFolder();
  folders.documents = DocumentsFolder();
  // The program's own files sit in its data folder, which therefore serves
  // both as the start folder and as the "current folder" the default
  // settings file is copied from.
  folders.dataFolder = ProgramDataFolder();
  folders.startFolder = folders.dataFolder;
  return folders;
}

CAppSetting::CAppSetting() : CAppSetting(AppSettingFolders::FromUser()) {}

CAppSetting::CAppSetting(AppSettingFolders folders, SettingWrites writes)
    : folders_(std::move(folders)), writes_(writes) {
  PrepareSettingsFolder();
}

void CAppSetting::PrepareSettingsFolder() {
  if (folders_.settingsBase.empty()) return;  // the settings file then lives in the start folder
  settingsFolder_ = SettingsFolderIn(folders_.settingsBase);
  if (writes_ == SettingWrites::kThisRunOnly) return;
  std::error_code error;
  // A fresh account may not even have its configuration base yet.
  fs::create_directories(settingsFolder_, error);
  if (error) KTRACE("cannot create %s: %s", settingsFolder_.c_str(), error.message().c_str());
  SeedSettingsFile();
}

// On first run the settings file starts as the copy the program ships. A file
// that is there but cannot be read is the user's (a permission slip), not a
// first run, and is kept. A failed copy is not reported: every key then
// takes its default until something is written.
void CAppSetting::SeedSettingsFile() const {
  const fs::path settingsFile = GetIniPath();
  if (RegularFileOpens(settingsFile)) return;
  std::error_code error;
  if (fs::symlink_status(settingsFile, error).type() != fs::file_type::not_found) return;
  const fs::path shipped = folders_.dataFolder / kAppSettingsFileName;
  if (!SeedFrom(shipped, settingsFile)) KTRACE("no settings file seeded from %s", shipped.c_str());
}

int CAppSetting::LoadSetting() {
  const fs::path ini = ReadPath();
  venderCode_ = ReadProfileInt(ini, kSectionGui, kKeyVender, kVenderCode);
  dateDesc_ = ReadProfileInt(ini, kSectionGui, kKeyDateDesc, 0);
  mapType_ = ReadProfileInt(ini, kSectionMap, kKeyMapType, kMapType);
  modelName_ = ReadProfileString(ini, kSectionGui, kKeyModelName, kDefaultModelName, kProfileBuffer260);
  venderCode_ = kVenderCode;
  mapType_ = kMapType;
  tileUrl_ = ReadProfileString(ini, kSectionMap, kKeyTileUrl, "", kProfileBuffer260);
  tileAttribution_ = ReadProfileString(ini, kSectionMap, kKeyTileAttribution, "", kProfileBuffer260);

  const std::string documents =
      folders_.documents.empty() ? std::string(kDocumentsFallback) : folders_.documents.string();
  const auto readFolder = [&](std::string_view key) {
    std::string folder = ReadProfileString(ini, kSectionRunParam, key, "", kProfileBuffer260);
    return folder.empty() ? documents : folder;
  };
  saveJpgFolder_ = readFolder(kKeySaveJpgFolder);
  saveAviFolder_ = readFolder(kKeySaveAviFolder);
  backupFolder_ = readFolder(kKeyBackupFolder);
  saveLogFolder_ = readFolder(kKeySaveLogFolder);
  saveTrackFolder_ = readFolder(kKeySaveTrackFolder);
  aviCaption_ = ReadProfileInt(ini, kSectionRunParam, kKeyAviCaption, 0);
  saveJpgGeotag_ = ReadProfileInt(ini, kSectionRunParam, kKeySaveJpgGeotag, 0) != 0;
  mp4_.folder = readFolder(kKeySaveMp4Folder);
  mp4_.overlays = ReadProfileString(ini, kSectionRunParam, kKeyMp4Overlays, mp4_.overlays, kProfileBuffer260);
  mp4_.quality = ReadProfileString(ini, kSectionRunParam, kKeyMp4Quality, mp4_.quality, kProfileBuffer260);
  mp4_.units = ReadProfileString(ini, kSectionRunParam, kKeyMp4Units, mp4_.units, kProfileBuffer260);
  mp4_.gpx = ReadProfileInt(ini, kSectionRunParam, kKeyMp4Gpx, 0) != 0;

  const KmlSetting defaults;
  kml_.pointer = ReadProfileInt(ini, kSectionKml, kKeyPointer, defaults.pointer);
  kml_.route = ReadProfileInt(ini, kSectionKml, kKeyRoute, defaults.route);
  kml_.runGoogleEarth = ReadProfileInt(ini, kSectionKml, kKeyRunGoogleEarth, defaults.runGoogleEarth);
  kml_.pointerInterval = ReadProfileInt(ini, kSectionKml, kKeyPointerInterval, defaults.pointerInterval);
  kml_.lineWidth = ReadProfileInt(ini, kSectionKml, kKeyLineWidth, defaults.lineWidth);
  kml_.lineOpacity = ReadProfileInt(ini, kSectionKml, kKeyLineOpacity, defaults.lineOpacity);
  kml_.lineColor = ReadProfileInt(ini, kSectionKml, kKeyLineColor, defaults.lineColor);
  kml_.iconServer = ReadProfileString(ini, kSectionKml, kKeyIconServer, "", kProfileBuffer260);
  return 1;
}

fs::path CAppSetting::GetIniPath() const {
  const fs::path& folder = settingsFolder_.empty() ? folders_.startFolder : settingsFolder_;
  return folder / kAppSettingsFileName;
}

fs::path CAppSetting::ReadPath() const {
  const fs::path settingsFile = GetIniPath();
  if (writes_ == SettingWrites::kToFile) return settingsFile;
  std::error_code error;
  if (fs::symlink_status(settingsFile, error).type() != fs::file_type::not_found) return settingsFile;
  return folders_.dataFolder / kAppSettingsFileName;
}

int CAppSetting::ReadInt(std::string_view section, std::string_view key, int fallback) const {
  const auto written = thisRun_.find(RunKey(section, key));
  if (written != thisRun_.end()) return std::atoi(written->second.c_str());
  return ReadProfileInt(ReadPath(), section, key, fallback);
}

std::string CAppSetting::ReadString(std::string_view section, std::string_view key) const {
  const auto written = thisRun_.find(RunKey(section, key));
  if (written != thisRun_.end()) return written->second;
  return ReadProfileString(ReadPath(), section, key, "", kProfileBuffer260);
}

bool CAppSetting::WriteInt(std::string_view section, std::string_view key, int value) {
  if (writes_ == SettingWrites::kToFile) return WriteProfileInt(GetIniPath(), section, key, value);
  thisRun_[RunKey(section, key)] = std::to_string(value);
  return true;
}

bool CAppSetting::WriteString(std::string_view section, std::string_view key, const std::string& value) {
  if (writes_ == SettingWrites::kToFile) return WriteProfileString(GetIniPath(), section, key, value);
  thisRun_[RunKey(section, key)] = value;
  return true;
}

int CAppSetting::GetCurrentModel() const { return ReadInt(kSectionRunParam, kKeyCurrentModel, kDefaultModelId); }

bool CAppSetting::SetCurrentModel(int modelId) { return WriteInt(kSectionRunParam, kKeyCurrentModel, modelId); }

int CAppSetting::GetDisplaySpeed() const { return ReadInt(kSectionRunParam, kKeyDisplaySpeed, kDisplaySpeedGps); }

bool CAppSetting::SetDisplaySpeed(int mode) { return WriteInt(kSectionRunParam, kKeyDisplaySpeed, mode); }

bool CAppSetting::ContinuousPlay() const { return ReadInt(kSectionPlay, kKeyContinuous, 1) != 0; }

bool CAppSetting::SetContinuousPlay(bool on) { return WriteInt(kSectionPlay, kKeyContinuous, on ? 1 : 0); }

double CAppSetting::HardG(double fallback) const {
  // from_chars, not strtod: the number is written with a point whatever
  // the user's locale.
  const std::string text = ReadString(kSectionTrip, kKeyHardG);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return fallback;
  if (!std::isfinite(value) || value <= 0) return fallback;
  return value;
}

std::string CAppSetting::GetSpeedUnit() const {
  constexpr std::string_view kKmh = "kmh";
  constexpr std::string_view kMph = "mph";
  const auto written = thisRun_.find(RunKey(kSectionDisplay, kKeySpeedUnit));
  const std::string key = written != thisRun_.end()
                              ? written->second
                              : ReadProfileString(ReadPath(), kSectionDisplay, kKeySpeedUnit, kKmh, kProfileBuffer260);
  return key == kMph ? std::string(kMph) : std::string(kKmh);
}

bool CAppSetting::SetSpeedUnit(std::string_view key) {
  return WriteString(kSectionDisplay, kKeySpeedUnit, std::string(key));
}

LayoutChange CAppSetting::ChooseModel(int modelId) {
  const LayoutChange change = LayoutChangeFor(GetCurrentModel(), modelId);
  SetCurrentModel(modelId);
  return change;
}

bool CAppSetting::WriteFolder(std::string_view key, std::string& field, const std::string& path) {
  field = path;
  return WriteString(kSectionRunParam, key, path);
}

bool CAppSetting::SetSaveJpgFolder(const std::string& path) {
  return WriteFolder(kKeySaveJpgFolder, saveJpgFolder_, path);
}
bool CAppSetting::SetSaveAviFolder(const std::string& path) {
  return WriteFolder(kKeySaveAviFolder, saveAviFolder_, path);
}
bool CAppSetting::SetBackupFolder(const std::string& path) {
  return WriteFolder(kKeyBackupFolder, backupFolder_, path);
}
bool CAppSetting::SetSaveLogFolder(const std::string& path) {
  return WriteFolder(kKeySaveLogFolder, saveLogFolder_, path);
}

bool CAppSetting::SetSaveTrackFolder(const std::string& path) {
  return WriteFolder(kKeySaveTrackFolder, saveTrackFolder_, path);
}

bool CAppSetting::SetMp4(const Mp4Choices& choices) {
  bool written = WriteFolder(kKeySaveMp4Folder, mp4_.folder, choices.folder);
  written = WriteString(kSectionRunParam, kKeyMp4Overlays, choices.overlays) && written;
  written = WriteString(kSectionRunParam, kKeyMp4Quality, choices.quality) && written;
  written = WriteString(kSectionRunParam, kKeyMp4Units, choices.units) && written;
  written = WriteInt(kSectionRunParam, kKeyMp4Gpx, choices.gpx ? 1 : 0) && written;
  mp4_ = choices;
  return written;
}

bool CAppSetting::SetAviCaption(int boxes) {
  aviCaption_ = boxes;
  return WriteInt(kSectionRunParam, kKeyAviCaption, boxes);
}

bool CAppSetting::SetSaveJpgGeotag(bool geotag) {
  saveJpgGeotag_ = geotag;
  return WriteInt(kSectionRunParam, kKeySaveJpgGeotag, geotag ? 1 : 0);
}

bool CAppSetting::WriteKml(std::string_view key, int& field, int value) {
  field = value;
  return WriteInt(kSectionKml, key, value);
}

bool CAppSetting::SetKmlPointer(int value) { return WriteKml(kKeyPointer, kml_.pointer, value); }
bool CAppSetting::SetKmlRoute(int value) { return WriteKml(kKeyRoute, kml_.route, value); }
bool CAppSetting::SetKmlRunGoogleEarth(int value) { return WriteKml(kKeyRunGoogleEarth, kml_.runGoogleEarth, value); }
bool CAppSetting::SetKmlPointerInterval(int value) {
  return WriteKml(kKeyPointerInterval, kml_.pointerInterval, value);
}
bool CAppSetting::SetKmlLineWidth(int value) { return WriteKml(kKeyLineWidth, kml_.lineWidth, value); }
bool CAppSetting::SetKmlLineOpacity(int value) { return WriteKml(kKeyLineOpacity, kml_.lineOpacity, value); }
bool CAppSetting::SetKmlLineColor(int value) { return WriteKml(kKeyLineColor, kml_.lineColor, value); }

int CAppSetting::CheckIeScriptZone() {
  scriptBlocked_ = 0;
  if (scriptPolicy_ && !scriptPolicy_->ScriptsAllowed()) scriptBlocked_ = 1;
  return scriptBlocked_;
}

int FindLangFile(CAppSetting& setting) {
  std::string chosen;
  const int result = FindLangFile(setting.StartFolder(), chosen);
  setting.SetLanguageFilePath(chosen);
  SetLangFilePath(chosen);
  return result;
}
