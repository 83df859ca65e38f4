#pragma once
// What an export may never write over: the recordings and logs it is made
// from, the index file beside each recording (which the reader loads too),
// and every file in a card's recording folders, whether the card is the one
// the inputs come from or the one the export was pointed into.

#include <string>
#include <vector>

#include "platform/OutputFile.h"

// sources: the data files (.vdd), index files (.vdx) or logs the export
// reads; targetFolder: where its file or files go.
OutputGuard ExportGuard(const std::vector<std::string>& sources, const std::string& targetFolder);
