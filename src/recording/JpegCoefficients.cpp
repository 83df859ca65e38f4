#include "recording/JpegCoefficients.h"

// clang-format off
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kComponents = 3;
constexpr int kBlock = DCTSIZE;       // 8 pixels a side
constexpr int kBlockArea = DCTSIZE2;  // 64 coefficients
constexpr int kLumaSampling = 2;      // luma blocks per MCU side in 4:2:0
constexpr int kBitsPerSample = 8;
constexpr int kLevelShift = 128;  // samples are coded around mid-grey
constexpr int kMaxSample = 255;
// The largest magnitude a baseline Huffman coder takes for an AC value; a
// DC value of at most this keeps every difference of two within the DC
// coder's range too. Only damaged data comes anywhere near it.
constexpr int kMaxCoefficient = 1023;

using Table = std::array<uint16_t, kBlockArea>;  // natural order
// The luma and the chroma tables of one quality.
struct QualityTables {
  Table luma{};
  Table chroma{};
};

// libjpeg reports errors through a callback that must not return: it jumps
// back to the call that started the work. Warnings (damaged data) are
// neither printed nor fatal: the damaged part decodes as grey.
struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1); }
void KeepQuiet(j_common_ptr) {}

jpeg_error_mgr* QuietErrors(ErrorJump& error) {
  jpeg_std_error(&error.manager);
  error.manager.error_exit = JumpBack;
  error.manager.output_message = KeepQuiet;
  return &error.manager;
}

// The tables libjpeg scales from the standard ones for quality, made by
// libjpeg itself so that reading and writing agree on them.
bool MakeTables(int quality, QualityTables& tables) {
  ErrorJump error;
  jpeg_compress_struct maker;
  std::memset(&maker, 0, sizeof maker);
  maker.err = QuietErrors(error);
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&maker);
    return false;
  }
  jpeg_create_compress(&maker);
  jpeg_set_quality(&maker, quality, TRUE);
  std::copy_n(maker.quant_tbl_ptrs[0]->quantval, kBlockArea, tables.luma.begin());
  std::copy_n(maker.quant_tbl_ptrs[1]->quantval, kBlockArea, tables.chroma.begin());
  jpeg_destroy_compress(&maker);
  return true;
}

// Every frame of a film is read for the same quality.
bool TablesFor(int quality, QualityTables& tables) {
  thread_local int madeFor = -1;
  thread_local QualityTables made;
  if (madeFor != quality) {
    if (!MakeTables(quality, made)) return false;
    madeFor = quality;
  }
  tables = made;
  return true;
}

// The transforms are Arai, Agui and Nakajima's, in floating point: a
// block's outputs come scaled per frequency, and the scales fold into the
// quantisation steps (ScaledSteps). JPEG's coefficient (u, v) is the
// scaled output / (8 a(u) a(v)), with a(0) = 1 and a(k) = sqrt(2) cos(k pi / 16).
using Scales = std::array<float, kBlockArea>;

// Multipliers from a quantised coefficient to the inverse transform's
// input, and from the forward transform's output to a quantised value.
struct ScaledSteps {
  Scales inverse{};
  Scales forward{};  // transposed: [u][v], as the forward transform leaves its outputs
};

ScaledSteps ScaledStepsOf(const Table& table) {
  const double pi = std::acos(-1.0);
  double a[kBlock];
  for (int k = 0; k < kBlock; ++k) a[k] = k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * pi / 16.0);
  ScaledSteps steps;
  for (int v = 0; v < kBlock; ++v) {
    for (int u = 0; u < kBlock; ++u) {
      const size_t k = static_cast<size_t>(v * kBlock + u);
      steps.inverse[k] = static_cast<float>(table[k] * a[u] * a[v] / kBlock);
      steps.forward[static_cast<size_t>(u * kBlock + v)] = static_cast<float>(1.0 / (table[k] * a[u] * a[v] * kBlock));
    }
  }
  return steps;
}

constexpr float kSqrtHalf = 0.707106781f;  // c4
constexpr float kSqrtTwo = 1.414213562f;   // 2 c4

// Four columns side by side: a pass over them is one pass of vector
// arithmetic.
typedef float Lanes __attribute__((vector_size(4 * sizeof(float))));
typedef int IntLanes __attribute__((vector_size(4 * sizeof(int))));
constexpr int kLanes = 4;

// One 8-point forward transform over d[0], d[step], ... in place.
template <class T>
void ForwardPass(T* d, int step) {
  const T sum07 = d[0] + d[7 * step], diff07 = d[0] - d[7 * step];
  const T sum16 = d[step] + d[6 * step], diff16 = d[step] - d[6 * step];
  const T sum25 = d[2 * step] + d[5 * step], diff25 = d[2 * step] - d[5 * step];
  const T sum34 = d[3 * step] + d[4 * step], diff34 = d[3 * step] - d[4 * step];
  // Even part.
  const T even0 = sum07 + sum34, even3 = sum07 - sum34;
  const T even1 = sum16 + sum25, even2 = sum16 - sum25;
  d[0] = even0 + even1;
  d[4 * step] = even0 - even1;
  const T rotated = (even2 + even3) * kSqrtHalf;
  d[2 * step] = even3 + rotated;
  d[6 * step] = even3 - rotated;
  // Odd part.
  const T odd0 = diff34 + diff25, odd1 = diff25 + diff16, odd2 = diff16 + diff07;
  const T z5 = (odd0 - odd2) * 0.382683433f;  // c6
  const T z2 = 0.541196100f * odd0 + z5;      // c2 - c6
  const T z4 = 1.306562965f * odd2 + z5;      // c2 + c6
  const T z3 = odd1 * kSqrtHalf;
  const T z11 = diff07 + z3, z13 = diff07 - z3;
  d[5 * step] = z13 + z2;
  d[3 * step] = z13 - z2;
  d[step] = z11 + z4;
  d[7 * step] = z11 - z4;
}

// One 8-point inverse transform over d[0], d[step], ... in place.
template <class T>
void InversePass(T* d, int step) {
  // Even part.
  const T sum04 = d[0] + d[4 * step], diff04 = d[0] - d[4 * step];
  const T sum26 = d[2 * step] + d[6 * step];
  const T diff26 = (d[2 * step] - d[6 * step]) * kSqrtTwo - sum26;
  const T even0 = sum04 + sum26, even3 = sum04 - sum26;
  const T even1 = diff04 + diff26, even2 = diff04 - diff26;
  // Odd part.
  const T z13 = d[5 * step] + d[3 * step], z10 = d[5 * step] - d[3 * step];
  const T z11 = d[step] + d[7 * step], z12 = d[step] - d[7 * step];
  const T odd7 = z11 + z13;
  const T odd11 = (z11 - z13) * kSqrtTwo;
  const T z5 = (z10 + z12) * 1.847759065f;   // 2 c2
  const T odd10 = 1.082392200f * z12 - z5;   // 2 (c2 - c6)
  const T odd12 = -2.613125930f * z10 + z5;  // -2 (c2 + c6)
  const T odd6 = odd12 - odd7;
  const T odd5 = odd11 - odd6;
  const T odd4 = odd10 + odd5;
  d[0] = even0 + odd7;
  d[7 * step] = even0 - odd7;
  d[step] = even1 + odd6;
  d[6 * step] = even1 - odd6;
  d[2 * step] = even2 + odd5;
  d[5 * step] = even2 - odd5;
  d[4 * step] = even3 + odd4;
  d[3 * step] = even3 - odd4;
}

JCOEF ClampCoefficient(long value) {
  return static_cast<JCOEF>(std::clamp<long>(value, -kMaxCoefficient, kMaxCoefficient));
}

// The same over count coefficients, a multiple of a block, eight at once:
// it runs over every coefficient of every picture.
typedef JCOEF CoefficientLanes __attribute__((vector_size(8 * sizeof(JCOEF))));

void ClampCoefficients(JCOEF* coefficients, size_t count) {
  constexpr JCOEF kHigh = kMaxCoefficient;
  constexpr JCOEF kLow = -kMaxCoefficient;
  const CoefficientLanes high = {kHigh, kHigh, kHigh, kHigh, kHigh, kHigh, kHigh, kHigh};
  const CoefficientLanes low = {kLow, kLow, kLow, kLow, kLow, kLow, kLow, kLow};
  for (size_t i = 0; i < count; i += sizeof(CoefficientLanes) / sizeof(JCOEF)) {
    CoefficientLanes lanes;
    std::memcpy(&lanes, coefficients + i, sizeof lanes);
    lanes = lanes > high ? high : lanes;
    lanes = lanes < low ? low : lanes;
    std::memcpy(coefficients + i, &lanes, sizeof lanes);
  }
}

// value / step rounded half away from zero, as libjpeg quantises.
long Quantise(long value, long step) { return value >= 0 ? (value + step / 2) / step : -((-value + step / 2) / step); }

Lanes LoadLanes(const float* from) {
  Lanes lanes;
  std::memcpy(&lanes, from, sizeof lanes);
  return lanes;
}

void StoreLanes(float* to, Lanes lanes) { std::memcpy(to, &lanes, sizeof lanes); }

// The 8-point pass down every column of a row-major block, four columns at
// a time.
template <void (*Pass)(Lanes*, int)>
void PassDownColumns(float* block) {
  for (int first = 0; first < kBlock; first += kLanes) {
    Lanes column[kBlock];
    for (int k = 0; k < kBlock; ++k) column[k] = LoadLanes(block + k * kBlock + first);
    Pass(column, 1);
    for (int k = 0; k < kBlock; ++k) StoreLanes(block + k * kBlock + first, column[k]);
  }
}

void Transpose(const float* from, float* to) {
  for (int r = 0; r < kBlock; ++r) {
    for (int c = 0; c < kBlock; ++c) to[c * kBlock + r] = from[r * kBlock + c];
  }
}

// Half away from zero, as libjpeg rounds, four at once.
IntLanes RoundedLanes(Lanes value) {
  const Lanes half = value >= 0.0f ? Lanes{0.5f, 0.5f, 0.5f, 0.5f} : Lanes{-0.5f, -0.5f, -0.5f, -0.5f};
  return __builtin_convertvector(value + half, IntLanes);
}

Lanes Clamped(Lanes value, float low, float high) {
  value = value < low ? Lanes{low, low, low, low} : value;
  return value > high ? Lanes{high, high, high, high} : value;
}

void InverseDct(const JCOEF* coefficients, const Scales& scales, unsigned char* out, size_t stride) {
  float work[kBlockArea];
  typedef JCOEF FourCoefficients __attribute__((vector_size(kLanes * sizeof(JCOEF))));
  for (int k = 0; k < kBlockArea; k += kLanes) {
    FourCoefficients four;
    std::memcpy(&four, coefficients + k, sizeof four);
    StoreLanes(work + k, __builtin_convertvector(four, Lanes) * LoadLanes(scales.data() + k));
  }
  PassDownColumns<InversePass<Lanes>>(work);
  float across[kBlockArea];
  Transpose(work, across);  // across[x][y]
  PassDownColumns<InversePass<Lanes>>(across);
  // Rounded half up within the sample range: below 0 there is only 0.
  for (int x = 0; x < kBlock; ++x) {
    for (int y = 0; y < kBlock; y += kLanes) {
      const Lanes level = Clamped(LoadLanes(across + x * kBlock + y) + (kLevelShift + 0.5f), 0.0f, kMaxSample);
      const IntLanes sample = __builtin_convertvector(level, IntLanes);
      for (int i = 0; i < kLanes; ++i)
        out[static_cast<size_t>(y + i) * stride + static_cast<size_t>(x)] = static_cast<unsigned char>(sample[i]);
    }
  }
}

void ForwardDct(const unsigned char* in, size_t stride, const Scales& scales, JCOEF* coefficients) {
  float work[kBlockArea];
  for (int y = 0; y < kBlock; ++y) {
    const unsigned char* line = in + static_cast<size_t>(y) * stride;
    for (int x = 0; x < kBlock; ++x) work[y * kBlock + x] = static_cast<float>(line[x] - kLevelShift);
  }
  PassDownColumns<ForwardPass<Lanes>>(work);
  float across[kBlockArea];
  Transpose(work, across);  // across[u][v]
  PassDownColumns<ForwardPass<Lanes>>(across);
  constexpr float kLimit = kMaxCoefficient;
  for (int u = 0; u < kBlock; ++u) {
    for (int v = 0; v < kBlock; v += kLanes) {
      const Lanes scale = LoadLanes(scales.data() + u * kBlock + v);
      const IntLanes value = RoundedLanes(Clamped(LoadLanes(across + u * kBlock + v) * scale, -kLimit, kLimit));
      for (int i = 0; i < kLanes; ++i) coefficients[(v + i) * kBlock + u] = static_cast<JCOEF>(value[i]);
    }
  }
}

// A block's samples beyond the picture's edge repeat its last column and
// row inside, as an encoder pads a picture: nothing outside pulls on what
// is seen when the block is quantised.
void PadBeyondPicture(unsigned char* block, size_t stride, int columns, int rows) {
  if (columns <= 0 || rows <= 0) return;
  for (int y = 0; y < rows; ++y) {
    unsigned char* row = block + static_cast<size_t>(y) * stride;
    std::fill(row + columns, row + kBlock, row[columns - 1]);
  }
  for (int y = rows; y < kBlock; ++y)
    std::memcpy(block + static_cast<size_t>(y) * stride, block + static_cast<size_t>(rows - 1) * stride, kBlock);
}

bool IsBaseline420(const jpeg_decompress_struct& d, int maxPixels) {
  if (d.num_components != kComponents || d.jpeg_color_space != JCS_YCbCr || d.progressive_mode || d.arith_code ||
      d.data_precision != kBitsPerSample)
    return false;
  if (d.image_width == 0 || d.image_height == 0 ||
      static_cast<uint64_t>(d.image_width) * d.image_height > static_cast<uint64_t>(std::max(maxPixels, 0)))
    return false;
  const jpeg_component_info* c = d.comp_info;
  return c[0].h_samp_factor == kLumaSampling && c[0].v_samp_factor == kLumaSampling && c[1].h_samp_factor == 1 &&
         c[1].v_samp_factor == 1 && c[2].h_samp_factor == 1 && c[2].v_samp_factor == 1;
}

// A fixed buffer as libjpeg's output; running out of it is an error.
struct FixedDestination {
  jpeg_destination_mgr manager;
  unsigned char* buffer;
  size_t capacity;
};

void StartFixed(j_compress_ptr info) {
  auto* d = reinterpret_cast<FixedDestination*>(info->dest);
  d->manager.next_output_byte = d->buffer;
  d->manager.free_in_buffer = d->capacity;
}

boolean FixedIsFull(j_compress_ptr info) {
  info->err->msg_code = JERR_BUFFER_SIZE;
  info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
  return FALSE;
}

void EndFixed(j_compress_ptr) {}

}  // namespace

struct JpegCoefficients::State {
  ErrorJump error;
  jpeg_decompress_struct decoder;
  bool made = false;
  jvirt_barray_ptr* arrays = nullptr;
  std::array<std::vector<JBLOCKROW>, kComponents> rows;
  int quality = 0;
  QualityTables tables;
  ScaledSteps lumaSteps;
  ScaledSteps chromaSteps;
  // EditRegion's planes: the region's whole blocks, and its part inside
  // the picture as the edit sees it.
  std::array<std::vector<unsigned char>, kComponents> whole;
  YuvPicture visible;

  State() { std::memset(&decoder, 0, sizeof decoder); }
  ~State() {
    if (made) jpeg_destroy_decompress(&decoder);
  }
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  const Table& TableOf(int component) const { return component == 0 ? tables.luma : tables.chroma; }
  const ScaledSteps& StepsOf(int component) const { return component == 0 ? lumaSteps : chromaSteps; }
};

namespace {

// The entropy-decoded coefficients of the whole picture; false on an error
// libjpeg cannot go on from, or a picture of another kind. Nothing with a
// destructor lives in this frame: libjpeg's errors jump back into it.
bool ReadCoefficients(jpeg_decompress_struct& decoder, ErrorJump& error, bool& made, jvirt_barray_ptr*& arrays,
                      const unsigned char* bytes, int count, int maxPixels) {
  decoder.err = QuietErrors(error);
  if (setjmp(error.jump)) return false;
  jpeg_create_decompress(&decoder);
  made = true;
  jpeg_mem_src(&decoder, bytes, static_cast<unsigned long>(count));
  if (jpeg_read_header(&decoder, TRUE) != JPEG_HEADER_OK || !IsBaseline420(decoder, maxPixels)) return false;
  arrays = jpeg_read_coefficients(&decoder);
  if (arrays == nullptr) return false;
  // A table slot defined anew between scans cannot be written again as it
  // was read; such a picture takes the codec's other way.
  for (int c = 0; c < kComponents; ++c) {
    const jpeg_component_info& component = decoder.comp_info[c];
    const JQUANT_TBL* slot = decoder.quant_tbl_ptrs[component.quant_tbl_no];
    if (component.quant_table == nullptr || slot == nullptr ||
        std::memcmp(component.quant_table->quantval, slot->quantval, sizeof slot->quantval) != 0)
      return false;
  }
  return true;
}

// Block rows of a component, as many as its array holds: whole MCUs.
JDIMENSION BlockRows(const jpeg_component_info& component) {
  const JDIMENSION sampling = static_cast<JDIMENSION>(component.v_samp_factor);
  return (component.height_in_blocks + sampling - 1) / sampling * sampling;
}

JDIMENSION BlocksPerRow(const jpeg_component_info& component) {
  const JDIMENSION sampling = static_cast<JDIMENSION>(component.h_samp_factor);
  return (component.width_in_blocks + sampling - 1) / sampling * sampling;
}

// The recorded values brought to the tables the picture is written with
// (unchanged where they agree), within the baseline coder's range.
// Whether the picture's Huffman tables can only have given AC values within
// the baseline coder's range: with one scan, no symbol of more than its
// bits. DC values are sums of differences and are kept in range anyway.
bool AcWithinRange(const jpeg_decompress_struct& d) {
  constexpr int kMaxAcBits = 10;
  constexpr int kSizeBits = 0x0F;  // the low half of an AC symbol: its value's bit count
  if (d.input_scan_number != 1) return false;
  for (const JHUFF_TBL* table : d.ac_huff_tbl_ptrs) {
    if (table == nullptr) continue;
    int symbols = 0;
    for (int length = 1; length <= 16; ++length) symbols += table->bits[length];
    for (int i = 0; i < symbols && i < 256; ++i) {
      if ((table->huffval[i] & kSizeBits) > kMaxAcBits) return false;
    }
  }
  return true;
}

void Requantise(std::vector<JBLOCKROW>& rows, JDIMENSION blocksPerRow, const JQUANT_TBL& recorded, const Table& wanted,
                bool acWithinRange) {
  const bool same = std::equal(wanted.begin(), wanted.end(), recorded.quantval);
  for (JBLOCKROW row : rows) {
    // A row's blocks lie one after the other.
    JCOEF* const first = row[0];
    const size_t count = static_cast<size_t>(blocksPerRow) * kBlockArea;
    if (same && acWithinRange) {
      for (size_t i = 0; i < count; i += kBlockArea) first[i] = ClampCoefficient(first[i]);
      continue;
    }
    if (same) {
      ClampCoefficients(first, count);
      continue;
    }
    for (size_t i = 0; i < count; ++i) {
      const size_t k = i % kBlockArea;
      first[i] = ClampCoefficient(Quantise(long{first[i]} * recorded.quantval[k], wanted[k]));
    }
  }
}

// The encoder's output of the coefficients; nothing with a destructor
// lives in this frame either.
bool WriteCoefficients(jpeg_decompress_struct& decoder, jvirt_barray_ptr* arrays, int quality, unsigned char* out,
                       size_t capacity, size_t& size) {
  ErrorJump error;
  jpeg_compress_struct encoder;
  std::memset(&encoder, 0, sizeof encoder);
  encoder.err = QuietErrors(error);
  FixedDestination destination{{}, out, capacity};
  destination.manager.init_destination = StartFixed;
  destination.manager.empty_output_buffer = FixedIsFull;
  destination.manager.term_destination = EndFixed;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&encoder);
    return false;
  }
  jpeg_create_compress(&encoder);
  encoder.dest = &destination.manager;
  jpeg_copy_critical_parameters(&decoder, &encoder);
  jpeg_set_quality(&encoder, quality, TRUE);
  encoder.comp_info[0].quant_tbl_no = 0;
  encoder.comp_info[1].quant_tbl_no = 1;
  encoder.comp_info[2].quant_tbl_no = 1;
  jpeg_write_coefficients(&encoder, arrays);
  jpeg_finish_compress(&encoder);
  size = capacity - destination.manager.free_in_buffer;
  jpeg_destroy_compress(&encoder);
  return true;
}

// The blocks of one component in the region, as pixels of its whole plane
// (stride in samples).
struct PlaneBlocks {
  int firstColumn;  // in blocks
  int firstRow;
  int columns;
  int rows;
  size_t stride;
};

PlaneBlocks BlocksOf(const JpegMcuRegion& region, int component) {
  const int size = component == 0 ? kBlock : kBlock * kLumaSampling;  // pixels a block covers
  const int columns = (region.right - region.left) / size;
  return {region.left / size, region.top / size, columns, (region.bottom - region.top) / size,
          static_cast<size_t>(columns) * kBlock};
}

}  // namespace

JpegCoefficients::JpegCoefficients() = default;
JpegCoefficients::~JpegCoefficients() = default;
JpegCoefficients::JpegCoefficients(JpegCoefficients&&) noexcept = default;
JpegCoefficients& JpegCoefficients::operator=(JpegCoefficients&&) noexcept = default;

bool JpegCoefficients::Read(const unsigned char* bytes, int count, int quality, int maxPixels) {
  state_.reset();
  if (bytes == nullptr || count <= 0) return false;
  auto state = std::make_unique<State>();
  if (!TablesFor(quality, state->tables)) return false;
  if (!ReadCoefficients(state->decoder, state->error, state->made, state->arrays, bytes, count, maxPixels))
    return false;
  state->quality = quality;
  state->lumaSteps = ScaledStepsOf(state->tables.luma);
  state->chromaSteps = ScaledStepsOf(state->tables.chroma);
  jpeg_decompress_struct& d = state->decoder;
  const bool acWithinRange = AcWithinRange(d);
  for (int c = 0; c < kComponents; ++c) {
    const jpeg_component_info& component = d.comp_info[c];
    std::vector<JBLOCKROW>& rows = state->rows[static_cast<size_t>(c)];
    // The arrays are held in memory whole, so a row's address stays put.
    for (JDIMENSION r = 0; r < BlockRows(component); ++r)
      rows.push_back(d.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&d), state->arrays[c], r, 1, TRUE)[0]);
    Requantise(rows, BlocksPerRow(component), *component.quant_table, state->TableOf(c), acWithinRange);
  }
  state_ = std::move(state);
  return true;
}

int JpegCoefficients::Width() const { return state_ ? static_cast<int>(state_->decoder.image_width) : 0; }

int JpegCoefficients::Height() const { return state_ ? static_cast<int>(state_->decoder.image_height) : 0; }

JpegMcuRegion JpegCoefficients::McusAround(int left, int top, int right, int bottom) const {
  if (!state_) return {};
  const int mcuColumns = static_cast<int>(state_->decoder.MCUs_per_row);
  const int mcuRows = static_cast<int>(state_->decoder.total_iMCU_rows);
  const auto down = [](int value) { return value >= 0 ? value / kMcuSize : -((kMcuSize - 1 - value) / kMcuSize); };
  const auto up = [&](int value) { return down(value + kMcuSize - 1); };
  return {std::clamp(down(left), 0, mcuColumns) * kMcuSize, std::clamp(down(top), 0, mcuRows) * kMcuSize,
          std::clamp(up(right), 0, mcuColumns) * kMcuSize, std::clamp(up(bottom), 0, mcuRows) * kMcuSize};
}

void JpegCoefficients::EditRegion(const JpegMcuRegion& region, const std::vector<bool>& changing,
                                  const std::function<void(YuvPicture& planes)>& edit) {
  if (!state_ || region.Empty()) return;
  State& s = *state_;
  const JpegMcuRegion within = McusAround(region.left, region.top, region.right, region.bottom);
  if (within.left != region.left || within.top != region.top || within.right != region.right ||
      within.bottom != region.bottom)
    return;
  // Which blocks of each component are decoded and looked at afterwards.
  std::array<PlaneBlocks, kComponents> blocks{};
  std::array<std::vector<char>, kComponents> open;
  for (int c = 0; c < kComponents; ++c) blocks[static_cast<size_t>(c)] = BlocksOf(region, c);
  const PlaneBlocks& luma = blocks[0];
  if (changing.size() != static_cast<size_t>(luma.columns) * static_cast<size_t>(luma.rows)) return;
  open[0].assign(changing.begin(), changing.end());
  open[1].assign(static_cast<size_t>(blocks[1].columns) * static_cast<size_t>(blocks[1].rows), 0);
  for (int r = 0; r < luma.rows; ++r) {
    for (int col = 0; col < luma.columns; ++col) {
      if (changing[static_cast<size_t>(r * luma.columns + col)])
        open[1][static_cast<size_t>(r / kLumaSampling * blocks[1].columns + col / kLumaSampling)] = 1;
    }
  }
  open[2] = open[1];

  for (size_t c = 0; c < kComponents; ++c) {
    const PlaneBlocks& b = blocks[c];
    std::vector<unsigned char>& whole = s.whole[c];
    // Blocks left closed read as black; no edit may change them.
    whole.assign(b.stride * static_cast<size_t>(b.rows) * kBlock, 0);
    for (int r = 0; r < b.rows; ++r) {
      const JBLOCKROW row = s.rows[c][static_cast<size_t>(b.firstRow + r)];
      for (int col = 0; col < b.columns; ++col) {
        if (!open[c][static_cast<size_t>(r * b.columns + col)]) continue;
        InverseDct(row[b.firstColumn + col], s.StepsOf(static_cast<int>(c)).inverse,
                   whole.data() + static_cast<size_t>(r) * kBlock * b.stride + static_cast<size_t>(col) * kBlock,
                   b.stride);
      }
    }
  }

  YuvPicture& planes = s.visible;
  planes.Resize(std::min(region.right, Width()) - region.left, std::min(region.bottom, Height()) - region.top);
  const std::array<unsigned char*, kComponents> planeData = {planes.luma.data(), planes.blue.data(), planes.red.data()};
  const std::array<int, kComponents> planeWidth = {planes.width, planes.ChromaWidth(), planes.ChromaWidth()};
  const std::array<int, kComponents> planeHeight = {planes.height, planes.ChromaHeight(), planes.ChromaHeight()};
  for (size_t c = 0; c < kComponents; ++c) {
    for (int y = 0; y < planeHeight[c]; ++y)
      std::memcpy(planeData[c] + static_cast<size_t>(y) * static_cast<size_t>(planeWidth[c]),
                  s.whole[c].data() + static_cast<size_t>(y) * blocks[c].stride, static_cast<size_t>(planeWidth[c]));
  }
  edit(planes);

  for (size_t c = 0; c < kComponents; ++c) {
    const PlaneBlocks& b = blocks[c];
    std::vector<unsigned char>& whole = s.whole[c];
    for (int r = 0; r < b.rows; ++r) {
      const JBLOCKROW row = s.rows[c][static_cast<size_t>(b.firstRow + r)];
      for (int col = 0; col < b.columns; ++col) {
        if (!open[c][static_cast<size_t>(r * b.columns + col)]) continue;
        // Only the block's part inside the picture can have been edited.
        const int x0 = col * kBlock;
        const int y0 = r * kBlock;
        const int xEnd = std::min(x0 + kBlock, planeWidth[c]);
        const int yEnd = std::min(y0 + kBlock, planeHeight[c]);
        bool changed = false;
        for (int y = y0; y < yEnd; ++y) {
          unsigned char* wholeRow = whole.data() + static_cast<size_t>(y) * b.stride;
          const unsigned char* editedRow = planeData[c] + static_cast<size_t>(y) * static_cast<size_t>(planeWidth[c]);
          if (xEnd <= x0 || std::memcmp(wholeRow + x0, editedRow + x0, static_cast<size_t>(xEnd - x0)) == 0) continue;
          std::memcpy(wholeRow + x0, editedRow + x0, static_cast<size_t>(xEnd - x0));
          changed = true;
        }
        if (!changed) continue;
        PadBeyondPicture(whole.data() + static_cast<size_t>(y0) * b.stride + static_cast<size_t>(x0), b.stride,
                         xEnd - x0, yEnd - y0);
        ForwardDct(whole.data() + static_cast<size_t>(y0) * b.stride + static_cast<size_t>(x0), b.stride,
                   s.StepsOf(static_cast<int>(c)).forward, row[b.firstColumn + col]);
      }
    }
  }
}

bool JpegCoefficients::Write(unsigned char* out, size_t capacity, size_t& size) const {
  size = 0;
  if (!state_ || out == nullptr) return false;
  return WriteCoefficients(state_->decoder, state_->arrays, state_->quality, out, capacity, size);
}
