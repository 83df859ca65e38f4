#pragma once
// The index path rule for many recordings of the same folders. The rule
// (see VideoIndexPath.h) finds a data file's index by a prefix search in its
// folder, which reads the whole folder each time: for a card of a few
// thousand recordings that makes opening the card quadratic. This lists the
// index files of each folder once and answers from the list, with the same
// result as VideoIndexPath for every name.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "recording/VideoIndexEnds.h"

class VideoIndexCache {
 public:
  // The ".vdx" index of a ".vdd" data file; empty when none is found.
  std::string IndexPathFor(const std::string& dataPath);
  // The index named exactly as the data file without its extension and
  // suffix, then ".vdx" (in any letter case): the one index that is surely
  // this recording's own, unlike a prefix match, which may be another's.
  // Empty when there is none or the stem is empty.
  std::string OwnIndexPathFor(const std::string& dataPath);
  // The ".vdx" names of folder as a listing of it already gave them, so
  // that the folder is not read again; folder ends with its "/", as a path
  // in it up to its file name does.
  void AddFolder(const std::string& folder, std::vector<std::string> names);
  // An index file that was deleted since its folder was listed; what was
  // kept of it goes too.
  void Forget(const std::string& indexPath);

  // What was read of an index, kept for the one who reads it next: the
  // check-files pass reads every index it verifies, and the file lists take
  // the bytes from here instead of opening the index again.
  void KeepEnds(const std::string& indexPath, VideoIndexEnds ends);
  // The ends kept for indexPath, which are kept no longer; nothing when
  // none were kept.
  std::optional<VideoIndexEnds> TakeEnds(const std::string& indexPath);

 private:
  struct IndexName {
    std::string lower;  // for the prefix search
    std::string name;   // as the folder spells it
  };
  // Sorted by lower.
  using Folder = std::vector<IndexName>;

  // folder: a path up to and with its last "/", or empty for the working
  // folder.
  Folder& FolderOf(std::string_view folder);
  static Folder MakeFolder(std::vector<std::string> names);

  std::map<std::string, Folder, std::less<>> folders_;
  std::unordered_map<std::string, VideoIndexEnds> kept_;
};
