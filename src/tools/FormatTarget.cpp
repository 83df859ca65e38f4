#include "tools/FormatTarget.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kSysfsSectorBytes = 512;
constexpr size_t kBootSectorBytes = 512;
constexpr size_t kLabelBytes = 11;
// Where the label and the file-system type stand in the two kinds of FAT boot sector.
constexpr size_t kFat32LabelAt = 71;
constexpr size_t kFat32TypeAt = 82;
constexpr size_t kFat16LabelAt = 43;
constexpr size_t kFat16TypeAt = 54;
constexpr std::string_view kNoLabel = "NO NAME";
constexpr std::array<std::string_view, 3> kModelFiles = {"device/model", "device/name", "device/vendor"};

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r' || text.back() == '\0')) {
    text.pop_back();
  }
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

std::string ReadLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return Trimmed(line);
}

// "\x20" and the like of udev's link names.
std::string UnescapeLinkName(std::string_view name) {
  std::string text;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
      try {
        text += static_cast<char>(std::stoi(std::string(name.substr(i + 2, 2)), nullptr, 16));
        i += 3;
        continue;
      } catch (const std::exception&) {
      }
    }
    text += name[i];
  }
  return text;
}

std::string ReadBootSector(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string sector(kBootSectorBytes, '\0');
  in.read(sector.data(), static_cast<std::streamsize>(sector.size()));
  sector.resize(static_cast<size_t>(in.gcount()));
  return sector;
}

std::string SizeText(uint64_t bytes) {
  constexpr double kMiB = 1024.0 * 1024.0;
  constexpr double kGiB = kMiB * 1024.0;
  std::array<char, 32> text{};
  if (bytes >= static_cast<uint64_t>(kGiB)) {
    std::snprintf(text.data(), text.size(), "%.1f GiB", static_cast<double>(bytes) / kGiB);
  } else {
    std::snprintf(text.data(), text.size(), "%.0f MiB", static_cast<double>(bytes) / kMiB);
  }
  return text.data();
}

}  // namespace

std::string BootSectorLabel(std::string_view sector) {
  if (sector.size() < kBootSectorBytes) return {};
  std::string label;
  if (sector.substr(kFat32TypeAt, 5) == "FAT32") {
    label = sector.substr(kFat32LabelAt, kLabelBytes);
  } else if (sector.substr(kFat16TypeAt, 3) == "FAT") {
    label = sector.substr(kFat16LabelAt, kLabelBytes);
  }
  label = Trimmed(label);
  return label == kNoLabel ? std::string() : label;
}

FormatTargets::FormatTargets(const Volumes& volumes, const DiskCheckTargets& targets, fs::path labelLinks)
    : volumes_(volumes), targets_(targets), labelLinks_(std::move(labelLinks)) {}

FormatTarget FormatTargets::Resolve(const fs::path& given) const {
  FormatTarget target;
  target.where = targets_.Resolve(given);
  if (target.Refused()) return target;
  if (target.IsImage()) {
    std::error_code error;
    const uintmax_t size = fs::file_size(target.where.path, error);
    if (!error && size > 0) target.sizeBytes = size;
    target.label = BootSectorLabel(ReadBootSector(target.where.path));
    target.writable = ::access(target.where.path.c_str(), W_OK) == 0;
    return target;
  }
  DescribeDevice(target);
  return target;
}

void FormatTargets::DescribeDevice(FormatTarget& target) const {
  const fs::path& node = target.where.path;
  const fs::path folder = volumes_.BlockDeviceFolderByName(node.filename().native());
  std::error_code error;
  target.wholeDevice = !fs::exists(folder / "partition", error);
  const std::string sectors = ReadLine(folder / "size");
  if (!sectors.empty() && sectors.find_first_not_of("0123456789") == std::string::npos) {
    const uint64_t bytes = std::stoull(sectors) * kSysfsSectorBytes;
    if (bytes > 0) target.sizeBytes = bytes;
  }
  const fs::path disk = target.wholeDevice ? folder : folder.parent_path();
  for (std::string_view file : kModelFiles) {
    target.model = ReadLine(disk / file);
    if (!target.model.empty()) break;
  }
  target.label = BootSectorLabel(ReadBootSector(node));
  if (target.label.empty()) target.label = LabelFromLinks(node);
  target.writable = ::access(node.c_str(), W_OK) == 0;
}

std::string FormatTargets::LabelFromLinks(const fs::path& node) const {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(labelLinks_, error)) {
    std::error_code linkError;
    // udev's links are relative ("../../sdb1"); the card need not be there to read them.
    const fs::path link = fs::read_symlink(entry.path(), linkError);
    if (!linkError && (labelLinks_ / link).lexically_normal() == node) {
      return UnescapeLinkName(entry.path().filename().native());
    }
  }
  return {};
}

std::string DescribeFormatTarget(const FormatTarget& target) {
  std::string text = target.where.path.string();
  if (target.IsImage()) text += " (image file)";
  text += ", " + (target.sizeBytes ? SizeText(*target.sizeBytes) : std::string("size unknown"));
  if (!target.model.empty()) text += ", model \"" + target.model + "\"";
  text += target.label.empty() ? std::string(", no label") : ", label \"" + target.label + "\"";
  return text;
}

std::string NoWriteRightText(const fs::path& device) {
  return "This user may not write " + device.string() +
         ": formatting needs write access to the device, given by membership of its group (\"disk\" as a rule); "
         "unmounting and mounting it go through UDisks2, which a polkit rule may allow";
}
