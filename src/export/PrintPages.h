#pragma once
// The pages of a print: which frames of the recording are printed (marked
// from the selection record exactly as the JPEG export marks them), how
// many go on a page, and for a page its blocks and footer. The preview,
// the printer and korvane-cli's PDF all draw these same pages.

#include <span>
#include <string>
#include <vector>

#include "export/JpegSelection.h"
#include "export/PrintBlock.h"

class CInfoEventFile;

// Page layouts: one frame a page (1x1) or four (2x2).
constexpr int kPrintLayoutOne = 1;
constexpr int kPrintLayoutFour = 2;

// Frames on one page of the layout.
int PrintFramesPerPage(int layout);
// c pages for layout 1, (c + 3) / 4 for layout 2.
int PrintPageCount(int markedFrames, int layout);

class PrintDocument {
 public:
  // The recording must outlive the document. shownFrames are the frames the
  // panes show (for the current-images selection).
  PrintDocument(CInfoEventFile& recording, const JpegSelection& selection, std::span<const int> shownFrames, int model,
                int pulseType, PrintTexts texts = LoadPrintTexts());

  CInfoEventFile& Recording() const { return recording_; }
  const std::vector<int>& Marked() const { return marked_; }

  int Layout() const { return layout_; }
  // Any value other than 2 is layout 1.
  void SetLayout(int layout);
  // The unit of the printed speeds; km/h until set.
  void SetSpeedUnit(SpeedUnit unit) { source_.speedUnit = unit; }
  int PageCount() const { return PrintPageCount(static_cast<int>(marked_.size()), layout_); }

  // The marked frames on page (counted from 1), in index order; empty for
  // a page outside 1..PageCount().
  std::vector<int> FramesOfPage(int page) const;
  std::vector<PrintBlock> BlocksOfPage(int page) const;
  std::string Footer(int page) const { return PrintFooterText(page, PageCount()); }

  const std::string& Title() const { return title_; }
  const std::string& Comment() const { return comment_; }
  void SetTitle(std::string title, std::string comment);

 private:
  CInfoEventFile& recording_;
  std::vector<int> marked_;
  PrintBlockSource source_;
  PrintTexts texts_;
  int layout_ = kPrintLayoutOne;
  std::string title_;
  std::string comment_;
};
