#include "export/CaptionRowSplicer.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "recording/JpegRowWriter.h"
#include "recording/VideoFormat.h"

namespace {

constexpr unsigned char kEndOfImage[] = {kJpegMarker, kJpegEndOfImage};

void PutBe16(std::vector<unsigned char>& bytes, size_t offset, int value) {
  bytes[offset] = static_cast<unsigned char>(value >> 8);
  bytes[offset + 1] = static_cast<unsigned char>(value & 0xFF);
}

void EndImage(std::vector<unsigned char>& bytes) {
  bytes.insert(bytes.end(), std::begin(kEndOfImage), std::end(kEndOfImage));
}

// The lines [top, bottom) of the picture a stamp covers; empty when it
// covers none.
std::pair<int, int> CoveredLines(const CaptionStamp& stamp, int width, int height) {
  if (stamp.x >= width || stamp.x + stamp.width <= 0) return {0, 0};
  return {std::max(stamp.y, 0), std::min(stamp.y + stamp.height, height)};
}

}  // namespace

bool CaptionRowSplicer::Make(CStreamImage& codec, const std::vector<unsigned char>& source,
                             const std::vector<CaptionStamp>& stamps, int width, int height) {
  output_.clear();
  if (!source_.Read(source.data(), source.size())) return false;
  if (source_.Width() != width || source_.Height() != height) return false;
  if (!encoderCoding_.empty() && source_.Coding() != encoderCoding_) return false;
  if (!FindRuns(stamps, height) || !BuildStrip(source)) return false;
  if (!codec.DecodeToYuv(strip_.data(), static_cast<int>(strip_.size()), stripPlanes_)) return false;
  if (stripPlanes_.width != width || stripPlanes_.height != stripLines_) return false;
  StampStrip(stamps, height);
  if (!codec.EncodeYuv(source.data(), static_cast<int>(source.size()), stripPlanes_)) return false;
  if (!encoded_.Read(codec.OutputBytes(), static_cast<size_t>(codec.OutputSize()))) return false;
  if (encoderCoding_.empty()) encoderCoding_ = encoded_.Coding();
  if (source_.Coding() != encoderCoding_ || encoded_.Width() != width) return false;
  return Splice(codec, height);
}

bool CaptionRowSplicer::FindRuns(const std::vector<CaptionStamp>& stamps, int height) {
  const int rows = source_.Rows();
  touched_.assign(static_cast<size_t>(rows), 0);
  for (const CaptionStamp& stamp : stamps) {
    const auto [top, bottom] = CoveredLines(stamp, source_.Width(), height);
    for (int row = top / kJpegRowLines; top < bottom && row <= (bottom - 1) / kJpegRowLines; ++row) {
      touched_[static_cast<size_t>(row)] = 1;
    }
  }
  runs_.clear();
  stripLines_ = 0;
  for (int row = 0; row < rows; ++row) {
    if (!touched_[static_cast<size_t>(row)]) continue;
    if (runs_.empty() || runs_.back().end != row) runs_.push_back({row, row, stripLines_});
    runs_.back().end = row + 1;
    stripLines_ += std::min(kJpegRowLines, height - row * kJpegRowLines);
  }
  return !runs_.empty();
}

// The touched rows as a picture of their own: the source's header with the
// strip's line count, and the rows one after the other.
bool CaptionRowSplicer::BuildStrip(const std::vector<unsigned char>& source) {
  strip_.assign(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(source_.ScanDataOffset()));
  PutBe16(strip_, source_.HeightFieldOffset(), stripLines_);
  JpegRowWriter writer(strip_);
  for (const Run& run : runs_) {
    if (!writer.Append(source_, run.first, run.end)) return false;
  }
  writer.Finish();
  EndImage(strip_);
  return true;
}

// Each stamp moves with the run its lines lie in.
void CaptionRowSplicer::StampStrip(const std::vector<CaptionStamp>& stamps, int height) {
  shifted_.clear();
  for (const CaptionStamp& stamp : stamps) {
    const auto [top, bottom] = CoveredLines(stamp, source_.Width(), height);
    if (top >= bottom) continue;
    const int row = top / kJpegRowLines;
    const auto run = std::find_if(runs_.begin(), runs_.end(), [row](const Run& r) { return row < r.end; });
    shifted_.push_back(stamp);
    shifted_.back().y += run->stripTop - run->first * kJpegRowLines;
  }
  StampYuv(stripPlanes_, shifted_);
}

// The encoder's header (the source's metadata, our tables) with the whole
// picture's line count, then the rows: recorded ones from the source,
// touched ones from the encoded strip.
bool CaptionRowSplicer::Splice(const CStreamImage& codec, int height) {
  if (encoded_.Height() != stripLines_) return false;
  const unsigned char* encoded = codec.OutputBytes();
  output_.assign(encoded, encoded + encoded_.ScanDataOffset());
  PutBe16(output_, encoded_.HeightFieldOffset(), height);
  JpegRowWriter writer(output_);
  int row = 0;
  int stripRow = 0;
  for (const Run& run : runs_) {
    const int rows = run.end - run.first;
    if (!writer.Append(source_, row, run.first) || !writer.Append(encoded_, stripRow, stripRow + rows)) return false;
    stripRow += rows;
    row = run.end;
  }
  if (!writer.Append(source_, row, source_.Rows())) return false;
  writer.Finish();
  EndImage(output_);
  return output_.size() <= static_cast<size_t>(CStreamImage::kOutputCapacity);
}
