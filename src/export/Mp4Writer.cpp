#include "export/Mp4Writer.h"

#include <algorithm>
#include <cstring>

#include "export/AvFileIo.h"
#include "export/LibavOnDemand.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace {

constexpr AVRational kMillisecond{1, 1000};
constexpr const char* kEncoder = "libx264";
constexpr const char* kPreset = "veryfast";
// x264's own count, one and a half threads a core: its frame threads wait
// on each other's reference rows, and with one thread a core the cores
// idle while the worker decodes and draws the next picture.
constexpr int kEncoderThreads = 0;
constexpr int kVideoStream = 0;
constexpr int kSubtitleStream = 1;

// The tx3g sample description every mov_text track carries: no display
// flags, centred at the bottom, a transparent background, white text of
// the one font "Serif".
constexpr unsigned char kTx3gDescription[] = {
    0, 0,    0, 0,                                                // display flags
    1, 0xFF,                                                      // horizontal centre, vertical bottom
    0, 0,    0, 0,                                                // background colour
    0, 0,    0, 0,  0,   0,   0,   0,                             // text box
    0, 0,    0, 0,  0,   1,   0,   0x12, 0xFF, 0xFF, 0xFF, 0xFF,  // style: font 1, 18 px, white
    0, 0,    0, 18, 'f', 't', 'a', 'b',  0,    1,    0,    1,    5, 'S', 'e', 'r', 'i', 'f'};

// The JPEG's planes use every code; H.264 films as players expect them use
// 16..235 for luma and 16..240 for chroma, the middle staying 128. A code v
// becomes round((scale x v + offset) / 255): luma 16 + v x 219 / 255,
// chroma 128 + (v - 128) x 224 / 255. No v falls on a half, and every step
// fits 16 bits, so the compiler can take many codes at once.
struct VideoRange {
  uint16_t scale;
  uint16_t offset;
};
constexpr VideoRange kLumaRange{219, 16 * 255};
constexpr VideoRange kChromaRange{224, 128 * 255 - 128 * 224};

constexpr uint16_t kHalfStep = 127;

// Sixteen codes at a time: the mapping runs over every byte of every
// picture, and the compiler does not vectorise it on its own at every
// optimisation level.
using SixteenCodes = uint8_t __attribute__((vector_size(16)));
using SixteenWide = uint16_t __attribute__((vector_size(32)));
constexpr int kCodesAtOnce = 16;

void ToVideoRange(const uint8_t* from, int width, int lines, VideoRange range, uint8_t* to, int stride) {
  const uint16_t add = static_cast<uint16_t>(range.offset + kHalfStep);
  for (int y = 0; y < lines; ++y) {
    const uint8_t* in = from + static_cast<size_t>(y) * static_cast<size_t>(width);
    uint8_t* out = to + static_cast<ptrdiff_t>(y) * stride;
    int x = 0;
    for (; x + kCodesAtOnce <= width; x += kCodesAtOnce) {
      SixteenCodes codes;
      std::memcpy(&codes, in + x, sizeof codes);
      const SixteenWide t = __builtin_convertvector(codes, SixteenWide) * range.scale + add;
      // t / 255 for every t below 65535.
      const SixteenCodes mapped = __builtin_convertvector((t + 1 + (t >> 8)) >> 8, SixteenCodes);
      std::memcpy(out + x, &mapped, sizeof mapped);
    }
    for (; x < width; ++x) {
      const int t = range.scale * in[x] + add;
      out[x] = static_cast<uint8_t>((t + 1 + (t >> 8)) >> 8);
    }
  }
}

}  // namespace

struct Mp4Writer::Muxer {
  AvFileIo file;
  AVFormatContext* format = nullptr;
  AVCodecContext* encoder = nullptr;
  AVStream* video = nullptr;
  AVStream* subtitles = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;

  ~Muxer() {
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    if (format) {
      format->pb = nullptr;
      avformat_free_context(format);
    }
  }

  // Why the muxer stopped: the system's reason for a failed write first.
  std::string Reason(int status) const { return file.error != 0 ? std::strerror(file.error) : AvErrorText(status); }
};

Mp4Writer::Mp4Writer() = default;

Mp4Writer::~Mp4Writer() { Discard(); }

void Mp4Writer::Fail(const std::string& reason) {
  if (error_.empty()) error_ = target_ + ": " + reason;
}

void Mp4Writer::FailWith(int status) { Fail(muxer_ ? muxer_->Reason(status) : AvErrorText(status)); }

bool Mp4Writer::Open(const std::string& target, Overwrite overwrite, const OutputGuard& guard, const Mp4Setup& setup) {
  Discard();
  error_.clear();
  target_ = target;
  setup_ = setup;
  pendingPts_ = -1;
  durations_.clear();
  pictures_ = cues_ = 0;
  if (setup.width <= 0 || setup.height <= 0) {
    Fail("no picture size");
    return false;
  }
  if (const std::optional<std::string> missing = LibavMissing()) {
    Fail(*missing);
    return false;
  }
  // The encoder's and muxer's notes are for their developers; a failure
  // reaches the user through Error().
  av_log_set_level(AV_LOG_ERROR);
  const AVCodec* codec = avcodec_find_encoder_by_name(kEncoder);
  if (!codec) {
    Fail("the H.264 encoder (libx264) is not available");
    return false;
  }
  if (!file_.Open(target, overwrite, guard)) {
    error_ = file_.Error();
    return false;
  }
  muxer_ = std::make_unique<Muxer>();
  Muxer& m = *muxer_;
  const auto fail = [this](const std::string& reason) {
    Fail(reason);
    Discard();
    return false;
  };
  if (avformat_alloc_output_context2(&m.format, nullptr, "mp4", nullptr) < 0 || !m.format)
    return fail("the MP4 muxer is not available");
  if (!m.file.Open(file_.Descriptor())) return fail("out of memory");
  m.format->pb = m.file.io;
  // Moving the index to the front reads the film back: through a second
  // descriptor of the same temporary file.
  m.format->url = av_strdup(("/proc/self/fd/" + std::to_string(file_.Descriptor())).c_str());

  m.encoder = avcodec_alloc_context3(codec);
  m.frame = av_frame_alloc();
  m.packet = av_packet_alloc();
  m.video = avformat_new_stream(m.format, nullptr);
  m.subtitles = avformat_new_stream(m.format, nullptr);
  if (!m.encoder || !m.frame || !m.packet || !m.video || !m.subtitles || !m.format->url) return fail("out of memory");
  m.frame->format = AV_PIX_FMT_YUV420P;
  m.frame->width = setup.width;
  m.frame->height = setup.height;
  m.frame->color_range = AVCOL_RANGE_MPEG;

  AVCodecContext& e = *m.encoder;
  e.width = setup.width;
  e.height = setup.height;
  e.pix_fmt = AV_PIX_FMT_YUV420P;
  // Video range, which every player shows right; the JPEG's BT.601 colours.
  e.color_range = AVCOL_RANGE_MPEG;
  e.colorspace = AVCOL_SPC_SMPTE170M;
  e.color_primaries = AVCOL_PRI_SMPTE170M;
  e.color_trc = AVCOL_TRC_SMPTE170M;
  e.time_base = kMillisecond;
  e.framerate = AVRational{setup.fpsHint > 0 ? setup.fpsHint : 30, 1};
  e.thread_count = kEncoderThreads;
  if (m.format->oformat->flags & AVFMT_GLOBALHEADER) e.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVDictionary* options = nullptr;
  av_dict_set(&options, "preset", kPreset, 0);
  av_dict_set_int(&options, "crf", setup.crf, 0);
  const int opened = avcodec_open2(&e, codec, &options);
  av_dict_free(&options);
  if (opened < 0) return fail("the H.264 encoder refused: " + AvErrorText(opened));
  if (avcodec_parameters_from_context(m.video->codecpar, &e) < 0) return fail("out of memory");
  m.video->time_base = kMillisecond;
  m.video->avg_frame_rate = e.framerate;

  AVCodecParameters& s = *m.subtitles->codecpar;
  s.codec_type = AVMEDIA_TYPE_SUBTITLE;
  s.codec_id = AV_CODEC_ID_MOV_TEXT;
  s.extradata = static_cast<uint8_t*>(av_mallocz(sizeof kTx3gDescription + AV_INPUT_BUFFER_PADDING_SIZE));
  if (!s.extradata) return fail("out of memory");
  std::memcpy(s.extradata, kTx3gDescription, sizeof kTx3gDescription);
  s.extradata_size = static_cast<int>(sizeof kTx3gDescription);
  m.subtitles->time_base = kMillisecond;

  av_dict_set(&m.format->metadata, "creation_time", setup.creationTime.c_str(), 0);
  if (setup.location) av_dict_set(&m.format->metadata, "location", setup.location->c_str(), 0);
  AVDictionary* muxerOptions = nullptr;
  av_dict_set(&muxerOptions, "movflags", "+faststart", 0);
  // Times in milliseconds as they were recorded, and one clock for both
  // tracks: the muxer ends a cue early when their clocks differ.
  av_dict_set(&muxerOptions, "video_track_timescale", "1000", 0);
  const int status = avformat_write_header(m.format, &muxerOptions);
  av_dict_free(&muxerOptions);
  if (status < 0) {
    FailWith(status);
    Discard();
    return false;
  }
  return true;
}

bool Mp4Writer::WritePicture(int64_t ptsMs, const YuvPicture& picture) {
  if (!muxer_ || !error_.empty()) return false;
  if (ptsMs <= pendingPts_ || !picture.Holds(setup_.width, setup_.height) || picture.width != setup_.width ||
      picture.height != setup_.height) {
    Fail("a picture out of order or of another size");
    return false;
  }
  if (pendingPts_ >= 0 && !Encode(pendingPts_, ptsMs - pendingPts_, true)) return false;
  if (!Hold(picture)) return false;
  pendingPts_ = ptsMs;
  return true;
}

bool Mp4Writer::Hold(const YuvPicture& picture) {
  AVFrame* frame = muxer_->frame;
  if (!frame->buf[0] && av_frame_get_buffer(frame, 0) < 0) {
    Fail("out of memory");
    return false;
  }
  // The encoder keeps its own copy of what it was sent; this only copies
  // when it still holds the frame.
  if (av_frame_make_writable(frame) < 0) {
    Fail("out of memory");
    return false;
  }
  ToVideoRange(picture.luma.data(), picture.width, picture.height, kLumaRange, frame->data[0], frame->linesize[0]);
  ToVideoRange(picture.blue.data(), picture.ChromaWidth(), picture.ChromaHeight(), kChromaRange, frame->data[1],
               frame->linesize[1]);
  ToVideoRange(picture.red.data(), picture.ChromaWidth(), picture.ChromaHeight(), kChromaRange, frame->data[2],
               frame->linesize[2]);
  return true;
}

bool Mp4Writer::Encode(int64_t ptsMs, int64_t durationMs, bool withPicture) {
  Muxer& m = *muxer_;
  AVFrame* frame = nullptr;
  if (withPicture) {
    frame = m.frame;
    frame->pts = ptsMs;
    durations_[ptsMs] = durationMs;
  }
  const int sent = avcodec_send_frame(m.encoder, frame);
  if (sent < 0) {
    Fail("the encoder refused a picture: " + AvErrorText(sent));
    return false;
  }
  if (withPicture) ++pictures_;
  return Drain();
}

bool Mp4Writer::Drain() {
  Muxer& m = *muxer_;
  for (;;) {
    const int got = avcodec_receive_packet(m.encoder, m.packet);
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return true;
    if (got < 0) {
      Fail("the encoder failed: " + AvErrorText(got));
      return false;
    }
    m.packet->stream_index = kVideoStream;
    // The encoder does not carry a picture's duration through; the muxer
    // needs the last one's.
    if (const auto known = durations_.find(m.packet->pts); known != durations_.end()) {
      m.packet->duration = known->second;
      durations_.erase(known);
    }
    av_packet_rescale_ts(m.packet, m.encoder->time_base, m.video->time_base);
    const int status = av_interleaved_write_frame(m.format, m.packet);
    if (status < 0) {
      FailWith(status);
      return false;
    }
  }
}

bool Mp4Writer::WriteCue(int64_t startMs, int64_t durationMs, const std::string& text) {
  if (!muxer_ || !error_.empty()) return false;
  Muxer& m = *muxer_;
  // A mov_text sample: the text's length in two bytes, then the text.
  const size_t length = std::min<size_t>(text.size(), 0xFFFF);
  AVPacket* p = m.packet;
  av_packet_unref(p);
  if (av_new_packet(p, static_cast<int>(length + 2)) < 0) {
    Fail("out of memory");
    return false;
  }
  p->data[0] = static_cast<uint8_t>(length >> 8);
  p->data[1] = static_cast<uint8_t>(length & 0xFF);
  std::memcpy(p->data + 2, text.data(), length);
  p->stream_index = kSubtitleStream;
  p->pts = p->dts = av_rescale_q(startMs, kMillisecond, m.subtitles->time_base);
  p->duration = av_rescale_q(durationMs, kMillisecond, m.subtitles->time_base);
  p->flags = AV_PKT_FLAG_KEY;
  const int status = av_interleaved_write_frame(m.format, p);
  if (status < 0) {
    FailWith(status);
    return false;
  }
  ++cues_;
  return true;
}

bool Mp4Writer::Close(int64_t lastDurationMs) {
  if (!muxer_) return false;
  Muxer& m = *muxer_;
  if (error_.empty() && pendingPts_ >= 0) Encode(pendingPts_, lastDurationMs, true);
  if (error_.empty() && pictures_ == 0) Fail("no picture to export");
  if (error_.empty() && Encode(0, 0, false)) {
    const int status = av_write_trailer(m.format);
    if (status >= 0) avio_flush(m.file.io);
    if (status < 0 || m.file.error != 0) FailWith(status);
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

void Mp4Writer::Discard() {
  muxer_.reset();
  file_.Discard();
}
