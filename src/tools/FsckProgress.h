#pragma once
// Percent done of an fsck.fat run, read from its verbose output ("-v -l"):
// the boot sector is read first, then every directory entry is checked, one
// "Checking file" line each, then the free clusters are summed up. With the
// number of entries known beforehand the bar moves with each entry;
// without it, it moves only from phase to phase. It never moves back.

#include <string_view>

class FsckProgress {
 public:
  static constexpr int kBootRead = 5;
  static constexpr int kEntriesDone = 85;
  static constexpr int kReclaiming = 90;
  static constexpr int kSummary = 95;
  static constexpr int kDone = 100;

  // expectedEntries: the entries fsck.fat will list, the root included;
  // 0 when unknown.
  explicit FsckProgress(int expectedEntries) : expected_(expectedEntries) {}

  // The percent after this line; the same as before for a line that tells
  // nothing new.
  int OnLine(std::string_view line);
  int Percent() const { return percent_; }

 private:
  void MoveTo(int percent);

  int expected_;
  int seen_ = 0;
  int percent_ = 0;
};
