#pragma once
// Windows-style profile files ("[Section]" lines and "key=value" lines), read
// and written key by key. Sections and keys match without regard to letter
// case. Every write replaces the file atomically, so a crash or a full card
// never leaves half a settings file behind.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Profile files are a few KiB. A file larger than this is not read: its
// keys take their defaults, and it is not rewritten either.
constexpr uint64_t kMaxProfileFileBytes = 1024 * 1024;

// The buffer sizes the callers read into, terminator included.
constexpr size_t kProfileBuffer260 = 260;
constexpr size_t kProfileBuffer500 = 500;

// The bytes of a profile file as the readers below take them: nothing for a
// missing file, for anything but a regular file, and for one over the limit.
std::optional<std::string> ReadProfileFile(const std::filesystem::path& file);

// The value of key in section, cut to bufferChars - 1 characters; the default
// (cut the same way) when the file, section or key is missing. A key that is
// present with nothing after "=" reads as empty, not as the default.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, size_t bufferChars = kProfileBuffer260);

// The value read with the leading-digits rule (optional sign, then digits);
// text that does not start with a number reads 0; a missing or empty value
// gives the default.
int ReadProfileInt(const std::filesystem::path& file, std::string_view section, std::string_view key, int defaultValue);

struct ProfileDocument;

// One read of a profile file for many keys, by the rules of
// ReadProfileString and ReadProfileInt: a settings dialog reads twenty keys
// of one file from a card, which is read and taken apart once.
class ProfileSnapshot {
 public:
  explicit ProfileSnapshot(const std::filesystem::path& file);
  // The same rules over bytes already read; nothing reads as a missing file.
  static ProfileSnapshot OfBytes(const std::optional<std::string>& content);
  std::string String(std::string_view section, std::string_view key, std::string_view defaultValue,
                     size_t bufferChars = kProfileBuffer260) const;
  int Int(std::string_view section, std::string_view key, int defaultValue) const;

 private:
  ProfileSnapshot() = default;
  std::optional<std::string> LookUp(std::string_view section, std::string_view key) const;
  std::shared_ptr<const ProfileDocument> doc_;  // null: no file
};

// Sets key in section to value, creating the file, the section or the key
// as needed and keeping every other line. False when the file cannot be
// written; the old file is then left as it was.
bool WriteProfileString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                        std::string_view value);

struct ProfileValue {
  std::string section;
  std::string key;
  std::string value;
};

// Sets every key as WriteProfileString would, in order, and replaces the file
// once: a reader or a crash sees all of them or none.
bool WriteProfileStrings(const std::filesystem::path& file, std::span<const ProfileValue> values);

// The bytes those writes leave of a file that held content: every key
// written, every other line as it was. Empty content gives a file of exactly
// these keys in this order (sections in the order they first come).
std::string ProfileTextWith(std::string_view content, std::span<const ProfileValue> values);

// The value written with "%d".
bool WriteProfileInt(const std::filesystem::path& file, std::string_view section, std::string_view key, int value);

// The leading-digits rule on its own, also used for numbers in log sentences.
int LeadingInt(std::string_view text);
