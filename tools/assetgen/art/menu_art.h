// The painters of the menu, logo, background and reward bitmaps (art/menu_*.cpp).
#pragma once

#include <cairo.h>

namespace art {

void Paint101(cairo_t* cr, int width, int height);  // reward: resting after a long road
void Paint102(cairo_t* cr, int width, int height);  // reward: waving from a far horizon
void Paint103(cairo_t* cr, int width, int height);  // reward: hugging a pile of diamonds
void Paint104(cairo_t* cr, int width, int height);  // reward: in a puddle of tears
void Paint110(cairo_t* cr, int width, int height);  // studio logo
void Paint111(cairo_t* cr, int width, int height);  // music room items
void Paint114(cairo_t* cr, int width, int height);  // reading panel and option key help
void Paint116(cairo_t* cr, int width, int height);  // common parts sheet
void Paint117(cairo_t* cr, int width, int height);  // info item, best-score label, pause logo
void Paint118(cairo_t* cr, int width, int height);  // title background
void Paint120(cairo_t* cr, int width, int height);  // CG room tiles
void Paint123(cairo_t* cr, int width, int height);  // option panel sheet
void Paint124(cairo_t* cr, int width, int height);  // title layout sheet
void Paint126(cairo_t* cr, int width, int height);  // rank labels and comment box
void Paint127(cairo_t* cr, int width, int height);  // prompt strip (loaded, never drawn)
void Paint128(cairo_t* cr, int width, int height);  // common background
void Paint129(cairo_t* cr, int width, int height);  // pointer hints and play controls
void Paint130(cairo_t* cr, int width, int height);  // replay item, list rows and bars
void Paint131(cairo_t* cr, int width, int height);  // key-help pieces and pad symbols

// The key help of the options and of the title's top menu: the key-help sheet letters its words
// on the baselines of these lines.
const char* OptionBarHelp(cairo_t* cr);
const char* TopFooterHelp(cairo_t* cr);

// The option panel's lettering sizes in pixels: its headings, its two display-mode choices, and
// its three item labels, which are as large as the choices where their cells allow.
constexpr double kOptionHeadingSize = 30;
constexpr double kOptionChoiceSize = 32;
double OptionLabelSize(cairo_t* cr);

}  // namespace art
