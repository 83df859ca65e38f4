#pragma once
// The view layouts of the pane container (the recorder software's numbers):
// the picture pane alone, the 4 x 4 thumbnails, or the log panes.

enum class ViewLayout : int {
  kLayoutSingle = 2,
  kLayoutThumbnail = 3,
  kLayoutLog = 4,
};
using enum ViewLayout;
