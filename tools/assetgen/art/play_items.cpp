// The diamond and its sparkles (122), the score pop-ups (113), the small icon strip (112) and
// the window icon (301).
#include <cmath>
#include <initializer_list>

#include "menu_shapes.h"
#include "painter.h"
#include "play_art.h"
#include "play_draw.h"
#include "play_heroine.h"
#include "play_lettering.h"

namespace playart {
namespace {

using namespace style;

// A brilliant cut seen from the side: a flat table on a crown, the pavilion down to a point.
// The girdle is on row 50 and the point on row 82, where the stone's top face is.
constexpr Point kGirdleLeft{15, 50}, kGirdleRight{69, 50};
constexpr Point kTableLeft{28, 35}, kTableRight{56, 35};
constexpr Point kCrownLeft{31, 50}, kCrownMid{42, 50}, kCrownRight{53, 50};
constexpr Point kCulet{42, 82};

void Facet(cairo_t* cr, std::initializer_list<Point> corners, Rgb color) {
  for (const Point& p : corners) cairo_line_to(cr, p.x, p.y);
  cairo_close_path(cr);
  SetColor(cr, color);
  cairo_fill_preserve(cr);
  // Facet edges: a thin line of deep gem colour.
  SetColor(cr, Tint(kGem, -0.35));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void DrawDiamond(cairo_t* cr) {
  Rgb light = Tint(kGem, 0.55), mid = kGem, deep = Tint(kGem, -0.2);
  Facet(cr, {kGirdleLeft, kTableLeft, kCrownLeft}, Tint(kGem, 0.35));
  Facet(cr, {kTableLeft, kTableRight, kCrownRight, kCrownLeft}, Tint(kGem, 0.75));
  Facet(cr, {kTableRight, kGirdleRight, kCrownRight}, mid);
  Facet(cr, {kGirdleLeft, kCrownLeft, kCulet}, light);
  Facet(cr, {kCrownLeft, kCrownMid, kCulet}, Tint(kGem, 0.2));
  Facet(cr, {kCrownMid, kCrownRight, kCulet}, mid);
  Facet(cr, {kCrownRight, kGirdleRight, kCulet}, deep);
  for (const Point& p : {kGirdleLeft, kTableLeft, kTableRight, kGirdleRight, kCulet}) {
    cairo_line_to(cr, p.x, p.y);
  }
  cairo_close_path(cr);
  Outline(cr, 2.2);
  // The glint: a white twinkle on the lit shoulder and a small one low on the right.
  art::DrawTwinkle(cr, 33, 40, 8, kWhite);
  art::DrawTwinkle(cr, 56, 60, 4, kWhite);
}

// A four-point star in white with a gem-blue rim, readable on the pale sky.
void SparkleStar(cairo_t* cr, double cx, double cy, double size, Rgb core) {
  cairo_save(cr);
  art::DrawTwinkle(cr, cx, cy, size + 3.5, Tint(kGem, -0.3));
  art::DrawTwinkle(cr, cx, cy, size, core);
  cairo_restore(cr);
}

// Frame A is a burst: a big star with four small ones close in. Frame B has spread: a ring
// of small stars further out around a fading centre.
void DrawSparkle(cairo_t* cr, int frame) {
  const Point centre{42, 50};
  const Rgb colors[] = {kLemon, kWhite, kMint, kRose};
  if (frame == 0) {
    SparkleStar(cr, centre.x, centre.y, 22, kWhite);
    for (int i = 0; i < 4; ++i) {
      double a = M_PI / 4 + i * M_PI / 2;
      SparkleStar(cr, centre.x + 21 * std::cos(a), centre.y + 21 * std::sin(a), 7, colors[i]);
    }
  } else {
    SparkleStar(cr, centre.x, centre.y, 10, kLemon);
    // The ring is flattened: the cell has 34 rows below the centre but 42 columns each side.
    for (int i = 0; i < 8; ++i) {
      double a = i * M_PI / 4;
      double r = i % 2 == 0 ? 30 : 25;
      SparkleStar(cr, centre.x + r * std::cos(a), centre.y + r * 0.78 * std::sin(a), 7,
                  colors[i % 4]);
    }
  }
}

}  // namespace

void Paint122(cairo_t* cr, int, int) {
  EnterCell(cr, 0, 0);
  DrawDiamond(cr);
  cairo_restore(cr);
  for (int frame = 0; frame < 2; ++frame) {
    EnterCell(cr, 1 + frame, 0);
    DrawSparkle(cr, frame);
    cairo_restore(cr);
  }
}

namespace {

struct Popup {
  double x, y, w;
  const char* text;
  Rgb color;
};

// The pop-ups rise with their row 18 on the heroine's centre; digits are centred in the cell.
constexpr double kPopupHeight = 40;

void DrawPopup(cairo_t* cr, const Popup& p) {
  GradientLabel(cr, p.text, p.x + p.w / 2, p.y + kPopupHeight / 2, p.w - 8, kPopupHeight - 6,
                {Tint(p.color, 0.7), p.color, 2.5, 0, kWhite, kDigitFamily});
}

}  // namespace

void Paint113(cairo_t* cr, int, int) {
  static constexpr Popup kPopups[] = {
      {0, 0, 80, "100", kMint},     {0, 40, 80, "200", kGem},
      {0, 80, 80, "500", kLemon},   {80, 0, 100, "1000", kCoral},
      {80, 40, 100, "2000", kRose}, {80, 80, 100, "5000", rgb(0xb48cff)},
  };
  for (const Popup& p : kPopups) DrawPopup(cr, p);
  // The top prize flashes through four colours, one per frame.
  const Rgb flash[] = {kGold, kCoral, kMint, kGem};
  for (int frame = 0; frame < 4; ++frame) {
    DrawPopup(cr, {180, frame * kPopupHeight, 160, "10000", flash[frame]});
  }
}

namespace {

// Copies cell (srcCol, 0) of another sheet's painting into cell (dstCol, 0) of this one.
void CopyCell(cairo_t* cr, PaintFn paint, int srcW, int srcH, int srcCol, int srcRow, int dstCol) {
  cairo_save(cr);
  cairo_rectangle(cr, dstCol * kCell, 0, kCell, kCell);
  cairo_clip(cr);
  cairo_translate(cr, (dstCol - srcCol) * kCell, -srcRow * kCell);
  paint(cr, srcW, srcH);
  cairo_restore(cr);
}

}  // namespace

void Paint112(cairo_t* cr, int, int) {
  CopyCell(cr, Paint115, 595, 340, 0, 0, 0);  // the heroine
  CopyCell(cr, Paint106, 595, 170, 1, 0, 1);  // the stone the player moves
  CopyCell(cr, Paint107, 510, 170, 0, 0, 2);  // the bearded monster
  CopyCell(cr, Paint122, 425, 255, 0, 0, 3);  // the diamond
}

namespace {

// Below 32 px the head's fine lines blur into one blot, so the small icons draw her in a few
// bold shapes on a 16-unit grid, edges on whole pixels at 16 px: the bob, the bow, the face
// under the fringe, two eyes and a smile, in the colours of the large head.
void DrawSmallHead(cairo_t* cr) {
  EllipsePath(cr, 8, 8.6, 7.3, 6.8);  // the bob
  FillFlat(cr, kHair, 1.1);
  EllipsePath(cr, 9.3, 10.2, 5.2, 4.5);  // the face, turned to the right
  FillFlat(cr, kSkin, 0);
  // The fringe, three points falling over the forehead.
  cairo_move_to(cr, 3.6, 11);
  cairo_line_to(cr, 5.5, 7.6);
  cairo_line_to(cr, 7, 9.2);
  cairo_line_to(cr, 9, 7.4);
  cairo_line_to(cr, 11, 9.2);
  cairo_line_to(cr, 12.6, 7.4);
  cairo_line_to(cr, 14.8, 10);
  cairo_line_to(cr, 14.8, 4);
  cairo_line_to(cr, 3.6, 4);
  cairo_close_path(cr);
  FillFlat(cr, kHair, 0);
  for (double x : {7.0, 11.0}) {  // eyes, one pixel wide and two high at 16 px
    cairo_rectangle(cr, x, 10, 1, 2);
    FillFlat(cr, kEye, 0);
  }
  cairo_move_to(cr, 8.6, 13.3);
  cairo_line_to(cr, 10.4, 13.3);
  InkLine(cr, 0.8, rgb(0xc8485a));
  // The bow on the upper left, two loops around a knot.
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, 4, 3.4);
    cairo_line_to(cr, 4 + side * 3.2, 3.4 - 2.2);
    cairo_line_to(cr, 4 + side * 3.2, 3.4 + 2.2);
    cairo_close_path(cr);
    FillFlat(cr, kRibbon, 0.9);
  }
  cairo_arc(cr, 4, 3.4, 1, 0, 2 * M_PI);
  FillFlat(cr, Tint(kRibbon, -0.15), 0);
}

}  // namespace

void PaintIcon(cairo_t* cr, int width, int height) {
  cairo_save(cr);
  if (width < 32) {
    cairo_scale(cr, width / 16.0, height / 16.0);
    DrawSmallHead(cr);
    cairo_restore(cr);
    return;
  }
  // The head with its bow and outlines spans about 38 x 34 units around (-3, -2.5): that
  // point goes to the centre, with a little room so that nothing touches the edge.
  cairo_translate(cr, width / 2.0, height / 2.0);
  cairo_scale(cr, width / 40.0, height / 40.0);
  cairo_translate(cr, 3, 2.5);
  DrawHeroineHead(cr);
  cairo_restore(cr);
}

}  // namespace playart
