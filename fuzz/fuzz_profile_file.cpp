// Arbitrary bytes as a profile file (kelbrin.ini, set.ini): every read ends
// with a value no longer than its buffer, a missing key gives the default,
// and a key written can be read back while the keys beside it keep their
// values. The file is held in memory: the reads and writes by path take
// its bytes apart, and make the new ones, the same way.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/ProfileFile.h"
#include "platform/Utf8.h"

namespace {

constexpr size_t kMaxInput = 64 * 1024;
constexpr const char* kSection = "RunParam";
constexpr const char* kOtherSection = "GUI";
constexpr const char* kDefault = "(default)";
constexpr const char* kWritten = "written value";

// Values are cut to the caller's buffer, counted in characters.
void CheckRead(const std::string& value, size_t bufferChars) {
  if (Utf8Length(value) > bufferChars - 1) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::string content(reinterpret_cast<const char*>(data), size);
  const ProfileSnapshot file = ProfileSnapshot::OfBytes(content);

  const std::string before = file.String(kSection, "CurrentModel", kDefault);
  CheckRead(before, kProfileBuffer260);
  CheckRead(file.String(kOtherSection, "VenderCode", kDefault, kProfileBuffer500), kProfileBuffer500);
  const std::string tiny = file.String(kSection, "CurrentModel", kDefault, 2);
  if (tiny.size() > before.size() || before.compare(0, tiny.size(), tiny) != 0) __builtin_trap();
  (void)file.Int(kSection, "DisplaySpeed", -7);
  // A key no file holds.
  if (file.String("No Such Section \x01", "NoKey", kDefault) != kDefault) __builtin_trap();

  const ProfileValue written{kSection, "SaveJpgFolder", kWritten};
  const ProfileSnapshot rewritten = ProfileSnapshot::OfBytes(ProfileTextWith(content, std::span(&written, 1)));
  if (rewritten.String(kSection, "SaveJpgFolder", kDefault) != kWritten) __builtin_trap();
  if (rewritten.String(kSection, "CurrentModel", kDefault) != before) __builtin_trap();
  return 0;
}
