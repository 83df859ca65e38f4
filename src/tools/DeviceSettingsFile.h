#pragma once
// The recorder's settings on its card: config/set.ini (sections SET and
// SDINFO) and its companions sdid.ini, selfadj.ini, time.ini and wgs84.dat.
// The recorder reads these at power-on, so each file is replaced whole and
// atomically: a pulled or full card keeps either the old file or the new one,
// never a file cut short or one without the recorder's keys.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class ProfileSnapshot;

// The model families, each with its own dialog and its own keys.
enum class SettingsFamily { kA, kB, kC, kD };

// The family of a model id; nothing for an id outside the model table.
std::optional<SettingsFamily> SettingsFamilyOf(int modelId);

// The VERSIONID a family writes (B 1, C 2, D 3); 0 for family A and for ids
// outside the table, which write none.
int FamilyCode(int modelId);
int FamilyCode(SettingsFamily family);

// set.ini as the dialogs read it; every member starts at the value a
// missing file or key reads as.
struct DeviceSettings {
  int recingMode = 2;   // RECINGMODE1: 1 normal, 2 event, 3 normal+event
  int postField = 4;    // POSTFIELD1: 2 is 320 x 240, 4 is 640 x 480
  int postRecInt = 30;  // POSTRECINT1: frames per second
  int postSize = 64;    // POSTSIZE1: 10/20 or 32/64, low/high
  int recMod = 2;       // RECMOD: 1 one time, 2 overwrite
  int trgSet = 3;       // TRGSET bit field
  int accSen = 5;       // ACCSEN: 2 x level + simple flag
  int accSenX = 2;      // ACCSENX..Z: 0..4
  int accSenY = 2;
  int accSenZ = 2;
  int preRecTime = 15;    // PRERECTIME1
  int postRecTime = 5;    // POSTRECTIME1
  int beepRecord = 1;     // BEEPRECORD
  int sdFormat = 1;       // SDFORMAT
  int eventRecPer = 100;  // EVENTRECPER
  std::string sen1x = "03,00,00,00,00";
  std::string sen1y = "03,00,00,00,00";
  std::string sen1z = "03,00,00,00,00";
  int carPulseType = -1;  // CARPULSETYPE
  int versionId = 0;      // SDINFO VERSIONID; 0 when absent
};

// The recorder's own clock value of time.ini.
struct RecorderClock {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The per-axis level (0..4) a SEN1X/SEN1Y/SEN1Z text stands for: its first
// byte, masked to the low 3 bits, minus 1. A missing or unreadable text
// gives the default's level.
int Sen1Level(std::string_view text);
// The text written for a level: the level plus 1, then four zero bytes.
std::string Sen1Text(int level);

std::filesystem::path ConfigFolder(const std::filesystem::path& cardRoot);
std::filesystem::path SetIniPath(const std::filesystem::path& cardRoot);

// Every key with the read defaults where the file or the key is missing.
DeviceSettings ReadDeviceSettings(const std::filesystem::path& cardRoot);
DeviceSettings DeviceSettingsOf(const ProfileSnapshot& setIni);

// Replaces set.ini with the keys a family's dialog saves: the common keys in
// their order, then the family's own (SEN1X..Z from the axis levels), and
// VERSIONID under SDINFO for families B to D. What a family cannot choose
// (TRGSET, family A's method and event times, family D's SDFORMAT) is
// written with its fixed value whatever values holds. The config folder is made
// when missing. False when the file could not be written; the old one then
// stays as it was.
bool WriteDeviceSettings(const std::filesystem::path& cardRoot, SettingsFamily family, const DeviceSettings& values);
// The bytes of that set.ini.
std::string SetIniText(SettingsFamily family, const DeviceSettings& values);

// The defaults of a model's family written into the existing set.ini, in
// the family's key order; keys not named stay. Nothing is written for an id
// outside the model table (true then: there is nothing to fail).
bool WriteDefaultSettings(const std::filesystem::path& cardRoot, int modelId);

// sdid.ini: the ID as the dialogs show it (the text after "sdid=", trimmed,
// at most 10 characters); empty when the file is missing.
std::string ReadSdId(const std::filesystem::path& cardRoot);
std::string SdIdOf(const std::optional<std::string>& sdIdIni);
// Writes the ID (byte-order mark, "sdid=%s", no line end); an empty ID
// deletes the file.
bool WriteSdId(const std::filesystem::path& cardRoot, std::string_view id);
// The bytes of that sdid.ini; nothing for an empty ID.
std::optional<std::string> SdIdIniText(std::string_view id);

bool HasSelfAdjust(const std::filesystem::path& cardRoot);
// Creates the empty selfadj.ini, or deletes it.
bool SetSelfAdjust(const std::filesystem::path& cardRoot, bool present);

// time.ini's LOCALTIME: nothing when the file is missing or the value is
// empty or unreadable (the dialog then shows the current time).
std::optional<RecorderClock> ReadRecorderClock(const std::filesystem::path& cardRoot);
std::optional<RecorderClock> RecorderClockOf(const ProfileSnapshot& timeIni);
bool HasRecorderClockFile(const std::filesystem::path& cardRoot);
// Writes LOCALTIME, or deletes time.ini when clock is nothing.
bool WriteRecorderClock(const std::filesystem::path& cardRoot, const std::optional<RecorderClock>& clock);
// The bytes of a time.ini that held timeIni once LOCALTIME is written.
std::string TimeIniWith(std::string_view timeIni, const RecorderClock& clock);

// The settings files of a card as bytes, so that what a save makes of them
// is worked out, and can be checked, before anything is written. Nothing
// stands for a file that is missing or is not read (see ProfileFile.h).
struct SettingsFiles {
  std::optional<std::string> setIni;
  std::optional<std::string> sdIdIni;
  bool selfAdjIni = false;  // there, whatever it holds
  std::optional<std::string> timeIni;
  // A time.ini that is there but not read still tells the recorder to take
  // a clock value; no key can be set in it, so a save leaves it as it is.
  bool timeIniUnread = false;
};

SettingsFiles ReadSettingsFiles(const std::filesystem::path& cardRoot);
// Writes each file as files holds it and deletes those it holds nothing
// for; a time.ini not read stays, and fails the write. False when any file
// could not be written or deleted; the others are written all the same.
bool WriteSettingsFiles(const std::filesystem::path& cardRoot, const SettingsFiles& files);

bool DeleteWgs84(const std::filesystem::path& cardRoot);

// SDINFO MODELID, written by an initialisation that restores the card's
// earlier settings; and SDINFO VERSIONID on its own.
bool WriteModelId(const std::filesystem::path& cardRoot, int modelId);
bool WriteVersionId(const std::filesystem::path& cardRoot, int versionId);
