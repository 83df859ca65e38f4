#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <vector>

#include "platform/ReadOnlyFile.h"
#include "recording/MappedFile.h"
#include "recording/SigbusGuard.h"
#include "recording/VideoBytes.h"
#include "recording/VideoDataScan.h"
#include "recording/WaitingLoadObserver.h"
#include "support/TempDir.h"

namespace {

Bytes ManyPictures(int count, size_t size) {
  Bytes data;
  for (int i = 0; i < count; ++i) Append(data, CommentPicture(TestComment{}, size));
  return data;
}

TEST(VideoDataScanTest, ShrunkenFileUnderTheMappingFailsCleanly) {
  TempDir dir;
  const auto path = dir.Write("REC.vdd", AsText(ManyPictures(8, 40000)));
  ReadOnlyFile file;
  ASSERT_TRUE(file.Open(path.string()));
  MappedFile mapping;
  ASSERT_TRUE(mapping.Map(file.Fd()));
  ASSERT_EQ(truncate(path.c_str(), 4096), 0);

  WaitingLoadObserver observer;
  std::atomic<bool> stop{false};
  std::vector<FRAMEINFOVIDEO> frames;
  EXPECT_EQ(ScanVideoData(mapping.Data(), mapping.Size(), observer, stop, frames), ScanEnd::kFaulted);
  // The guard is ready again for the next fault.
  frames.clear();
  EXPECT_EQ(ScanVideoData(mapping.Data(), mapping.Size(), observer, stop, frames), ScanEnd::kFaulted);
}

TEST(VideoDataScanTest, WholeMappingScansAndStopsOnRequest) {
  TempDir dir;
  const auto path = dir.Write("REC.vdd", AsText(ManyPictures(8, 40000)));
  ReadOnlyFile file;
  ASSERT_TRUE(file.Open(path.string()));
  MappedFile mapping;
  ASSERT_TRUE(mapping.Map(file.Fd()));
  WaitingLoadObserver observer;
  std::atomic<bool> stop{false};
  std::vector<FRAMEINFOVIDEO> frames;
  EXPECT_EQ(ScanVideoData(mapping.Data(), mapping.Size(), observer, stop, frames), ScanEnd::kCompleted);
  EXPECT_EQ(frames.size(), 8u);
  EXPECT_EQ(frames[7].dataOffset, 7u * 40000u);

  stop.store(true);
  frames.clear();
  EXPECT_EQ(ScanVideoData(mapping.Data(), mapping.Size(), observer, stop, frames), ScanEnd::kCancelled);
  EXPECT_TRUE(frames.empty());
}

TEST(VideoDataScanTest, EndMarkerBytesInsideTheCommentBlockDoNotCutThePicture) {
  TestComment tricky;
  tricky.pulse = 0xD9FF;  // stored little-endian: FF D9
  Bytes data = CommentPicture(tricky, 3000);
  Append(data, CommentPicture(TestComment{}, 2000));
  WaitingLoadObserver observer;
  std::atomic<bool> stop{false};
  std::vector<FRAMEINFOVIDEO> frames;
  ASSERT_EQ(ScanVideoData(data.data(), data.size(), observer, stop, frames), ScanEnd::kCompleted);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].dataSize, 3000u);
  EXPECT_EQ(frames[0].pulse, 0xD9FF);
  EXPECT_EQ(frames[1].dataOffset, 3000u);
  EXPECT_EQ(frames[1].dataSize, 2000u);
}

TEST(VideoDataScanTest, PictureWithBrokenHeadersEndsAtItsFirstEndMarker) {
  // A segment length that runs past the file: the headers can't be walked,
  // so the first FF D9 after the start ends the picture.
  Bytes data = {0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xF0, 1, 2, 3, 0xFF, 0xD9};
  Append(data, CommentPicture(TestComment{}, 500));
  WaitingLoadObserver observer;
  std::atomic<bool> stop{false};
  std::vector<FRAMEINFOVIDEO> frames;
  ASSERT_EQ(ScanVideoData(data.data(), data.size(), observer, stop, frames), ScanEnd::kCompleted);
  ASSERT_EQ(frames.size(), 1u) << "the broken picture has no comment block; the next one is still read";
  EXPECT_EQ(frames[0].dataOffset, 11u);
}

TEST(VideoDataScanTest, GuardLeavesOtherRangesAlone) {
  int calls = 0;
  const char bytes[4] = {};
  EXPECT_TRUE(RunWithSigbusGuard(
      bytes, sizeof bytes, [](void* c) { ++*static_cast<int*>(c); }, &calls));
  EXPECT_EQ(calls, 1);
}

TEST(MappedFileTest, EmptyAndClosedFilesDoNotMap) {
  TempDir dir;
  ReadOnlyFile file;
  ASSERT_TRUE(file.Open(dir.Write("empty.vdd", "").string()));
  MappedFile mapping;
  EXPECT_FALSE(mapping.Map(file.Fd()));
  EXPECT_FALSE(mapping.Map(-1));
  EXPECT_EQ(mapping.Data(), nullptr);
  EXPECT_FALSE(file.Open((dir / "none").string()));
  EXPECT_FALSE(file.Open(dir.path().string()));  // a folder is not a data file
}

}  // namespace
