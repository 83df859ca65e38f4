#pragma once
// What the recording targets put on disk before each input: the files are
// written whole, the data file of three pictures stands in where an input
// gives none, and the folder they go into lives as long as the program.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

inline void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
  std::fclose(out);
}

// Three pictures, each with a frame comment block.
inline const std::vector<uint8_t>& ThreePictures() {
  static const std::vector<uint8_t> data = [] {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 3; ++i) {
      const uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xFE, 0x00, 61};
      bytes.insert(bytes.end(), head, head + sizeof head);
      uint8_t block[59] = {25, 6, 14, 9, 30, static_cast<uint8_t>(i), 0};
      block[44] = 1;
      bytes.insert(bytes.end(), block, block + sizeof block);
      for (int k = 0; k < 200; ++k) bytes.push_back(static_cast<uint8_t>(k));
      bytes.push_back(0xFF);
      bytes.push_back(0xD9);
    }
    return bytes;
  }();
  return data;
}

// A temporary folder named after the target, made on the first call and
// never destroyed, so that the clean-up at exit can still name it.
inline const std::string& FuzzFolder(const char* name) {
  static const std::string* const folder = [name] {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* made = new std::string(pattern);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(*folder, ignored);
    });
    return made;
  }();
  return *folder;
}
