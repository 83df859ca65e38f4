// Arbitrary bytes as a profile file (kelbrin.ini, set.ini): every read ends
// with a value no longer than its buffer, a missing key gives the default,
// and a key written can be read back while the keys beside it keep their
// values.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ProfileFile.h"
#include "platform/Utf8.h"

namespace {

constexpr size_t kMaxInput = 64 * 1024;
constexpr const char* kSection = "RunParam";
constexpr const char* kOtherSection = "GUI";
constexpr const char* kDefault = "(default)";
constexpr const char* kWritten = "written value";

// Made once and never destroyed, so that the clean-up at exit can still
// name it.
const std::filesystem::path& InputPath() {
  static const std::filesystem::path* const path = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-fuzz-profile-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* file = new std::filesystem::path(std::filesystem::path(pattern) / "kelbrin.ini");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(InputPath().parent_path(), ignored);
    });
    return file;
  }();
  return *path;
}

void WriteInput(const uint8_t* data, size_t size) {
  std::FILE* out = std::fopen(InputPath().c_str(), "wb");
  if (out == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
  std::fclose(out);
}

// Values are cut to the caller's buffer, counted in characters.
void CheckRead(const std::string& value, size_t bufferChars) {
  if (Utf8Length(value) > bufferChars - 1) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  WriteInput(data, size);
  const std::filesystem::path& file = InputPath();

  const std::string before = ReadProfileString(file, kSection, "CurrentModel", kDefault);
  CheckRead(before, kProfileBuffer260);
  CheckRead(ReadProfileString(file, kOtherSection, "VenderCode", kDefault, kProfileBuffer500), kProfileBuffer500);
  const std::string tiny = ReadProfileString(file, kSection, "CurrentModel", kDefault, 2);
  if (tiny.size() > before.size() || before.compare(0, tiny.size(), tiny) != 0) __builtin_trap();
  (void)ReadProfileInt(file, kSection, "DisplaySpeed", -7);
  // A key no file holds.
  if (ReadProfileString(file, "No Such Section \x01", "NoKey", kDefault) != kDefault) __builtin_trap();

  if (!WriteProfileString(file, kSection, "SaveJpgFolder", kWritten)) return 0;
  if (ReadProfileString(file, kSection, "SaveJpgFolder", kDefault) != kWritten) __builtin_trap();
  if (ReadProfileString(file, kSection, "CurrentModel", kDefault) != before) __builtin_trap();
  return 0;
}
