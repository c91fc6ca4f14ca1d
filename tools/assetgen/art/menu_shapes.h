// Shapes shared by the menu, logo and reward painters: plates, stars, sparkles, soft skies.
#pragma once

#include <cairo.h>

#include "style.h"
#include "text.h"

namespace art {

// Shapes and plates (menu_shapes.cpp).

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
  style::Rgb face;  // the plate's main colour
  style::Rgb rim;   // the darker rim just inside the outline
  double radius = 14;
  double rimWidth = 3;
  bool squareOutside = false;  // square outer corners: opaque over the whole box
};

// A rounded pastel plate: near-black outline, darker rim, face lit from the upper left and a
// soft gloss along the top. Fully opaque inside its rounded box.
void DrawPlate(cairo_t* cr, double x, double y, double w, double h, const PlateStyle& plate);

// A menu item plate with its label centred: the face colour picks the item's accent. Items are
// square outside so that an item drawn over another hides it completely.
void DrawMenuItem(cairo_t* cr, double x, double y, double w, double h, const char* utf8,
                  style::Rgb face, bool highlighted);

// Caption lettering on a transparent background: white letters, near-black outline and a
// solid accent-coloured shadow. CaptionSize is the largest size that fits maxWidth x maxHeight.
double CaptionSize(cairo_t* cr, const char* utf8, double maxWidth, double maxHeight);
// Draws a caption at `sizePx` with its ink's left, centre or right (align -1, 0, 1) on x.
void DrawCaption(cairo_t* cr, const char* utf8, double x, double cy, double sizePx,
                 style::Rgb accent, int align = 0);

// A key-help strip: an opaque band filling the box, a pale pill `pillInset` px in from its
// sides and the help text centred on (box centre x, textY).
void DrawKeyHelpBar(cairo_t* cr, double x, double y, double w, double h, double textY,
                    const char* utf8, double pillInset = 10);
// The pale pill of a key-help strip alone, 44 px high, its top left at (x, y).
void DrawKeyHelpPill(cairo_t* cr, double x, double y, double w);
// The lettering of the key-help strips.
LabelStyle KeyHelpLettering();

// The plate of the title's top-menu footer, 500 x 54, and its lettering.
void DrawFooterPlate(cairo_t* cr, double x, double y);
LabelStyle FooterLettering();

// A vertical two-colour gradient over the rectangle.
void FillVertical(cairo_t* cr, double x, double y, double w, double h, style::Rgb top,
                  style::Rgb bottom);

// A puffy cloud of overlapping circles, `color` (white by default) with a lavender underside.
void DrawCloud(cairo_t* cr, double cx, double cy, double width, double alpha = 1.0,
               style::Rgb color = style::kWhite);

// An arrow head pointing in direction (dx, dy) (one of the four axes) in a square cell.
void DrawArrow(cairo_t* cr, double cx, double cy, double size, int dx, int dy, style::Rgb fill);

// Lettering (menu_lettering.cpp).

// Chunky sticker lettering for the title and pause logos: each glyph tilted and lifted along a
// wave, filled with its own colour, with a white rim, a near-black outline and a solid shadow.
struct BouncyWord {
  const char* const* glyphs;  // one UTF-8 character per entry
  const style::Rgb* colors;   // one fill colour per glyph
  int count;
  double sizePx;
  double tilt = 0.09;      // radians, alternating per glyph
  double lift = 0.06;      // wave height as a fraction of the size
  double spacing = -0.02;  // extra advance as a fraction of the size
  // Latin letters stand on one baseline (then bounce); kana are each centred on the wave.
  bool onBaseline = false;
};

// Draws the word centred on (cx, cy).
void DrawBouncyWord(cairo_t* cr, const BouncyWord& word, double cx, double cy);

// The game's name in Latin letters, "Moravin", in the same lettering, centred on (cx, cy).
void DrawGameName(cairo_t* cr, double cx, double cy, double sizePx);

// Scenery (menu_scenery.cpp).

// A floating stone line of the world: a rocky island topped with round smiling sandstones.
void DrawFloatingLine(cairo_t* cr, double x, double y, int stones, double stoneSize, double haze);

// A cut gem with table, facets and a glint, `size` px wide, centred on (cx, cy).
void DrawGem(cairo_t* cr, double cx, double cy, double size, style::Rgb color, double turn = 0);

// Rolling hills: a filled band whose top edge is a gentle sum of waves.
void DrawHills(cairo_t* cr, double width, double baseY, double amplitude, double phase,
               double bottom, style::Rgb top, style::Rgb low);

}  // namespace art
