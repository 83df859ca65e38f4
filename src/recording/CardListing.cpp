#include "recording/CardListing.h"

#include "recording/VideoIndexPath.h"

namespace fs = std::filesystem;

namespace {

CardFolderListing ListFolder(fs::path folder, std::string_view extension, bool withIndexes,
                             std::vector<UnreadableFolder>& unreadable) {
  CardFolderListing listing;
  listing.folder = std::move(folder);
  CardFolderNames read = withIndexes ? ReadCardFileNames(listing.folder, {extension, kVideoIndexExtension})
                                     : ReadCardFileNames(listing.folder, {extension});
  if (read.error) {
    // Only a name that is there but cannot be listed; without it the
    // folder is simply missing.
    std::error_code missing;
    if (fs::exists(fs::symlink_status(listing.folder, missing))) {
      unreadable.push_back({listing.folder.string(), read.error.message()});
    }
    return listing;
  }
  listing.files = JoinToFolder(listing.folder, read.names[0]);
  if (withIndexes) listing.indexNames = std::move(read.names[1]);
  return listing;
}

}  // namespace

CardListing ListCard(const fs::path& root) {
  CardListing listing;
  listing.event = ListFolder(EventFolderPath(root), kDataFileExtension, true, listing.unreadable);
  listing.normal = ListFolder(NormalFolderPath(root), kDataFileExtension, true, listing.unreadable);
  listing.log = ListFolder(LogFolderPath(root), kLogFileExtension, false, listing.unreadable);
  return listing;
}
