#pragma once
// Draws the Korvane skin and writes it as a skin package: dscPath and the
// .chk beside it. False when a file cannot be written.
#include <filesystem>

bool WriteKorvaneSkin(const std::filesystem::path& dscPath);
