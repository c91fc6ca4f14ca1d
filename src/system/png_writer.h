// Writing a picture to a PNG file (screenshots of automated runs).
#pragma once

#include <cstdint>
#include <span>
#include <string>

// Writes width x height ARGB8888 pixels, rows top to bottom, as an 8-bit RGB PNG (alpha is
// dropped: the screen is opaque). False, with a message in `error`, when the pixel count does
// not match or the file cannot be written; a partly written file is removed.
bool WritePng(const std::string& path, int width, int height, std::span<const uint32_t> argb,
              std::string& error);
