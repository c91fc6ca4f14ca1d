// Paints the game's bitmaps and icon and encodes them in the formats the game reads.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "image.h"

// True when a finished painter draws bitmap (or icon) `id`; false means a placeholder.
bool HasArtPainter(int id);

// Bitmap `id` as the game will see it: colour-keyed (alpha 0 or 255), transparent where the
// painter left alpha below one half, and no opaque pixel pure black.
Image PaintBitmap(int id);

// A painted surface as the game will see it (see PaintBitmap).
Image ReadKeyedPixels(cairo_surface_t* surface);

// The bitmap resource: a DIB of exactly the size and depth of its table entry.
std::vector<uint8_t> GenerateBitmap(int id);

// The icon resource: little-endian width, height, then width x height ARGB pixels.
std::vector<uint8_t> GenerateIcon();
