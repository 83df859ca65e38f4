// Arbitrary bytes as the recorder's settings files on a card (set.ini,
// sdid.ini, selfadj.ini, time.ini), read through the settings layer the
// device-settings dialogs use. Whatever the files held, what is read can be
// written, and reading it again gives the same values; and the dialog opened
// on what it saved saves the same again. The files are held in memory: a
// card's read and save take their bytes apart and make the new ones with
// the same code, once the bytes are off the card or before they go on it.
//
// Input: one byte (bits 0-1 the model family, bits 2-5 which of set.ini,
// sdid.ini, selfadj.ini and time.ini exist), then the contents of set.ini,
// sdid.ini and time.ini, separated by kPartSeparator.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "tools/DeviceSettingModel.h"
#include "tools/DeviceSettingsFile.h"

namespace {

constexpr size_t kMaxInput = 64 * 1024;
constexpr std::string_view kPartSeparator = "\n@@\n";
constexpr std::array<SettingsFamily, 4> kFamilies = {SettingsFamily::kA, SettingsFamily::kB, SettingsFamily::kC,
                                                     SettingsFamily::kD};
constexpr RecorderClock kNow = {2026, 3, 14, 9, 26, 53};

enum FileBit : uint8_t { kSetIniBit = 1 << 2, kSdIdBit = 1 << 3, kSelfAdjBit = 1 << 4, kTimeIniBit = 1 << 5 };

// The next part of the input; the last part runs to its end.
std::string_view TakePart(std::string_view& rest) {
  const size_t end = rest.find(kPartSeparator);
  const std::string_view part = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + kPartSeparator.size());
  return part;
}

SettingsFiles MakeCard(uint8_t present, std::string_view rest) {
  const std::string_view setIni = TakePart(rest);
  const std::string_view sdId = TakePart(rest);
  const std::string_view timeIni = TakePart(rest);
  SettingsFiles files;
  if (present & kSetIniBit) files.setIni = std::string(setIni);
  if (present & kSdIdBit) files.sdIdIni = std::string(sdId);
  files.selfAdjIni = (present & kSelfAdjBit) != 0;
  if (present & kTimeIniBit) files.timeIni = std::string(timeIni);
  return files;
}

auto Fields(const DeviceSettings& v) {
  return std::tie(v.recingMode, v.postField, v.postRecInt, v.postSize, v.recMod, v.trgSet, v.accSen, v.accSenX,
                  v.accSenY, v.accSenZ, v.preRecTime, v.postRecTime, v.beepRecord, v.sdFormat, v.eventRecPer, v.sen1x,
                  v.sen1y, v.sen1z, v.carPulseType, v.versionId);
}

// The keys every family saves as the caller holds them.
auto ChosenByEveryFamily(const DeviceSettings& v) {
  return std::tie(v.postField, v.postRecInt, v.postSize, v.recMod, v.accSen, v.accSenX, v.accSenY, v.accSenZ);
}

bool SameClock(const std::optional<RecorderClock>& a, const std::optional<RecorderClock>& b) {
  if (a.has_value() != b.has_value()) return false;
  if (!a) return true;
  return std::tie(a->year, a->month, a->day, a->hour, a->minute, a->second) ==
         std::tie(b->year, b->month, b->day, b->hour, b->minute, b->second);
}

bool SameCard(const SettingsCard& a, const SettingsCard& b) {
  return Fields(a.values) == Fields(b.values) && a.selfAdjust == b.selfAdjust && a.sdId == b.sdId &&
         a.clockFile == b.clockFile && SameClock(a.clock, b.clock);
}

bool SameSave(const SettingsToSave& a, const SettingsToSave& b) {
  return Fields(a.values) == Fields(b.values) && a.selfAdjust == b.selfAdjust && a.sdId == b.sdId &&
         SameClock(a.clock, b.clock);
}

// The card's files after a save of what card holds.
SettingsFiles WriteBack(const SettingsFiles& files, SettingsFamily family, const SettingsCard& card) {
  return SavedSettingsFiles(files, family, SettingsToSave{card.values, card.selfAdjust, card.sdId, card.clock});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > kMaxInput) return 0;
  const SettingsFamily family = kFamilies[data[0] & 3];
  const SettingsFiles card = MakeCard(data[0], std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  // What was read, written back, reads the same.
  const SettingsCard read = ReadSettingsCard(card);
  if (read.clock && !read.clockFile) __builtin_trap();
  const SettingsFiles written = WriteBack(card, family, read);
  const SettingsCard again = ReadSettingsCard(written);
  if (ChosenByEveryFamily(again.values) != ChosenByEveryFamily(read.values)) __builtin_trap();
  if (again.values.versionId != FamilyCode(family)) __builtin_trap();
  if (again.selfAdjust != read.selfAdjust || again.sdId != read.sdId || !SameClock(again.clock, read.clock)) {
    __builtin_trap();
  }
  if (!SameCard(ReadSettingsCard(WriteBack(written, family, again)), again)) __builtin_trap();

  // The dialog opened on what it saved shows, and saves, the same.
  const SettingsToSave saved = CDeviceSettingModel(family, again, kNow).ToSave(kNow);
  const SettingsFiles dialogSaved = SavedSettingsFiles(written, family, saved);
  const SettingsToSave resaved = CDeviceSettingModel(family, ReadSettingsCard(dialogSaved), kNow).ToSave(kNow);
  if (!SameSave(resaved, saved)) __builtin_trap();
  return 0;
}
