#include "export/PrintPages.h"

#include <algorithm>
#include <filesystem>

#include "recording/InfoEventFile.h"

int PrintFramesPerPage(int layout) { return layout == kPrintLayoutFour ? 4 : 1; }

int PrintPageCount(int markedFrames, int layout) {
  const int perPage = PrintFramesPerPage(layout);
  return (std::max(markedFrames, 0) + perPage - 1) / perPage;
}

PrintDocument::PrintDocument(CInfoEventFile& recording, const JpegSelection& selection,
                             std::span<const int> shownFrames, int model, int pulseType, PrintTexts texts)
    : recording_(recording), marked_(MarkJpegFrames(recording, selection, shownFrames)), texts_(std::move(texts)) {
  source_.drid = recording.Drid();
  source_.sdid = recording.Sdid();
  source_.fileName = std::filesystem::path(recording.RecordingPath()).filename().string();
  source_.frameCount = recording.FrameCount();
  source_.model = model;
  source_.pulseType = pulseType;
}

void PrintDocument::SetLayout(int layout) { layout_ = layout == kPrintLayoutFour ? kPrintLayoutFour : kPrintLayoutOne; }

std::vector<int> PrintDocument::FramesOfPage(int page) const {
  if (page < 1 || page > PageCount()) return {};
  const size_t perPage = static_cast<size_t>(PrintFramesPerPage(layout_));
  const size_t first = static_cast<size_t>(page - 1) * perPage;
  const size_t last = std::min(first + perPage, marked_.size());
  return {marked_.begin() + static_cast<std::ptrdiff_t>(first), marked_.begin() + static_cast<std::ptrdiff_t>(last)};
}

std::vector<PrintBlock> PrintDocument::BlocksOfPage(int page) const {
  std::vector<PrintBlock> blocks;
  for (const int frame : FramesOfPage(page))
    blocks.push_back(MakePrintBlock(texts_, source_, recording_.Frame(frame), frame));
  return blocks;
}

void PrintDocument::SetTitle(std::string title, std::string comment) {
  title_ = std::move(title);
  comment_ = std::move(comment);
}
