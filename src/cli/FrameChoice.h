#pragma once
// The frame choice of the save-images dialog as command-line options, shared
// by export-jpeg and print-pdf: --current FRAME | --selected FRAME --seconds
// S | --all, with --fps F.

#include <CLI/CLI.hpp>
#include <optional>

#include "export/JpegSelection.h"

class CInfoEventFile;

struct FrameChoice {
  std::optional<int> current;
  std::optional<int> selected;
  std::optional<int> seconds;
  bool all = false;
  std::optional<int> fps;
};

// Adds the options, with their exclusions, to command.
void AddFrameChoiceOptions(CLI::App& command, FrameChoice& choice);

// The selection record the dialog would fill from these options; nothing
// (and the message said) for a value the dialog's lists do not offer.
std::optional<JpegSelection> SelectionOfChoice(const FrameChoice& choice, CInfoEventFile& recording);
