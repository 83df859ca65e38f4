#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "recording/IndexTrailerProbe.h"
#include "recording/InfoEventFile.h"
#include "recording/VideoBytes.h"
#include "recording/VideoDurationText.h"
#include "recording/VideoIndexEnds.h"
#include "recording/VideoSpanProbe.h"
#include "recording/WaitingLoadObserver.h"
#include "support/TempDir.h"

namespace {

constexpr int kRecords = 200;  // 13 200 bytes of short records: far more than one read of the end

// The data file's one picture.
Bytes DataPicture() { return CommentPicture(TestComment{}); }

// count records, one a second from 12:00:00, of recordSize bytes each, all
// pointing at the data file's picture, so the index covers the data file.
Bytes Records(int count, size_t recordSize, uint32_t magic) {
  const auto pictureSize = static_cast<uint32_t>(DataPicture().size());
  Bytes index;
  for (int i = 0; i < count; ++i) {
    TestRecord r;
    r.size = pictureSize;
    r.magic = magic;
    r.version = recordSize == 69 ? 2 : 1;
    r.time = DateTime{2024, 5, 5, 17, 12, static_cast<uint16_t>(i / 60), static_cast<uint16_t>(i % 60), 0};
    Append(index, EncodeRecord(r, recordSize));
  }
  return index;
}

Bytes WithTrailer(Bytes index, uint32_t frameCount, uint8_t recordFormat = 1) {
  TestTrailer t;
  t.frameCount = frameCount;
  t.recordFormat = recordFormat;
  t.ext = 6;
  Append(index, EncodeTrailer(t));
  return index;
}

class VideoIndexEndsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }

  // The data file holds one picture, so a span of more than 0 s can only
  // come from the index.
  std::string WritePair(const Bytes& index) {
    dir_.Write("REC_0001.vdx", AsText(index));
    return dir_.Write("REC_0001.vdd", AsText(DataPicture())).string();
  }

  // What the list shows must be what the loaded recording shows.
  static void ExpectLoaderAgrees(const std::string& data, int frames) {
    CInfoEventFile loaded;
    WaitingLoadObserver observer;
    observer.BeginLoad();
    ASSERT_EQ(loaded.LoadVideoRecording(data, &observer), 1);
    ASSERT_TRUE(observer.WaitForLoadEnded(10000));
    ASSERT_EQ(loaded.FrameCount(), frames);
    EXPECT_EQ(loaded.GetDurationText(), VideoDurationText(ReadVideoSpanSeconds(data)));
  }

  TempDir dir_;
};

TEST_F(VideoIndexEndsTest, LongIndexesGiveTheLoadersSpan) {
  // The first record lies before the end that is read at once.
  std::string data = WritePair(WithTrailer(Records(kRecords, 66, kRecordMagicA1), kRecords));
  EXPECT_EQ(ReadVideoSpanSeconds(data), kRecords - 1);
  ExpectLoaderAgrees(data, kRecords);

  // A trailer that counts fewer records than the file holds puts the last
  // frame far before the end.
  data = WritePair(WithTrailer(Records(kRecords, 66, kRecordMagicA1), 50));
  EXPECT_EQ(ReadVideoSpanSeconds(data), 49);
  ExpectLoaderAgrees(data, 50);

  // Long records, selected by the first record's version.
  data = WritePair(WithTrailer(Records(kRecords, 69, kRecordMagicA2), kRecords, kRecordFormatA2));
  EXPECT_EQ(ReadVideoSpanSeconds(data), kRecords - 1);
  ExpectLoaderAgrees(data, kRecords);

  // No trailer: the records the file holds.
  data = WritePair(Records(kRecords, 66, kRecordMagicA1));
  EXPECT_EQ(ReadVideoSpanSeconds(data), kRecords - 1);
  ExpectLoaderAgrees(data, kRecords);

  // The older trailer in the last 26 bytes.
  Bytes older = Records(kRecords, 66, kRecordMagicA1);
  const Bytes full = WithTrailer({}, kRecords);
  older.insert(older.end(), full.begin(), full.begin() + 26);
  data = WritePair(older);
  EXPECT_EQ(ReadVideoSpanSeconds(data), kRecords - 1);
  ExpectLoaderAgrees(data, kRecords);
}

TEST_F(VideoIndexEndsTest, UntrustedIndexesLeaveTheSpanToTheDataFile) {
  // A count the file cannot hold.
  std::string data = WritePair(WithTrailer(Records(kRecords, 66, kRecordMagicA1), kRecords + 5));
  EXPECT_EQ(ReadVideoSpanSeconds(data), 0);

  // A last record with the other magic, far before the end.
  Bytes mixed = Records(kRecords, 66, kRecordMagicA1);
  PutLe32(mixed, 49 * 66, kRecordMagicA2);
  data = WritePair(WithTrailer(mixed, 50));
  EXPECT_EQ(ReadVideoSpanSeconds(data), 0);

  // A trailer counting no frame, and an index too short for a trailer.
  data = WritePair(WithTrailer(Records(kRecords, 66, kRecordMagicA1), 0));
  EXPECT_EQ(ReadVideoSpanSeconds(data), 0);
  data = WritePair(Records(1, 66, kRecordMagicA1));
  EXPECT_EQ(ReadVideoSpanSeconds(data), 0);
}

TEST_F(VideoIndexEndsTest, TrailerOfALongIndexAndNoIndex) {
  const std::string path =
      dir_.Write("REC_0002.vdx", AsText(WithTrailer(Records(kRecords, 66, kRecordMagicA1), kRecords))).string();
  VideoIndexEnds index;
  ASSERT_TRUE(index.Read(path));
  EXPECT_EQ(IndexExtendedEventCode(index), 6);
  EXPECT_EQ(IndexIds(index).drid, "DR-0001");
  EXPECT_EQ(IndexIds(index).sdid, ReadIndexIds(path).sdid);
  ASSERT_TRUE(index.FrameSpan());
  EXPECT_EQ(index.FrameSpan()->last.minute, (kRecords - 1) / 60);

  // A reused reader forgets the index it read before.
  EXPECT_FALSE(index.Read((dir_ / "missing.vdx").string()));
  EXPECT_FALSE(index.LastBytesTrailer());
  EXPECT_FALSE(index.FrameSpan());
  EXPECT_FALSE(index.Read(""));
  EXPECT_EQ(IndexExtendedEventCode(index), 0);
  EXPECT_EQ(IndexIds(index).drid, "");
}

TEST_F(VideoIndexEndsTest, WhatWasReadOutlivesTheFile) {
  // The file lists take the ends the check-files pass read, after the file
  // was closed: a long index's span and trailer need nothing more from it.
  const std::filesystem::path path =
      dir_.Write("REC_0003.vdx", AsText(WithTrailer(Records(kRecords, 66, kRecordMagicA1), kRecords)));
  VideoIndexEnds index;
  ASSERT_TRUE(index.Read(path.string()));
  EXPECT_EQ(index.Size(), static_cast<int64_t>(kRecords * 66 + 92));
  EXPECT_TRUE(index.FirstByteRead());
  std::filesystem::remove(path);
  const VideoIndexEnds kept = index;
  ASSERT_TRUE(kept.FrameSpan());
  EXPECT_EQ(kept.FrameSpan()->first.minute, 0);
  EXPECT_EQ(kept.FrameSpan()->last.second, (kRecords - 1) % 60);
  EXPECT_EQ(IndexExtendedEventCode(kept), 6);

  // Shorter than a trailer, and empty: the size and the first byte are
  // still known, the span is not.
  ASSERT_TRUE(index.Read(dir_.Write("REC_0004.vdx", AsText(Records(1, 66, kRecordMagicA1))).string()));
  EXPECT_EQ(index.Size(), 66);
  EXPECT_TRUE(index.FirstByteRead());
  EXPECT_FALSE(index.FrameSpan());
  ASSERT_TRUE(index.Read(dir_.Write("REC_0005.vdx", "").string()));
  EXPECT_EQ(index.Size(), 0);
  EXPECT_FALSE(index.FirstByteRead());
}

}  // namespace
