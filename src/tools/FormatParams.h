#pragma once
// What a recorder's card is formatted with: FAT32, the volume label the
// recorder looks for, and a cluster size chosen from the card's size. A
// card whose size cannot be read is asked about; the answer "Other Type"
// abandons the format.

#include <cstdint>
#include <optional>
#include <string_view>

inline constexpr std::string_view kFormatVolumeLabel = "ZIDOVORI1";
inline constexpr uint32_t kFormatSectorBytes = 512;
inline constexpr uint32_t kSmallCardClusterBytes = 16 * 1024;
inline constexpr uint32_t kLargeCardClusterBytes = 32 * 1024;
// Above this a card takes the large clusters.
inline constexpr uint64_t kLargeCardAboveBytes = uint64_t{3000} << 20;
// Below this a card is not initialised at all.
inline constexpr uint64_t kSmallestCardBytes = uint64_t{1500} << 20;

// The answer to the card-type question, numbered as its buttons answer.
enum class CardTypeAnswer { kOther = 0, kSd = 1, kSdhc = 2 };

// The cluster size for a card of size bytes; without a size, the one the
// answer stands for. Nothing when the answer is "Other Type".
std::optional<uint32_t> ClusterBytesFor(std::optional<uint64_t> size, CardTypeAnswer answer);

// mkfs.fat's sectors per cluster for a cluster size.
uint32_t SectorsPerCluster(uint32_t clusterBytes);

bool IsSupportedCardSize(uint64_t bytes);
