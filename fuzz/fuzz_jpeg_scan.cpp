// Arbitrary bytes as a recorded picture whose rows a captioned film takes
// over: the scan reader must refuse or read inside the bytes, and what it
// reads must hold together. Written again row by row, each row's first
// blocks coded afresh, the data must be the recorded bits themselves, and
// read once more it must give the same rows.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "recording/JpegRowWriter.h"
#include "recording/JpegScan.h"
#include "recording/StreamImage.h"
#include "recording/VideoFormat.h"

namespace {

// The first `bits` bits of `data`, filled with 1 bits to a whole byte and
// stuffed.
std::vector<unsigned char> Stuffed(const std::vector<unsigned char>& data, size_t bits) {
  std::vector<unsigned char> out;
  for (size_t i = 0; i * 8 < bits; ++i) {
    unsigned char byte = data[i];
    const size_t left = bits - i * 8;
    if (left < 8) byte = static_cast<unsigned char>(byte | (0xFF >> left));
    out.push_back(byte);
    if (byte == kJpegMarker) out.push_back(kJpegStuffedZero);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > size_t(CStreamImage::kOutputCapacity)) return 0;
  JpegScan scan;
  if (!scan.Read(data, size)) return 0;
  if (scan.Rows() <= 0 || scan.ScanDataOffset() > size || scan.HeightFieldOffset() + 2 > scan.ScanDataOffset())
    __builtin_trap();

  std::vector<unsigned char> picture(data, data + scan.ScanDataOffset());
  JpegRowWriter writer(picture);
  for (int row = 0; row < scan.Rows(); ++row) {
    // Differences the recorded data holds can always be written again.
    if (!writer.Append(scan, row, row + 1)) __builtin_trap();
  }
  writer.Finish();
  const std::vector<unsigned char> written(picture.begin() + static_cast<std::ptrdiff_t>(scan.ScanDataOffset()),
                                           picture.end());
  if (written != Stuffed(scan.Bits(), scan.RowEnd(scan.Rows() - 1))) __builtin_trap();

  picture.push_back(kJpegMarker);
  picture.push_back(kJpegEndOfImage);
  JpegScan again;
  if (!again.Read(picture.data(), picture.size())) __builtin_trap();
  if (again.Rows() != scan.Rows() || again.Coding() != scan.Coding()) __builtin_trap();
  for (int row = 0; row < scan.Rows(); ++row) {
    if (again.Row(row).firstDc != scan.Row(row).firstDc || again.Row(row).predictor != scan.Row(row).predictor)
      __builtin_trap();
  }
  return 0;
}
