#pragma once
// Opens the disk-check dialog on the card holding a folder, from the Tool
// menu or from the store's question about damaged files. What is no
// checkable card is refused with "Not SD Card Drive" before any dialog
// opens.
#include <QWidget>
#include <string>

class Prompt;

// True when the dialog ended with OK (the check succeeded); the caller
// scans the card again.
bool RunDiskCheckDialog(const std::string& cardRoot, Prompt& prompt, QWidget* parent);
