// Arbitrary bytes as what a connection sends the map page's server. The
// server parses what has arrived after every read and answers the first
// parse that is not incomplete, so bytes that arrive in two pieces, split
// anywhere, must get the answer they get in one piece; and an answer keeps
// its kind's promises.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mapctrl/MapRequest.h"

namespace {

// The first port of the server's range.
constexpr int kPort = 9865;

bool Same(const MapRequest& a, const MapRequest& b) {
  return a.kind == b.kind && a.libFile == b.libFile && a.latitude == b.latitude && a.longitude == b.longitude &&
         a.recording == b.recording && a.frame == b.frame;
}

void CheckKind(const MapRequest& request) {
  const bool position = request.kind == MapRequestKind::kPosition;
  if (position != (request.recording >= 0) || position != (request.frame >= 0)) __builtin_trap();
  if (position && (request.latitude.empty() || request.longitude.empty())) __builtin_trap();
  const bool libFile = request.kind == MapRequestKind::kLibFile;
  if (libFile != std::any_of(kMapLibFiles.begin(), kMapLibFiles.end(),
                             [&request](std::string_view file) { return file == request.libFile; })) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The server never holds more than the limit: it reads no further.
  const std::string_view held(reinterpret_cast<const char*>(data), std::min(size, kMapRequestLimit));
  const MapRequest whole = ParseMapRequest(held, kPort);
  CheckKind(whole);
  if (whole.kind == MapRequestKind::kIncomplete && held.size() >= kMapRequestLimit) __builtin_trap();

  for (size_t split = 1; split < held.size(); ++split) {
    const MapRequest first = ParseMapRequest(held.substr(0, split), kPort);
    if (first.kind == MapRequestKind::kIncomplete) continue;  // the second piece decides, as in one piece
    if (!Same(first, whole)) __builtin_trap();
  }
  return 0;
}
