// The painters of the play field's bitmaps (art/play_*.cpp).
#pragma once

#include <cairo.h>

namespace playart {

void Paint105(cairo_t* cr, int width, int height);   // play background, wraps horizontally
void Paint106(cairo_t* cr, int width, int height);   // stones and eggs
void Paint107(cairo_t* cr, int width, int height);   // monsters
void Paint108(cairo_t* cr, int width, int height);   // cursor column, four frames
void Paint109(cairo_t* cr, int width, int height);   // the stone sheet in evening colours
void Paint112(cairo_t* cr, int width, int height);   // four small icons (4 bpp)
void Paint113(cairo_t* cr, int width, int height);   // score pop-ups
void Paint115(cairo_t* cr, int width, int height);   // the heroine
void Paint119(cairo_t* cr, int width, int height);   // start and finish banners
void Paint121(cairo_t* cr, int width, int height);   // digits and top bar, play colours
void Paint122(cairo_t* cr, int width, int height);   // diamond and sparkles
void Paint125(cairo_t* cr, int width, int height);   // digits and top bar, results colours
void PaintIcon(cairo_t* cr, int width, int height);  // the window icon (301)

}  // namespace playart
