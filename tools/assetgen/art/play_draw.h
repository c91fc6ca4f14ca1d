// Drawing helpers of the play-field painters: lit fills with outlines, limbs, soft wrapped
// shapes. Every coordinate is in pixels of the bitmap being painted.
#pragma once

#include <cairo.h>

#include <initializer_list>

#include "style.h"

namespace playart {

using style::Rgb;

struct Point {
  double x, y;
};

// A colour moved towards white (amount > 0) or towards a deep shade of itself (amount < 0).
Rgb Tint(Rgb c, double amount);

// Adds an ellipse to the current path.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);

// Fills the current path lit from the upper left (lighter there, darker to the lower right)
// and strokes it with the near-black outline. The path is consumed.
void FillLit(cairo_t* cr, Rgb base, double outline = style::kOutlineWidth);

// Fills the current path in one flat colour and strokes the outline (none if outline is 0).
void FillFlat(cairo_t* cr, Rgb color, double outline = style::kOutlineWidth);

// Strokes the current path with the near-black outline; the path is consumed.
void Outline(cairo_t* cr, double width = style::kOutlineWidth);

// A round-capped, outlined stroke through the points: arms, legs, boots. It is one stroke, so
// its joints show no seam.
void OutlinedStroke(cairo_t* cr, std::initializer_list<Point> points, double width, Rgb color);

// Strokes the current path as a drawn line with round ends: eyes, mouths, brows, cracks.
void InkLine(cairo_t* cr, double width, Rgb color = style::kOutline);

// A small white shine, the highlight every round thing carries towards the light.
void Shine(cairo_t* cr, double cx, double cy, double rx, double ry);

// A teardrop pointing up with its round end centred on (cx, cy): tears and sweat.
void Drop(cairo_t* cr, double cx, double cy, double radius, Rgb color);

// Sprite sheets are grids of 85 x 85 cells: cell (col, row) starts at (85 col, 85 row).
constexpr int kCell = 85;

// Saves the context and moves the origin to the top-left of cell (col, row); pair with
// cairo_restore.
void EnterCell(cairo_t* cr, int col, int row);

}  // namespace playart
