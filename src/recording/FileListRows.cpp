#include "recording/FileListRows.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>

#include "recording/EventCodes.h"
#include "recording/IndexTrailerProbe.h"
#include "recording/MgrDBSearch.h"
#include "recording/VideoIndexCache.h"
#include "recording/VideoIndexPath.h"
#include "recording/VideoSpanProbe.h"

namespace {

constexpr const char* kNumberFormat = "%.0f";

// The leading number of text as the C library's atof reads it (spaces, a
// sign, digits, a fraction, an exponent), but without regard to the
// process's locale, which the window sets from the user's.
double LeadingNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  if (at < text.size() && text[at] == '+') ++at;
  double value = 0;
  const std::from_chars_result read = std::from_chars(text.data() + at, text.data() + text.size(), value);
  return read.ec == std::errc() ? value : 0.0;
}

}  // namespace

std::string ListNumberText(std::string_view title) {
  const std::string_view number = title.substr(0, title.find(','));
  // Wide enough for the largest double printed whole.
  char text[400];
  std::snprintf(text, sizeof text, kNumberFormat, LeadingNumber(number));
  return text;
}

std::string FileTitle(const std::string& path) { return std::filesystem::path(path).stem().string(); }

namespace {

// What the store's GetEventName says, with the index already found: only
// the extended set needs the trailer.
std::string EventNameOf(const CMgrDBSearch& store, const std::string& path, const std::string& indexPath) {
  const uint8_t code = store.ReadEventCode(path);
  if (code != kExtendedEventCode) return EventCodeName(code);
  return ExtendedEventName(ReadIndexExtendedEventCode(indexPath));
}

// indexPath: the ".vdx" of a video recording (empty when it has none).
FileListRow MakeRow(const CMgrDBSearch& store, FileListKind kind, const std::string& path,
                    const std::string& indexPath) {
  FileListRow row;
  row.title = FileTitle(path);
  row.no = ListNumberText(row.title);
  row.path = path;
  if (kind == FileListKind::kLog) {
    row.duration = store.GetLogDurationText(path);
    const LogIds ids = store.ReadLogIds(path);
    row.drid = ids.drid;
    row.sdid = ids.sdid;
    row.start = store.ReadLogStartTime(path);
    row.end = store.ReadLogEndTime(path);
    return row;
  }
  if (kind == FileListKind::kEvent)
    row.type = EventNameOf(store, path, indexPath);
  else
    row.duration = VideoDurationText(ReadVideoSpanSeconds(path, indexPath));
  const VideoIds ids = ReadIndexIds(indexPath);
  row.drid = ids.drid;
  row.sdid = ids.sdid;
  return row;
}

}  // namespace

FileListRow MakeFileListRow(const CMgrDBSearch& store, FileListKind kind, const std::string& path) {
  return MakeRow(store, kind, path, kind == FileListKind::kLog ? std::string() : VideoIndexPath(path));
}

std::vector<FileListRow> MakeFileListRows(const CMgrDBSearch& store, FileListKind kind) {
  std::vector<FileListRow> rows;
  const std::vector<std::string>& paths = store.Catalogue().Paths(kind);
  rows.reserve(paths.size());
  VideoIndexCache indexes;
  for (const std::string& path : paths) {
    rows.push_back(MakeRow(store, kind, path, kind == FileListKind::kLog ? std::string() : indexes.IndexPathFor(path)));
  }
  return rows;
}
