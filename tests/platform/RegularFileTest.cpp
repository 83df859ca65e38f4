// Files read whole or by position only when they are regular files, without
// blocking on a FIFO and without reading past a size limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/OpenFolder.h"
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

TEST(RegularFile, FilesOpenThroughTheirFolderAsByTheirPaths) {
  TempDir dir;
  dir.Write("f/a.bin", "abc");
  dir.Write("f/sub/b.bin", "de");
  dir.Write("c.bin", "f");
  const std::string folder = (dir / "f").string() + "/";
  const OpenFolder through(folder);
  EXPECT_STREQ(through.PlaceOf(folder + "a.bin").name, "a.bin");
  EXPECT_NE(through.PlaceOf(folder + "a.bin").folderFd, AT_FDCWD);
  // Anything not directly in the folder goes by its whole path.
  for (const std::string& path : {folder + "sub/b.bin", (dir / "c.bin").string(), folder}) {
    EXPECT_EQ(through.PlaceOf(path).folderFd, AT_FDCWD) << path;
    EXPECT_EQ(through.PlaceOf(path).name, path);
  }
  for (const auto& [path, size] : std::vector<std::pair<std::string, int64_t>>{
           {folder + "a.bin", 3}, {folder + "sub/b.bin", 2}, {(dir / "c.bin").string(), 1}}) {
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(path, through)) << path;
    EXPECT_EQ(file.OpenedSize(), size);
  }
  ReadOnlyFile none;
  EXPECT_FALSE(none.Open(folder + "sub", through));
  EXPECT_FALSE(none.Open(folder + "missing", through));
  // Named without its "/", the folder is not held: names would not join it.
  EXPECT_EQ(OpenFolder((dir / "f").string()).PlaceOf(folder + "a.bin").folderFd, AT_FDCWD);
}

}  // namespace
