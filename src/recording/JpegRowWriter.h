#pragma once
// A picture's entropy-coded data put together from rows of scans of one
// coding, as JpegScan reads them: each run of rows is copied bit for bit
// and its first block of each component coded against the DC values the
// data before it ends on. The bytes go out stuffed as the standard wants
// (a zero after each 0xFF).

#include <cstdint>
#include <vector>

#include "recording/JpegScan.h"

class JpegRowWriter {
 public:
  // Appends to `out`, which may already hold the picture's header.
  explicit JpegRowWriter(std::vector<unsigned char>& out) : out_(out) {}

  // Appends rows [first, end) of `scan`. False when the DC difference the
  // first blocks need has no code in the scan's tables.
  bool Append(const JpegScan& scan, int first, int end);

  // Fills the last byte with 1 bits, as the standard asks.
  void Finish();

 private:
  void Put(uint32_t bits, int count);
  void Copy(const std::vector<unsigned char>& bits, size_t from, size_t to);
  bool PutDcDifference(const JpegHuffmanCodes& codes, int difference);

  std::vector<unsigned char>& out_;
  uint64_t pending_ = 0;
  int pendingCount_ = 0;
  JpegComponentValues predictor_{};
};
