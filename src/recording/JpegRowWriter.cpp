#include "recording/JpegRowWriter.h"

#include <bit>
#include <cstdlib>
#include <cstring>

#include "recording/VideoFormat.h"

namespace {

constexpr int kByteBits = 8;
constexpr int kWordBits = 32;

// Thirty-two bits from `bits` at bit `from`; the scan keeps room beyond
// its data for this look.
uint32_t Read32(const std::vector<unsigned char>& bits, size_t from) {
  uint64_t word = 0;
  std::memcpy(&word, bits.data() + (from >> 3), sizeof word);
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
  return static_cast<uint32_t>((word << (from & 7)) >> kWordBits);
}

}  // namespace

void JpegRowWriter::Put(uint32_t bits, int count) {
  pending_ = (pending_ << count) | bits;
  pendingCount_ += count;
  while (pendingCount_ >= kByteBits) {
    pendingCount_ -= kByteBits;
    const auto byte = static_cast<unsigned char>(pending_ >> pendingCount_);
    out_.push_back(byte);
    if (byte == kJpegMarker) out_.push_back(kJpegStuffedZero);
  }
}

void JpegRowWriter::Copy(const std::vector<unsigned char>& bits, size_t from, size_t to) {
  for (; from + kWordBits <= to; from += kWordBits) Put(Read32(bits, from), kWordBits);
  const int rest = static_cast<int>(to - from);
  if (rest > 0) Put(Read32(bits, from) >> (kWordBits - rest), rest);
}

bool JpegRowWriter::PutDcDifference(const JpegHuffmanCodes& codes, int difference) {
  const int magnitude = std::abs(difference);
  const int category = magnitude == 0 ? 0 : std::bit_width(static_cast<unsigned>(magnitude));
  if (category > kJpegMaxDcCategory || codes.length[static_cast<size_t>(category)] == 0) return false;
  Put(codes.code[static_cast<size_t>(category)], codes.length[static_cast<size_t>(category)]);
  if (category == 0) return true;
  // A negative difference is written as its ones' complement.
  const uint32_t mask = (uint32_t{1} << category) - 1;
  Put(static_cast<uint32_t>(difference < 0 ? difference - 1 : difference) & mask, category);
  return true;
}

bool JpegRowWriter::Append(const JpegScan& scan, int first, int end) {
  if (first >= end) return true;
  const JpegRowStart& row = scan.Row(first);
  size_t at = row.bit;
  for (size_t c = 0; c < kJpegScanComponents; ++c) {
    Copy(scan.Bits(), at, row.dcBegin[c]);
    if (!PutDcDifference(scan.DcCodes(static_cast<int>(c)), row.firstDc[c] - predictor_[c])) return false;
    at = row.dcEnd[c];
  }
  Copy(scan.Bits(), at, scan.RowEnd(end - 1));
  predictor_ = scan.PredictorAfter(end - 1);
  return true;
}

void JpegRowWriter::Finish() {
  const int spare = (kByteBits - pendingCount_ % kByteBits) % kByteBits;
  if (spare > 0) Put((uint32_t{1} << spare) - 1, spare);
}
