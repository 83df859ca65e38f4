// The skin package reader against hand-made index and bitmap bytes, and the
// writer round-tripped through the reader.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "base/MgrMultiLang.h"
#include "skin/SkinPackage.h"
#include "skin/SkinPackageWriter.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace {

void Put32(std::string& to, uint32_t value) {
  for (int i = 0; i < 4; ++i) to.push_back(static_cast<char>(value >> (8 * i)));
}
void Put16(std::string& to, uint32_t value) {
  for (int i = 0; i < 2; ++i) to.push_back(static_cast<char>(value >> (8 * i)));
}

struct Record {
  int32_t number;
  int32_t left, top, right, bottom;
  int32_t value;
  uint32_t offset;
  int32_t visible;
};

// The unread fields hold junk so that a reader looking at them shows up.
std::string RecordBytes(const Record& r) {
  std::string out;
  Put32(out, static_cast<uint32_t>(r.number));
  Put32(out, 0xAAAAAAAAu);
  for (int32_t v : {r.left, r.top, r.right, r.bottom, r.value}) Put32(out, static_cast<uint32_t>(v));
  Put32(out, 0xBBBBBBBBu);
  Put32(out, r.offset);
  Put32(out, static_cast<uint32_t>(r.visible));
  Put32(out, 0xCCCCCCCCu);
  Put32(out, 0xDDDDDDDDu);
  return out;
}

std::string IndexBytes(uint32_t count, const std::vector<Record>& records) {
  std::string out;
  Put32(out, count);
  for (const Record& r : records) out += RecordBytes(r);
  return out;
}

// Pixel (x, y) counted from the top row has red x*10, green y*10, blue 7.
struct BmpShape {
  int32_t width = 3;
  int32_t height = 2;  // negative: top row first
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  int32_t extraPixelBytes = 0;  // added to the file header's total size
};

std::string BmpBytes(const BmpShape& shape) {
  const int rows = shape.height < 0 ? -shape.height : shape.height;
  const int bytesPerPixel = shape.bitCount / 8;
  const int stride = (shape.width * bytesPerPixel + 3) / 4 * 4;
  std::string pixels;
  for (int stored = 0; stored < rows; ++stored) {
    const int y = shape.height < 0 ? stored : rows - 1 - stored;
    std::string row;
    for (int x = 0; x < shape.width; ++x) {
      row.push_back(7);
      row.push_back(static_cast<char>(y * 10));
      row.push_back(static_cast<char>(x * 10));
      if (bytesPerPixel == 4) row.push_back(static_cast<char>(0xFF));
    }
    row.resize(stride, '\x5A');
    pixels += row;
  }
  std::string out = "BM";
  Put32(out, static_cast<uint32_t>(54 + pixels.size() + shape.extraPixelBytes));
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(shape.width));
  Put32(out, static_cast<uint32_t>(shape.height));
  Put16(out, 1);
  Put16(out, shape.bitCount);
  Put32(out, shape.compression);
  Put32(out, static_cast<uint32_t>(pixels.size()));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  return out + pixels;
}

std::vector<uint8_t> ExpectedRgb(int width, int height) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgb.push_back(static_cast<uint8_t>(x * 10));
      rgb.push_back(static_cast<uint8_t>(y * 10));
      rgb.push_back(7);
    }
  }
  return rgb;
}

class SkinPackageTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLangFilePath(""); }

  // A package whose image file holds the given bytes and whose entry 5
  // points at imageOffset.
  CSkinPackage OpenWithImage(const std::string& image, uint32_t imageOffset = 0) {
    dir_.Write("korvane.chk", image);
    const auto index = dir_.Write("korvane.dsc", IndexBytes(0, {{5, 1, 2, 3, 4, 42, imageOffset, 1}}));
    CSkinPackage package;
    EXPECT_TRUE(package.Open(index));
    return package;
  }

  TempDir dir_;
};

TEST_F(SkinPackageTest, IndexFieldsAndTheImagePathBesideIt) {
  const auto index = dir_.Write("skin/korvane.dsc", IndexBytes(0, {{8, 936, 4, 960, 24, -3, 1234, 7}}));
  CSkinPackage package;
  ASSERT_TRUE(package.Open(index));
  EXPECT_EQ(package.ImagePath(), dir_ / "skin/korvane.chk");
  const SkinControl_Info* info = package.Find(8);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->left, 936);
  EXPECT_EQ(info->top, 4);
  EXPECT_EQ(info->right, 960);
  EXPECT_EQ(info->bottom, 24);
  EXPECT_EQ(info->value, -3);
  EXPECT_EQ(info->offset, 1234u);
  EXPECT_EQ(info->visible, 7);
  EXPECT_EQ(package.Find(9), nullptr);

  EXPECT_EQ(SkinImagePathFor("/a.dsc/b/korvane.dsc"), std::filesystem::path("/a.dsc/b/korvane.chk"));
  EXPECT_EQ(SkinImagePathFor("/skin/korvane"), std::filesystem::path("/skin/korvane.chk"));
}

TEST_F(SkinPackageTest, RecordCountRules) {
  struct Case {
    const char* what;
    uint32_t count;
    std::vector<Record> records;
    std::vector<int> present;
    std::vector<int> absent;
  };
  const std::vector<Case> cases = {
      {"count 0 with one record loads it", 0, {{3, 0, 0, 0, 0, 0, 0, 1}}, {3}, {}},
      {"count n holding only n records", 2, {{1, 0, 0, 0, 0, 0, 0, 1}, {2, 0, 0, 0, 0, 0, 0, 1}}, {1, 2}, {}},
      {"only count + 1 records are read",
       1,
       {{1, 0, 0, 0, 0, 0, 0, 1}, {2, 0, 0, 0, 0, 0, 0, 1}, {3, 0, 0, 0, 0, 0, 0, 1}},
       {1, 2},
       {3}},
      {"a huge count reads what is there", 0xFFFFFFFFu, {{1, 0, 0, 0, 0, 0, 0, 1}}, {1}, {}},
      {"a count with no records loads nothing", 4, {}, {}, {0}},
  };
  for (const Case& c : cases) {
    const auto index = dir_.Write("korvane.dsc", IndexBytes(c.count, c.records));
    CSkinPackage package;
    ASSERT_TRUE(package.Open(index)) << c.what;
    for (int n : c.present) EXPECT_NE(package.Find(n), nullptr) << c.what << ": " << n;
    for (int n : c.absent) EXPECT_EQ(package.Find(n), nullptr) << c.what << ": " << n;
    EXPECT_EQ(package.EntryCount(), c.present.size()) << c.what;
  }
}

TEST_F(SkinPackageTest, LaterDuplicateWinsAndPartialRecordIsIgnored) {
  std::string bytes = IndexBytes(3, {{7, 1, 1, 1, 1, 100, 0, 1}, {7, 2, 2, 2, 2, 200, 0, 0}, {8, 0, 0, 0, 0, 0, 0, 1}});
  // Half a record whose number would otherwise replace entry 7 again.
  bytes += RecordBytes({7, 9, 9, 9, 9, 900, 0, 1}).substr(0, 20);
  CSkinPackage package;
  ASSERT_TRUE(package.Open(dir_.Write("korvane.dsc", bytes)));
  ASSERT_NE(package.Find(7), nullptr);
  EXPECT_EQ(package.Find(7)->value, 200);
  EXPECT_EQ(package.Find(7)->visible, 0);
  EXPECT_EQ(package.EntryCount(), 2u);
}

TEST_F(SkinPackageTest, UnreadableIndexLeavesTheMapEmpty) {
  CSkinPackage package;
  EXPECT_FALSE(package.Open(dir_ / "missing.dsc"));
  EXPECT_EQ(package.EntryCount(), 0u);

  ASSERT_TRUE(package.Open(dir_.Write("good.dsc", IndexBytes(0, {{1, 0, 0, 0, 0, 0, 0, 1}}))));
  EXPECT_FALSE(package.Open(dir_.Write("short.dsc", std::string("\x01\x00", 2))));
  EXPECT_EQ(package.Find(1), nullptr) << "a failed open forgets the earlier package";
}

TEST_F(SkinPackageTest, BitmapsOfEveryOrientationAndDepth) {
  struct Case {
    const char* what;
    BmpShape shape;
  };
  const std::vector<Case> cases = {
      {"24-bit bottom-up with row padding", {3, 2, 24}},
      {"24-bit top-down", {5, -3, 24}},
      {"24-bit rows without padding", {4, 2, 24}},
      {"24-bit one pixel wide", {1, 3, 24}},
      {"32-bit bottom-up", {2, 4, 32}},
      {"32-bit top-down", {4, -1, 32}},
      {"pixel data larger than the rows", {3, 2, 24, 0, 16}},
  };
  for (const Case& c : cases) {
    // Another bitmap in front checks that the offset is honoured.
    const std::string front = BmpBytes({1, 1, 24});
    CSkinPackage package = OpenWithImage(front + BmpBytes(c.shape) + std::string(c.shape.extraPixelBytes, '\0'),
                                         static_cast<uint32_t>(front.size()));
    SkinPicture picture;
    ASSERT_TRUE(package.LoadImage(5, picture)) << c.what;
    const int rows = c.shape.height < 0 ? -c.shape.height : c.shape.height;
    EXPECT_EQ(picture.width, c.shape.width) << c.what;
    EXPECT_EQ(picture.height, rows) << c.what;
    EXPECT_EQ(picture.rgb, ExpectedRgb(c.shape.width, rows)) << c.what;
    EXPECT_EQ(picture.value, 42);
    EXPECT_EQ(picture.left, 1);
    EXPECT_EQ(picture.bottom, 4);
  }
}

TEST_F(SkinPackageTest, DamagedBitmapsAreRefusedAndClearThePicture) {
  const std::string good = BmpBytes({3, 2, 24});
  auto with = [](std::string bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
  };
  struct Case {
    const char* what;
    std::string image;
    uint32_t offset;
  };
  const std::vector<Case> cases = {
      {"truncated pixels", good.substr(0, good.size() - 1), 0},
      {"truncated headers", good.substr(0, 30), 0},
      {"offset beyond the file", good, static_cast<uint32_t>(good.size() + 10)},
      {"offset at the top of the range", good, 0xFFFFFFF0u},
      {"not a bitmap", "XY" + good.substr(2), 0},
      {"pixel offset past the total size", with(good, 10, 1000), 0},
      {"pixel offset inside the headers", with(good, 10, 20), 0},
      {"total size smaller than the rows", with(good, 2, 54 + 8), 0},
      {"total size beyond the file", with(good, 2, 5000), 0},
      {"info header too small", with(good, 14, 12), 0},
      {"zero width", with(good, 18, 0), 0},
      {"negative width", with(good, 18, static_cast<uint32_t>(-3)), 0},
      {"absurd width", with(good, 18, 9000), 0},
      {"absurd height", with(good, 22, static_cast<uint32_t>(-9000)), 0},
      {"most negative height", with(good, 22, static_cast<uint32_t>(INT32_MIN)), 0},
      {"zero height", with(good, 22, 0), 0},
      {"compressed", BmpBytes({3, 2, 24, 1}), 0},
      {"palette picture", BmpBytes({8, 2, 8}), 0},
  };
  for (const Case& c : cases) {
    CSkinPackage package = OpenWithImage(c.image, c.offset);
    SkinPicture picture;
    picture.width = 99;
    picture.rgb.assign(10, 1);
    picture.left = 5;
    EXPECT_FALSE(package.LoadImage(5, picture)) << c.what;
    EXPECT_EQ(picture.width, 0) << c.what;
    EXPECT_TRUE(picture.rgb.empty()) << c.what;
    EXPECT_EQ(picture.left, 0) << c.what;
  }
}

TEST_F(SkinPackageTest, MissingEntryOrImageFile) {
  CSkinPackage package = OpenWithImage(BmpBytes({3, 2, 24}));
  SkinPicture picture;
  picture.height = 4;
  EXPECT_FALSE(package.LoadImage(6, picture));
  EXPECT_EQ(picture.height, 0);
  std::filesystem::remove(package.ImagePath());
  EXPECT_FALSE(package.LoadImage(5, picture));
}

TEST_F(SkinPackageTest, AFifoInPlaceOfEitherFileIsRefusedWithoutWaiting) {
  CSkinPackage package = OpenWithImage(BmpBytes({3, 2, 24}));
  std::filesystem::remove(package.ImagePath());
  ASSERT_TRUE(MakeFifo(package.ImagePath()));
  SkinPicture picture;
  bool loaded = true;
  EXPECT_TRUE(EndsWithoutWaitingOn(package.ImagePath(), [&] { loaded = package.LoadImage(5, picture); }));
  EXPECT_FALSE(loaded);

  const auto index = dir_ / "fifo/korvane.dsc";
  ASSERT_TRUE(MakeFifo(index));
  CSkinPackage fromFifo;
  bool opened = true;
  EXPECT_TRUE(EndsWithoutWaitingOn(index, [&] { opened = fromFifo.Open(index); }));
  EXPECT_FALSE(opened);
}

TEST_F(SkinPackageTest, MessagesNameTheFilesToCheck) {
  EXPECT_EQ(MissingEntryMessage(), "Check File : .dsc,.chk");
  EXPECT_EQ(OpenFailedMessage("/media/card/korvane.dsc"), "Check File : /media/card/korvane.dsc");
}

TEST_F(SkinPackageTest, WriterRoundTrip) {
  CSkinPackageWriter writer;
  const std::vector<uint8_t> odd = ExpectedRgb(5, 3);  // 15-byte rows need padding
  ASSERT_TRUE(writer.AddPicture(51, {0, 0, 5, 3}, 0, true, 5, 3, odd));
  ASSERT_TRUE(writer.AddPicture(8, {936, 4, 960, 24}, 9, false, 4, 1, ExpectedRgb(4, 1)));
  writer.AddRect(1, {12, 64, 612, 514}, true);
  EXPECT_FALSE(writer.AddPicture(9, {}, 0, true, 4, 4, ExpectedRgb(4, 3))) << "pixels of the wrong size";
  EXPECT_FALSE(writer.AddPicture(9, {}, 0, true, 0, 0, {}));
  const auto index = dir_ / "korvane.dsc";
  ASSERT_TRUE(writer.Write(index));
  EXPECT_EQ(std::filesystem::file_size(index), 4 + 3 * 48u);

  CSkinPackage package;
  ASSERT_TRUE(package.Open(index));
  EXPECT_EQ(package.EntryCount(), 3u);
  SkinPicture picture;
  ASSERT_TRUE(package.LoadImage(51, picture));
  EXPECT_EQ(picture.rgb, odd);
  ASSERT_TRUE(package.LoadImage(8, picture));
  EXPECT_EQ(picture.width, 4);
  EXPECT_EQ(picture.value, 9);
  EXPECT_EQ(picture.right, 960);
  EXPECT_EQ(package.Find(8)->visible, 0);
  EXPECT_EQ(package.Find(1)->visible, 1);
  EXPECT_EQ(package.Find(1)->bottom, 514);
  EXPECT_FALSE(package.LoadImage(1, picture)) << "a window entry has no picture";
}

TEST_F(SkinPackageTest, WriterReplacesWholeFilesAndLeavesNoTemporaries) {
  const auto index = dir_ / "korvane.dsc";
  CSkinPackageWriter big;
  for (int n = 0; n < 10; ++n) ASSERT_TRUE(big.AddPicture(n, {}, 0, true, 8, 8, ExpectedRgb(8, 8)));
  ASSERT_TRUE(big.Write(index));
  CSkinPackageWriter small;
  ASSERT_TRUE(small.AddPicture(3, {}, 0, true, 1, 1, ExpectedRgb(1, 1)));
  ASSERT_TRUE(small.Write(index));
  EXPECT_EQ(std::filesystem::file_size(index), 4 + 48u);
  EXPECT_EQ(std::filesystem::file_size(dir_ / "korvane.chk"), 54 + 4u);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) ++files;
  EXPECT_EQ(files, 2);

  EXPECT_FALSE(small.Write(dir_ / "no/such/folder/korvane.dsc"));
  CSkinPackageWriter none;
  ASSERT_TRUE(none.Write(index));
  CSkinPackage package;
  ASSERT_TRUE(package.Open(index));
  EXPECT_EQ(package.EntryCount(), 0u) << "an empty package has no entry to repeat";
}

}  // namespace
