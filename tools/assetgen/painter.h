// The painters of the game's bitmaps: each draws one whole bitmap with Cairo and Pango.
#pragma once

#include <cairo.h>

// Paints bitmap `id` into cr, a surface of exactly the bitmap's size. Pure black (0,0,0) is
// transparent in the game; transparent surface pixels become pure black when written.
using PaintFn = void (*)(cairo_t* cr, int width, int height);

// The finished painter of a bitmap, or null (the generator then draws a placeholder).
PaintFn FindArtPainter(int id);
PaintFn FindPlayArtPainter(int id);  // sprites of the play field (art/play_*.cpp)
PaintFn FindMenuArtPainter(int id);  // logos, menus, backgrounds, rewards (art/menu_*.cpp)
