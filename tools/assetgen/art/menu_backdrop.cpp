// The common background (128) behind the reading, option, room and game-over scenes.
#include <cmath>

#include "menu_art.h"
#include "menu_shapes.h"

namespace art {
namespace {

using namespace style;

// A faint lattice of diamonds, the world's treasure, tiled over the sky.
void DrawDiamondLattice(cairo_t* cr, int width, int height) {
  const double step = 64;
  for (double y = 0; y < height + step; y += step / 2) {
    int row = static_cast<int>(y / (step / 2));
    for (double x = (row % 2) * step / 2; x < width + step; x += step) {
      cairo_move_to(cr, x, y - 9);
      cairo_line_to(cr, x + 7, y);
      cairo_line_to(cr, x, y + 9);
      cairo_line_to(cr, x - 7, y);
      cairo_close_path(cr);
    }
  }
  SetColor(cr, kWhite, 0.4);
  cairo_fill(cr);
}

}  // namespace

void Paint128(cairo_t* cr, int width, int height) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, width * 0.3, height);
  AddStop(sky, 0, Mix(kSky, kPaper, 0.25));
  AddStop(sky, 0.6, Mix(kLavender, kPaper, 0.35));
  AddStop(sky, 1, Mix(kLavender, kRose, 0.15));
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  DrawDiamondLattice(cr, width, height);

  // Soft clouds along the bottom and the top corners; nothing strong under the text rows.
  DrawCloud(cr, 90, 585, 260, 0.8);
  DrawCloud(cr, 330, 600, 240, 0.7);
  DrawCloud(cr, 560, 590, 260, 0.75);
  DrawCloud(cr, 770, 580, 220, 0.8);
  DrawCloud(cr, 60, 30, 180, 0.6);
  DrawCloud(cr, 750, 24, 170, 0.6);
  DrawTwinkle(cr, 160, 52, 9, kWhite, 0.9);
  DrawTwinkle(cr, 640, 60, 11, kWhite, 0.9);
  DrawTwinkle(cr, 240, 22, 6, kWhite, 0.8);
  DrawTwinkle(cr, 560, 28, 7, kWhite, 0.8);

  // The right edge under text that overruns the panel: kept pale for black and red letters.
  // It fades in from the left and at both ends, so it reads as light rather than a band.
  cairo_pattern_t* edge = cairo_pattern_create_linear(width - 60, 0, width - 20, 0);
  AddStop(edge, 0, kPaper, 0);
  AddStop(edge, 1, kPaper, 0.7);
  cairo_pattern_t* ends = cairo_pattern_create_linear(0, 40, 0, 470);
  AddStop(ends, 0, kPaper, 0);
  AddStop(ends, 0.15, kPaper, 1);
  AddStop(ends, 0.85, kPaper, 1);
  AddStop(ends, 1, kPaper, 0);
  cairo_set_source(cr, edge);
  cairo_mask(cr, ends);
  cairo_pattern_destroy(ends);
  cairo_pattern_destroy(edge);
}

}  // namespace art
