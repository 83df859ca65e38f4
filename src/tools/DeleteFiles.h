#pragma once
// Deleting the recorded data of a card: the files directly in the video
// folders (ch1/event, ch1/normal), the log folder, or both, in that order.
// Subfolders stay. A symbolic link among the files is removed as a link,
// never followed; a folder on the way that is a link is not entered, so
// nothing outside the card is ever deleted. A folder without the card
// layout is not a card: nothing in it is counted or deleted.

#include <filesystem>
#include <functional>

// How long the bar shows 50 and then 100 when there is nothing to delete.
inline constexpr int kDeleteNothingPauseMs = 400;

struct DeleteProgress {
  std::function<void(int low, int high)> range;
  std::function<void(int position)> position;
  std::function<void(int ms)> pause;
};

class DeleteFilesJob {
 public:
  DeleteFilesJob(std::filesystem::path root, bool deleteVideo, bool deleteLogs);

  // Whether the root is a card at all; the caller says so when it is not.
  bool OnCard() const;

  // The files there are to delete now.
  int Count() const;

  // Deletes them, moving the position on by one after each file; total is
  // what Count said, and with nothing to delete the bar shows 50 and 100
  // with a pause after each. Returns how many were deleted; a file that
  // cannot be deleted is passed over.
  int Run(int total, const DeleteProgress& progress) const;

 private:
  template <typename Visit>
  void ForEachFolder(Visit visit) const;

  std::filesystem::path root_;
  bool video_;
  bool logs_;
};
