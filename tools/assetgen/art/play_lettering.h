// Bold outlined lettering with a vertical colour gradient: score pop-ups, digits, banners.
#pragma once

#include <cairo.h>

#include "style.h"

namespace playart {

struct Lettering {
  style::Rgb top;     // fill colour at the top of the glyphs
  style::Rgb bottom;  // fill colour at their foot
  double outline;     // near-black outline width outside the glyphs
  double rim = 0;     // an extra rim outside the outline (0 for none)
  style::Rgb rimColor = style::kWhite;
  const char* family = nullptr;  // null for the picture's lettering face
};

// Numbers use the proportional face: its digits are round and its zero has no slash.
constexpr const char* kDigitFamily = "IPAPGothic";

// The largest em size (up to 96 px) at which `utf8` fits maxWidth x maxHeight, outline and
// rim included.
double FitLettering(cairo_t* cr, const char* utf8, double maxWidth, double maxHeight,
                    const Lettering& look);

// Draws `utf8` at em size sizePx with its ink centred on (cx, cy).
void DrawLettering(cairo_t* cr, const char* utf8, double cx, double cy, double sizePx,
                   const Lettering& look);

// Fits and draws in one go.
void GradientLabel(cairo_t* cr, const char* utf8, double cx, double cy, double maxWidth,
                   double maxHeight, const Lettering& look);

}  // namespace playart
