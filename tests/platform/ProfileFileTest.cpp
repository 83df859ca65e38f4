#include <gtest/gtest.h>

#include "platform/ProfileFile.h"
#include "platform/Trace.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace {

constexpr std::string_view kSettings =
    "\xEF\xBB\xBF[SET]\r\n"
    "CarPulseType=3\r\n"
    "Name =  \"Main car\"  \r\n"
    "Empty=\r\n"
    "Junk=abc\r\n"
    "Signed=-12xyz\r\n"
    "\r\n"
    "[SDINFO]\r\n"
    "VERSIONID=1\r\n";

TEST(ProfileFile, ReadsSectionsAndKeysWithoutRegardToCase) {
  TempDir dir;
  const auto file = dir.Write("set.ini", kSettings);
  EXPECT_EQ(ReadProfileInt(file, "set", "CARPULSETYPE", -1), 3);
  EXPECT_EQ(ReadProfileInt(file, "SdInfo", "versionid", 0), 1);
  EXPECT_EQ(ReadProfileString(file, "SET", "name", "x"), "Main car");
}

TEST(ProfileFile, DefaultsOnlyForWhatIsMissing) {
  TempDir dir;
  const auto file = dir.Write("set.ini", kSettings);
  EXPECT_EQ(ReadProfileString(file, "SET", "Empty", "dflt"), "");
  EXPECT_EQ(ReadProfileString(file, "SET", "Absent", "dflt"), "dflt");
  EXPECT_EQ(ReadProfileString(file, "NOPE", "Name", "dflt"), "dflt");
  EXPECT_EQ(ReadProfileString(dir / "missing.ini", "SET", "Name", "dflt"), "dflt");
  EXPECT_EQ(ReadProfileInt(file, "SET", "Empty", 7), 7);
  EXPECT_EQ(ReadProfileInt(file, "SET", "Absent", -1), -1);
}

TEST(ProfileFile, IntegersFollowTheLeadingDigitsRule) {
  TempDir dir;
  const auto file = dir.Write("set.ini", kSettings);
  EXPECT_EQ(ReadProfileInt(file, "SET", "Junk", 5), 0);
  EXPECT_EQ(ReadProfileInt(file, "SET", "Signed", 5), -12);
  EXPECT_EQ(LeadingInt("  42abc"), 42);
  EXPECT_EQ(LeadingInt("99999999999999"), 2147483647);
  EXPECT_EQ(LeadingInt(""), 0);
}

TEST(ProfileFile, StringsAreCutToTheCallersBuffer) {
  TempDir dir;
  const std::string longValue(600, 'a');
  const auto file = dir.Write("x.ini", "[S]\nK=" + longValue + "\n");
  EXPECT_EQ(ReadProfileString(file, "S", "K", "", kProfileBuffer260).size(), 259u);
  EXPECT_EQ(ReadProfileString(file, "S", "K", "", kProfileBuffer500).size(), 499u);
  // Characters, not bytes: a cut never splits a character.
  const auto wide = dir.Write("w.ini", "[S]\nK=" + std::string(258, 'x') + "\xC3\xA4\xC3\xB6\n");
  EXPECT_EQ(ReadProfileString(wide, "S", "K", "", 260), std::string(258, 'x') + "\xC3\xA4");
}

TEST(ProfileFile, WritesKeyByKeyAndKeepsOtherLines) {
  TempDir dir;
  const auto file = dir.Write("set.ini", "; recorder settings\r\n[SET]\r\nA=1\r\nB=2\r\n\r\n[OTHER]\r\nC=3\r\n");
  ASSERT_TRUE(WriteProfileInt(file, "set", "b", 20));
  ASSERT_TRUE(WriteProfileString(file, "SET", "New", "x y"));
  ASSERT_TRUE(WriteProfileString(file, "Fresh", "K", "v"));
  EXPECT_EQ(TempDir::Read(file),
            "; recorder settings\r\n[SET]\r\nA=1\r\nB=20\r\nNew=x y\r\n\r\n[OTHER]\r\nC=3\r\n[Fresh]\r\nK=v\r\n");
  EXPECT_EQ(ReadProfileInt(file, "SET", "B", 0), 20);
}

TEST(ProfileFile, ARewriteKeepsTheByteOrderMark) {
  struct Case {
    const char* what;
    std::string before;
    std::string after;
  };
  const std::string bom = "\xEF\xBB\xBF";
  const Case cases[] = {
      {"one mark", bom + "[SET]\r\nA=1\r\n", bom + "[SET]\r\nA=1\r\nB=2\r\n"},
      // Only the first is a mark; the line after it is no section.
      {"two marks", bom + bom + "[SET\r\nA=1\r\n", bom + bom + "[SET\r\nA=1\r\n[SET]\r\nB=2\r\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto file = dir.Write("set.ini", c.before);
    ASSERT_TRUE(WriteProfileString(file, "SET", "B", "2")) << c.what;
    EXPECT_EQ(TempDir::Read(file), c.after) << c.what;
    EXPECT_EQ(ReadProfileInt(file, "SET", "B", 0), 2) << c.what;
  }
}

TEST(ProfileFile, CreatesTheFileWithWindowsLineEnds) {
  TempDir dir;
  const auto file = dir / "new.ini";
  ASSERT_TRUE(WriteProfileInt(file, "SET", "CARPULSETYPE", -1));
  EXPECT_EQ(TempDir::Read(file), "[SET]\r\nCARPULSETYPE=-1\r\n");
  EXPECT_EQ(ReadProfileInt(file, "SET", "CARPULSETYPE", 0), -1);
}

TEST(ProfileFile, FailedWriteReportsFailureAndLeavesNothingBehind) {
  TempDir dir;
  EXPECT_FALSE(WriteProfileInt(dir / "no-such-folder" / "set.ini", "SET", "A", 1));
  // A folder in the file's place cannot be replaced: the write fails cleanly.
  const auto blocked = dir.path() / "set.ini";
  std::filesystem::create_directories(blocked / "inside");
  EXPECT_FALSE(WriteProfileInt(blocked, "SET", "A", 2));
  EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file left";
}

TEST(ProfileFile, AFifoInPlaceOfTheFileIsNeitherReadNorReplaced) {
  TempDir dir;
  const auto fifo = dir / "config/set.ini";
  ASSERT_TRUE(MakeFifo(fifo));
  int value = 0;
  std::string text;
  bool written = true;
  EXPECT_TRUE(EndsWithoutWaitingOn(fifo, [&] {
    value = ReadProfileInt(fifo, "SET", "CARPULSETYPE", 7);
    text = ReadProfileString(fifo, "SET", "Name", "dflt");
    written = WriteProfileInt(fifo, "SET", "CARPULSETYPE", 1);
  }));
  EXPECT_EQ(value, 7);
  EXPECT_EQ(text, "dflt");
  EXPECT_FALSE(written);
  EXPECT_EQ(std::filesystem::symlink_status(fifo).type(), std::filesystem::file_type::fifo);
}

TEST(ProfileFile, AFileOverOneMebibyteIsNeitherReadNorRewritten) {
  constexpr uintmax_t kMebibyte = 1024 * 1024;
  TempDir dir;
  const auto file = dir.Write("set.ini", "[SET]\r\nA=5\r\n");
  // Sparse: NUL bytes after the key, as a damaged or hostile card holds them.
  std::filesystem::resize_file(file, kMebibyte + 1);
  const auto trace = dir / "trace.txt";
  TraceRedirect(trace.string());
  const int value = ReadProfileInt(file, "SET", "A", 9);
  TraceRedirect("");
  EXPECT_EQ(value, 9);
  EXPECT_NE(TempDir::Read(trace).find(file.string()), std::string::npos) << "the refusal is traced";
  EXPECT_FALSE(WriteProfileInt(file, "SET", "A", 6));
  EXPECT_EQ(std::filesystem::file_size(file), kMebibyte + 1);

  std::filesystem::resize_file(file, kMebibyte);
  EXPECT_EQ(ReadProfileInt(file, "SET", "A", 9), 5) << "up to the limit the file is read";
}

}  // namespace
