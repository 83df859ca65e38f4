#include "recording/ShownFrame.h"

#include "recording/InfoEventFile.h"
#include "recording/StreamImage.h"

std::vector<unsigned char> DecodedFrameComment(CInfoEventFile& recording, int frame) {
  std::vector<unsigned char> picture(FRAMEDATA_MAXSIZE);
  const int count = recording.ReadFrameData(frame, picture.data());
  CStreamImage codec;
  if (count <= 0 || !codec.DecodeToPixels(picture.data(), count)) return {};
  return {codec.ComSegment(), codec.ComSegment() + codec.ComSize()};
}
