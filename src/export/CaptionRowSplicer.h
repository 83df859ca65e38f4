#pragma once
// A captioned film picture made by encoding again only the rows of 16-line
// blocks the caption touches; the recorded rows around them are taken
// over bit for bit. The touched rows are gathered into one strip picture,
// decoded, stamped and encoded as a whole picture would be, so they come
// out as the whole picture's would; the rows taken over are the recorded
// ones, without the loss another round of decoding and encoding adds.
//
// That needs the recorded picture to be coded as our encoder codes (the
// same tables, baseline 4:2:0, no restart markers), as the sample card's
// pictures and any picture this program made are. For any other the
// splicer says no and the caller encodes the picture whole.

#include <string>
#include <vector>

#include "export/CaptionStamp.h"
#include "recording/JpegScan.h"
#include "recording/StreamImage.h"
#include "recording/YuvPicture.h"

class CaptionRowSplicer {
 public:
  // Makes the `width` x `height` picture of the recorded JPEG `source`
  // with `stamps` into Bytes(), with `codec` for the touched rows.
  bool Make(CStreamImage& codec, const std::vector<unsigned char>& source, const std::vector<CaptionStamp>& stamps,
            int width, int height);

  const unsigned char* Bytes() const { return output_.data(); }
  int Size() const { return static_cast<int>(output_.size()); }

 private:
  // Rows [first, end) of the picture, at line `stripTop` of the strip.
  struct Run {
    int first = 0;
    int end = 0;
    int stripTop = 0;
  };

  bool FindRuns(const std::vector<CaptionStamp>& stamps, int height);
  bool BuildStrip(const std::vector<unsigned char>& source);
  void StampStrip(const std::vector<CaptionStamp>& stamps, int height);
  bool Splice(const CStreamImage& codec, int height);

  JpegScan source_;
  JpegScan encoded_;
  std::vector<Run> runs_;
  int stripLines_ = 0;
  std::vector<unsigned char> touched_;
  std::vector<unsigned char> strip_;
  YuvPicture stripPlanes_;
  std::vector<CaptionStamp> shifted_;
  std::vector<unsigned char> output_;
  // How our encoder codes, known from its first strip: a source coded
  // otherwise is turned away before any work.
  std::string encoderCoding_;
};
