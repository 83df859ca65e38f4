#include "export/AvFileIo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

constexpr int kIoBufferSize = 256 * 1024;

// libavformat passes the buffer as const from version 61 on.
#if LIBAVFORMAT_VERSION_MAJOR >= 61
using IoBytes = const uint8_t*;
#else
using IoBytes = uint8_t*;
#endif

int Write(void* opaque, IoBytes bytes, int count) {
  auto* self = static_cast<AvFileIo*>(opaque);
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

int64_t Seek(void* opaque, int64_t offset, int whence) {
  auto* self = static_cast<AvFileIo*>(opaque);
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

}  // namespace

AvFileIo::~AvFileIo() {
  if (!io) return;
  av_freep(&io->buffer);
  avio_context_free(&io);
}

bool AvFileIo::Open(int descriptor) {
  fd = descriptor;
  auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
  if (buffer) io = avio_alloc_context(buffer, kIoBufferSize, 1, this, nullptr, &Write, &Seek);
  if (!io) av_free(buffer);
  return io != nullptr;
}

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}
