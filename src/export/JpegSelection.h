#pragma once
// Which frames of a video recording the JPEG export saves: the selection
// record the dialog fills, the two lists it offers (frames per second and
// seconds), and the frames a selection marks.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/DateTime.h"

class CInfoEventFile;

// Selection kinds, as the dialog's radio buttons give them.
constexpr int kJpegCurrentImages = 0;
constexpr int kJpegAllImages = 2;
constexpr int kJpegSelectedImages = 3;

// The longest fps list: a recorder writes at most 30 frames a second.
constexpr int kJpegMaxFps = 30;

struct JpegSelection {
  std::string folder;
  int kind = kJpegCurrentImages;
  std::string text;        // the dialog's free text; the save does not use it
  int fps = 1;             // the chosen fps entry, 1..N
  int startFrame = 0;      // where selected images start
  int seconds = 1;         // the chosen seconds entry, 1..S
  bool everyFrame = true;  // the fps list's last entry (N) is chosen
  bool geotag = false;     // each file gets an EXIF block with the frame's time and position
};

// A frame's time for the selection: its time key, 0 for a frame whose year
// lies before 1900 (the recorder's clock was not set).
int64_t JpegFrameTime(const DateTime& time);

// N, the length of the fps list: the longest run of frames within one
// second (from frame 1 on), lowered to the frame rate in the comment
// segment of the picture decoded last (marker and length included; empty
// when there is none), then kept within 1..30.
int JpegFpsListSize(const CInfoEventFile& recording, std::span<const unsigned char> lastCommentSegment);

// S, the length of the seconds list: the whole seconds from the start frame
// to the last frame, rounded up; at least 1.
int JpegSecondsListSize(const CInfoEventFile& recording, int startFrame);

// The frames to save, in index order. currentFrames are the frames the
// panes show (kind 0): one in single view, one per pane in thumbnail view;
// indices outside the recording (an empty pane) are left out.
std::vector<int> MarkJpegFrames(const CInfoEventFile& recording, const JpegSelection& selection,
                                std::span<const int> currentFrames);

// "<folder>/%4d%.2d%.2d_%.2d%.2d%.2d_%.3d.jpg" of the frame's recorded date
// and time and its number counted from 1.
std::string JpegFileName(const std::string& folder, const DateTime& time, int frameIndex);

// The frame the viewer shows after loading the recording: the trigger
// frame of an event recording, frame 0 of a normal one.
int ViewerStartFrame(const CInfoEventFile& recording);
