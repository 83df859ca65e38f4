#include <gtest/gtest.h>

#include "platform/ReadOnlyFile.h"
#include "recording/InfoEventFile.h"
#include "recording/VideoBytes.h"
#include "recording/VideoIndexTail.h"
#include "recording/VideoSpanProbe.h"
#include "support/TempDir.h"

namespace {

class VideoIndexTailTest : public ::testing::Test {
 protected:
  ReadOnlyFile& Open(const Bytes& bytes) {
    const std::string path = dir_.Write("REC_0001.vdx", AsText(bytes)).string();
    file_.Close();
    EXPECT_TRUE(file_.Open(path));
    return file_;
  }

  IndexTail Tail(const Bytes& bytes, VdxTrailer& trailer) {
    ReadOnlyFile& index = Open(bytes);
    return ReadIndexTrailer(index, index.Size(), trailer);
  }

  TempDir dir_;
  ReadOnlyFile file_;
};

TEST_F(VideoIndexTailTest, CurrentAndOlderTrailers) {
  TestTrailer t;
  t.frameCount = 3;
  t.recordFormat = 2;
  t.ext = 5;
  Bytes current = EncodeRecord(TestRecord{}, 69);
  Append(current, EncodeTrailer(t));
  VdxTrailer trailer;
  ASSERT_EQ(Tail(current, trailer), IndexTail::kTrailer);
  EXPECT_EQ(trailer.frameCount, 3u);
  EXPECT_EQ(trailer.recordFormat, 2);
  EXPECT_EQ(trailer.extEventCode, 5);
  EXPECT_EQ(trailer.drid, "DR-0001");

  // The older trailer is the file's last 26 bytes; the record bytes before
  // it must not show through as identity or extended code.
  TestRecord busy;
  busy.latitude = 1234.5678;
  Bytes older = EncodeRecord(busy, 69);
  Append(older, EncodeRecord(busy, 69));
  const Bytes full = EncodeTrailer(t);
  older.insert(older.end(), full.begin(), full.begin() + 26);
  trailer = VdxTrailer{};
  ASSERT_EQ(Tail(older, trailer), IndexTail::kTrailer);
  EXPECT_EQ(trailer.frameCount, 3u);
  EXPECT_EQ(trailer.identityFlag, 1);
  EXPECT_EQ(trailer.drid, "");
  EXPECT_EQ(trailer.sdid, "");
  EXPECT_EQ(trailer.extEventCode, 0);
}

TEST_F(VideoIndexTailTest, NoTrailerAndShortIndexes) {
  Bytes records = EncodeRecord(TestRecord{}, 66);
  Append(records, EncodeRecord(TestRecord{}, 66));
  VdxTrailer trailer;
  EXPECT_EQ(Tail(records, trailer), IndexTail::kNoTrailer);

  // Fewer than 92 bytes hold no trailer of either kind, even when they end
  // with an older one.
  TestTrailer t;
  const Bytes full = EncodeTrailer(t);
  Bytes shortIndex = EncodeRecord(TestRecord{}, 66);
  shortIndex.resize(91 - 26, 0);
  shortIndex.insert(shortIndex.end(), full.begin(), full.begin() + 26);
  EXPECT_EQ(Tail(shortIndex, trailer), IndexTail::kUnreadable);

  // A size the file no longer has gives a short read.
  ReadOnlyFile& index = Open(records);
  EXPECT_EQ(ReadIndexTrailer(index, index.Size() + 10, trailer), IndexTail::kUnreadable);
  ReadOnlyFile closed;
  EXPECT_EQ(ReadIndexTrailer(closed, -1, trailer), IndexTail::kUnreadable);
}

TEST_F(VideoIndexTailTest, FirstRecordSetsMagicAndSize) {
  TestRecord r;
  r.magic = 0xDD0000A2;
  r.version = 2;
  std::optional<IndexFirstRecord> first = ReadFirstRecord(Open(EncodeRecord(r, 69)));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->magic, 0xDD0000A2u);
  EXPECT_EQ(first->recordSize, 69u);

  r.version = 1;
  Bytes two = EncodeRecord(r, 66);
  Append(two, EncodeRecord(r, 66));
  first = ReadFirstRecord(Open(two));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->recordSize, 66u);

  // One short record is less than the long record the version is read from.
  EXPECT_FALSE(ReadFirstRecord(Open(EncodeRecord(r, 66))));
}

TEST_F(VideoIndexTailTest, ListSpanAgreesWithTheLoaderOnAnOlderTrailer) {
  TestRecord first;
  TestRecord last = first;
  last.time.minute = 32;
  Bytes index = EncodeRecord(first, 66);
  Append(index, EncodeRecord(last, 66));
  TestTrailer t;
  t.frameCount = 2;
  const Bytes full = EncodeTrailer(t);
  index.insert(index.end(), full.begin(), full.begin() + 26);
  dir_.Write("REC_0001.vdx", AsText(index));
  const std::string data = dir_.Write("REC_0001.vdd", AsText(CommentPicture(TestComment{}))).string();

  EXPECT_EQ(ReadVideoSpanSeconds(data), std::optional<int64_t>(120));
  CInfoEventFile loaded;
  ASSERT_EQ(loaded.LoadVideoRecording(data, nullptr), 1);
  ASSERT_EQ(loaded.FrameCount(), 2);
  EXPECT_EQ(loaded.GetDurationText(), "2 Min");
}

}  // namespace
