// korvane-cli make-sample-card DIR [...]: a synthetic card for demos and tests.

#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "recording/StreamImage.h"
#include "samplecard/SampleCard.h"

namespace {

struct CardRequest {
  std::string root;
  SampleCardOptions options;
};

int RunMakeSampleCard(const CardRequest& request) {
  SampleCard card;
  std::string error;
  if (!WriteSampleCard(request.root, request.options, &card, &error)) {
    PrintError("cannot make the sample card in " + request.root + ": " + error);
    return kExitLoadFailed;
  }
  std::fputs(DescribeSampleCard(card).c_str(), stdout);
  return kExitOk;
}

}  // namespace

void AddMakeSampleCardCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("make-sample-card", "Write a synthetic drive recorder card into DIR");
  auto request = std::make_shared<CardRequest>();
  SampleCardOptions& o = request->options;
  command->add_option("DIR", request->root, "a new or empty folder")->required();
  command->add_option("--seed", o.seed, "the same seed makes the same card")->capture_default_str();
  command->add_option("--events", o.events, "event recordings")->check(CLI::Range(0, 999))->capture_default_str();
  command->add_option("--normals", o.normals, "normal recordings")->check(CLI::Range(0, 999))->capture_default_str();
  command->add_option("--logs", o.logs, "log files")->check(CLI::Range(0, 999))->capture_default_str();
  command->add_flag("--hard-brake", o.hardBrake, "a hard brake from cruising speed, with its event recording");
  command->add_option("--minutes", o.minutes, "length of each normal recording and log")
      ->check(CLI::Range(1, 60))
      ->capture_default_str();
  // No larger than a recorder writes: the viewer refuses bigger pictures as damaged.
  auto* width =
      command->add_option("--width", o.width, "picture width")->check(CLI::Range(16, CStreamImage::kLargestFrameWidth));
  auto* height = command->add_option("--height", o.height, "picture height (full-height recordings)")
                     ->check(CLI::Range(16, CStreamImage::kLargestFrameHeight));
  width->needs(height)->capture_default_str();
  height->needs(width)->capture_default_str();
  command->callback([&exitStatus, request] { exitStatus = RunMakeSampleCard(*request); });
}
