#pragma once
// The rows of the three file lists, built in the core so that the window and
// the command-line tool show the same rows for the same card. Each row is
// read on demand from its file through the recording store's per-file
// questions; nothing is loaded to fill a list.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "recording/CardCatalogue.h"
#include "recording/VideoDurationText.h"

class CMgrDBSearch;

struct FileListRow {
  std::string no;        // No.: the title's number, leading zeros gone
  std::string title;     // the file name without its extension
  std::string type;      // event list: the event name
  std::string duration;  // normal and log lists
  std::string path;      // hidden columns from here on
  std::string drid;
  std::string sdid;
  int64_t start = 0;  // log rows: first and last record time, seconds
  int64_t end = 0;
};

// The title up to its first comma read as a number, printed with "%.0f"
// ("0012" gives "12", a title that is not a number "0").
std::string ListNumberText(std::string_view title);

// The file name without folder and extension.
std::string FileTitle(const std::string& path);

FileListRow MakeFileListRow(const CMgrDBSearch& store, FileListKind kind, const std::string& path);

// The event list's Type of the recording at dataPath, its index at indexPath:
// what its row shows, read without the store.
std::string EventTypeText(const std::string& dataPath, const std::string& indexPath);

// One row per catalogue entry of the kind, in catalogue order.
std::vector<FileListRow> MakeFileListRows(const CMgrDBSearch& store, FileListKind kind);
