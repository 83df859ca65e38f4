#pragma once
// The frame the viewer shows now: which recording, which frame, and the
// comment block of its picture. The exports open on it (the frame rate list
// and the caption read the comment), so it is a value the store keeps rather
// than whatever the shared codec decoded last.

#include <vector>

class CInfoEventFile;

struct ShownFrame {
  int recording = -1;
  int frame = -1;
  // Empty when the picture could not be read or decoded.
  std::vector<unsigned char> comment;

  bool IsShown() const { return recording >= 0 && frame >= 0; }
};

// The comment block of a frame's picture, decoded as the viewer decodes it;
// empty when the picture cannot be read or decoded.
std::vector<unsigned char> DecodedFrameComment(CInfoEventFile& recording, int frame);
