// korvane-cli frame FILE.vdd INDEX -o OUT.jpg|OUT.ppm [--double] [--yes]: one frame's
// picture as recorded, line-doubled, or decoded to pixels.

#include <cstdio>
#include <filesystem>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "platform/Utf8.h"
#include "recording/ExportGuard.h"
#include "recording/StreamImage.h"

namespace {

struct FrameRequest {
  std::string path;
  int index = 0;
  std::string output;
  bool doubled = false;
  bool yes = false;
  OutputGuard guard;
};

bool WriteFile(const FrameRequest& request, const unsigned char* bytes, size_t count, const std::string& header = {}) {
  if (StopSignals::Requested()) {
    PrintError("cancelled; nothing written");
    return false;
  }
  OutputFile file;
  if (file.Open(request.output, OverwriteOf(request.yes), request.guard)) {
    file.Write(header);
    file.Write(bytes, count);
    if (file.Commit()) return true;
  }
  PrintError(file.Error());
  return false;
}

int WriteJpeg(const FrameRequest& request, std::vector<uint8_t>& picture, int count) {
  if (request.doubled) {
    CStreamImage codec;
    if (!codec.DoubleAndReencode(picture.data(), count, static_cast<int>(picture.size()))) {
      PrintError("cannot double the lines of frame " + std::to_string(request.index) + " of " + request.path);
      return kExitLoadFailed;
    }
  }
  return WriteFile(request, picture.data(), static_cast<size_t>(count)) ? kExitOk : kExitLoadFailed;
}

// A binary PPM (RGB), from the codec's blue-green-red pixels.
int WritePpm(const FrameRequest& request, const std::vector<uint8_t>& picture, int count) {
  CStreamImage codec;
  if (!codec.DecodeToPixels(picture.data(), count)) {
    PrintError("cannot decode frame " + std::to_string(request.index) + " of " + request.path);
    return kExitLoadFailed;
  }
  const int width = codec.Width();
  int height = codec.Height();
  const unsigned char* pixels = codec.Pixels();
  if (request.doubled) {
    if (const unsigned char* doubled = codec.GetDoubledPixels()) {
      pixels = doubled;
      height *= 2;
    }
  }
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) {
    rgb[i] = pixels[i + 2];
    rgb[i + 1] = pixels[i + 1];
    rgb[i + 2] = pixels[i];
  }
  const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  return WriteFile(request, rgb.data(), rgb.size(), header) ? kExitOk : kExitLoadFailed;
}

int RunFrame(FrameRequest& request) {
  const std::string extension = AsciiLower(std::filesystem::path(request.output).extension().string());
  if (extension != ".jpg" && extension != ".jpeg" && extension != ".ppm") {
    PrintError("the output must end in .jpg or .ppm: " + request.output);
    return kExitUsage;
  }
  request.guard = ExportGuard({request.path}, std::filesystem::path(request.output).parent_path().string());
  if (!OutputAllowed(request.output, request.guard, request.yes)) return kExitUsage;
  const StopSignals stop;
  CInfoEventFile recording;
  WaitingLoadObserver observer;
  if (LoadVideoForCli(request.path, recording, observer) == LoadStatus::kFailed) return kExitLoadFailed;
  if (recording.FrameCount() == 0) {
    PrintError("cannot read frame " + std::to_string(request.index) + " of " + request.path + ": it holds no frames");
    return kExitLoadFailed;
  }
  if (request.index < 0 || request.index >= recording.FrameCount()) {
    PrintError("frame " + std::to_string(request.index) + " of " + request.path + " is outside 0.." +
               std::to_string(recording.FrameCount() - 1));
    return kExitUsage;
  }
  std::vector<uint8_t> picture(FRAMEDATA_MAXSIZE);
  const int count = recording.ReadFrameData(request.index, picture.data());
  if (count <= 0) {
    PrintError("cannot read the picture of frame " + std::to_string(request.index) + " from " + request.path);
    return kExitLoadFailed;
  }
  return extension == ".ppm" ? WritePpm(request, picture, count) : WriteJpeg(request, picture, count);
}

}  // namespace

void AddFrameCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("frame", "Write one frame's picture (.jpg as recorded, or .ppm pixels)");
  auto request = std::make_shared<FrameRequest>();
  command->add_option("FILE", request->path, "the recording's data file (.vdd)")->required();
  command->add_option("INDEX", request->index, "the frame index, from 0")->required();
  command->add_option("-o,--output", request->output, "OUT.jpg or OUT.ppm")->required();
  command->add_flag("--double", request->doubled, "double the lines of a half-height picture");
  command->add_flag("--yes", request->yes, "overwrite an existing file");
  command->callback([&exitStatus, request] { exitStatus = RunFrame(*request); });
}
