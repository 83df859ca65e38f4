#pragma once
// The notices playback gives about recordings that are not whole: frames
// whose pictures cannot be read, and frames an index did not list that
// were read from the data file.

#include <memory>
#include <string>
#include <vector>

class CInfoEventFile;

// "12 of the 100 frames of this recording could not be read. ..."
std::string UnreadableFramesText(int unreadable, int frames);

// One line per recording whose frames were partly read from its data file
// after an index that ended before it, under a heading; empty when there
// is none.
std::string FramesFromDataFileText(const std::vector<std::unique_ptr<CInfoEventFile>>& videos);
