// Shapes shared by the menu, logo and reward painters: plates, stars, sparkles, soft skies.
#pragma once

#include <cairo.h>

#include "style.h"

namespace art {

// Adds a rectangle with rounded corners to the current path.
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);

// Adds a star of `points` tips centred on (cx, cy) to the current path.
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double turn = 0);

// An outlined star with a lighter upper-left half.
void DrawStar(cairo_t* cr, double cx, double cy, double outer, style::Rgb fill, double turn = 0);

// A four-point twinkle, no outline: for skies and glints.
void DrawTwinkle(cairo_t* cr, double cx, double cy, double size, style::Rgb color,
                 double alpha = 1.0);

struct PlateStyle {
  style::Rgb face;       // the plate's main colour
  style::Rgb rim;        // the darker rim just inside the outline
  double radius = 14;
  double rimWidth = 3;
};

// A rounded pastel plate: near-black outline, darker rim, face lit from the upper left and a
// soft gloss along the top. Fully opaque inside its rounded box.
void DrawPlate(cairo_t* cr, double x, double y, double w, double h, const PlateStyle& plate);

// A menu item plate with its label centred: the face colour picks the item's accent.
void DrawMenuItem(cairo_t* cr, double x, double y, double w, double h, const char* utf8,
                  style::Rgb face, bool highlighted);

// A vertical two-colour gradient over the rectangle.
void FillVertical(cairo_t* cr, double x, double y, double w, double h, style::Rgb top,
                  style::Rgb bottom);

// A puffy cloud of overlapping circles, white with a lavender underside.
void DrawCloud(cairo_t* cr, double cx, double cy, double width, double alpha = 1.0);

// An arrow head pointing in direction (dx, dy) (one of the four axes) in a square cell.
void DrawArrow(cairo_t* cr, double cx, double cy, double size, int dx, int dy,
               style::Rgb fill);

}  // namespace art
