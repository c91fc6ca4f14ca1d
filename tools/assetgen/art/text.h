// Japanese lettering for the painters: bold IPAGothic laid out by Pango, with an outline.
#pragma once

#include <cairo.h>

#include "style.h"

namespace art {

struct LabelStyle {
  double sizePx = 32;  // em size in pixels
  style::Rgb fill = style::kWhite;
  style::Rgb outline = style::kOutline;
  double outlineWidth = 2.5;  // pixels of outline outside the glyphs; 0 for none
  bool bold = true;
  double letterSpacingPx = 0;
  const char* family = "IPAGothic";  // "IPAPGothic" has round, unslashed digits
};

struct TextBox {
  double x, y, width, height;
};

// The ink box of `utf8` laid out at the origin in the given style (outline not included).
TextBox MeasureLabel(cairo_t* cr, const char* utf8, const LabelStyle& style);

// The largest size not above style.sizePx at which the ink of `utf8` fits maxWidth x maxHeight
// (outline included).
double FitLabelSize(cairo_t* cr, const char* utf8, LabelStyle style, double maxWidth,
                    double maxHeight);

// Adds the glyph outlines of `utf8` to the current path, with their ink box centred on (cx, cy).
void AddLabelPath(cairo_t* cr, const char* utf8, double cx, double cy, const LabelStyle& style);

// Draws `utf8` with its ink centred on (cx, cy): the outline first, then the fill.
void DrawLabel(cairo_t* cr, const char* utf8, double cx, double cy, const LabelStyle& style);

// Draws `utf8` shrunk as needed to fit a box centred on (cx, cy).
void DrawFittedLabel(cairo_t* cr, const char* utf8, double cx, double cy, double maxWidth,
                     double maxHeight, LabelStyle style);

}  // namespace art
