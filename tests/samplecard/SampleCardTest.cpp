// The sample card as a whole: determinism, the pictures, where the comment
// block sits, the index files, the logs' lines, and which variants the
// default card holds.

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <set>
#include <sstream>

#include "samplecard/SampleCard.h"
#include "samplecard/SampleCommentBlock.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

namespace fs = std::filesystem;

uint16_t Le16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8));
}
uint32_t Le32(const std::string& b, size_t at) { return Le16(b, at) | (static_cast<uint32_t>(Le16(b, at + 2)) << 16); }
double LeF64(const std::string& b, size_t at) {
  double v = 0;
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

// A card small enough to be made in milliseconds.
SampleCardOptions TinyOptions() {
  SampleCardOptions o;
  o.events = 2;
  o.normals = 1;
  o.logs = 1;
  o.minutes = 1;
  o.eventSeconds = 3;
  o.fps = 5;
  o.width = 160;
  o.height = 120;
  return o;
}

// The default card's counts, with small pictures so that it is made quickly.
SampleCardOptions DefaultCountsSmallPictures() {
  SampleCardOptions o;
  o.width = 64;
  o.height = 48;
  o.fps = 2;
  return o;
}

std::map<std::string, std::string> ReadTree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = TempDir::Read(entry.path());
  }
  return files;
}

class SampleCardTest : public ::testing::Test {
 protected:
  SampleCard Make(const SampleCardOptions& options, const std::string& name = "card") {
    SampleCard card;
    std::string error;
    EXPECT_TRUE(WriteSampleCard(dir_ / name, options, &card, &error)) << error;
    return card;
  }

  TempDir dir_;

 private:
  ZoneGuard zone_;
};

TEST_F(SampleCardTest, SameSeedGivesTheSameBytesAndAnotherSeedDoesNot) {
  SampleCardOptions options = TinyOptions();
  Make(options, "a");
  Make(options, "b");
  options.seed = 2;
  Make(options, "c");
  const auto a = ReadTree(dir_ / "a");
  EXPECT_EQ(a, ReadTree(dir_ / "b"));
  const auto c = ReadTree(dir_ / "c");
  ASSERT_EQ(a.size(), c.size());
  EXPECT_NE(a, c);
  EXPECT_EQ(a.size(), 2u * 2 + 2 + 1 + 2);  // event pairs, a normal pair, a log, set.ini and version.ini
}

TEST_F(SampleCardTest, RefusesAFolderInUseAndOptionsOutOfRange) {
  std::string error;
  dir_.Write("used/keep.txt", "mine");
  EXPECT_FALSE(WriteSampleCard(dir_ / "used", TinyOptions(), nullptr, &error));
  EXPECT_EQ(TempDir::Read(dir_ / "used/keep.txt"), "mine");
  EXPECT_FALSE(fs::exists(dir_ / "used/ch1"));

  SampleCardOptions bad = TinyOptions();
  bad.fps = 0;
  EXPECT_FALSE(WriteSampleCard(dir_ / "bad", bad, nullptr, &error));
  bad = TinyOptions();
  bad.pulseType = 6;
  EXPECT_FALSE(WriteSampleCard(dir_ / "bad", bad, nullptr, &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(SampleCardTest, PicturesDecodeAtTheirSizeWithTheCommentBlockAfterTheAppSegments) {
  SampleCardOptions options = TinyOptions();
  options.events = 3;  // the third is a half-height one
  const SampleCard card = Make(options);
  tjhandle decoder = tjInitDecompress();
  std::vector<uint8_t> pixels;
  bool sawHalf = false;
  bool sawApp1 = false;
  for (const SampleVideo& video : card.videos) {
    const std::string data = TempDir::Read(video.dataPath);
    ASSERT_EQ(data.size(), video.dataBytes);
    sawHalf |= video.halfHeight;
    sawApp1 |= video.app1;
    EXPECT_EQ(video.height, video.halfHeight ? options.height / 2 : options.height);
    uint32_t expectedOffset = 0;
    for (const SampleFrame& frame : video.frames) {
      ASSERT_EQ(frame.offset, expectedOffset);
      expectedOffset += frame.size;
      const std::string picture = data.substr(frame.offset, frame.size);
      const auto* bytes = reinterpret_cast<const unsigned char*>(picture.data());
      int width = 0, height = 0, subsampling = 0, colourspace = 0;
      ASSERT_EQ(tjDecompressHeader3(decoder, bytes, picture.size(), &width, &height, &subsampling, &colourspace), 0);
      EXPECT_EQ(width, video.width);
      EXPECT_EQ(height, video.height);
      pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
      ASSERT_EQ(tjDecompress2(decoder, bytes, picture.size(), pixels.data(), width, 0, height, TJPF_RGB, 0), 0);

      // FF D8, the 16-byte JFIF APP0, maybe an APP1, then FF FE with length 61.
      ASSERT_EQ(picture.substr(0, 2), "\xFF\xD8");
      ASSERT_EQ(picture.substr(2, 4), std::string("\xFF\xE0\x00\x10", 4));
      EXPECT_EQ(picture.substr(6, 5), std::string("JFIF\0", 5));
      size_t at = 2 + 2 + 16;
      if (video.app1) {
        ASSERT_EQ(picture.substr(at, 2), "\xFF\xE1");
        at += 2 + ((static_cast<uint8_t>(picture[at + 2]) << 8) | static_cast<uint8_t>(picture[at + 3]));
      }
      ASSERT_EQ(picture.substr(at, 4), std::string("\xFF\xFE\x00\x3D", 4));
      const std::string block = picture.substr(at + 4, kSampleCommentBlockSize);
      const SampleCommentBlock expected = MakeSampleCommentBlock(frame);
      EXPECT_EQ(block, std::string(expected.begin(), expected.end()));
      // A few fields read straight from their offsets.
      EXPECT_EQ(static_cast<uint8_t>(block[0]) + 2000, frame.time.year);
      EXPECT_EQ(static_cast<uint8_t>(block[6]), frame.frameNumber);
      EXPECT_EQ(Le16(block, 9), frame.pulse);
      EXPECT_EQ(static_cast<uint8_t>(block[11]), frame.kind);
      EXPECT_EQ(LeF64(block, 21), frame.latitude);
      EXPECT_EQ(static_cast<uint8_t>(block[44]), video.eventCode);
      EXPECT_EQ(static_cast<int16_t>(Le16(block, 45)), frame.gX);
      // The first FF D9 is the picture's own end, as a data-file scan finds it.
      EXPECT_EQ(picture.find("\xFF\xD9"), picture.size() - 2);
    }
  }
  tjDestroy(decoder);
  EXPECT_TRUE(sawHalf);
  EXPECT_TRUE(sawApp1);
}

TEST_F(SampleCardTest, IndexRecordsPointAtThePicturesAndTheTrailerDescribesTheRecording) {
  const SampleCard card = Make(TinyOptions());
  const SampleVideo& video = card.videos.front();  // 92-byte trailer with identity, 69-byte records
  ASSERT_EQ(video.variant, SampleIndexVariant::kTrailer92);
  ASSERT_EQ(video.identityFlag, 1);
  const std::string index = TempDir::Read(video.indexPath);
  const size_t n = video.frames.size();
  ASSERT_EQ(index.size(), n * 69 + 92);
  for (size_t i = 0; i < n; ++i) {
    const size_t r = i * 69;
    const SampleFrame& frame = video.frames[i];
    EXPECT_EQ(Le32(index, r), 0xEE0000A1u);
    EXPECT_EQ(static_cast<uint8_t>(index[r + 4]), 2);
    EXPECT_EQ(Le32(index, r + 5), frame.offset);
    EXPECT_EQ(Le32(index, r + 9), frame.size);
    EXPECT_EQ(Le16(index, r + 13), frame.time.year);
    EXPECT_EQ(Le16(index, r + 27), frame.time.milliseconds);
    EXPECT_EQ(frame.time.milliseconds, frame.frameNumber * 1000 / 30);
    EXPECT_EQ(static_cast<uint8_t>(index[r + 29]), 1);
    EXPECT_EQ(static_cast<uint8_t>(index[r + 30]), frame.kind);
    EXPECT_EQ(static_cast<int16_t>(Le16(index, r + 35)), frame.gZ);
    EXPECT_EQ(LeF64(index, r + 46), frame.longitude);
    EXPECT_EQ(Le16(index, r + 54), frame.speed);
    EXPECT_EQ(static_cast<uint8_t>(index[r + 62]), video.eventCode);
    EXPECT_EQ(Le16(index, r + 64), frame.pulse);
  }
  const std::string trailer = index.substr(n * 69);
  EXPECT_EQ(Le32(trailer, 0), 0xFF0000A0u);
  EXPECT_EQ(static_cast<uint8_t>(trailer[5]), 1);
  EXPECT_EQ(static_cast<uint8_t>(trailer[7]), video.eventCode);
  EXPECT_EQ(Le32(trailer, 10), n);
  EXPECT_EQ(static_cast<int8_t>(trailer[14]), video.calibration.angle);
  EXPECT_EQ(static_cast<int16_t>(Le16(trailer, 20)), video.calibration.offsetZ);
  EXPECT_EQ(trailer.substr(26, 30), std::string(kSampleDrid) + std::string(30 - std::strlen(kSampleDrid), '\0'));
  EXPECT_EQ(trailer.substr(56, 11), kSampleSdid);

  // The second event's trailer has no identity: everything after byte 13 is zero.
  const SampleVideo& plain = card.videos[1];
  ASSERT_EQ(plain.identityFlag, 0);
  const std::string plainIndex = TempDir::Read(plain.indexPath);
  const std::string plainTrailer = plainIndex.substr(plainIndex.size() - 92);
  EXPECT_EQ(Le32(plainTrailer, 0), 0xFF0000A0u);
  EXPECT_EQ(plainTrailer.substr(14), std::string(92 - 14, '\0'));
}

TEST_F(SampleCardTest, FramesFollowTheTriggerAndThePulsesFollowTheSpeed) {
  SampleCardOptions options = TinyOptions();
  options.pulseType = 4;  // twenty pulses, k = 1/20
  const SampleCard card = Make(options);
  for (const SampleVideo& video : card.videos) {
    for (size_t i = 0; i < video.frames.size(); ++i) {
      const SampleFrame& frame = video.frames[i];
      if (video.kind == SampleVideoKind::kNormal)
        EXPECT_EQ(frame.kind, 1);
      else
        EXPECT_EQ(frame.kind, static_cast<int>(i) >= video.triggerFrame ? 3 : 2);
      if (!frame.gpsValid) continue;
      const int pulseKmh = static_cast<int>(frame.pulse * 60 * (1.0 / 20) * 60 / 637);
      EXPECT_NEAR(pulseKmh, frame.speed, 2) << "frame " << i;
    }
  }
  // The shock at the trigger stands out from the ride before it.
  const SampleVideo& event = card.videos.front();
  const SampleFrame& trigger = event.frames[static_cast<size_t>(event.triggerFrame)];
  const SampleFrame& before = event.frames[static_cast<size_t>(event.triggerFrame - 1)];
  EXPECT_GT(std::abs(trigger.gX - before.gX), 1000);
  EXPECT_GT(trigger.gZ - before.gZ, 500);
}

TEST_F(SampleCardTest, LogLinesCarryValidChecksumsAndTheRecordsAsDescribed) {
  SampleCardOptions options = TinyOptions();
  options.logs = 2;
  const SampleCard card = Make(options);
  ASSERT_EQ(card.logs.size(), 2u);
  EXPECT_FALSE(card.logs[0].byteOrderMark);
  EXPECT_TRUE(card.logs[1].byteOrderMark);
  for (const SampleLog& log : card.logs) {
    std::string text = TempDir::Read(log.path);
    ASSERT_EQ(text.size(), log.bytes);
    if (log.byteOrderMark) {
      ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
      text.erase(0, 3);
    }
    std::vector<std::string> data;
    size_t at = 0;
    while (at < text.size()) {
      const size_t end = text.find("\r\n", at);
      ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
      const std::string line = text.substr(at, end - at);
      at = end + 2;
      ASSERT_EQ(line[0], '$');
      const size_t star = line.find('*');
      ASSERT_EQ(star, line.size() - 3) << line;
      unsigned sum = 0;
      for (size_t k = 1; k < star; ++k) sum ^= static_cast<unsigned char>(line[k]);
      EXPECT_EQ(std::strtoul(line.substr(star + 1).c_str(), nullptr, 16), sum) << line;
      EXPECT_EQ(line.find('\n'), std::string::npos);
      if (line.rfind("$KXDRL,", 0) == 0) data.push_back(line);
    }
    EXPECT_EQ(text.rfind("$KXDRL3,3,KX17A00042,SD-7F3A-201,", 0), 0u);
    ASSERT_EQ(data.size(), log.records.size());
    const SampleLogRecord& first = log.records.front();
    std::ostringstream expected;
    expected << "$KXDRL,1," << first.valueA << "," << first.gX << "," << first.gY << "," << first.gZ << ",";
    EXPECT_EQ(data[0].rfind(expected.str(), 0), 0u) << data[0];
    // Local time in the data sentence, UTC in $GPRMC: two hours apart in a Berlin summer.
    const std::time_t when = static_cast<std::time_t>(first.localSeconds);
    std::tm local{};
    localtime_r(&when, &local);
    EXPECT_EQ((local.tm_hour - first.utc.hour + 24) % 24, 2);
    char rmcTime[32];
    std::snprintf(rmcTime, sizeof rmcTime, "$GPRMC,%02d%02d%02d.000,", first.utc.hour, first.utc.minute,
                  first.utc.second);
    EXPECT_NE(text.find(rmcTime), std::string::npos);
  }
}

TEST_F(SampleCardTest, SettingsFilesAreWindowsProfileFiles) {
  SampleCardOptions options = TinyOptions();
  options.pulseType = 3;
  Make(options);
  EXPECT_EQ(TempDir::Read(dir_ / "card/config/set.ini"), "[SET]\r\nCARPULSETYPE=3\r\n");
  EXPECT_EQ(TempDir::Read(dir_ / "card/config/version.ini"), "[INFO]\r\nVERSION=KX-1.42.7\r\n");
  EXPECT_TRUE(fs::is_directory(dir_ / "card/ch1/event"));
  EXPECT_TRUE(fs::is_directory(dir_ / "card/ch1/normal"));
  EXPECT_TRUE(fs::is_directory(dir_ / "card/log"));
}

TEST_F(SampleCardTest, TheDefaultCardHoldsEveryVariant) {
  const SampleCard card = Make(DefaultCountsSmallPictures());
  ASSERT_EQ(card.videos.size(), 9u);
  ASSERT_EQ(card.logs.size(), 2u);
  std::set<std::string> seen;
  std::set<int> eventCodes;
  std::set<int> normalCodes;
  for (const SampleVideo& v : card.videos) {
    if (v.kind == SampleVideoKind::kEvent)
      eventCodes.insert(v.eventCode);
    else
      normalCodes.insert(v.eventCode);
    if (v.variant == SampleIndexVariant::kTrailer92) seen.insert(v.identityFlag ? "92 identity" : "92 plain");
    if (v.variant == SampleIndexVariant::kTrailer26) seen.insert("26");
    if (v.variant == SampleIndexVariant::kNoTrailer) seen.insert("no trailer");
    if (v.variant == SampleIndexVariant::kNoIndex) continue;
    seen.insert("records " + std::to_string(v.recordSize));
    seen.insert("format " + std::to_string(v.recordFormat));
    if (v.damage != SampleIndexDamage::kNone) seen.insert("damaged");
    if (!v.dataSuffix.empty()) seen.insert("suffix");
    if (v.calibration.angle != 0) seen.insert("angle");
    if (v.calibration.offsetX != 0) seen.insert("offsets");
    if (v.eventCode == 32 && v.extendedCode >= 1 && v.extendedCode <= 4) seen.insert("extended");
    if (v.halfHeight) seen.insert("half height");
    if (v.app1) seen.insert("app1");
    // The index holds exactly the records and trailer of its variant.
    const size_t trailer = v.variant == SampleIndexVariant::kTrailer92   ? 92
                           : v.variant == SampleIndexVariant::kTrailer26 ? 26
                                                                         : 0;
    EXPECT_EQ(fs::file_size(v.indexPath), v.frames.size() * v.recordSize + trailer);
  }
  for (const char* variant : {"92 identity", "92 plain", "26", "no trailer", "records 66", "records 69", "format 1",
                              "format 2", "damaged", "suffix", "angle", "offsets", "extended", "half height", "app1"}) {
    EXPECT_TRUE(seen.count(variant)) << variant;
  }
  EXPECT_EQ(eventCodes, (std::set<int>{1, 2, 4, 8, 16, 32}));
  EXPECT_EQ(normalCodes, (std::set<int>{0}));
  EXPECT_NE(DescribeSampleCard(card).find("6 event, 3 normal and 2 log recordings"), std::string::npos);
}

TEST_F(SampleCardTest, TheDamagedRecordIsTheOnlyOneThatFailsItsChecks) {
  const SampleCard card = Make(DefaultCountsSmallPictures());
  int damaged = 0;
  for (const SampleVideo& v : card.videos) {
    if (v.damage == SampleIndexDamage::kNone) continue;
    ++damaged;
    const std::string index = TempDir::Read(v.indexPath);
    const uint32_t good = v.recordFormat == 2 ? 0xDD0000A2u : 0xEE0000A1u;
    for (size_t i = 0; i < v.frames.size(); ++i) {
      const size_t r = i * v.recordSize;
      const bool isDamaged = static_cast<int>(i) == v.damagedRecord;
      const bool magicOk = Le32(index, r) == good;
      const bool monthOk = Le16(index, r + 15) >= 1 && Le16(index, r + 15) <= 12;
      EXPECT_EQ(magicOk && monthOk, !isDamaged) << "record " << i;
    }
  }
  EXPECT_EQ(damaged, 2);
}

TEST_F(SampleCardTest, TheSuffixedDataFileHasNoIndexOfItsOwnName) {
  SampleCardOptions options = TinyOptions();
  options.events = 6;
  const SampleCard card = Make(options);
  int suffixed = 0;
  for (const SampleVideo& v : card.videos) {
    if (v.dataSuffix.empty()) continue;
    ++suffixed;
    const std::string name = v.dataPath.stem().string();
    ASSERT_EQ(name.size(), 20u + 8u);
    EXPECT_EQ(name[name.size() - 8], '_');
    fs::path sameName = v.dataPath;
    EXPECT_FALSE(fs::exists(sameName.replace_extension(".vdx")));
    // Dropping the suffix finds the index.
    EXPECT_EQ(v.indexPath, v.dataPath.parent_path() / (name.substr(0, name.size() - 8) + ".vdx"));
    EXPECT_TRUE(fs::exists(v.indexPath));
  }
  EXPECT_EQ(suffixed, 1);
}

}  // namespace
