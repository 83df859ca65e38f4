#pragma once
// What the export dialogs need of the picture panes: which frames they
// show and whether a picture is up. The window fills it from frame
// navigation when an export command runs; the recordings themselves come
// from the recording store.

#include <vector>

class GSensorGraphModel;

struct ExportView {
  bool videoLoaded = false;  // event or normal recordings are loaded and in view
  bool logLoaded = false;    // logs are loaded and in view
  bool thumbnail = false;    // the 4 x 4 view is up
  int selectedPane = 0;      // the thumbnail view's selected pane
  // The frame of the current recording in each pane, pane 0 first (one
  // entry in the single view); -1 for a pane that holds none of its frames.
  std::vector<int> paneFrames;
  bool pictureShown = false;  // a pane shows a decoded picture
  // The log graph, for the KML export's event marks; may be null.
  const GSensorGraphModel* logGraph = nullptr;
};

// The frame the JPEG export's stretch starts at: the selected pane's frame
// in the thumbnail view, the single pane's otherwise; -1 for none.
int ExportStartFrame(const ExportView& view);

// The frame the AVI export starts at: the first pane's; -1 for none.
int ExportFirstPaneFrame(const ExportView& view);
