// Review pictures: each bitmap as the game shows it (transparent areas as a checkerboard),
// with every cut outlined and named; bitmaps with words in both languages.
#pragma once

#include <filesystem>

void WriteContactSheets(const std::filesystem::path& dir);
