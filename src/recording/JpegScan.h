#pragma once
// The entropy-coded rows of a baseline JPEG picture in 4:2:0, the layout
// our own encoder writes, read without decoding a pixel:
// where each row of 16-line blocks begins in the scan's bits and which DC
// values lead into it. With that, rows can be taken bit for bit into
// another picture of the same coding: only the first block of each
// component in a row has its DC difference coded afresh.
//
// Anything else (progressive or arithmetic coding, another sampling,
// restart intervals, a symbol no decoder would accept, data that ends
// early) is not read: Read() is false and the picture goes through the
// codec whole, as before.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kJpegScanComponents = 3;
// The lines a row of 4:2:0 blocks covers.
constexpr int kJpegRowLines = 16;
// The largest DC difference category an 8-bit picture has.
constexpr int kJpegMaxDcCategory = 11;
// What follows a 0xFF data byte in the entropy-coded data.
constexpr unsigned char kJpegStuffedZero = 0x00;
// Luma, blue and red.
using JpegComponentValues = std::array<int, kJpegScanComponents>;
using JpegComponentBits = std::array<size_t, kJpegScanComponents>;

// A Huffman table as an encoder uses it: each symbol's code and its
// length, 0 for a symbol the table does not hold.
struct JpegHuffmanCodes {
  std::array<uint16_t, 256> code{};
  std::array<uint8_t, 256> length{};
};

// Where a row of blocks begins and what a writer needs to start a picture
// with it: each component's DC predictor before the row, and the DC value
// of the component's first block in the row with the bits its DC code
// takes (positions in Bits()).
struct JpegRowStart {
  size_t bit = 0;
  JpegComponentValues predictor{};
  JpegComponentValues firstDc{};
  JpegComponentBits dcBegin{};
  JpegComponentBits dcEnd{};
};

class JpegScan {
 public:
  // The rows of the picture in `bytes`; false (and nothing to use) when
  // the picture is not one whose rows can be taken over.
  bool Read(const unsigned char* bytes, size_t count);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Rows() const { return static_cast<int>(rows_.size()); }
  const JpegRowStart& Row(int row) const { return rows_[static_cast<size_t>(row)]; }
  // Where row `row` ends: the next row's first bit, or the end of the last
  // block.
  size_t RowEnd(int row) const;
  // Each component's DC predictor after row `row`.
  const JpegComponentValues& PredictorAfter(int row) const;

  // The scan's bytes with the stuffed zero after each 0xFF taken out, and
  // zero bytes beyond them so that a reader may look ahead.
  const std::vector<unsigned char>& Bits() const { return bits_; }
  const JpegHuffmanCodes& DcCodes(int component) const { return dcCodes_[static_cast<size_t>(component)]; }

  // The tables, sampling and precision each component is coded with, as
  // bytes: two pictures of equal Coding() can exchange rows.
  const std::string& Coding() const { return coding_; }
  // Where in the picture the frame header's line count lies (two bytes,
  // big-endian) and where the entropy-coded data begins.
  size_t HeightFieldOffset() const { return heightField_; }
  size_t ScanDataOffset() const { return scanData_; }

 private:
  struct Parsed;
  bool ReadHeaders(const unsigned char* bytes, size_t count, Parsed& parsed);
  bool ReadFrameHeader(const unsigned char* body, size_t size, Parsed& parsed);
  bool ReadScanHeader(const unsigned char* body, size_t size, Parsed& parsed);
  void TakeScanBytes(const unsigned char* data, size_t count);
  bool WalkBlocks(const Parsed& parsed);

  int width_ = 0;
  int height_ = 0;
  std::vector<JpegRowStart> rows_;
  JpegComponentValues finalPredictor_{};
  size_t endBit_ = 0;
  std::vector<unsigned char> bits_;
  size_t dataBits_ = 0;
  std::array<JpegHuffmanCodes, kJpegScanComponents> dcCodes_{};
  std::string coding_;
  size_t heightField_ = 0;
  size_t scanData_ = 0;
};
