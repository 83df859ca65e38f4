// The cluster size of a card and the smallest card that is initialised.
#include <gtest/gtest.h>

#include "tools/FormatParams.h"

namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;

TEST(FormatParams, TheClusterSizeFollowsTheCardSizeOrTheAnsweredType) {
  EXPECT_EQ(ClusterBytesFor(2000 * kMiB, CardTypeAnswer::kOther), 16384u);
  EXPECT_EQ(ClusterBytesFor(3000 * kMiB, CardTypeAnswer::kOther), 16384u);
  EXPECT_EQ(ClusterBytesFor(3000 * kMiB + 1, CardTypeAnswer::kSd), 32768u) << "a known size wins over the answer";
  EXPECT_EQ(ClusterBytesFor(8000 * kMiB, CardTypeAnswer::kOther), 32768u);
  EXPECT_EQ(ClusterBytesFor(std::nullopt, CardTypeAnswer::kSd), 16384u);
  EXPECT_EQ(ClusterBytesFor(std::nullopt, CardTypeAnswer::kSdhc), 32768u);
  EXPECT_EQ(ClusterBytesFor(std::nullopt, CardTypeAnswer::kOther), std::nullopt);
  EXPECT_EQ(SectorsPerCluster(16384), 32u);
  EXPECT_EQ(SectorsPerCluster(32768), 64u);
}

TEST(FormatParams, CardsFrom1500MiBOnAreSupported) {
  EXPECT_FALSE(IsSupportedCardSize(1499 * kMiB));
  EXPECT_FALSE(IsSupportedCardSize(1500 * kMiB - 1));
  EXPECT_TRUE(IsSupportedCardSize(1500 * kMiB));
}

}  // namespace
