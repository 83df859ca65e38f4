#include "samplecard/SampleFiles.h"

#include <cstdio>
#include <memory>

std::string SampleFileStem(int number, const DateTime& local) {
  char stem[64];
  std::snprintf(stem, sizeof stem, "%04d,%04d%02d%02d_%02d%02d%02d", number % 10000, local.year, local.month, local.day,
                local.hour, local.minute, local.second);
  return stem;
}

bool WriteSampleFile(const std::filesystem::path& path, std::string_view bytes, std::string* error) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  bool ok = file != nullptr;
  if (ok && !bytes.empty()) ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (ok) ok = std::fclose(file.release()) == 0;
  if (!ok && error) *error = "cannot write " + path.string();
  return ok;
}
