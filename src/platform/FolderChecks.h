#pragma once
// The two checks every export and the backup make before they accept a
// target folder: does it exist (for a card reader, is a card in it and
// readable), and can a file be created in it.

#include <string>

class Volumes;

// A bare drive (the mount point of a removable medium or network share, or a
// reader slot) is available only when a medium is there and its volume can
// be read; a CD/DVD drive never is. Any other path is available when a file
// system entry of that path exists.
bool IsFolderAvailable(const std::string& path);
bool IsFolderAvailable(const std::string& path, const Volumes& volumes);

// Creates a file of our own in the folder, closes and deletes it; nothing of
// the user's is ever touched.
bool IsWritableFolder(const std::string& path);
