#include "samplecard/SampleVideoWriter.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "samplecard/SampleCommentBlock.h"
#include "samplecard/SampleFiles.h"
#include "samplecard/SampleIndexWriter.h"
#include "samplecard/SampleJpeg.h"
#include "samplecard/SampleScene.h"

namespace {

constexpr int kMinSide = 16;
constexpr int kMaxSide = 2048;

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

std::string Format(const char* format, auto... args) {
  char text[128];
  const int length = std::snprintf(text, sizeof text, format, args...);
  return std::string(text, length < 0 ? 0 : static_cast<size_t>(length));
}

// "ddd.dddd" with the hemisphere letter, from signed ddmm.mmmm.
std::string Position(double ddmm, char positive, char negative) {
  const double a = std::fabs(ddmm);
  const double degrees = std::floor(a / 100.0) + (a - std::floor(a / 100.0) * 100.0) / 60.0;
  return Format("%c%.4f", ddmm < 0 ? negative : positive, degrees);
}

SampleSceneState SceneOf(const SampleVideo& video, const SampleFrame& frame) {
  SampleSceneState scene;
  scene.distance = frame.sceneDistance;
  scene.heading = frame.sceneHeading;
  scene.curvature = frame.sceneCurvature;
  scene.speed = frame.sceneSpeed;
  const DateTime& t = frame.time;
  const int milliseconds = frame.frameNumber * 1000 / 30;
  scene.clockMs = ((t.hour * 60 + t.minute) * 60 + t.second) * 1000LL + milliseconds;
  scene.signal = frame.signal;
  scene.topLeft =
      Format("%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour, t.minute, t.second, milliseconds);
  std::string gps = "GPS --";
  if (frame.gpsValid) gps = Position(frame.latitude, 'N', 'S') + " " + Position(frame.longitude, 'E', 'W');
  scene.bottomLeft = Format("%03d KM/H  ", frame.speed) + gps;
  if (video.kind == SampleVideoKind::kNormal) {
    scene.topRight = "REC";
  } else {
    scene.topRight = frame.kind == 3 ? "EVENT" : "PRE";
    scene.topRightColor = frame.kind == 3 ? SampleRgb{255, 70, 60} : SampleRgb{255, 220, 120};
  }
  return scene;
}

bool Validate(const SampleVideo& video, std::string* error) {
  if (video.frames.empty()) return Fail(error, "a video recording needs at least one frame");
  if (video.width < kMinSide || video.width > kMaxSide || video.height < kMinSide / 2 || video.height > kMaxSide) {
    return Fail(error, "picture size out of range");
  }
  if (video.recordSize != kSampleShortRecord && video.recordSize != kSampleLongRecord) {
    return Fail(error, "index records are 66 or 69 bytes");
  }
  if (!video.dataSuffix.empty() && video.dataSuffix.size() != 8) {
    return Fail(error, "a data file suffix is \"_\" and 7 characters");
  }
  if (!video.dataSuffix.empty() && video.dataSuffix[0] != '_') {
    return Fail(error, "a data file suffix is \"_\" and 7 characters");
  }
  return true;
}

}  // namespace

bool WriteSampleVideo(const std::filesystem::path& folder, SampleVideo* video, std::string* error) {
  if (!Validate(*video, error)) return false;
  const std::string stem = SampleFileStem(video->number, video->frames.front().time);
  video->dataPath = folder / (stem + video->dataSuffix + ".vdd");
  video->indexPath.clear();
  if (video->variant != SampleIndexVariant::kNoIndex) video->indexPath = folder / (stem + ".vdx");

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> data(std::fopen(video->dataPath.c_str(), "wb"), &std::fclose);
  if (!data) return Fail(error, "cannot write " + video->dataPath.string());

  // Half-height pictures are the full scene with every other line left out,
  // so that the viewer's line doubling restores its proportions.
  const int drawHeight = video->halfHeight ? video->height * 2 : video->height;
  SampleImage canvas(video->width, drawHeight);
  SampleJpegEncoder encoder;
  std::vector<uint8_t> encoded;
  std::vector<uint8_t> picture;
  uint64_t offset = 0;
  for (SampleFrame& frame : video->frames) {
    RenderSampleScene(SceneOf(*video, frame), &canvas);
    const bool encodedOk =
        video->halfHeight ? encoder.Encode(HalveSampleImageHeight(canvas), &encoded) : encoder.Encode(canvas, &encoded);
    if (!encodedOk) return Fail(error, "the JPEG encoder failed");
    if (!AssembleSamplePicture(encoded, MakeSampleCommentBlock(frame), video->app1, &picture)) {
      return Fail(error, "the JPEG encoder's output has no usable header");
    }
    if (picture.size() > kSampleFrameMaxSize) return Fail(error, "a picture is larger than 500000 bytes");
    if (offset + picture.size() > UINT32_MAX) return Fail(error, "the data file would pass 4 GB");
    if (std::fwrite(picture.data(), 1, picture.size(), data.get()) != picture.size()) {
      return Fail(error, "cannot write " + video->dataPath.string());
    }
    frame.offset = static_cast<uint32_t>(offset);
    frame.size = static_cast<uint32_t>(picture.size());
    offset += picture.size();
  }
  if (std::fclose(data.release()) != 0) return Fail(error, "cannot write " + video->dataPath.string());
  video->dataBytes = offset;

  video->indexBytes = 0;
  if (video->indexPath.empty()) return true;
  const std::vector<uint8_t> index = BuildSampleIndex(*video);
  video->indexBytes = index.size();
  return WriteSampleFile(video->indexPath, std::string_view(reinterpret_cast<const char*>(index.data()), index.size()),
                         error);
}
