#include "export/AviWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

namespace {

constexpr int kIoBufferSize = 256 * 1024;
constexpr int kTimeScale = 100;
constexpr int kBitsPerPixel = 24;

// libavformat passes the buffer as const from version 61 on.
#if LIBAVFORMAT_VERSION_MAJOR >= 61
using IoBytes = const uint8_t*;
#else
using IoBytes = uint8_t*;
#endif

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

// The muxer and the file it writes through: libavformat sees a seekable
// file of our own, so that write failures keep their system error number.
// The descriptor belongs to the output file.
struct AviWriter::Muxer {
  int fd = -1;
  int error = 0;  // errno of the first failed write or seek
  AVFormatContext* format = nullptr;
  AVIOContext* io = nullptr;
  AVStream* stream = nullptr;
  AVPacket* packet = nullptr;
  AVRational sampleBase{1, 1};  // one sample

  ~Muxer() {
    av_packet_free(&packet);
    if (format) {
      format->pb = nullptr;
      avformat_free_context(format);
    }
    if (io) {
      av_freep(&io->buffer);
      avio_context_free(&io);
    }
  }

  static int Write(void* opaque, IoBytes bytes, int count) {
    auto* self = static_cast<Muxer*>(opaque);
    int left = count;
    while (left > 0) {
      const ssize_t n = ::write(self->fd, bytes, static_cast<size_t>(left));
      if (n < 0) {
        if (errno == EINTR) continue;
        if (self->error == 0) self->error = errno;
        return AVERROR(errno);
      }
      bytes += n;
      left -= static_cast<int>(n);
    }
    return count;
  }

  static int64_t Seek(void* opaque, int64_t offset, int whence) {
    auto* self = static_cast<Muxer*>(opaque);
    if (whence & AVSEEK_SIZE) {
      struct stat s {};
      return ::fstat(self->fd, &s) == 0 ? static_cast<int64_t>(s.st_size) : AVERROR(errno);
    }
    const off_t at = ::lseek(self->fd, static_cast<off_t>(offset), whence & ~AVSEEK_FORCE);
    if (at < 0) {
      if (self->error == 0) self->error = errno;
      return AVERROR(errno);
    }
    return at;
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
  if (!file_.Open(target, overwrite, guard)) {
    error_ = file_.Error();
    return false;
  }
  muxer_ = std::make_unique<Muxer>();
  muxer_->fd = file_.Descriptor();
  Muxer& m = *muxer_;

  if (avformat_alloc_output_context2(&m.format, nullptr, "avi", nullptr) < 0 || !m.format) {
    Fail("the AVI muxer is not available");
    Discard();
    return false;
  }
  auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
  if (buffer) m.io = avio_alloc_context(buffer, kIoBufferSize, 1, &m, nullptr, &Muxer::Write, &Muxer::Seek);
  if (!m.io) {
    av_free(buffer);
    Fail("out of memory");
    Discard();
    return false;
  }
  m.format->pb = m.io;
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
    Fail(m.error != 0 ? std::strerror(m.error) : AvErrorText(status));
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
    Fail(m.error != 0 ? std::strerror(m.error) : AvErrorText(status));
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
    if (status >= 0) avio_flush(m.io);
    if (status < 0 || m.error != 0) Fail(m.error != 0 ? std::strerror(m.error) : AvErrorText(status));
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
