#include "tools/FormatParams.h"

std::optional<uint32_t> ClusterBytesFor(std::optional<uint64_t> size, CardTypeAnswer answer) {
  if (size) return *size > kLargeCardAboveBytes ? kLargeCardClusterBytes : kSmallCardClusterBytes;
  switch (answer) {
    case CardTypeAnswer::kSd:
      return kSmallCardClusterBytes;
    case CardTypeAnswer::kSdhc:
      return kLargeCardClusterBytes;
    case CardTypeAnswer::kOther:
      break;
  }
  return std::nullopt;
}

uint32_t SectorsPerCluster(uint32_t clusterBytes) { return clusterBytes / kFormatSectorBytes; }

bool IsSupportedCardSize(uint64_t bytes) { return bytes >= kSmallestCardBytes; }
