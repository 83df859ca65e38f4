#include <gtest/gtest.h>

#include "recording/VideoIndexCache.h"
#include "recording/VideoIndexPath.h"
#include "support/TempDir.h"

namespace {

TEST(VideoIndexCacheTest, AnswersAsTheIndexPathRuleForEveryName) {
  TempDir dir;
  const char* names[] = {
      "0001,20240614_093000.vdx",
      "0001,20240614_093000_EVT0001.vdd",
      "0002.VDX",
      "0002.vdd",
      "00021.vdx",
      "0003.vdd",
      "0004.vdd",
      "0004A.vdx",
      "0004a.vdx",
      "0004.vdx.old",
      "REC_0005.vdd",
      "REC_0005.vdx",
      "0006_ABCDEFG.vdd",
      "0006_ABCDEFG.vdx",
      "0006.vdx",
      "a.vd.vdd",
      "a.vdx",
      "0007.vdd",
  };
  for (const char* name : names) dir.Write(name, "x");
  std::filesystem::create_directories(dir / "0007.vdx");  // a folder is no index

  VideoIndexCache cache;
  for (const char* name : names) {
    const std::string path = (dir / name).string();
    EXPECT_EQ(cache.IndexPathFor(path), VideoIndexPath(path)) << name;
  }
  EXPECT_EQ(cache.IndexPathFor((dir / "0002.vdd").string()), (dir / "0002.VDX").string());
  EXPECT_EQ(cache.IndexPathFor((dir / "0003.vdd").string()), "");
  EXPECT_EQ(cache.IndexPathFor((dir / "missing" / "0001.vdd").string()), "");

  // A deleted index is no longer handed out; the next match takes its place.
  std::filesystem::remove(dir / "0004A.vdx");
  cache.Forget((dir / "0004A.vdx").string());
  EXPECT_EQ(cache.IndexPathFor((dir / "0004.vdd").string()), (dir / "0004a.vdx").string());
  EXPECT_EQ(cache.IndexPathFor((dir / "0004.vdd").string()), VideoIndexPath((dir / "0004.vdd").string()));
}

}  // namespace
