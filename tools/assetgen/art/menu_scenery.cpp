// Scenery pieces of the world: floating stone lines and hills.
#include <algorithm>
#include <cmath>

#include "menu_shapes.h"

namespace art {

using namespace style;

void DrawFloatingLine(cairo_t* cr, double x, double y, int stones, double stoneSize, double haze) {
  // Haze mixes every colour towards the sky, so far lines sit back.
  auto far = [haze](Rgb c) { return Mix(c, Mix(kSky, kLavender, 0.4), haze); };
  double width = stones * stoneSize;
  double line = std::fmax(1.2, stoneSize * 0.06);
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // The island: a flat top over a lumpy rock that tapers to a point under the middle.
  double top = y + stoneSize * 0.8, depth = stoneSize * 1.7;
  auto rockPath = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, x - stoneSize * 0.2, top);
    cairo_line_to(cr, x + width + stoneSize * 0.2, top);
    cairo_curve_to(cr, x + width + stoneSize * 0.1, top + depth * 0.35, x + width * 0.85,
                   top + depth * 0.3, x + width * 0.8, top + depth * 0.5);
    cairo_curve_to(cr, x + width * 0.72, top + depth * 0.75, x + width * 0.6, top + depth * 0.7,
                   x + width * 0.5, top + depth);
    cairo_curve_to(cr, x + width * 0.38, top + depth * 0.7, x + width * 0.25, top + depth * 0.8,
                   x + width * 0.2, top + depth * 0.5);
    cairo_curve_to(cr, x + width * 0.1, top + depth * 0.35, x - stoneSize * 0.1, top + depth * 0.3,
                   x - stoneSize * 0.2, top);
    cairo_close_path(cr);
  };
  rockPath();
  cairo_pattern_t* rock = cairo_pattern_create_linear(x, top, x + width * 0.4, top + depth);
  AddStop(rock, 0, far(rgb(0xd8a878)));
  AddStop(rock, 0.6, far(rgb(0xb07a5a)));
  AddStop(rock, 1, far(rgb(0x8a6a9a)));
  cairo_set_source(cr, rock);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(rock);
  // Two lighter strata across the rock.
  cairo_save(cr);
  cairo_clip(cr);
  SetColor(cr, far(rgb(0xf0c89a)), 0.6);
  cairo_set_line_width(cr, std::fmax(1, stoneSize * 0.08));
  for (int band = 1; band <= 2; ++band) {
    double by = top + depth * 0.22 * band;
    cairo_move_to(cr, x - stoneSize, by);
    cairo_curve_to(cr, x + width * 0.3, by + stoneSize * 0.15, x + width * 0.6,
                   by - stoneSize * 0.1, x + width + stoneSize, by + stoneSize * 0.05);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  rockPath();
  SetColor(cr, far(kOutline));
  cairo_set_line_width(cr, line);
  cairo_stroke(cr);
  // A grassy lip with a scalloped edge hanging over the rock.
  double lipH = stoneSize * 0.22, lipX0 = x - stoneSize * 0.2, lipW = width + stoneSize * 0.4;
  cairo_new_path(cr);
  cairo_move_to(cr, lipX0, top - line);
  cairo_line_to(cr, lipX0 + lipW, top - line);
  int scallops = std::max(3, static_cast<int>(lipW / (stoneSize * 0.35)));
  for (int k = scallops; k > 0; --k) {
    double sx = lipX0 + lipW * k / scallops, ex = lipX0 + lipW * (k - 1) / scallops;
    cairo_curve_to(cr, sx, top + lipH * 1.6, ex, top + lipH * 1.6, ex, top + lipH * 0.4);
  }
  cairo_close_path(cr);
  SetColor(cr, far(kLeaf));
  cairo_fill_preserve(cr);
  SetColor(cr, far(Mix(kLeaf, kOutline, 0.5)));
  cairo_set_line_width(cr, line * 0.7);
  cairo_stroke(cr);

  // The stones: round sandstones with a highlight and a small smile.
  for (int i = 0; i < stones; ++i) {
    double cx = x + (i + 0.5) * stoneSize, cy = y + stoneSize * 0.4;
    double r = stoneSize * 0.46;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_pattern_t* sand =
        cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.5, r * 0.1, cx, cy, r * 1.1);
    AddStop(sand, 0, far(Mix(kStone, kWhite, 0.5)));
    AddStop(sand, 1, far(Mix(kStone, rgb(0xc08a5a), 0.5)));
    cairo_set_source(cr, sand);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sand);
    SetColor(cr, far(kOutline));
    cairo_stroke(cr);
    if (stoneSize >= 14) {
      cairo_set_line_width(cr, line * 0.8);
      cairo_arc(cr, cx, cy + r * 0.05, r * 0.32, 0.2 * M_PI, 0.8 * M_PI);
      cairo_stroke(cr);
      cairo_arc(cr, cx - r * 0.3, cy - r * 0.15, line * 0.7, 0, 2 * M_PI);
      cairo_arc(cr, cx + r * 0.3, cy - r * 0.15, line * 0.7, 0, 2 * M_PI);
      cairo_fill(cr);
      cairo_set_line_width(cr, line);
    }
  }
  cairo_restore(cr);
}

void DrawGem(cairo_t* cr, double cx, double cy, double size, Rgb color, double turn) {
  double w = size / 2, crownTop = -size * 0.32, girdle = -size * 0.08, tip = size * 0.48;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, turn);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Crown facets (lit) and pavilion facets (shaded), then the outline over all.
  const double table = w * 0.45;
  struct Facet {
    double pts[4][2];
    int n;
    double light;
  };
  const Facet facets[] = {
      {{{-table, crownTop}, {table, crownTop}, {w * 0.55, girdle}, {-w * 0.55, girdle}}, 4, 0.55},
      {{{-w, girdle}, {-table, crownTop}, {-w * 0.55, girdle}}, 3, 0.3},
      {{{w, girdle}, {table, crownTop}, {w * 0.55, girdle}}, 3, 0.05},
      {{{-w, girdle}, {-w * 0.3, girdle}, {0, tip}}, 3, 0.15},
      {{{-w * 0.3, girdle}, {w * 0.3, girdle}, {0, tip}}, 3, -0.05},
      {{{w * 0.3, girdle}, {w, girdle}, {0, tip}}, 3, -0.25}};
  for (const Facet& f : facets) {
    cairo_move_to(cr, f.pts[0][0], f.pts[0][1]);
    for (int i = 1; i < f.n; ++i) cairo_line_to(cr, f.pts[i][0], f.pts[i][1]);
    cairo_close_path(cr);
    SetColor(cr, f.light >= 0 ? Mix(color, kWhite, f.light) : Mix(color, kInk, -f.light));
    cairo_fill_preserve(cr);
    SetColor(cr, Mix(color, kWhite, 0.7));
    cairo_set_line_width(cr, std::fmax(0.8, size * 0.015));
    cairo_stroke(cr);
  }
  cairo_move_to(cr, -table, crownTop);
  cairo_line_to(cr, table, crownTop);
  cairo_line_to(cr, w, girdle);
  cairo_line_to(cr, 0, tip);
  cairo_line_to(cr, -w, girdle);
  cairo_close_path(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, std::fmax(1.5, size * 0.035));
  cairo_stroke(cr);
  cairo_restore(cr);
  DrawTwinkle(cr, cx - w * 0.35, cy - size * 0.2, size * 0.14, kWhite);
}

void DrawHills(cairo_t* cr, double width, double baseY, double amplitude, double phase,
               double bottom, Rgb top, Rgb low) {
  cairo_save(cr);
  cairo_move_to(cr, 0, bottom);
  for (double x = 0; x <= width; x += 4) {
    double wave = std::sin(x / width * 2 * M_PI * 1.3 + phase) * 0.6 +
                  std::sin(x / width * 2 * M_PI * 2.7 + phase * 1.7) * 0.4;
    cairo_line_to(cr, x, baseY - amplitude * wave);
  }
  cairo_line_to(cr, width, bottom);
  cairo_close_path(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, baseY - amplitude, 0, bottom);
  AddStop(fill, 0, top);
  AddStop(fill, 1, low);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  cairo_restore(cr);
}

}  // namespace art
