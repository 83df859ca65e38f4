// Arbitrary bytes as a made-up card in a temporary folder: files of fuzzed
// names and sizes in its event, normal and log folders, walked by the
// check-files pass. The pass deletes exactly the data files too short to
// hold anything, indexes too short to hold a record or going with their data
// file, and nothing outside the files it was given; it lists every other
// data file once, and a second pass over what it left lists the same.
//
// Input: one byte (bit 0 the verify box), then entries of one kind byte
// (bits 0-1 the folder, bit 2 an index file rather than a data file, bit 3
// the extension in upper case), one size byte, one name length byte and the
// name's bytes. Entries past the 64th are left out: every rule of the pass is
// about one file, its index or the other files of its name, which a few
// dozen files reach, while an input's time grows with its files and the
// fuzzer's inputs grow towards a thousand of them.

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzRecordingFiles.h"
#include "recording/CardFolders.h"
#include "recording/CheckFilesPass.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxInput = 4096;
constexpr size_t kMaxNameBytes = 24;
constexpr size_t kMaxFiles = 64;
constexpr uint8_t kVerifyBit = 1;
constexpr uint8_t kIndexBit = 1 << 2;
constexpr uint8_t kUpperCaseBit = 1 << 3;

const fs::path& CardRoot() {
  static const fs::path root = FuzzFolder("korvane-fuzz-check");
  return root;
}

std::array<fs::path, 3> Folders() {
  return {EventFolderPath(CardRoot()), NormalFolderPath(CardRoot()), LogFolderPath(CardRoot())};
}

bool IsLogFolder(size_t folder) { return folder == 2; }

std::string_view ExtensionOf(uint8_t kind, size_t folder) {
  const bool upper = (kind & kUpperCaseBit) != 0;
  if (IsLogFolder(folder)) return upper ? ".LOG" : ".log";
  if (kind & kIndexBit) return upper ? ".VDX" : ".vdx";
  return upper ? ".VDD" : ".vdd";
}

// A name the folder can hold: no separator, no terminator.
std::string FileName(std::string_view bytes, std::string_view extension) {
  std::string name(bytes);
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\0', '_');
  return name + std::string(extension);
}

void WriteFile(const fs::path& file, size_t size) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) return;  // a name the file system refuses
  const std::string content(size, 'k');
  if (size > 0 && std::fwrite(content.data(), 1, size, out) != size) std::abort();
  std::fclose(out);
}

void MakeCard(const std::array<fs::path, 3>& folders, const uint8_t* data, size_t size) {
  std::error_code error;
  for (const fs::path& folder : folders) {
    fs::remove_all(folder, error);
    if (!fs::create_directories(folder, error)) std::abort();
  }
  size_t at = 0;
  for (size_t made = 0; made < kMaxFiles && at + 3 <= size; ++made) {
    const uint8_t kind = data[at];
    const size_t fileSize = data[at + 1];
    const size_t nameBytes = std::min<size_t>(data[at + 2], kMaxNameBytes);
    at += 3;
    const std::string_view name(reinterpret_cast<const char*>(data) + at, std::min(nameBytes, size - at));
    at += name.size();
    const size_t folder = (kind & 3u) % 3;
    WriteFile(folders[folder] / FileName(name, ExtensionOf(kind, folder)), fileSize);
  }
}

// The regular files of a folder with their sizes, by full path.
std::map<std::string, uintmax_t> FilesIn(const fs::path& folder) {
  std::map<std::string, uintmax_t> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().string()] = entry.file_size();
  }
  return files;
}

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         std::equal(end.begin(), end.end(), text.end() - long(end.size()), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

std::vector<std::string> Sorted(std::vector<std::string> paths) {
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::array<std::vector<std::string>, 3> Lists(const CheckFilesPass& pass) {
  return {Sorted(pass.EventPaths()), Sorted(pass.NormalPaths()), Sorted(pass.LogPaths())};
}

void CheckFolder(size_t folder, const std::map<std::string, uintmax_t>& before, const CheckFilesPass& pass,
                 bool verify) {
  const std::vector<std::string> listed = Lists(pass)[folder];
  if (std::adjacent_find(listed.begin(), listed.end()) != listed.end()) __builtin_trap();
  const std::string_view dataExtension = IsLogFolder(folder) ? kLogFileExtension : kDataFileExtension;
  const std::vector<std::string>& deleted = pass.Deleted();
  bool deletedData = false;
  for (const auto& [path, size] : before) {
    const bool isData = EndsWithNoCase(path, dataExtension);
    const bool gone = !fs::exists(path);
    const bool inDeleted = std::find(deleted.begin(), deleted.end(), path) != deleted.end();
    const bool inList = std::binary_search(listed.begin(), listed.end(), path);
    if (gone != inDeleted) __builtin_trap();
    if (!isData) {
      if (inList) __builtin_trap();
      continue;
    }
    const bool empty = verify && size <= uintmax_t(CheckFilesPass::kLargestEmptyDataFile);
    if (gone != empty || inList == empty) __builtin_trap();
    deletedData = deletedData || gone;
  }
  // An index goes when it holds no record, or with its data file.
  for (const auto& [path, size] : before) {
    if (!EndsWithNoCase(path, dataExtension) && !fs::exists(path) &&
        (!verify || (size >= uintmax_t(CheckFilesPass::kSmallestIndexFile) && !deletedData))) {
      __builtin_trap();
    }
  }
  for (const std::string& path : listed) {
    if (!before.contains(path)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > kMaxInput) return 0;
  const bool verify = (data[0] & kVerifyBit) != 0;
  // Looked up once: each lookup matches the folder names without regard to case.
  const std::array<fs::path, 3> folders = Folders();
  MakeCard(folders, data + 1, size - 1);
  std::array<std::map<std::string, uintmax_t>, 3> before;
  int total = 0;
  for (size_t folder = 0; folder < before.size(); ++folder) {
    before[folder] = FilesIn(folders[folder]);
    total += CountCardFilesIn(folders[folder], IsLogFolder(folder) ? kLogFileExtension : kDataFileExtension);
  }

  CheckFilesPass pass(CardRoot().string(), total);
  pass.SetVerify(verify);
  pass.Run();
  if (pass.Progress() != total || pass.Crashed() != 0 || pass.HasLogs() != !pass.LogPaths().empty()) __builtin_trap();
  for (const std::string& path : pass.Deleted()) {
    if (!std::any_of(before.begin(), before.end(), [&path](const auto& files) { return files.contains(path); })) {
      __builtin_trap();
    }
  }
  for (size_t folder = 0; folder < before.size(); ++folder) CheckFolder(folder, before[folder], pass, verify);

  CheckFilesPass again(CardRoot().string(), total);
  again.SetVerify(verify);
  again.Run();
  if (Lists(again) != Lists(pass)) __builtin_trap();
  // The index of a data file is found by a prefix search, so a pass may
  // still meet another index too short to hold a record; nothing else goes.
  for (const std::string& path : again.Deleted()) {
    if (!std::any_of(before.begin(), before.end(), [&path](const auto& files) {
          const auto found = files.find(path);
          return found != files.end() && !EndsWithNoCase(path, kDataFileExtension) &&
                 found->second < uintmax_t(CheckFilesPass::kSmallestIndexFile);
        })) {
      __builtin_trap();
    }
  }
  return 0;
}
