// Text and outlines for the review drawings (placeholders and contact sheets).
#pragma once

#include <cairo.h>

#include <string>

#include "rects.h"

struct Rgba {
  double r, g, b, a;
};

enum class LabelAnchor { TopLeft, Centre };

// Draws `text` (UTF-8) with a dark halo so it reads on any background.
void DrawLabel(cairo_t* cr, const std::string& text, double x, double y, double pixelSize,
               LabelAnchor anchor, Rgba colour);

// Outlines a cut just inside its edges and writes its name in its top-left corner.
void OutlineRect(cairo_t* cr, const ArtRect& rect, Rgba colour);
