#pragma once
// A card's three recording folders read once for a scan. Counting the
// files for the check-files dialog, naming the folders that cannot be read,
// listing the recordings and finding each one's index all come from this
// one reading: a folder of a few thousand recordings costs a noticeable
// share of opening the card each time it is read.

#include <filesystem>
#include <string>
#include <vector>

#include "recording/CardFolders.h"

struct CardFolderListing {
  std::filesystem::path folder;         // as resolved on the card
  std::vector<std::string> files;       // ".vdd" (".log" in the log folder), full paths sorted by name
  std::vector<std::string> indexNames;  // the video folders' ".vdx" names, sorted
};

struct CardListing {
  CardFolderListing event;
  CardFolderListing normal;
  CardFolderListing log;
  // The folders that exist but could not be listed; a missing folder is not
  // among them: whether it must exist is the layout check's business.
  std::vector<UnreadableFolder> unreadable;

  int Total() const { return static_cast<int>(event.files.size() + normal.files.size() + log.files.size()); }
};

CardListing ListCard(const std::filesystem::path& root);
