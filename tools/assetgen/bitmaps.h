// Paints the game's bitmaps and icon and encodes them in the formats the game reads.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"
#include "system/language.h"

// True when a finished painter draws bitmap (or icon) `id`; false means a placeholder.
bool HasArtPainter(int id);

// True when bitmap `id` has words in it, and so a copy in each language.
bool HasWords(int id);

// Bitmap `id` as the game will see it: colour-keyed (alpha 0 or 255), transparent where the
// painter left alpha below one half, and no opaque pixel pure black. Painted in `language`;
// `lettering`, when given, receives every text the painter laid out.
Image PaintBitmap(int id, Language language = Language::Japanese,
                  std::vector<std::string>* lettering = nullptr);

// A painted surface as the game will see it (see PaintBitmap).
Image ReadKeyedPixels(cairo_surface_t* surface);

// The bitmap resource: a DIB of exactly the size and depth of its table entry.
std::vector<uint8_t> GenerateBitmap(int id, Language language = Language::Japanese);

// The icon resource: little-endian width, height, then width x height ARGB pixels.
std::vector<uint8_t> GenerateIcon();
