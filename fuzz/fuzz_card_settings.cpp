// Arbitrary bytes as the recorder's settings files on a card (set.ini,
// sdid.ini, selfadj.ini, time.ini), read through the settings layer the
// device-settings dialogs use. Whatever the files held, what is read can be
// written, and reading it again gives the same values; and the dialog opened
// on what it saved saves the same again.
//
// Input: one byte (bits 0-1 the model family, bits 2-5 which of set.ini,
// sdid.ini, selfadj.ini and time.ini exist), then the contents of set.ini,
// sdid.ini and time.ini, separated by kPartSeparator.

#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "tools/DeviceSettingModel.h"
#include "tools/DeviceSettingsFile.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxInput = 64 * 1024;
constexpr std::string_view kPartSeparator = "\n@@\n";
constexpr std::array<SettingsFamily, 4> kFamilies = {SettingsFamily::kA, SettingsFamily::kB, SettingsFamily::kC,
                                                     SettingsFamily::kD};
constexpr RecorderClock kNow = {2026, 3, 14, 9, 26, 53};

enum FileBit : uint8_t { kSetIniBit = 1 << 2, kSdIdBit = 1 << 3, kSelfAdjBit = 1 << 4, kTimeIniBit = 1 << 5 };

// Made once and never destroyed, so that the clean-up at exit can still
// name it.
const fs::path& CardRoot() {
  static const fs::path* const root = [] {
    std::string pattern = (fs::temp_directory_path() / "korvane-fuzz-settings-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* made = new fs::path(pattern);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(CardRoot(), ignored);
    });
    return made;
  }();
  return *root;
}

void WriteFile(const fs::path& file, std::string_view content) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) std::abort();
  if (!content.empty() && std::fwrite(content.data(), 1, content.size(), out) != content.size()) std::abort();
  std::fclose(out);
}

// The next part of the input; the last part runs to its end.
std::string_view TakePart(std::string_view& rest) {
  const size_t end = rest.find(kPartSeparator);
  const std::string_view part = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + kPartSeparator.size());
  return part;
}

void MakeCard(uint8_t files, std::string_view rest) {
  const fs::path config = ConfigFolder(CardRoot());
  std::error_code error;
  fs::remove_all(config, error);
  if (!fs::create_directories(config, error)) std::abort();
  const std::string_view setIni = TakePart(rest);
  const std::string_view sdId = TakePart(rest);
  const std::string_view timeIni = TakePart(rest);
  if (files & kSetIniBit) WriteFile(config / "set.ini", setIni);
  if (files & kSdIdBit) WriteFile(config / "sdid.ini", sdId);
  if (files & kSelfAdjBit) WriteFile(config / "selfadj.ini", "");
  if (files & kTimeIniBit) WriteFile(config / "time.ini", timeIni);
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

SettingsCard WriteAndReadBack(SettingsFamily family, const SettingsCard& card) {
  const SettingsToSave save{card.values, card.selfAdjust, card.sdId, card.clock};
  if (!WriteSettingsToCard(CardRoot(), family, save)) __builtin_trap();
  return ReadSettingsCard(CardRoot());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > kMaxInput) return 0;
  const SettingsFamily family = kFamilies[data[0] & 3];
  MakeCard(data[0], std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  // What was read, written back, reads the same.
  const SettingsCard read = ReadSettingsCard(CardRoot());
  if (read.clock && !read.clockFile) __builtin_trap();
  const SettingsCard again = WriteAndReadBack(family, read);
  if (ChosenByEveryFamily(again.values) != ChosenByEveryFamily(read.values)) __builtin_trap();
  if (again.values.versionId != FamilyCode(family)) __builtin_trap();
  if (again.selfAdjust != read.selfAdjust || again.sdId != read.sdId || !SameClock(again.clock, read.clock)) {
    __builtin_trap();
  }
  if (!SameCard(WriteAndReadBack(family, again), again)) __builtin_trap();

  // The dialog opened on what it saved shows, and saves, the same.
  const SettingsToSave saved = CDeviceSettingModel(family, again, kNow).ToSave(kNow);
  if (!WriteSettingsToCard(CardRoot(), family, saved)) __builtin_trap();
  const SettingsToSave resaved = CDeviceSettingModel(family, ReadSettingsCard(CardRoot()), kNow).ToSave(kNow);
  if (!SameSave(resaved, saved)) __builtin_trap();
  return 0;
}
