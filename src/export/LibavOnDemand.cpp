// The libav functions the film writers call, opened when an export first
// calls one. Linked at start, libavcodec and libavformat bring some ninety
// codec and network libraries that the dynamic loader maps and relocates
// before the window can paint; only the AVI and MP4 exports need them.
//
// Each definition here is the header's own declaration (a C function of
// that name with other parameters would not compile) and hands its call on
// to the library's. A libav function the writers start to use fails to link
// until it has its line here.

#include "export/LibavOnDemand.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/macros.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
}

namespace {

enum class AvLibrary { kUtil, kCodec, kFormat };

// The versions the writers were compiled against, by their file names.
const char* FileName(AvLibrary library) {
  switch (library) {
    case AvLibrary::kUtil:
      return "libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR);
    case AvLibrary::kCodec:
      return "libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR);
    case AvLibrary::kFormat:
      return "libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR);
  }
  return "";
}

// The three libraries, opened once; a null handle is one that did not open,
// with the loader's reason beside it.
struct Opened {
  void* handle = nullptr;
  std::string failure;
};

Opened OpenLibrary(AvLibrary library) {
  Opened opened;
  opened.handle = dlopen(FileName(library), RTLD_NOW | RTLD_LOCAL);
  if (opened.handle == nullptr) opened.failure = dlerror();
  return opened;
}

const Opened& Library(AvLibrary library) {
  static const Opened libraries[] = {OpenLibrary(AvLibrary::kUtil), OpenLibrary(AvLibrary::kCodec),
                                     OpenLibrary(AvLibrary::kFormat)};
  return libraries[static_cast<int>(library)];
}

// Reached only when a writer called libav although LibavMissing() said no,
// or a library lacks a function its version must have: the installation is
// broken beyond what an export can report.
[[noreturn]] void Missing(const char* what) {
  std::fprintf(stderr, "korvane: %s\n", what);
  std::abort();
}

void* Handle(AvLibrary library) {
  const Opened& opened = Library(library);
  if (opened.handle == nullptr) Missing(opened.failure.c_str());
  return opened.handle;
}

template <typename Function>
Function* Resolve(AvLibrary library, const char* name) {
  void* symbol = dlsym(Handle(library), name);
  if (symbol == nullptr) Missing(dlerror());
  return reinterpret_cast<Function*>(symbol);
}

}  // namespace

std::optional<std::string> LibavMissing() {
  for (AvLibrary library : {AvLibrary::kUtil, AvLibrary::kCodec, AvLibrary::kFormat}) {
    const Opened& opened = Library(library);
    if (opened.handle == nullptr) return "libav cannot be opened (" + opened.failure + ")";
  }
  return std::nullopt;
}

// The library's function of the same name, looked up once.
#define KORVANE_AV(library, name)                                                 \
  ([] {                                                                           \
    static auto* const real = Resolve<decltype(name)>(AvLibrary::library, #name); \
    return real;                                                                  \
  }())

extern "C" {

// libavutil
void av_dict_free(AVDictionary** m) { KORVANE_AV(kUtil, av_dict_free)(m); }
int av_dict_set(AVDictionary** pm, const char* key, const char* value, int flags) {
  return KORVANE_AV(kUtil, av_dict_set)(pm, key, value, flags);
}
int av_dict_set_int(AVDictionary** pm, const char* key, int64_t value, int flags) {
  return KORVANE_AV(kUtil, av_dict_set_int)(pm, key, value, flags);
}
AVFrame* av_frame_alloc(void) { return KORVANE_AV(kUtil, av_frame_alloc)(); }
void av_frame_free(AVFrame** frame) { KORVANE_AV(kUtil, av_frame_free)(frame); }
int av_frame_get_buffer(AVFrame* frame, int align) { return KORVANE_AV(kUtil, av_frame_get_buffer)(frame, align); }
int av_frame_make_writable(AVFrame* frame) { return KORVANE_AV(kUtil, av_frame_make_writable)(frame); }
void av_free(void* ptr) { KORVANE_AV(kUtil, av_free)(ptr); }
void av_freep(void* ptr) { KORVANE_AV(kUtil, av_freep)(ptr); }
void av_log_set_level(int level) { KORVANE_AV(kUtil, av_log_set_level)(level); }
void* av_malloc(size_t size) { return KORVANE_AV(kUtil, av_malloc)(size); }
void* av_mallocz(size_t size) { return KORVANE_AV(kUtil, av_mallocz)(size); }
int64_t av_rescale_q(int64_t a, AVRational bq, AVRational cq) { return KORVANE_AV(kUtil, av_rescale_q)(a, bq, cq); }
char* av_strdup(const char* s) { return KORVANE_AV(kUtil, av_strdup)(s); }
int av_strerror(int errnum, char* errbuf, size_t errbuf_size) {
  return KORVANE_AV(kUtil, av_strerror)(errnum, errbuf, errbuf_size);
}

// libavcodec
int av_new_packet(AVPacket* pkt, int size) { return KORVANE_AV(kCodec, av_new_packet)(pkt, size); }
AVPacket* av_packet_alloc(void) { return KORVANE_AV(kCodec, av_packet_alloc)(); }
void av_packet_free(AVPacket** pkt) { KORVANE_AV(kCodec, av_packet_free)(pkt); }
void av_packet_rescale_ts(AVPacket* pkt, AVRational tb_src, AVRational tb_dst) {
  KORVANE_AV(kCodec, av_packet_rescale_ts)(pkt, tb_src, tb_dst);
}
void av_packet_unref(AVPacket* pkt) { KORVANE_AV(kCodec, av_packet_unref)(pkt); }
AVCodecContext* avcodec_alloc_context3(const AVCodec* codec) {
  return KORVANE_AV(kCodec, avcodec_alloc_context3)(codec);
}
const AVCodec* avcodec_find_encoder_by_name(const char* name) {
  return KORVANE_AV(kCodec, avcodec_find_encoder_by_name)(name);
}
void avcodec_free_context(AVCodecContext** avctx) { KORVANE_AV(kCodec, avcodec_free_context)(avctx); }
int avcodec_open2(AVCodecContext* avctx, const AVCodec* codec, AVDictionary** options) {
  return KORVANE_AV(kCodec, avcodec_open2)(avctx, codec, options);
}
int avcodec_parameters_from_context(AVCodecParameters* par, const AVCodecContext* codec) {
  return KORVANE_AV(kCodec, avcodec_parameters_from_context)(par, codec);
}
int avcodec_receive_packet(AVCodecContext* avctx, AVPacket* avpkt) {
  return KORVANE_AV(kCodec, avcodec_receive_packet)(avctx, avpkt);
}
int avcodec_send_frame(AVCodecContext* avctx, const AVFrame* frame) {
  return KORVANE_AV(kCodec, avcodec_send_frame)(avctx, frame);
}

// libavformat
int av_interleaved_write_frame(AVFormatContext* s, AVPacket* pkt) {
  return KORVANE_AV(kFormat, av_interleaved_write_frame)(s, pkt);
}
int av_write_frame(AVFormatContext* s, AVPacket* pkt) { return KORVANE_AV(kFormat, av_write_frame)(s, pkt); }
int av_write_trailer(AVFormatContext* s) { return KORVANE_AV(kFormat, av_write_trailer)(s); }
int avformat_alloc_output_context2(AVFormatContext** ctx, const AVOutputFormat* oformat, const char* format_name,
                                   const char* filename) {
  return KORVANE_AV(kFormat, avformat_alloc_output_context2)(ctx, oformat, format_name, filename);
}
void avformat_free_context(AVFormatContext* s) { KORVANE_AV(kFormat, avformat_free_context)(s); }
AVStream* avformat_new_stream(AVFormatContext* s, const AVCodec* c) {
  return KORVANE_AV(kFormat, avformat_new_stream)(s, c);
}
int avformat_write_header(AVFormatContext* s, AVDictionary** options) {
  return KORVANE_AV(kFormat, avformat_write_header)(s, options);
}
// libavformat passes the written bytes as const from version 61 on.
#if LIBAVFORMAT_VERSION_MAJOR >= 61
using AvWrittenBytes = const uint8_t*;
#else
using AvWrittenBytes = uint8_t*;
#endif
AVIOContext* avio_alloc_context(unsigned char* buffer, int buffer_size, int write_flag, void* opaque,
                                int (*read_packet)(void* opaque, uint8_t* buf, int buf_size),
                                int (*write_packet)(void* opaque, AvWrittenBytes buf, int buf_size),
                                int64_t (*seek)(void* opaque, int64_t offset, int whence)) {
  return KORVANE_AV(kFormat, avio_alloc_context)(buffer, buffer_size, write_flag, opaque, read_packet, write_packet,
                                                 seek);
}
void avio_context_free(AVIOContext** s) { KORVANE_AV(kFormat, avio_context_free)(s); }
void avio_flush(AVIOContext* s) { KORVANE_AV(kFormat, avio_flush)(s); }

}  // extern "C"
