// Writes pictures as device-independent bitmaps without a file header: a 40-byte
// BITMAPINFOHEADER, a full colour table for 8 and 4 bits, bottom-up rows padded to 4 bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

// `image` must already be colour-keyed (every pixel alpha 0 or 255). Transparent pixels are
// written as pure black; for 8 and 4 bits palette entry 0 is that black and no other entry is.
std::vector<uint8_t> EncodeDib(const Image& image, int bitsPerPixel);

constexpr int kDibHeaderSize = 40;
