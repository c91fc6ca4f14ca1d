#include "play_draw.h"

#include <cmath>

namespace playart {

using namespace style;

namespace {

// Fills the current path with the current source, then strokes the outline around it.
void FillSourceAndOutline(cairo_t* cr, double outline) {
  cairo_fill_preserve(cr);
  if (outline > 0) {
    Outline(cr, outline);
  } else {
    cairo_new_path(cr);
  }
}

}  // namespace

Rgb Tint(Rgb c, double amount) {
  if (amount >= 0) return Mix(c, kWhite, amount);
  // Shadows keep the hue: darken by scaling rather than by mixing in the grey outline.
  double k = 1 + amount;
  return {c.r * k, c.g * k, c.b * (k + (1 - k) * 0.25)};
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void FillLit(cairo_t* cr, Rgb base, double outline) {
  double x0, y0, x1, y1;
  cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
  cairo_pattern_t* light = cairo_pattern_create_linear(x0, y0, x1, y1);
  // Soft cel shading: a lit band, a wide flat middle and a shadow band.
  AddStop(light, 0.0, Tint(base, 0.35));
  AddStop(light, 0.3, Tint(base, 0.08));
  AddStop(light, 0.62, base);
  AddStop(light, 1.0, Tint(base, -0.22));
  cairo_set_source(cr, light);
  cairo_pattern_destroy(light);
  FillSourceAndOutline(cr, outline);
}

void FillFlat(cairo_t* cr, Rgb color, double outline) {
  SetColor(cr, color);
  FillSourceAndOutline(cr, outline);
}

void Outline(cairo_t* cr, double width) {
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void OutlinedStroke(cairo_t* cr, std::initializer_list<Point> points, double width, Rgb color) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    for (const Point& p : points) cairo_line_to(cr, p.x, p.y);
    SetColor(cr, pass == 0 ? kOutline : color);
    cairo_set_line_width(cr, pass == 0 ? width + 2 * kOutlineWidth : width);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void InkLine(cairo_t* cr, double width, Rgb color) {
  cairo_save(cr);
  SetColor(cr, color);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Shine(cairo_t* cr, double cx, double cy, double rx, double ry) {
  EllipsePath(cr, cx, cy, rx, ry);
  SetColor(cr, kWhite);
  cairo_fill(cr);
}

void Drop(cairo_t* cr, double cx, double cy, double radius, Rgb color) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, radius, -0.15 * M_PI, 1.15 * M_PI);
  cairo_line_to(cr, cx, cy - radius * 2.3);
  cairo_close_path(cr);
  FillFlat(cr, color, 1.5);
  Shine(cr, cx - radius * 0.35, cy - radius * 0.2, radius * 0.3, radius * 0.4);
}

void EnterCell(cairo_t* cr, int col, int row) {
  cairo_save(cr);
  cairo_translate(cr, col * kCell, row * kCell);
}

}  // namespace playart
