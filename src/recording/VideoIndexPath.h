#pragma once
// Which index file belongs to a data file, and back. The recorder names the
// pair alike up to an 8-character suffix ("_" and seven more) that only the
// data file may carry, so the partner is found by a prefix search in the
// same folder: stem, then any characters, then the partner's extension.

#include <string>
#include <string_view>

inline constexpr std::string_view kVideoIndexExtension = ".vdx";

// The ".vdx" index of a ".vdd" data file; empty when none is found.
std::string VideoIndexPath(const std::string& dataPath);

// The ".vdd" data file of a ".vdx" index, by the same rule with the two
// extensions exchanged; empty when none is found.
std::string VideoDataPathForIndex(const std::string& indexPath);

// What the name of a data file's index begins with (in any letter case):
// the data file's name without its extension and its suffix (a part of the
// name given).
std::string_view VideoIndexStem(std::string_view dataFileName);
