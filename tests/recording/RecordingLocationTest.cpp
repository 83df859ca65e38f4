// A recording handed to the viewer (a double-click in the file manager)
// names its card and its list only where a card lays it out.

#include <gtest/gtest.h>

#include "playback/ListEvent.h"
#include "recording/RecordingLocation.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

TEST(RecordingLocation, TheCardAndListOfARecordingFileOnlyOnACard) {
  TempDir dir;
  dir.Write("card/LOG/x.log", "");
  const fs::path event = dir.Write("card/CH1/Event/0001,20240614_093010.vdd", "d");
  dir.Write("card/CH1/Event/0001,20240614_093010.vdx", "i");
  const fs::path normal = dir.Write("card/ch1/normal/0002,20240614_093100.VDD", "d");
  dir.Write("nocard/ch1/event/0003.vdd", "d");  // no log folder beside it
  dir.Write("card/ch1/other/0004.vdd", "d");
  dir.Write("card/ch1/event/notes.txt", "");
  fs::create_directories(dir / "card/ch1/event/folder.vdd");

  struct Row {
    const char* file;
    bool found;
    FileListKind kind;
    fs::path data;
  };
  const Row rows[] = {
      {"card/CH1/Event/0001,20240614_093010.vdd", true, FileListKind::kEvent, event},
      {"card/CH1/Event/0001,20240614_093010.vdx", true, FileListKind::kEvent, event},
      {"card/ch1/normal/0002,20240614_093100.VDD", true, FileListKind::kNormal, normal},
      {"nocard/ch1/event/0003.vdd", false, {}, {}},
      {"card/ch1/other/0004.vdd", false, {}, {}},
      {"card/ch1/event/notes.txt", false, {}, {}},
      {"card/ch1/event/folder.vdd", false, {}, {}},
      {"card/ch1/event/missing.vdd", false, {}, {}},
  };
  for (const Row& row : rows) {
    const auto location = LocateRecording(dir / row.file);
    ASSERT_EQ(location.has_value(), row.found) << row.file;
    if (!location) continue;
    EXPECT_TRUE(fs::equivalent(location->root, dir / "card")) << row.file;
    EXPECT_EQ(location->kind, row.kind) << row.file;
    EXPECT_TRUE(fs::equivalent(location->dataFile, row.data)) << row.file;
  }

  // The list finds the row of that file however its path is spelt.
  CListEvent list(FileListKind::kEvent);
  FileListRow listed;
  listed.path = event.string();
  list.Fill({FileListRow{}, listed});
  EXPECT_EQ(list.RowOf((dir / "card/CH1/Event/../Event/0001,20240614_093010.vdd").string()), 1);
  EXPECT_EQ(list.RowOf(normal.string()), -1);
}
