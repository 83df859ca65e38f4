#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

#include "base/MgrMultiLang.h"
#include "platform/Trace.h"
#include "recording/InfoEventFile.h"
#include "recording/VideoBytes.h"
#include "recording/WaitingLoadObserver.h"
#include "support/TempDir.h"

namespace {

constexpr int kWaitMs = 10000;

class InfoEventFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    SetLangFilePath("");
  }

  // A data file of pictures; returns each picture's offset and size.
  std::string WriteData(const std::vector<Bytes>& pictures, std::vector<TestRecord>* records = nullptr) {
    Bytes data;
    for (const Bytes& picture : pictures) {
      if (records != nullptr) {
        TestRecord r;
        r.offset = static_cast<uint32_t>(data.size());
        r.size = static_cast<uint32_t>(picture.size());
        records->push_back(r);
      }
      Append(data, picture);
    }
    return dir_.Write("REC_0001.vdd", AsText(data)).string();
  }

  // Three ordinary pictures and index records pointing at them.
  std::string WriteThreePictures(std::vector<TestRecord>& records) {
    std::vector<Bytes> pictures;
    for (uint8_t i = 0; i < 3; ++i) {
      TestComment c;
      c.stamp[5] = static_cast<uint8_t>(30 + i);
      pictures.push_back(CommentPicture(c, 2000 + 100 * i));
    }
    const std::string path = WriteData(pictures, &records);
    for (size_t i = 0; i < records.size(); ++i) records[i].time.second = static_cast<uint16_t>(10 + i);
    return path;
  }

  void WriteIndex(const std::vector<TestRecord>& records, const Bytes& trailer, size_t recordSize = 66) {
    Bytes index;
    for (const TestRecord& r : records) Append(index, EncodeRecord(r, recordSize));
    Append(index, trailer);
    dir_.Write("REC_0001.vdx", AsText(index));
  }

  int Load(const std::string& path) {
    observer_.BeginLoad();
    const int result = file_.LoadVideoRecording(path, &observer_);
    EXPECT_TRUE(observer_.WaitForLoadEnded(kWaitMs));
    return result;
  }

  TempDir dir_;
  WaitingLoadObserver observer_;
  CInfoEventFile file_;
};

TEST_F(InfoEventFileTest, ConstructionValues) {
  EXPECT_EQ(file_.CurrentFrameIndex(), -1);
  EXPECT_EQ(file_.IdentityFlag(), 0);
  EXPECT_EQ(file_.EventCode(), 1);
  EXPECT_EQ(file_.RecordFormat(), 1);
  EXPECT_EQ(file_.AttributeB(), 1);
  EXPECT_EQ(file_.FrameCount(), 0);
  EXPECT_EQ(file_.Source(), FrameSource::kNone);
  EXPECT_FALSE(file_.IsDataFileOpen());
  EXPECT_EQ(file_.GetDurationText(), "");
}

TEST_F(InfoEventFileTest, CurrentTrailerGivesIdentityAndCalibratedFrames) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  records[1].eventBits = 0x04;
  records[2].kind = 3;
  TestTrailer t;
  t.frameCount = 3;
  t.eventCode = 0x20;
  t.ext = 2;
  t.attrC = 33;
  t.attrD = 44;
  t.drid = "\xEC\x9A\xB4\xEC\xA0\x84-ABCDEFGHIJ";  // two Hangul syllables, then ASCII
  t.sdid = "SD-0001";
  WriteIndex(records, EncodeTrailer(t));

  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kRunning);
  EXPECT_EQ(observer_.EndedCount(), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kIndex);
  EXPECT_STREQ(FrameSourceName(file_.Source()), "index");
  ASSERT_EQ(file_.FrameCount(), 3);
  EXPECT_EQ(file_.Drid(), "\xEC\x9A\xB4\xEC\xA0\x84-ABCDEFG");  // ten characters, not ten bytes
  EXPECT_EQ(file_.Sdid(), "SD-0001");
  EXPECT_EQ(file_.AttributeA(), 7);
  EXPECT_EQ(file_.AttributeB(), 9);
  EXPECT_EQ(file_.EventCode(), 0x20);
  EXPECT_EQ(file_.ExtendedEventCode(), 2);
  EXPECT_EQ(file_.AttributeC(), 33);
  EXPECT_EQ(file_.AttributeD(), 44);
  // The recording's event code marks every frame.
  EXPECT_EQ(file_.Frame(0).eventBits, 0x20);
  EXPECT_EQ(file_.Frame(1).eventBits, 0x24);
  EXPECT_EQ(file_.Frame(2).frameKind, 3);
  EXPECT_EQ(file_.Frame(1).dataOffset, records[1].offset);
  EXPECT_EQ(file_.Frame(1).time.second, 11);
  EXPECT_EQ(file_.Frame(0).gps.latHemi, 'N');
  EXPECT_EQ(file_.Frame(0).gps.speed, 50);
  // With all raw offsets 0 nothing is subtracted: a recorder at rest reads 1 g.
  EXPECT_FLOAT_EQ(file_.Frame(0).gZ, 1.0f);
  EXPECT_TRUE(file_.IsDataFileOpen());
  // Out-of-range frames read as zero.
  EXPECT_EQ(file_.Frame(3).dataSize, 0u);
  EXPECT_EQ(file_.Frame(-1).recordValid, 0);
}

TEST_F(InfoEventFileTest, TrailerVariants) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  TestTrailer t;
  t.frameCount = 3;
  t.angle = -30;
  t.ext = 4;

  // The older trailer keeps the angle but has no identity strings or extended code.
  const Bytes full = EncodeTrailer(t);
  WriteIndex(records, Bytes(full.begin(), full.begin() + 26));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kIndex);
  EXPECT_EQ(file_.FrameCount(), 3);
  EXPECT_EQ(file_.InstallAngle(), -30);
  EXPECT_EQ(file_.Drid(), "");
  EXPECT_EQ(file_.Sdid(), "");
  EXPECT_EQ(file_.ExtendedEventCode(), 0);

  // Identity flag 0: angle, offsets, identity and extended bytes keep their
  // construction values, also on a recording that had them from a previous load.
  t.angle = 0;
  t.ox = 10;
  t.oz = 1010;
  WriteIndex(records, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Drid(), "DR-0001");
  t.identity = 0;
  t.angle = 45;
  WriteIndex(records, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.IdentityFlag(), 0);
  EXPECT_EQ(file_.InstallAngle(), 0);
  EXPECT_EQ(file_.Drid(), "");
  EXPECT_EQ(file_.ExtendedEventCode(), 0);
  EXPECT_FLOAT_EQ(file_.OffsetZ(), 0.0f);
  EXPECT_FLOAT_EQ(file_.Frame(0).gZ, 1.0f);
}

TEST_F(InfoEventFileTest, RecordFormatSelectsTheRecordMagic) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  TestTrailer t;
  t.frameCount = 3;
  t.recordFormat = 2;

  // Format 2 expects 0xDD0000A2: the 0xEE0000A1 records are all invalid.
  WriteIndex(records, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kScan);

  for (TestRecord& r : records) r.magic = 0xDD0000A2;
  WriteIndex(records, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kIndex);
  EXPECT_EQ(file_.RecordFormat(), 2);

  t.recordFormat = 1;
  WriteIndex(records, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kScan);
}

TEST_F(InfoEventFileTest, LongRecordsFollowTheFirstVersionByte) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  records[0].version = 2;
  records[1].version = 0;  // only the first record's version counts
  TestTrailer t;
  t.frameCount = 3;
  WriteIndex(records, EncodeTrailer(t), 69);
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kIndex);
  ASSERT_EQ(file_.FrameCount(), 3);
  EXPECT_EQ(file_.Frame(2).dataOffset, records[2].offset);
}

TEST_F(InfoEventFileTest, OneBadRecordMakesTheScanReplaceTheIndex) {
  const std::string trace = (dir_ / "trace.txt").string();
  struct Damage {
    const char* what;
    void (*apply)(TestRecord&);
  };
  const Damage damages[] = {
      {"size 500001", [](TestRecord& r) { r.size = 500001; }},
      {"month 0", [](TestRecord& r) { r.time.month = 0; }},
      {"month 13", [](TestRecord& r) { r.time.month = 13; }},
      {"day 0", [](TestRecord& r) { r.time.day = 0; }},
      {"day 32", [](TestRecord& r) { r.time.day = 32; }},
      {"hour 24", [](TestRecord& r) { r.time.hour = 24; }},
      {"minute 60", [](TestRecord& r) { r.time.minute = 60; }},
      {"second 60", [](TestRecord& r) { r.time.second = 60; }},
      {"valid 0", [](TestRecord& r) { r.valid = 0; }},
      {"valid 2", [](TestRecord& r) { r.valid = 2; }},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    std::vector<TestRecord> records;
    const std::string path = WriteThreePictures(records);
    damage.apply(records[1]);
    TestTrailer t;
    t.frameCount = 3;
    t.eventCode = 8;
    t.angle = 20;
    WriteIndex(records, EncodeTrailer(t));
    TraceRedirect(trace);
    EXPECT_EQ(Load(path), 1);
    TraceRedirect("");
    EXPECT_EQ(observer_.Status().load(), LoadStatus::kRunning);
    EXPECT_EQ(file_.Source(), FrameSource::kScan);
    ASSERT_EQ(file_.FrameCount(), 3);
    // Everything from the trailer is dropped.
    EXPECT_EQ(file_.EventCode(), 1);
    EXPECT_EQ(file_.InstallAngle(), 0);
    EXPECT_EQ(file_.Drid(), "");
    // The scanned frames carry their comment blocks' data.
    EXPECT_EQ(file_.Frame(2).time.second, 32);
    EXPECT_EQ(file_.Frame(0).eventBits, 2);
    EXPECT_NE(TempDir::Read(trace).find("VDX is out of data. Read VDD"), std::string::npos);
    std::filesystem::remove(trace);
  }
}

TEST_F(InfoEventFileTest, LargestFrameIsAcceptedInIndexAndFrameRead) {
  std::vector<TestRecord> records;
  const std::string path =
      WriteData({CommentPicture(TestComment{}, 500000), CommentPicture(TestComment{}, 500001)}, &records);
  ASSERT_EQ(records[0].size, 500000u);
  TestTrailer t;
  t.frameCount = 1;
  WriteIndex({records[0]}, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kIndex);
  std::vector<uint8_t> buffer(FRAMEDATA_MAXSIZE);
  EXPECT_EQ(file_.ReadFrameData(0, buffer.data()), 500000);
  EXPECT_EQ(buffer[0], 0xFF);
  EXPECT_EQ(buffer[499999], 0xD9);

  // The scan finds the 500001-byte picture too, but it cannot be read.
  std::filesystem::remove(dir_ / "REC_0001.vdx");
  EXPECT_EQ(Load(path), 1);
  ASSERT_EQ(file_.FrameCount(), 2);
  EXPECT_EQ(file_.Frame(1).dataSize, 500001u);
  EXPECT_EQ(file_.ReadFrameData(1, buffer.data()), 0);
  EXPECT_EQ(file_.ReadFrameData(0, buffer.data()), 500000);
}

TEST_F(InfoEventFileTest, CalibrationAndInstallAngle) {
  struct Case {
    int8_t angle;
    int16_t ox, oy, oz;
    int16_t x, y, z;
    float offX, offY, offZ;
    float gX, gY, gZ;
  };
  const Case cases[] = {
      // No angle: offsets are thousandths of 1 g, Z calibrated at rest to 1 g.
      {0, 20, -10, 1030, 120, 0, 1000, 0.02f, -0.01f, 0.03f, 0.1f, 0.01f, 0.97f},
      // 90 degrees swaps X and Z (sine 1).
      {90, 50, 0, 1000, 0, 0, 1000, -1.0f, 0.0f, -0.95f, 0.0f, 0.0f, 0.95f},
      // -30 degrees: sine -0.5, cosine 0.866; offsets all 0 subtract nothing.
      {-30, 0, 0, 0, 1000, 250, 0, 0.0f, 0.0f, 0.0f, 0.8660254f, 0.25f, -0.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.angle));
    std::vector<TestRecord> records;
    const std::string path = WriteThreePictures(records);
    records[0].gx = c.x;
    records[0].gy = c.y;
    records[0].gz = c.z;
    TestTrailer t;
    t.frameCount = 3;
    t.angle = c.angle;
    t.ox = c.ox;
    t.oy = c.oy;
    t.oz = c.oz;
    WriteIndex(records, EncodeTrailer(t));
    EXPECT_EQ(Load(path), 1);
    EXPECT_EQ(file_.InstallAngle(), c.angle);
    EXPECT_NEAR(file_.OffsetX(), c.offX, 1e-5);
    EXPECT_NEAR(file_.OffsetY(), c.offY, 1e-5);
    EXPECT_NEAR(file_.OffsetZ(), c.offZ, 1e-5);
    EXPECT_NEAR(file_.Frame(0).gX, c.gX, 1e-5);
    EXPECT_NEAR(file_.Frame(0).gY, c.gY, 1e-5);
    EXPECT_NEAR(file_.Frame(0).gZ, c.gZ, 1e-5);
  }
}

TEST_F(InfoEventFileTest, TraceLinesOfTheTrailer) {
  const std::string trace = (dir_ / "trace.txt").string();
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  TestTrailer t;
  t.frameCount = 3;
  t.angle = 90;
  TraceRedirect(trace);
  WriteIndex(records, EncodeTrailer(t));
  Load(path);
  TraceRedirect("");
  const std::string text = TempDir::Read(trace);
  EXPECT_NE(text.find("DRID:DR-0001, SDID:SD-0001"), std::string::npos);
  EXPECT_NE(text.find("Install Angle : 90"), std::string::npos);
  EXPECT_NE(text.find("offsetX:0.000000, offsetY:0.000000, offsetZ:0.000000"), std::string::npos);
}

TEST_F(InfoEventFileTest, LatitudeRangeDecidesTheFix) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  records[0].latitude = -9000.0;
  records[0].longitude = 18000.0;
  records[1].latitude = -9000.0001;
  records[2].longitude = -18000.00004;  // rounds to -18000.0000
  TestTrailer t;
  t.frameCount = 3;
  WriteIndex(records, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  ASSERT_EQ(file_.FrameCount(), 3);
  EXPECT_EQ(file_.Frame(0).gps.valid, 1);
  EXPECT_EQ(file_.Frame(0).gps.latHemi, 'S');
  EXPECT_EQ(file_.Frame(0).gps.latDeg, 90);
  EXPECT_EQ(file_.Frame(1).gps.valid, 0);
  EXPECT_EQ(file_.Frame(2).gps.valid, 1);
  EXPECT_EQ(file_.Frame(2).gps.lonHemi, 'W');
}

TEST_F(InfoEventFileTest, HugeTrailerFrameCountReadsWhatTheFileHolds) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  TestTrailer t;
  t.frameCount = 0xFFFFFFFF;
  WriteIndex(records, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kRunning);
  EXPECT_EQ(file_.Source(), FrameSource::kIndex);
  EXPECT_EQ(file_.FrameCount(), 3);
}

TEST_F(InfoEventFileTest, IndexWithoutTrailer) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);  // first comment's event code is 2

  // Older magic: format and attribute B 1 and 1; a leading record without a
  // known magic is skipped and the first known one fixes the magic.
  records[0].magic = 0x12345678;
  WriteIndex(records, {});
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kRunning);
  EXPECT_EQ(file_.Source(), FrameSource::kIndexNoTrailer);
  EXPECT_STREQ(FrameSourceName(file_.Source()), "index-no-trailer");
  EXPECT_EQ(file_.FrameCount(), 2);
  EXPECT_EQ(file_.RecordFormat(), 1);
  EXPECT_EQ(file_.AttributeB(), 1);
  EXPECT_EQ(file_.IdentityFlag(), 0);
  EXPECT_EQ(file_.EventCode(), 2);

  // Newer magic: 2 and 101; records of the other magic do not count; the
  // event bits are the record's own.
  for (TestRecord& r : records) r.magic = 0xDD0000A2;
  records[1].magic = 0xEE0000A1;
  records[0].version = 2;
  records[2].eventBits = 16;
  WriteIndex(records, {}, 69);
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kIndexNoTrailer);
  ASSERT_EQ(file_.FrameCount(), 2);
  EXPECT_EQ(file_.RecordFormat(), 2);
  EXPECT_EQ(file_.AttributeB(), 101);
  EXPECT_EQ(file_.Frame(1).eventBits, 16);
  EXPECT_FLOAT_EQ(file_.Frame(1).gZ, 1.0f);

  // Not one usable record: the pictures are read instead.
  for (TestRecord& r : records) r.valid = 0;
  WriteIndex(records, {});
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kScan);
  EXPECT_EQ(file_.FrameCount(), 3);
}

// An index without trailer that ends before its data file gets the rest of
// the frames from the data file, read from the end of its last picture on.
TEST_F(InfoEventFileTest, IndexWithoutTrailerCutShortGetsTheRestFromTheDataFile) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  const struct {
    size_t listed;
    int fromDataFile;
  } cases[] = {{2, 1}, {3, 0}};  // (one record alone is too short for any index)
  for (const auto& c : cases) {
    WriteIndex(std::vector<TestRecord>(records.begin(), records.begin() + static_cast<long>(c.listed)), {});
    EXPECT_EQ(Load(path), 1);
    EXPECT_EQ(observer_.Status().load(), LoadStatus::kRunning) << c.listed;
    EXPECT_EQ(file_.Source(), FrameSource::kIndexNoTrailer) << c.listed;
    EXPECT_EQ(file_.FramesFromDataFile(), c.fromDataFile) << c.listed;
    ASSERT_EQ(file_.FrameCount(), 3) << c.listed;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(file_.Frame(i).dataOffset, records[static_cast<size_t>(i)].offset);
    // The appended frames carry the times of their comment blocks.
    EXPECT_EQ(file_.Frame(2).time.second, c.fromDataFile > 0 ? 32 : 12) << c.listed;
    EXPECT_EQ(file_.UnreadableFrameCount(), 0);
  }
}

TEST_F(InfoEventFileTest, ScanBuildsFramesFromCommentBlocks) {
  TestComment c;
  c.stamp[6] = 15;
  c.kind = 3;
  const Bytes block = EncodeComment(c);
  const std::string path = WriteData({CommentPicture(c), EncodePicture(nullptr, 500), CommentPicture(c, 1000)});
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kRunning);
  EXPECT_EQ(file_.Source(), FrameSource::kScan);
  EXPECT_STREQ(FrameSourceName(file_.Source()), "scan");
  EXPECT_TRUE(observer_.ProgressShown());
  EXPECT_EQ(observer_.ProgressHigh(), 0);
  // The picture without a comment is skipped; the next one is still read.
  ASSERT_EQ(file_.FrameCount(), 2);
  const FRAMEINFOVIDEO& f = file_.Frame(1);
  EXPECT_EQ(f.dataOffset, CommentPicture(c).size() + 500);
  EXPECT_EQ(f.dataSize, 1000u);
  EXPECT_EQ(f.time, (DateTime{2024, 5, 0, 12, 10, 20, 30, 500}));  // 12 May 2024 was a Sunday
  EXPECT_EQ(f.recordValid, 1);
  EXPECT_EQ(f.frameKind, 3);
  EXPECT_EQ(f.pulse, 12);
  EXPECT_EQ(f.signal, 5);
  EXPECT_EQ(f.eventBits, 2);
  EXPECT_FLOAT_EQ(f.gX, 0.1f);
  EXPECT_FLOAT_EQ(f.gY, -0.2f);
  EXPECT_FLOAT_EQ(f.gZ, 0.98f);
  EXPECT_EQ(f.gps.valid, 1);
  EXPECT_EQ(f.gps.lonHemi, 'W');
  EXPECT_EQ(f.gps.lonDeg, 127);
  EXPECT_EQ(f.gps.speed, 77);
  EXPECT_EQ(f.gps.altitude, 120);
  EXPECT_EQ(f.gps.course, 270);

  std::vector<uint8_t> buffer(FRAMEDATA_MAXSIZE);
  ASSERT_EQ(file_.ReadFrameData(1, buffer.data()), 1000);
  EXPECT_EQ(buffer[0], 0xFF);
  EXPECT_EQ(buffer[1], 0xD8);
  EXPECT_EQ(buffer[999], 0xD9);
}

TEST_F(InfoEventFileTest, ScanFailures) {
  // Not FF D8 at the start.
  Bytes notJpeg = CommentPicture(TestComment{});
  notJpeg[1] = 0xD7;
  EXPECT_EQ(Load(WriteData({notJpeg})), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kFailed);
  EXPECT_EQ(file_.FrameCount(), 0);

  // A picture without an end marker yields no frame.
  Bytes open = CommentPicture(TestComment{});
  open.resize(open.size() - 2);
  EXPECT_EQ(Load(WriteData({open})), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kFailed);

  // An empty data file.
  EXPECT_EQ(Load(WriteData({})), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kFailed);

  // No data file at all: the load fails at once.
  EXPECT_EQ(Load((dir_ / "missing.vdd").string()), 0);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kFailed);
  EXPECT_EQ(observer_.EndedCount(), 1);
}

TEST_F(InfoEventFileTest, CancelKeepsTheFramesFoundSoFar) {
  std::vector<Bytes> pictures;
  TestComment c;
  for (int i = 0; i < 30; ++i) {
    c.stamp[6] = static_cast<uint8_t>(i);
    pictures.push_back(CommentPicture(c, 100000));
  }
  const std::string path = WriteData(pictures);
  observer_.SetOnProgress([this](int pos) {
    if (pos >= 1) observer_.Status().store(LoadStatus::kCancel);
  });
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kCancel);
  EXPECT_EQ(observer_.ProgressHigh(), 3);
  EXPECT_EQ(observer_.ProgressPos(), 1);
  // The picture at 1000000 bytes reported the progress; the walk stopped before the next.
  ASSERT_EQ(file_.FrameCount(), 11);
  EXPECT_EQ(file_.Frame(10).dataOffset, 1000000u);
  EXPECT_EQ(file_.Source(), FrameSource::kScan);
}

TEST_F(InfoEventFileTest, FrameReadsStayInsideTheFile) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  records[2].offset = records[2].offset + 50;  // runs 50 bytes past the end
  TestTrailer t;
  t.frameCount = 3;
  WriteIndex(records, EncodeTrailer(t));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.UnreadableFrameCount(), 1);
  EXPECT_TRUE(file_.TakeUnreadableNotice());
  EXPECT_FALSE(file_.TakeUnreadableNotice());
  std::vector<uint8_t> buffer(FRAMEDATA_MAXSIZE);
  EXPECT_EQ(file_.ReadFrameData(2, buffer.data()), 0);
  EXPECT_EQ(file_.ReadFrameData(3, buffer.data()), 0);
  EXPECT_EQ(file_.ReadFrameData(-1, buffer.data()), 0);
  EXPECT_EQ(file_.ReadFrameData(1, buffer.data()), static_cast<int>(records[1].size));

  // The data file shrinks after the load.
  ASSERT_EQ(truncate(path.c_str(), records[1].offset + 10), 0);
  EXPECT_EQ(file_.ReadFrameData(1, buffer.data()), 0);
  EXPECT_EQ(file_.ReadFrameData(0, buffer.data()), static_cast<int>(records[0].size));
  EXPECT_EQ(file_.UnreadableFrameCount(), 2);
}

TEST_F(InfoEventFileTest, ShortIndexFilesFallBackToTheScan) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  Bytes index = EncodeRecord(records[0], 66);
  index.resize(91);
  dir_.Write("REC_0001.vdx", AsText(index));
  EXPECT_EQ(Load(path), 1);
  EXPECT_EQ(file_.Source(), FrameSource::kScan);
  EXPECT_EQ(file_.FrameCount(), 3);
}

TEST_F(InfoEventFileTest, IndexWithoutAnyUsableFrameFallsBackToTheScan) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  TestTrailer t;
  t.drid = "DR-INDEX";
  struct Case {
    const char* what;
    uint32_t frameCount;
    std::vector<TestRecord> records;
  };
  const Case cases[] = {
      {"a trailer that counts 0 frames before whole records", 0, records},
      {"an index cut down to its trailer", 3, {}},
      {"a trailer with neither records nor frames", 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    t.frameCount = c.frameCount;
    WriteIndex(c.records, EncodeTrailer(t));
    EXPECT_EQ(Load(path), 1);
    EXPECT_EQ(observer_.Status().load(), LoadStatus::kRunning);
    EXPECT_EQ(observer_.EndedCount(), 1);
    EXPECT_EQ(file_.Source(), FrameSource::kScan);
    ASSERT_EQ(file_.FrameCount(), 3);
    EXPECT_EQ(file_.Drid(), "");  // nothing of the trailer is kept
    EXPECT_EQ(file_.Frame(2).time.second, 32);
  }

  // Without pictures to scan, such a load is a failure, not an empty success.
  const std::string junk = dir_.Write("JUNK_0002.vdd", "no pictures here").string();
  t.frameCount = 0;
  Bytes index = EncodeTrailer(t);
  dir_.Write("JUNK_0002.vdx", AsText(index));
  EXPECT_EQ(Load(junk), 1);
  EXPECT_EQ(observer_.Status().load(), LoadStatus::kFailed);
  EXPECT_EQ(file_.FrameCount(), 0);
}

TEST_F(InfoEventFileTest, ClearRestoresConstructionValues) {
  std::vector<TestRecord> records;
  const std::string path = WriteThreePictures(records);
  TestTrailer t;
  t.frameCount = 3;
  t.angle = 10;
  t.ox = 5;
  WriteIndex(records, EncodeTrailer(t));
  Load(path);
  file_.SetCurrentFrameIndex(2);
  file_.SetDataFilePath(path);
  file_.Clear();
  EXPECT_EQ(file_.CurrentFrameIndex(), -1);
  EXPECT_EQ(file_.FrameCount(), 0);
  EXPECT_EQ(file_.AttributeA(), 0);
  EXPECT_EQ(file_.AttributeB(), 1);
  EXPECT_EQ(file_.InstallAngle(), 0);
  EXPECT_EQ(file_.Drid(), "");
  EXPECT_FLOAT_EQ(file_.OffsetX(), 0.0f);
  EXPECT_EQ(file_.DataFilePath(), "");
  EXPECT_FALSE(file_.IsDataFileOpen());
  EXPECT_EQ(file_.RecordingPath(), path);
  std::vector<uint8_t> buffer(FRAMEDATA_MAXSIZE);
  EXPECT_EQ(file_.ReadFrameData(0, buffer.data()), 0);
}

TEST_F(InfoEventFileTest, DurationText) {
  struct Case {
    int lastSecond;
    const char* text;
  };
  // From 10:00:00 to 10:00:00 + lastSecond.
  const Case cases[] = {{0, "1 Sec"}, {58, "59 Sec"}, {59, "1 Min"}, {108, "1 Min"}, {109, "2 Min"}, {3599, "60 Min"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lastSecond);
    std::vector<TestRecord> records;
    const std::string path = WriteThreePictures(records);
    records.resize(2);
    records[0].time = DateTime{2024, 3, 0, 31, 10, 0, 0, 0};
    records[1].time = DateTime{2024,
                               3,
                               0,
                               31,
                               static_cast<uint16_t>(10 + c.lastSecond / 3600),
                               static_cast<uint16_t>(c.lastSecond / 60 % 60),
                               static_cast<uint16_t>(c.lastSecond % 60),
                               999};
    TestTrailer t;
    t.frameCount = 2;
    WriteIndex(records, EncodeTrailer(t));
    Load(path);
    EXPECT_EQ(file_.GetDurationText(), c.text);
  }
}

TEST_F(InfoEventFileTest, NullObserverAndDestructionDuringScan) {
  std::vector<Bytes> pictures(200, CommentPicture(TestComment{}, 50000));
  const std::string path = WriteData(pictures);
  {
    CInfoEventFile quiet;
    EXPECT_EQ(quiet.LoadVideoRecording(path, nullptr), 1);
  }  // destroyed while the scan may still run: it stops and is joined
  CInfoEventFile again;
  EXPECT_EQ(again.LoadVideoRecording(path, nullptr), 1);
  again.Clear();
  EXPECT_EQ(again.FrameCount(), 0);
}

}  // namespace
