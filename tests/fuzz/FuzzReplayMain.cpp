// A fuzz target without libFuzzer: feeds it every file of the folders given
// on the command line (its seed corpus and the crashes found so far), in
// name order, so that the plain and the sanitizer test runs catch a
// regression of anything the fuzzer ever found. A target reports a broken
// promise by trapping, which fails the test.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file()) files.push_back(it->path());
  }
  if (error) std::fprintf(stderr, "cannot list %s: %s\n", folder.c_str(), error.message().c_str());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
  size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const std::filesystem::path& file : FilesIn(argv[i])) {
      const std::vector<uint8_t> bytes = ReadFile(file);
      std::printf("%s (%zu bytes)\n", file.c_str(), bytes.size());
      std::fflush(stdout);  // the last name printed is the input that trapped
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  std::printf("%zu inputs replayed\n", replayed);
  // A corpus that went missing must not pass as one that was replayed.
  return replayed > 0 ? 0 : 1;
}
