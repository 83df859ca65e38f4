#include "export/AviWriter.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

#include "export/AvFileIo.h"
#include "export/LibavOnDemand.h"

namespace {

constexpr int kTimeScale = 100;
constexpr int kBitsPerPixel = 24;

}  // namespace

// The muxer and the file it writes through (see AvFileIo).
struct AviWriter::Muxer {
  AvFileIo file;
  AVFormatContext* format = nullptr;
  AVStream* stream = nullptr;
  AVPacket* packet = nullptr;
  AVRational sampleBase{1, 1};  // one sample

  ~Muxer() {
    av_packet_free(&packet);
    if (!format) return;
    format->pb = nullptr;
    avformat_free_context(format);
  }
};

AviWriter::AviWriter() = default;

AviWriter::~AviWriter() { Discard(); }

bool AviWriter::IsOpen() const { return muxer_ != nullptr; }

void AviWriter::Fail(const std::string& reason) {
  if (error_.empty()) error_ = target_ + ": " + reason;
}

bool AviWriter::Open(const std::string& target, Overwrite overwrite, const OutputGuard& guard, int width, int height,
                     int fps) {
  Discard();
  error_.clear();
  target_ = target;
  width_ = width;
  height_ = height;
  nextPosition_ = 0;
  if (width <= 0 || height <= 0 || fps <= 0) {
    Fail("no picture size or frame rate");
    return false;
  }
  if (const std::optional<std::string> missing = LibavMissing()) {
    Fail(*missing);
    return false;
  }
  if (!file_.Open(target, overwrite, guard)) {
    error_ = file_.Error();
    return false;
  }
  muxer_ = std::make_unique<Muxer>();
  Muxer& m = *muxer_;

  if (avformat_alloc_output_context2(&m.format, nullptr, "avi", nullptr) < 0 || !m.format) {
    Fail("the AVI muxer is not available");
    Discard();
    return false;
  }
  if (!m.file.Open(file_.Descriptor())) {
    Fail("out of memory");
    Discard();
    return false;
  }
  m.format->pb = m.file.io;
  m.stream = avformat_new_stream(m.format, nullptr);
  m.packet = av_packet_alloc();
  if (!m.stream || !m.packet) {
    Fail("out of memory");
    Discard();
    return false;
  }
  AVCodecParameters* codec = m.stream->codecpar;
  codec->codec_type = AVMEDIA_TYPE_VIDEO;
  codec->codec_id = AV_CODEC_ID_MJPEG;
  codec->codec_tag = MKTAG('M', 'J', 'P', 'G');
  codec->width = width;
  codec->height = height;
  codec->bits_per_coded_sample = kBitsPerPixel;
  m.sampleBase = AVRational{kTimeScale, fps * kTimeScale};
  m.stream->time_base = m.sampleBase;
  m.stream->avg_frame_rate = AVRational{fps, 1};
  m.stream->r_frame_rate = AVRational{fps, 1};

  const int status = avformat_write_header(m.format, nullptr);
  if (status < 0) {
    Fail(m.file.error != 0 ? std::strerror(m.file.error) : AvErrorText(status));
    Discard();
    return false;
  }
  return true;
}

bool AviWriter::WritePacket(int64_t position, const unsigned char* bytes, int count) {
  Muxer& m = *muxer_;
  AVPacket* p = m.packet;
  av_packet_unref(p);
  p->data = const_cast<unsigned char*>(bytes);
  p->size = count;
  p->stream_index = 0;
  // Positions count samples; the muxer may have reduced the time base.
  p->pts = av_rescale_q(position, m.sampleBase, m.stream->time_base);
  p->dts = p->pts;
  p->duration = av_rescale_q(1, m.sampleBase, m.stream->time_base);
  p->flags = AV_PKT_FLAG_KEY;
  const int status = av_write_frame(m.format, p);
  p->data = nullptr;
  p->size = 0;
  if (status < 0) {
    Fail(m.file.error != 0 ? std::strerror(m.file.error) : AvErrorText(status));
    return false;
  }
  nextPosition_ = position + 1;
  return true;
}

bool AviWriter::FillTo(int64_t position) {
  while (nextPosition_ < position) {
    if (cancel_ && cancel_->load()) {
      Fail("cancelled");
      return false;
    }
    if (!WritePacket(nextPosition_, nullptr, 0)) return false;
  }
  return true;
}

bool AviWriter::WriteSample(int64_t position, const unsigned char* jpeg, int count) {
  if (!muxer_ || !error_.empty()) return false;
  if (position < nextPosition_ || count <= 0) {
    Fail("a sample out of order");
    return false;
  }
  return FillTo(position) && WritePacket(position, jpeg, count);
}

bool AviWriter::Close(int64_t sampleCount) {
  if (!muxer_) return false;
  Muxer& m = *muxer_;
  if (error_.empty() && FillTo(sampleCount)) {
    const int status = av_write_trailer(m.format);
    if (status >= 0) avio_flush(m.file.io);
    if (status < 0 || m.file.error != 0) Fail(m.file.error != 0 ? std::strerror(m.file.error) : AvErrorText(status));
  }
  muxer_.reset();
  if (!error_.empty()) {
    Discard();
    return false;
  }
  if (!file_.Commit()) {
    error_ = file_.Error();
    return false;
  }
  return true;
}

void AviWriter::Discard() {
  muxer_.reset();
  file_.Discard();
}
