// Files read whole or by position only when they are regular files, without
// blocking on a FIFO and without reading past a size limit.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/ReadOnlyFile.h"
#include "platform/RegularFile.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(RegularFile, ReadsWholeFilesUpToTheLimit) {
  TempDir dir;
  const auto file = dir.Write("a.ini", "12345");
  const WholeFile exact = ReadRegularFile(file, 5);
  ASSERT_TRUE(exact.content);
  EXPECT_EQ(*exact.content, "12345");
  const WholeFile over = ReadRegularFile(file, 4);
  EXPECT_FALSE(over.content);
  EXPECT_EQ(over.error, FileReadError::kTooLarge);
  ASSERT_TRUE(ReadRegularFile(dir.Write("empty.ini", ""), 0).content);

  // A link to a regular file is that file.
  fs::create_symlink(file, dir / "link.ini");
  EXPECT_EQ(ReadRegularFile(dir / "link.ini", 5).content, "12345");
}

TEST(RegularFile, RefusesWhatIsNotARegularFile) {
  TempDir dir;
  EXPECT_EQ(ReadRegularFile(dir / "missing", 100).error, FileReadError::kCannotOpen);
  EXPECT_EQ(ReadRegularFile(dir.path(), 100).error, FileReadError::kNotRegular);
  // Endless: without the check it would be read until memory runs out.
  EXPECT_EQ(ReadRegularFile("/dev/zero", 1u << 30).error, FileReadError::kNotRegular);
  EXPECT_FALSE(RegularFileOpens("/dev/null"));

  const auto fifo = dir / "fifo";
  ASSERT_TRUE(MakeFifo(fifo));
  WholeFile read;
  bool opens = true;
  ReadOnlyFile positional;
  bool positionalOpens = true;
  EXPECT_TRUE(EndsWithoutWaitingOn(fifo, [&] {
    read = ReadRegularFile(fifo, 100);
    opens = RegularFileOpens(fifo);
    positionalOpens = positional.Open(fifo);
  }));
  EXPECT_EQ(read.error, FileReadError::kNotRegular);
  EXPECT_FALSE(opens);
  EXPECT_FALSE(positionalOpens);
}

TEST(RegularFile, DescriptorsAreReadOnlyAndClosedByTheCaller) {
  TempDir dir;
  const auto file = dir.Write("a.bin", "xyz");
  const int fd = OpenRegularFile(file);
  ASSERT_GE(fd, 0);
  char byte = 0;
  EXPECT_EQ(::read(fd, &byte, 1), 1);
  EXPECT_EQ(byte, 'x');
  EXPECT_LT(::write(fd, "a", 1), 0);
  ::close(fd);
  EXPECT_EQ(OpenRegularFile(""), -1);
}

}  // namespace
