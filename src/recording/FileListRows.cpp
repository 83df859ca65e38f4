#include "recording/FileListRows.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/LocalTimeKeys.h"
#include "recording/EventCodes.h"
#include "recording/IndexTrailerProbe.h"
#include "recording/LogFileProbe.h"
#include "recording/MgrDBSearch.h"
#include "recording/VideoFileProbe.h"
#include "recording/VideoIndexCache.h"
#include "recording/VideoIndexEnds.h"
#include "recording/VideoIndexPath.h"
#include "recording/VideoSpanProbe.h"

namespace {

constexpr const char* kNumberFormat = "%.0f";
// Below this every whole number is exact as a double and as an integer.
constexpr double kLargestExactWhole = 9007199254740992.0;

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
  const double value = LeadingNumber(title.substr(0, title.find(',')));
  // The recorder's titles are whole numbers, which print the same by the
  // integer path at a fraction of the cost; fractions to round, -0 and
  // values beyond the exact range go through the format.
  if (value == std::trunc(value) && std::fabs(value) < kLargestExactWhole && !(value == 0 && std::signbit(value))) {
    return std::to_string(static_cast<int64_t>(value));
  }
  // Wide enough for the largest double printed whole.
  char text[400];
  std::snprintf(text, sizeof text, kNumberFormat, value);
  return text;
}

std::string FileTitle(const std::string& path) {
  // What std::filesystem's stem() gives, without building a path for every
  // row: the name without its last extension; "." and "..", and a name whose
  // only dot leads, are kept whole.
  const size_t slash = path.rfind('/');
  const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  if (name == "." || name == "..") return std::string(name);
  const size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

namespace {

// What the store's GetEventName says, with the index already read: only
// the extended set needs the trailer.
std::string EventNameOf(const std::string& path, const VideoIndexEnds& index) {
  const uint8_t code = ReadVideoEventCode(path);
  if (code != kExtendedEventCode) return EventCodeName(code);
  return ExtendedEventName(IndexExtendedEventCode(index));
}

// What the scan read of the index when it kept that, else the index read
// now.
VideoIndexEnds IndexEnds(VideoIndexCache& indexes, const std::string& indexPath) {
  if (std::optional<VideoIndexEnds> kept = indexes.TakeEnds(indexPath)) return std::move(*kept);
  VideoIndexEnds index;
  index.Read(indexPath);
  return index;
}

// indexPath: the ".vdx" of a video recording (empty when it has none).
// Each file of the row is opened at most once.
FileListRow MakeRow(FileListKind kind, const std::string& path, const std::string& indexPath, VideoIndexCache& indexes,
                    const DurationWords& words, LocalTimeKeys& keys) {
  FileListRow row;
  row.title = FileTitle(path);
  row.no = ListNumberText(row.title);
  row.path = path;
  if (kind == FileListKind::kLog) {
    LogListFacts log = ReadLogListFacts(path, words);
    row.duration = std::move(log.duration);
    row.drid = std::move(log.ids.drid);
    row.sdid = std::move(log.ids.sdid);
    row.start = log.start;
    row.end = log.end;
    return row;
  }
  const VideoIndexEnds index = IndexEnds(indexes, indexPath);
  if (kind == FileListKind::kEvent)
    row.type = EventNameOf(path, index);
  else
    row.duration = VideoDurationText(SpanSeconds(ReadVideoFrameSpan(path, index), keys), words);
  VideoIds ids = IndexIds(index);
  row.drid = std::move(ids.drid);
  row.sdid = std::move(ids.sdid);
  return row;
}

}  // namespace

FileListRow MakeFileListRow(const CMgrDBSearch& /*store*/, FileListKind kind, const std::string& path) {
  VideoIndexCache none;
  LocalTimeKeys keys;
  return MakeRow(kind, path, kind == FileListKind::kLog ? std::string() : VideoIndexPath(path), none,
                 ReadDurationWords(), keys);
}

std::string EventTypeText(const std::string& dataPath, const std::string& indexPath) {
  VideoIndexEnds index;
  index.Read(indexPath);
  return EventNameOf(dataPath, index);
}

std::vector<FileListRow> MakeFileListRows(const CMgrDBSearch& store, FileListKind kind) {
  std::vector<FileListRow> rows;
  const CardCatalogue& catalogue = store.Catalogue();
  const std::vector<std::string>& paths = catalogue.Paths(kind);
  rows.reserve(paths.size());
  // What the scan read of the index files; a catalogue without it has the
  // indexes read here.
  VideoIndexCache own;
  VideoIndexCache& indexes = catalogue.indexes ? *catalogue.indexes : own;
  const DurationWords words = ReadDurationWords();
  LocalTimeKeys keys;
  for (size_t i = 0; i < paths.size(); ++i) {
    rows.push_back(MakeRow(kind, paths[i], catalogue.IndexPathAt(kind, i), indexes, words, keys));
  }
  return rows;
}
