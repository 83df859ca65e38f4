#pragma once
// The program's own settings: the values of kelbrin.ini in the per-user
// settings folder. The file is read once at start-up; every setter writes its
// key at once, so the file is always current and nothing is written at exit.
// CurrentModel and DisplaySpeed are not held at all: they are read from the
// file each time they are asked for.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "base/DisplaySpeed.h"
#include "base/ModelTable.h"

class ScriptPolicy;

// The date order value that puts the weekday first; every other value gives
// year.month.day.
constexpr int kDateDescWeekdayFirst = 1;

inline constexpr std::string_view kDefaultModelName = "Drive Recorder";

// The KML export's settings, with their defaults.
struct KmlSetting {
  int pointer = 1;
  int route = 1;
  int runGoogleEarth = 1;
  int pointerInterval = 10;
  int lineWidth = 5;
  int lineOpacity = 100;
  int lineColor = 255;
  // The address the KML file's icons are fetched from; empty: the export's
  // own server. Only ever set by hand in the file.
  std::string iconServer;
};

// The caption boxes of Save AVI, as bits of the AviCaption key.
inline constexpr int kAviCaptionDateTime = 1;
inline constexpr int kAviCaptionSpeed = 2;
inline constexpr int kAviCaptionVehicleId = 4;
inline constexpr int kAviCaptionPosition = 8;

// The folders the settings object works with.
struct AppSettingFolders {
  std::filesystem::path settingsBase;  // holds "Halvorn/Nemora"; empty when there is none
  std::filesystem::path documents;     // the export folders' default; empty: the fallback
  std::filesystem::path dataFolder;    // holds the kelbrin.ini the program ships
  std::filesystem::path startFolder;   // holds the settings file when there is no settings folder

  // The user's configuration and documents folders and the program's data
  // folder, which is also the start folder.
  static AppSettingFolders FromUser();
};

// Where the setters' values go: into the settings file at once, or, for a
// run that only renders the window and quits, into this run alone, so that
// it leaves the user's saved settings (and a first run's seeding) as they
// were.
enum class SettingWrites { kToFile, kThisRunOnly };

class CAppSetting {
 public:
  CAppSetting();
  explicit CAppSetting(AppSettingFolders folders, SettingWrites writes = SettingWrites::kToFile);

  // Reads the GUI, MAP, RunParam folder and KML keys into the fields.
  // Returns 1.
  int LoadSetting();

  std::filesystem::path GetIniPath() const;

  int GetCurrentModel() const;
  bool SetCurrentModel(int modelId);
  int GetDisplaySpeed() const;
  bool SetDisplaySpeed(int mode);

  // A model command of the Tool menu: stores modelId and says how the main
  // panel's layout has to change.
  LayoutChange ChooseModel(int modelId);

  const std::string& LanguageFilePath() const { return languageFilePath_; }
  void SetLanguageFilePath(std::string path) { languageFilePath_ = std::move(path); }

  int VenderCode() const { return venderCode_; }
  int DateDesc() const { return dateDesc_; }
  bool IsWeekdayFirstDate() const { return dateDesc_ == kDateDescWeekdayFirst; }
  int MapType() const { return mapType_; }
  // The map's tile address template ("{z}/{x}/{y}") and its credit text;
  // empty when the settings name none.
  const std::string& TileUrl() const { return tileUrl_; }
  const std::string& TileAttribution() const { return tileAttribution_; }
  const std::string& ModelName() const { return modelName_; }

  const std::string& SaveJpgFolder() const { return saveJpgFolder_; }
  const std::string& SaveAviFolder() const { return saveAviFolder_; }
  const std::string& BackupFolder() const { return backupFolder_; }
  const std::string& SaveLogFolder() const { return saveLogFolder_; }
  // The GPX and CSV exports' folder, apart from the KML export's.
  const std::string& SaveTrackFolder() const { return saveTrackFolder_; }
  bool SetSaveJpgFolder(const std::string& path);
  bool SetSaveAviFolder(const std::string& path);
  bool SetBackupFolder(const std::string& path);
  bool SetSaveLogFolder(const std::string& path);
  bool SetSaveTrackFolder(const std::string& path);

  // The caption boxes Save AVI last started with, as kAviCaption* bits.
  int AviCaption() const { return aviCaption_; }
  bool SetAviCaption(int boxes);
  // Whether Save image last wrote the frame's position into its pictures.
  bool SaveJpgGeotag() const { return saveJpgGeotag_; }
  bool SetSaveJpgGeotag(bool geotag);

  // The unit speeds are shown in, "kmh" or "mph" (any other value counts as
  // "kmh"); read from the file each time, like the speed source.
  std::string GetSpeedUnit() const;
  bool SetSpeedUnit(std::string_view key);

  // Whether play runs on from one recording of a drive into the next (on
  // unless the settings say 0).
  bool ContinuousPlay() const;
  bool SetContinuousPlay(bool on);
  // The horizontal G of a hard moment: the settings' positive number, else
  // fallback.
  double HardG(double fallback) const;

  // What Save MP4 last started with; the words are the export's own keys
  // ("caption,speed", "medium", "kmh"; no unit while it follows the
  // window's).
  struct Mp4Choices {
    std::string folder;
    std::string overlays = "caption";
    std::string quality = "medium";
    std::string units;
    bool gpx = false;
  };
  const Mp4Choices& Mp4() const { return mp4_; }
  bool SetMp4(const Mp4Choices& choices);

  const KmlSetting& Kml() const { return kml_; }
  bool SetKmlPointer(int value);
  bool SetKmlRoute(int value);
  bool SetKmlRunGoogleEarth(int value);
  bool SetKmlPointerInterval(int value);
  bool SetKmlLineWidth(int value);
  bool SetKmlLineOpacity(int value);
  bool SetKmlLineColor(int value);

  // Empty when no per-user settings folder could be obtained.
  const std::filesystem::path& SettingsFolder() const { return settingsFolder_; }
  const std::filesystem::path& StartFolder() const { return folders_.startFolder; }

  // The web view's script policy; not owned, and it must outlive this object
  // or be replaced by nullptr first.
  void SetScriptPolicy(const ScriptPolicy* policy) { scriptPolicy_ = policy; }
  // 1 (and the flag set) when the web view will not run the map's scripts.
  int CheckIeScriptZone();
  int ScriptBlocked() const { return scriptBlocked_; }

 private:
  void PrepareSettingsFolder();
  void SeedSettingsFile() const;
  // The file values are read from: the settings file, or in a run that
  // keeps its changes to itself and finds none, the one a first run would
  // seed it from.
  std::filesystem::path ReadPath() const;
  int ReadInt(std::string_view section, std::string_view key, int fallback) const;
  std::string ReadString(std::string_view section, std::string_view key) const;
  bool WriteInt(std::string_view section, std::string_view key, int value);
  bool WriteString(std::string_view section, std::string_view key, const std::string& value);
  bool WriteFolder(std::string_view key, std::string& field, const std::string& path);
  bool WriteKml(std::string_view key, int& field, int value);

  AppSettingFolders folders_;
  SettingWrites writes_ = SettingWrites::kToFile;
  // What this run wrote, by "section/key", when it keeps its changes.
  std::map<std::string, std::string, std::less<>> thisRun_;
  std::string languageFilePath_;
  int venderCode_ = 1;
  int dateDesc_ = 0;
  int mapType_ = 1;
  std::string tileUrl_;
  std::string tileAttribution_;
  std::string modelName_;
  std::string saveJpgFolder_;
  std::string saveAviFolder_;
  std::string backupFolder_;
  std::string saveLogFolder_;
  std::string saveTrackFolder_;
  int aviCaption_ = 0;
  bool saveJpgGeotag_ = false;
  Mp4Choices mp4_;
  KmlSetting kml_;
  std::filesystem::path settingsFolder_;
  int scriptBlocked_ = 0;
  const ScriptPolicy* scriptPolicy_ = nullptr;
};

// Chooses the language file in the start folder and makes it the one every
// text is looked up in; the choice is kept in the settings. Returns 1.
int FindLangFile(CAppSetting& setting);
