#include <gtest/gtest.h>

#include "recording/VideoBytes.h"
#include "recording/VideoFileProbe.h"
#include "support/TempDir.h"

namespace {

class VideoFileProbeTest : public ::testing::Test {
 protected:
  std::string WriteData(const Bytes& bytes) { return dir_.Write("REC_0001.vdd", AsText(bytes)).string(); }
  void WriteIndex(const Bytes& bytes) { dir_.Write("REC_0001.vdx", AsText(bytes)); }

  TempDir dir_;
};

TEST_F(VideoFileProbeTest, EventCodeOfTheFirstPicture) {
  TestComment c;
  c.event = 16;
  EXPECT_EQ(ReadVideoEventCode(WriteData(CommentPicture(c, 3000))), 16);

  // An APP1 segment before the comment is skipped by its length.
  Bytes withApp1 = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xFE, 0x00, 0x40};
  const Bytes block = EncodeComment(c);
  Append(withApp1, EncodePicture(&block));
  EXPECT_EQ(ReadVideoEventCode(WriteData(withApp1)), 16);
}

TEST_F(VideoFileProbeTest, EventCodeIsZeroWithoutABlockInTheFirst2048Bytes) {
  EXPECT_EQ(ReadVideoEventCode((dir_ / "missing.vdd").string()), 0);
  EXPECT_EQ(ReadVideoEventCode(WriteData({})), 0);
  EXPECT_EQ(ReadVideoEventCode(WriteData(EncodePicture(nullptr, 4000))), 0);

  // The comment segment starts beyond the walked positions.
  TestComment c;
  c.event = 4;
  const Bytes block = EncodeComment(c);
  Bytes late = {0xFF, 0xD8};
  late.resize(2046, 0x11);
  Append(late, {0xFF, 0xFE, 0x00, 0x3D});
  Append(late, block);
  EXPECT_EQ(ReadVideoEventCode(WriteData(late)), 0);

  // A file that ends inside the block: the missing bytes are never read.
  Bytes cut = CommentPicture(c);
  cut.resize(cut.size() - 60);
  EXPECT_EQ(ReadVideoEventCode(WriteData(cut)), 0);
}

TEST_F(VideoFileProbeTest, ExtendedCodeAndIdsFromTheTrailer) {
  const std::string data = WriteData(CommentPicture(TestComment{}));
  EXPECT_EQ(ReadVideoExtendedEventCode(data), 0);
  EXPECT_EQ(ReadVideoIds(data).drid, "");

  TestTrailer t;
  t.ext = 3;
  t.drid = "DRIVE-RECORDER-42";
  t.sdid = "CARD";
  Bytes index = EncodeRecord(TestRecord{}, 66);
  Append(index, EncodeTrailer(t));
  WriteIndex(index);
  EXPECT_EQ(ReadVideoExtendedEventCode(data), 3);
  EXPECT_EQ(ReadVideoIds(data).drid, "DRIVE-RECO");
  EXPECT_EQ(ReadVideoIds(data).sdid, "CARD");

  // Identity flag 0, or no magic: no ids, though the extended byte is still read.
  t.identity = 0;
  WriteIndex(EncodeTrailer(t));
  EXPECT_EQ(ReadVideoIds(data).drid, "");
  EXPECT_EQ(ReadVideoExtendedEventCode(data), 3);
  t.identity = 1;
  t.magic = 0;
  WriteIndex(EncodeTrailer(t));
  EXPECT_EQ(ReadVideoIds(data).sdid, "");

  // An index shorter than a trailer.
  WriteIndex(Bytes(91, 0xFF));
  EXPECT_EQ(ReadVideoExtendedEventCode(data), 0);
}

}  // namespace
