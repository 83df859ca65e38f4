#include "recording/JpegScan.h"

#include <bit>
#include <cstring>

#include "recording/LittleEndian.h"
#include "recording/StreamImage.h"
#include "recording/VideoFormat.h"

namespace {

constexpr unsigned char kTem = 0x01;
constexpr unsigned char kFirstRestart = 0xD0;
constexpr unsigned char kLastRestart = 0xD7;
constexpr unsigned char kBaselineFrame = 0xC0;
constexpr unsigned char kFirstFrame = 0xC0;
constexpr unsigned char kLastFrame = 0xCF;
constexpr unsigned char kHuffmanTables = 0xC4;
constexpr unsigned char kQuantTables = 0xDB;
constexpr unsigned char kRestartInterval = 0xDD;

constexpr size_t kSegmentLengthSize = 2;
constexpr int kTableSlots = 4;
constexpr int kBlockCoefficients = 64;
constexpr int kCodeLengths = 16;
constexpr int kMaxSymbols = 256;
// Codes up to this length are found with one look into a table.
constexpr int kLookAheadBits = 9;
constexpr int kLongestPeek = 16;
constexpr int kBaselinePrecision = 8;
constexpr unsigned char kLumaSampling = 0x22;
constexpr unsigned char kChromaSampling = 0x11;
constexpr int kLumaBlocksPerMcu = 4;
// The largest AC magnitude an 8-bit picture has; a larger one, or a DC
// category beyond kJpegMaxDcCategory, is damage.
constexpr int kMaxAcSize = 10;
constexpr int kZeroRunLength = 16;
constexpr int kZeroRunSymbolRun = 15;
// Room beyond the data for the reads of one block from just past its end:
// 63 coefficients and the DC, each a 16-bit code and 11 bits at most, and
// the reader's buffer.
constexpr size_t kLookAheadSlack = 256;
constexpr size_t kFrameHeaderSize = 6 + 3 * kJpegScanComponents;
constexpr size_t kScanHeaderSize = 1 + 2 * kJpegScanComponents + 3;
constexpr int kLastCoefficient = kBlockCoefficients - 1;

struct QuantTable {
  bool defined = false;
  unsigned char precision = 0;
  std::array<uint16_t, kBlockCoefficients> values{};
};

struct HuffmanTable {
  bool defined = false;
  std::array<unsigned char, kCodeLengths> counts{};
  std::vector<unsigned char> symbols;
};

// A table for decoding: codes up to kLookAheadBits long in one look, longer
// ones by their length, as canonical codes allow.
struct HuffmanDecoder {
  // (length << 8) | symbol; 0 where the code is longer.
  std::array<uint16_t, size_t{1} << kLookAheadBits> fast{};
  // For AC symbols, the same with the magnitude's bits counted in the
  // length where code and magnitude fit the look together: most of a
  // picture's coefficients are passed over in one step.
  std::array<uint16_t, size_t{1} << kLookAheadBits> withMagnitude{};
  // By length: the last code of that length (-1: none) and what turns a
  // code into its symbol's index.
  std::array<int32_t, kCodeLengths + 1> lastCode{};
  std::array<int32_t, kCodeLengths + 1> indexOffset{};
  std::vector<unsigned char> symbols;
};

// Assigns the canonical codes; false for a table no decoder accepts (more
// codes of a length than it has room for).
bool AssignCodes(const HuffmanTable& table, std::vector<uint16_t>& codes, std::vector<unsigned char>& lengths) {
  uint32_t code = 0;
  for (int length = 1; length <= kCodeLengths; ++length) {
    for (int i = 0; i < table.counts[static_cast<size_t>(length - 1)]; ++i) {
      codes.push_back(static_cast<uint16_t>(code++));
      lengths.push_back(static_cast<unsigned char>(length));
    }
    if (code >= (uint32_t{1} << length)) return false;
    code <<= 1;
  }
  return true;
}

bool BuildDecoder(const HuffmanTable& table, HuffmanDecoder& decoder) {
  std::vector<uint16_t> codes;
  std::vector<unsigned char> lengths;
  if (!table.defined || !AssignCodes(table, codes, lengths)) return false;
  decoder = HuffmanDecoder{};
  decoder.symbols = table.symbols;
  decoder.lastCode.fill(-1);
  for (size_t i = 0; i < codes.size(); ++i) {
    const int length = lengths[i];
    if (decoder.lastCode[static_cast<size_t>(length)] < 0) {
      decoder.indexOffset[static_cast<size_t>(length)] = static_cast<int32_t>(i) - codes[i];
    }
    decoder.lastCode[static_cast<size_t>(length)] = codes[i];
    if (length > kLookAheadBits) continue;
    const int spare = kLookAheadBits - length;
    const size_t first = size_t{codes[i]} << spare;
    const unsigned char symbol = table.symbols[i];
    const int size = symbol & 0x0F;
    const int whole = length + size;
    for (size_t k = 0; k < (size_t{1} << spare); ++k) {
      decoder.fast[first + k] = static_cast<uint16_t>((length << 8) | symbol);
      if (whole <= kLookAheadBits) decoder.withMagnitude[first + k] = static_cast<uint16_t>((whole << 8) | symbol);
    }
  }
  return true;
}

// The codes for encoding DC differences; false when a symbol has two codes,
// which leaves no one code to write for it.
bool BuildDcCodes(const HuffmanTable& table, JpegHuffmanCodes& out) {
  std::vector<uint16_t> codes;
  std::vector<unsigned char> lengths;
  if (!AssignCodes(table, codes, lengths)) return false;
  out = JpegHuffmanCodes{};
  for (size_t i = 0; i < codes.size(); ++i) {
    const unsigned char symbol = table.symbols[i];
    if (out.length[symbol] != 0) return false;
    out.code[symbol] = codes[i];
    out.length[symbol] = lengths[i];
  }
  return true;
}

// Reads the scan's bits, big-endian, from the unstuffed bytes, through a
// 64-bit buffer. Beyond the data it reads zeros, up to the slack the scan
// keeps there; the walk looks at the position after every block.
class BitReader {
 public:
  explicit BitReader(const unsigned char* bytes) : bytes_(bytes) {}

  // At least kFillBits bits to look at: a code and its magnitude.
  [[gnu::always_inline]] void Fill() {
    if (count_ >= kFillBits) return;
    uint32_t word = 0;
    std::memcpy(&word, bytes_ + next_, sizeof word);
    if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap32(word);
    buffer_ |= uint64_t{word} << (kFillBits - count_);
    next_ += sizeof word;
    count_ += kFillBits;
  }
  // The next `count` bits, 1 to kFillBits.
  [[gnu::always_inline]] uint32_t Peek(int count) const { return static_cast<uint32_t>(buffer_ >> (64 - count)); }
  [[gnu::always_inline]] void Skip(int count) {
    buffer_ <<= count;
    count_ -= count;
  }
  size_t Position() const { return next_ * 8 - static_cast<size_t>(count_); }

  static constexpr int kFillBits = 32;

 private:
  const unsigned char* bytes_;
  uint64_t buffer_ = 0;
  size_t next_ = 0;
  int count_ = 0;
};

// After a Fill(); false for bits that are no code of the table.
[[gnu::always_inline]] inline bool DecodeSymbol(BitReader& reader, const HuffmanDecoder& decoder, int& symbol) {
  const uint32_t look = reader.Peek(kLongestPeek);
  const uint16_t fast = decoder.fast[look >> (kLongestPeek - kLookAheadBits)];
  if (fast != 0) {
    symbol = fast & 0xFF;
    reader.Skip(fast >> 8);
    return true;
  }
  for (int length = kLookAheadBits + 1; length <= kCodeLengths; ++length) {
    const int32_t code = static_cast<int32_t>(look >> (kLongestPeek - length));
    if (code <= decoder.lastCode[static_cast<size_t>(length)]) {
      symbol = decoder.symbols[static_cast<size_t>(code + decoder.indexOffset[static_cast<size_t>(length)])];
      reader.Skip(length);
      return true;
    }
  }
  return false;
}

bool DecodeDcDifference(BitReader& reader, const HuffmanDecoder& decoder, int& difference) {
  reader.Fill();
  int category = 0;
  if (!DecodeSymbol(reader, decoder, category) || category > kJpegMaxDcCategory) return false;
  if (category == 0) {
    difference = 0;
    return true;
  }
  const int bits = static_cast<int>(reader.Peek(category));
  // A leading 0 bit marks a negative difference.
  difference = bits < (1 << (category - 1)) ? bits - (1 << category) + 1 : bits;
  reader.Skip(category);
  return true;
}

bool SkipAcCoefficients(BitReader& reader, const HuffmanDecoder& decoder) {
  for (int k = 1; k <= kLastCoefficient;) {
    reader.Fill();
    const uint16_t both = decoder.withMagnitude[reader.Peek(kLookAheadBits)];
    int symbol = both & 0xFF;
    if (both != 0) {
      reader.Skip(both >> 8);
    } else {
      if (!DecodeSymbol(reader, decoder, symbol)) return false;
      const int ownSize = symbol & 0x0F;
      if (ownSize > kMaxAcSize) return false;
      reader.Skip(ownSize);
    }
    const int run = symbol >> 4;
    if ((symbol & 0x0F) == 0) {
      if (run != kZeroRunSymbolRun) return true;  // end of block
      k += kZeroRunLength;
      if (k > kBlockCoefficients) return false;
      continue;
    }
    k += run;
    if (k > kLastCoefficient) return false;
    ++k;
  }
  return true;
}

void AppendTableBytes(std::string& coding, const HuffmanTable& table) {
  coding.append(reinterpret_cast<const char*>(table.counts.data()), table.counts.size());
  coding.append(reinterpret_cast<const char*>(table.symbols.data()), table.symbols.size());
}

}  // namespace

struct JpegScan::Parsed {
  struct Component {
    unsigned char id = 0;
    unsigned char sampling = 0;
    int quant = 0;
    int dc = 0;
    int ac = 0;
  };
  std::array<QuantTable, kTableSlots> quant{};
  std::array<HuffmanTable, kTableSlots> dcTables{};
  std::array<HuffmanTable, kTableSlots> acTables{};
  std::array<Component, kJpegScanComponents> components{};
  bool frameRead = false;
  std::array<HuffmanDecoder, kJpegScanComponents> dcDecoders{};
  std::array<HuffmanDecoder, kJpegScanComponents> acDecoders{};
};

namespace {

bool ReadQuantTables(const unsigned char* body, size_t size, std::array<QuantTable, kTableSlots>& tables) {
  size_t i = 0;
  while (i < size) {
    const int precision = body[i] >> 4;
    const int slot = body[i] & 0x0F;
    ++i;
    if (precision > 1 || slot >= kTableSlots) return false;
    const size_t valueSize = precision == 0 ? 1 : 2;
    if (size - i < valueSize * kBlockCoefficients) return false;
    QuantTable& table = tables[static_cast<size_t>(slot)];
    table.defined = true;
    table.precision = static_cast<unsigned char>(precision);
    for (size_t k = 0; k < kBlockCoefficients; ++k) {
      const size_t at = i + k * valueSize;
      table.values[k] = precision == 0 ? body[at] : ReadBe16({body, size}, at);
    }
    i += valueSize * kBlockCoefficients;
  }
  return true;
}

bool ReadHuffmanTables(const unsigned char* body, size_t size, std::array<HuffmanTable, kTableSlots>& dcTables,
                       std::array<HuffmanTable, kTableSlots>& acTables) {
  size_t i = 0;
  while (i < size) {
    const int tableClass = body[i] >> 4;
    const int slot = body[i] & 0x0F;
    ++i;
    if (tableClass > 1 || slot >= kTableSlots || size - i < kCodeLengths) return false;
    HuffmanTable& table = (tableClass == 0 ? dcTables : acTables)[static_cast<size_t>(slot)];
    size_t total = 0;
    for (size_t k = 0; k < kCodeLengths; ++k) {
      table.counts[k] = body[i + k];
      total += body[i + k];
    }
    i += kCodeLengths;
    if (total > kMaxSymbols || size - i < total) return false;
    table.symbols.assign(body + i, body + i + total);
    table.defined = true;
    i += total;
  }
  return true;
}

}  // namespace

bool JpegScan::ReadHeaders(const unsigned char* bytes, size_t count, Parsed& parsed) {
  if (count < 2 || bytes[0] != kJpegMarker || bytes[1] != kJpegStartOfImage) return false;
  size_t pos = 2;
  for (;;) {
    if (pos + 2 > count || bytes[pos] != kJpegMarker) return false;
    // Fill bytes may stand before a marker.
    while (pos + 2 < count && bytes[pos + 1] == kJpegMarker) ++pos;
    const unsigned char marker = bytes[pos + 1];
    pos += 2;
    const bool standalone = marker == kJpegStuffedZero || marker == kJpegStartOfImage || marker == kJpegEndOfImage ||
                            marker == kTem || (marker >= kFirstRestart && marker <= kLastRestart) ||
                            marker == kJpegMarker;
    if (standalone || pos + kSegmentLengthSize > count) return false;
    const size_t length = ReadBe16({bytes, count}, pos);
    if (length < kSegmentLengthSize || length > count - pos) return false;
    const unsigned char* body = bytes + pos + kSegmentLengthSize;
    const size_t size = length - kSegmentLengthSize;
    if (marker == kQuantTables) {
      if (!ReadQuantTables(body, size, parsed.quant)) return false;
    } else if (marker == kHuffmanTables) {
      if (!ReadHuffmanTables(body, size, parsed.dcTables, parsed.acTables)) return false;
    } else if (marker == kRestartInterval) {
      // Restart markers would sit between rows; only pictures without them.
      if (size != 2 || ReadBe16({body, size}, 0) != 0) return false;
    } else if (marker == kBaselineFrame) {
      if (parsed.frameRead || !ReadFrameHeader(body, size, parsed)) return false;
      heightField_ = pos + kSegmentLengthSize + 1;
    } else if (marker >= kFirstFrame && marker <= kLastFrame) {
      // Every other coding process, and arithmetic conditioning.
      return false;
    } else if (marker == kJpegStartOfScan) {
      if (!parsed.frameRead || !ReadScanHeader(body, size, parsed)) return false;
      scanData_ = pos + length;
      return true;
    }
    pos += length;
  }
}

bool JpegScan::ReadFrameHeader(const unsigned char* body, size_t size, Parsed& parsed) {
  if (size != kFrameHeaderSize || body[0] != kBaselinePrecision || body[5] != kJpegScanComponents) return false;
  height_ = ReadBe16({body, size}, 1);
  width_ = ReadBe16({body, size}, 3);
  // A header that claims more than any recorder writes is damage.
  const size_t pixels = static_cast<size_t>(width_) * static_cast<size_t>(height_);
  if (pixels == 0 || pixels > size_t{CStreamImage::kLargestFramePixels}) return false;
  for (size_t c = 0; c < kJpegScanComponents; ++c) {
    const unsigned char* spec = body + 6 + 3 * c;
    Parsed::Component& component = parsed.components[c];
    component.id = spec[0];
    component.sampling = spec[1];
    component.quant = spec[2];
    if (component.sampling != (c == 0 ? kLumaSampling : kChromaSampling) || component.quant >= kTableSlots)
      return false;
  }
  parsed.frameRead = true;
  return true;
}

bool JpegScan::ReadScanHeader(const unsigned char* body, size_t size, Parsed& parsed) {
  if (size != kScanHeaderSize || body[0] != kJpegScanComponents) return false;
  // One scan over every coefficient at full precision: a sequential picture.
  const unsigned char* tail = body + 1 + 2 * kJpegScanComponents;
  if (tail[0] != 0 || tail[1] != kLastCoefficient || tail[2] != 0) return false;
  coding_.clear();
  for (size_t c = 0; c < kJpegScanComponents; ++c) {
    Parsed::Component& component = parsed.components[c];
    // The scan lists the components in the frame's order.
    if (body[1 + 2 * c] != component.id) return false;
    component.dc = body[2 + 2 * c] >> 4;
    component.ac = body[2 + 2 * c] & 0x0F;
    if (component.dc >= kTableSlots || component.ac >= kTableSlots) return false;
    const QuantTable& quant = parsed.quant[static_cast<size_t>(component.quant)];
    const HuffmanTable& dc = parsed.dcTables[static_cast<size_t>(component.dc)];
    const HuffmanTable& ac = parsed.acTables[static_cast<size_t>(component.ac)];
    if (!quant.defined || !BuildDecoder(dc, parsed.dcDecoders[c]) || !BuildDecoder(ac, parsed.acDecoders[c]) ||
        !BuildDcCodes(dc, dcCodes_[c]))
      return false;
    coding_.push_back(static_cast<char>(component.sampling));
    coding_.push_back(static_cast<char>(quant.precision));
    coding_.append(reinterpret_cast<const char*>(quant.values.data()), sizeof quant.values);
    AppendTableBytes(coding_, dc);
    AppendTableBytes(coding_, ac);
  }
  return true;
}

bool JpegScan::Read(const unsigned char* bytes, size_t count) {
  rows_.clear();
  width_ = 0;
  height_ = 0;
  Parsed parsed;
  if (bytes == nullptr || !ReadHeaders(bytes, count, parsed)) return false;
  TakeScanBytes(bytes + scanData_, count - scanData_);
  if (WalkBlocks(parsed)) return true;
  rows_.clear();
  return false;
}

// The data ends at the first marker; a stuffed zero after 0xFF is no data.
void JpegScan::TakeScanBytes(const unsigned char* data, size_t count) {
  bits_.clear();
  bits_.reserve(count + kLookAheadSlack);
  size_t i = 0;
  while (i < count) {
    const void* found = std::memchr(data + i, kJpegMarker, count - i);
    const size_t next = found ? static_cast<size_t>(static_cast<const unsigned char*>(found) - data) : count;
    bits_.insert(bits_.end(), data + i, data + next);
    if (next + 1 >= count || data[next + 1] != kJpegStuffedZero) break;
    bits_.push_back(kJpegMarker);
    i = next + 2;
  }
  dataBits_ = bits_.size() * 8;
  bits_.insert(bits_.end(), kLookAheadSlack, 0);
}

bool JpegScan::WalkBlocks(const Parsed& parsed) {
  const int mcusPerRow = (width_ + kJpegRowLines - 1) / kJpegRowLines;
  const int rowCount = (height_ + kJpegRowLines - 1) / kJpegRowLines;
  rows_.assign(static_cast<size_t>(rowCount), JpegRowStart{});
  BitReader reader(bits_.data());
  JpegComponentValues dc{};
  for (JpegRowStart& row : rows_) {
    row.bit = reader.Position();
    row.predictor = dc;
    for (int mcu = 0; mcu < mcusPerRow; ++mcu) {
      for (size_t c = 0; c < kJpegScanComponents; ++c) {
        const int blocks = c == 0 ? kLumaBlocksPerMcu : 1;
        for (int b = 0; b < blocks; ++b) {
          const bool first = mcu == 0 && b == 0;
          if (first) row.dcBegin[c] = reader.Position();
          int difference = 0;
          if (!DecodeDcDifference(reader, parsed.dcDecoders[c], difference)) return false;
          dc[c] += difference;
          if (first) {
            row.dcEnd[c] = reader.Position();
            row.firstDc[c] = dc[c];
          }
          if (!SkipAcCoefficients(reader, parsed.acDecoders[c])) return false;
          if (reader.Position() > dataBits_) return false;
        }
      }
    }
  }
  endBit_ = reader.Position();
  finalPredictor_ = dc;
  return true;
}

size_t JpegScan::RowEnd(int row) const { return row + 1 < Rows() ? Row(row + 1).bit : endBit_; }

const JpegComponentValues& JpegScan::PredictorAfter(int row) const {
  return row + 1 < Rows() ? Row(row + 1).predictor : finalPredictor_;
}
