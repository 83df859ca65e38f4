#pragma once
// What a formatted image holds, read by dosfstools and mtools themselves.
#include <filesystem>
#include <string>

#include "support/CliRun.h"

struct FatImageFacts {
  bool clean = false;    // fsck.fat -n finds nothing to mend
  int clusterBytes = 0;  // as fsck.fat -v tells
  std::string label;     // as fatlabel tells
  int fatBits = 0;       // 32 for FAT32
};

inline FatImageFacts ReadFatImage(const std::filesystem::path& image) {
  const std::string quoted = ShellQuote(image.string());
  FatImageFacts facts;
  facts.clean = RunShell("fsck.fat -n " + quoted + " >/dev/null 2>&1").exitStatus == 0;
  const CliRun verbose =
      RunShell("fsck.fat -v -n " + quoted + " 2>/dev/null | sed -n 's/ *\\([0-9]*\\) bytes per cluster/\\1/p'");
  facts.clusterBytes = verbose.out.empty() ? 0 : std::stoi(verbose.out);
  const CliRun label = RunShell("fatlabel " + quoted + " 2>/dev/null");
  facts.label = label.out.substr(0, label.out.find('\n'));
  const CliRun bits =
      RunShell("fsck.fat -v -n " + quoted + " 2>/dev/null | sed -n 's/.*FATs, \\([0-9]*\\) bit entries.*/\\1/p'");
  facts.fatBits = bits.out.empty() ? 0 : std::stoi(bits.out);
  return facts;
}

inline std::filesystem::path SparseImage(const std::filesystem::path& image, const std::string& size) {
  RunShell("truncate -s " + size + " " + ShellQuote(image.string()));
  return image;
}
