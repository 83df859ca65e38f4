#pragma once
// Reading an exported AVI film back: what ffprobe, the client people check
// films with, says about it, and the video samples in file order as the
// RIFF chunks hold them (empty samples included).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/CliRun.h"

// ffprobe's streams (packets counted) and format of a file; null when
// ffprobe cannot read it.
inline nlohmann::json ProbeAvi(const std::filesystem::path& film) {
  const CliRun run = RunShell("ffprobe -v error -count_packets -show_streams -show_format -of json " +
                              ShellQuote(film.string()) + " 2>/dev/null");
  if (run.exitStatus != 0) return nullptr;
  return nlohmann::json::parse(run.out, nullptr, false);
}

// The flags column of every packet ffprobe reads ("K_" for a key frame).
inline std::vector<std::string> ProbePacketFlags(const std::filesystem::path& film) {
  const CliRun run =
      RunShell("ffprobe -v error -show_entries packet=flags -of csv=p=0 " + ShellQuote(film.string()) + " 2>/dev/null");
  std::vector<std::string> flags;
  size_t start = 0;
  while (start < run.out.size()) {
    const size_t end = run.out.find('\n', start);
    flags.push_back(run.out.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return flags;
}

namespace avi_probe_detail {

inline uint32_t Le32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

inline void Walk(const std::string& bytes, size_t from, size_t to, std::vector<std::string>& samples) {
  while (from + 8 <= to) {
    const std::string id = bytes.substr(from, 4);
    const size_t size = Le32(bytes, from + 4);
    const size_t body = from + 8;
    if (body + size > bytes.size()) return;
    if (id == "RIFF" || id == "LIST") {
      Walk(bytes, body + 4, body + size, samples);
    } else if (id == "00dc") {
      samples.push_back(bytes.substr(body, size));
    }
    from = body + size + (size & 1);
  }
}

}  // namespace avi_probe_detail

// The bytes of every "00dc" chunk in file order.
inline std::vector<std::string> AviVideoSamples(const std::filesystem::path& film) {
  std::ifstream in(film, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> samples;
  avi_probe_detail::Walk(bytes, 0, bytes.size(), samples);
  return samples;
}
