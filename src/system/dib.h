// Decoder of device-independent bitmaps without file header (BITMAPINFOHEADER, uncompressed).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // ARGB8888 pixels, rows from the top
};

// Largest width or height accepted; nothing the game carries comes near it.
constexpr int kMaxDibSide = 8192;

// Decodes 1, 4, 8, 24 and 32 bits per pixel; bottom-up rows (and top-down ones, given by a
// negative height) padded to 4 bytes; colour table of biClrUsed entries, or 2^bits when it is
// 0. Palette indices beyond the table give black. False on anything malformed or truncated.
// Pixels are opaque, except those of the colour `transparent` (opaque ARGB, 0 for none), which
// become 0: a colour key applied to the colour table costs nothing per pixel.
bool DecodeDib(std::span<const uint8_t> bytes, DecodedImage& image, uint32_t transparent = 0);
