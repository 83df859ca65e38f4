#include "platform/WholeFile.h"

#include "platform/ReadOnlyFile.h"

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  ReadOnlyFile in;
  if (!in.Open(path.string())) return std::nullopt;
  const int64_t size = in.OpenedSize();
  if (size < 0) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  if (in.ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
  return bytes;
}
