#include "tools/FsckProgress.h"

#include <algorithm>

namespace {

constexpr int kLastSectorRead = 2;
constexpr std::string_view kLastSectorLine = "Checking we can access the last sector";
constexpr std::string_view kBootLine = "Boot sector contents";
constexpr std::string_view kEntryLine = "Checking file ";
constexpr std::string_view kReclaimLine = "Reclaiming unconnected clusters";
constexpr std::string_view kSalvageLine = "Checking for unused clusters";
constexpr std::string_view kSummaryLine = "Checking free cluster summary";

}  // namespace

void FsckProgress::MoveTo(int percent) { percent_ = std::max(percent_, std::min(percent, kDone)); }

int FsckProgress::OnLine(std::string_view line) {
  if (line.starts_with(kEntryLine)) {
    ++seen_;
    if (expected_ > 0) {
      const int checked = std::min(seen_, expected_);
      MoveTo(kBootRead + (kEntriesDone - kBootRead) * checked / expected_);
    }
  } else if (line.starts_with(kLastSectorLine)) {
    MoveTo(kLastSectorRead);
  } else if (line.starts_with(kBootLine)) {
    MoveTo(kBootRead);
  } else if (line.starts_with(kReclaimLine) || line.starts_with(kSalvageLine)) {
    MoveTo(kReclaiming);
  } else if (line.starts_with(kSummaryLine)) {
    MoveTo(kSummary);
  }
  return percent_;
}
