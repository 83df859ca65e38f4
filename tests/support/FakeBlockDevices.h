#pragma once
// Disks in a fake sysfs tree, for the device checks' tests: a disk's
// removable flag and size in sectors, its partitions, and the class/block
// links the checks follow from a device name to its folder.

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

inline void WriteFakeSysFile(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << text << "\n";
}

// disk: the device's folder under sysRoot/devices; partitions get
// partitionSectors each.
inline void AddFakeDisk(const std::filesystem::path& sysRoot, const std::filesystem::path& disk,
                        const std::string& removable, const std::string& sectors,
                        std::initializer_list<const char*> partitions, const std::string& partitionSectors) {
  namespace fs = std::filesystem;
  WriteFakeSysFile(disk / "removable", removable);
  WriteFakeSysFile(disk / "size", sectors);
  fs::create_directories(sysRoot / "class/block");
  fs::create_symlink(disk, sysRoot / "class/block" / disk.filename());
  for (const char* partition : partitions) {
    WriteFakeSysFile(disk / partition / "partition", "1");
    WriteFakeSysFile(disk / partition / "size", partitionSectors);
    fs::create_symlink(disk / partition, sysRoot / "class/block" / partition);
  }
}
