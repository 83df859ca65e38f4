#pragma once
// The notice that names the files the check-files pass removed from a
// card: recordings too short to hold a picture, indexes too short for a
// record, logs too short for a line.

#include <string>
#include <vector>

// A heading, then one line per file, named from the card's root on.
std::string RemovedFilesText(const std::string& root, const std::vector<std::string>& removed);
