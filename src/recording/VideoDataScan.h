#pragma once
// The walk over a data file's pictures that rebuilds the frames of a
// recording whose index is missing or damaged: each picture from FF D8 to
// its end-of-image marker FF D9, and its comment block turned into a frame.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "recording/FrameInfoVideo.h"
#include "recording/LoadObserver.h"

enum class ScanEnd {
  kCompleted,  // the walk reached the end of the pictures
  kCancelled,  // the observer asked to stop, or the owner did
  kFaulted,    // the file shrank under the mapping (or memory ran out); discard the frames
};

// Walks length bytes at data from the picture at offset from on, appending
// one frame per picture that has a comment block. Progress goes to the
// observer in units of 1000000 bytes of the whole file; the walk stops at a
// cancel request (status 2) or when stop is set.
// Where the picture that starts at data[p] ends: 2 bytes after its
// end-of-image marker, or 0 when it has none. The one rule of every reader
// that walks the data file's pictures.
size_t FindPictureEnd(const uint8_t* data, size_t length, size_t p);

ScanEnd ScanVideoData(const uint8_t* data, size_t length, LoadObserver& observer, const std::atomic<bool>& stop,
                      std::vector<FRAMEINFOVIDEO>& frames, size_t from = 0);
