#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "recording/LogSource.h"
#include "support/TempDir.h"

namespace {

TEST(LogSourceTest, ReadsTheWholeFileOnce) {
  TempDir dir;
  LogSource source;
  ASSERT_TRUE(source.Open(dir.Write("a.log", "$GPGSV,1*00\r\n")));
  std::string text;
  ASSERT_TRUE(source.ReadAll(text));
  EXPECT_EQ(text, "$GPGSV,1*00\r\n");
  char piece[5] = {};
  ASSERT_TRUE(source.ReadAt(1, piece, 4));
  EXPECT_EQ(std::string(piece), "GPGS");
  EXPECT_FALSE(source.ReadAt(10, piece, 4));  // past the end: a short read is a failure
}

TEST(LogSourceTest, ALogThatChangesWhileOpenIsNotReadWhole) {
  TempDir dir;
  const std::filesystem::path grown = dir.Write("grown.log", "$KXDRL,1*00\r\n");
  LogSource growing;
  ASSERT_TRUE(growing.Open(grown));
  std::ofstream(grown, std::ios::app) << "$KXDRL,2*00\r\n";
  std::string text = "stale";
  EXPECT_FALSE(growing.ReadAll(text));
  EXPECT_TRUE(text.empty());

  const std::filesystem::path shrunk = dir.Write("shrunk.log", "$KXDRL,1*00\r\n$KXDRL,2*00\r\n");
  LogSource shrinking;
  ASSERT_TRUE(shrinking.Open(shrunk));
  std::filesystem::resize_file(shrunk, 5);
  EXPECT_FALSE(shrinking.ReadAll(text));
}

TEST(LogSourceTest, OnlyRegularNonEmptyFiles) {
  TempDir dir;
  LogSource source;
  EXPECT_FALSE(source.Open(dir / "missing.log"));
  EXPECT_FALSE(source.Open(dir.path()));
  ASSERT_EQ(mkfifo((dir / "pipe.log").c_str(), 0600), 0);
  EXPECT_FALSE(source.Open(dir / "pipe.log"));  // and does not wait for a writer
  ASSERT_TRUE(source.Open(dir.Write("empty.log", "")));
  std::string text;
  EXPECT_FALSE(source.ReadAll(text));
}

}  // namespace
