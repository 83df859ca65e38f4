#include "export/ExportView.h"

#include <cstddef>

namespace {

int FrameOfPane(const ExportView& view, int pane) {
  if (pane < 0 || pane >= static_cast<int>(view.paneFrames.size())) return -1;
  return view.paneFrames[static_cast<size_t>(pane)];
}

}  // namespace

int ExportStartFrame(const ExportView& view) { return FrameOfPane(view, view.thumbnail ? view.selectedPane : 0); }

int ExportFirstPaneFrame(const ExportView& view) { return FrameOfPane(view, 0); }
