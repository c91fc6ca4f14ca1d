// The monsters (107): ひげぶー, a pink bearded blob that stands and blinks, facing front; and
// はねぶー, its pale blue winged cousin that walks left flapping. Both frames share the
// characters' anchor: centre at (42, 53), feet on rows 80-84.
#include <cmath>
#include <initializer_list>

#include "play_art.h"
#include "play_draw.h"

namespace playart {
namespace {

using namespace style;

constexpr Rgb kPink = rgb(0xffa9c6);
constexpr Rgb kPaleBlue = rgb(0xa6dcf7);
constexpr Rgb kBeard = rgb(0xfffdf8);
constexpr Rgb kWing = rgb(0xb9a6f0);

void Foot(cairo_t* cr, double cx, Rgb body) {
  EllipsePath(cr, cx, 79.5, 6.5, 3.5);
  FillLit(cr, Tint(body, -0.2), 1.8);
}

void Ear(cairo_t* cr, double baseX, double baseY, double lean, Rgb body) {
  cairo_move_to(cr, baseX - 6, baseY + 4);
  cairo_line_to(cr, baseX + lean, baseY - 8);
  cairo_line_to(cr, baseX + 6, baseY + 3);
  cairo_close_path(cr);
  FillLit(cr, body, 1.8);
  cairo_move_to(cr, baseX - 2.5, baseY + 2);
  cairo_line_to(cr, baseX + lean * 0.6, baseY - 4);
  cairo_line_to(cr, baseX + 2.5, baseY + 2);
  cairo_close_path(cr);
  SetColor(cr, Tint(kRose, -0.1));
  cairo_fill(cr);
}

void Snout(cairo_t* cr, double cx, double cy, double rx, Rgb body) {
  EllipsePath(cr, cx, cy, rx, 5.5);
  FillLit(cr, Tint(body, -0.12), 1.8);
  for (double dx : {-rx * 0.38, rx * 0.38}) {
    EllipsePath(cr, cx + dx, cy, 1.4, 2);
    SetColor(cr, Tint(body, -0.55));
    cairo_fill(cr);
  }
}

// Eyes open (dots with a shine) or shut (curved lids) for the blink.
void Eyes(cairo_t* cr, const double (&xs)[2], double y, bool open) {
  for (double x : xs) {
    if (open) {
      EllipsePath(cr, x, y, 2.6, 3.6);
      SetColor(cr, kOutline);
      cairo_fill(cr);
      Shine(cr, x - 0.8, y - 1.3, 1, 1.1);
    } else {
      cairo_arc(cr, x, y - 1, 3, 0.15 * M_PI, 0.85 * M_PI);
      InkLine(cr, 2.2);
    }
  }
}

// The big moustache-beard: a cloud of white puffs under the snout, curling up at both ends.
void Beard(cairo_t* cr, double cx, double top, double width) {
  // x, y and radius of each puff, in beard widths: moustache curls, then the beard itself.
  static constexpr double kPuffs[][3] = {
      {-0.58, -0.08, 0.11}, {0.58, -0.08, 0.11}, {-0.36, 0.05, 0.17}, {0.36, 0.05, 0.17},
      {-0.22, 0.22, 0.2},   {0.22, 0.22, 0.2},   {0, 0.34, 0.22}};
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& p : kPuffs) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx + p[0] * width, top + p[1] * width, p[2] * width, 0, 2 * M_PI);
    }
    if (pass == 0) {
      // One outline around the whole cloud: stroke wide, then fill over the inner lines.
      SetColor(cr, kOutline);
      cairo_set_line_width(cr, 3.6);
      cairo_stroke(cr);
    } else {
      cairo_pattern_t* shade =
          cairo_pattern_create_linear(cx - width / 2, top, cx + width / 2, top + width * 0.9);
      AddStop(shade, 0, kBeard);
      AddStop(shade, 0.6, kBeard);
      AddStop(shade, 1, Mix(kBeard, kLavender, 0.7));
      cairo_set_source(cr, shade);
      cairo_fill(cr);
      cairo_pattern_destroy(shade);
    }
  }
}

void DrawBeardMonster(cairo_t* cr, int frame) {
  bool blink = frame == 1;
  // The blink frame also squats a little: one pixel lower, a touch wider.
  double squat = blink ? 1 : 0;
  Foot(cr, 31, kPink);
  Foot(cr, 53, kPink);
  Ear(cr, 27, 34 + squat, -3, kPink);
  Ear(cr, 57, 34 + squat, 3, kPink);
  EllipsePath(cr, 42, 55 + squat, 27 + squat, 24 - squat);
  FillLit(cr, kPink);
  Shine(cr, 28, 40 + squat, 4.5, 2.6);
  Eyes(cr, {33, 51}, 48 + squat, !blink);
  Beard(cr, 42, 59 + squat, 36);
  Snout(cr, 42, 58 + squat, 8, kPink);
}

void Wing(cairo_t* cr, double rootX, double rootY, double lift, Rgb color) {
  // A small bat wing spreading back and up from the shoulder, three scallops on its edge.
  double tipX = rootX + 22, tipY = rootY - 12 - lift * 12;
  cairo_move_to(cr, rootX, rootY);
  cairo_curve_to(cr, rootX + 6, rootY - 10 - lift * 8, tipX - 8, tipY - 4, tipX, tipY);
  double edgeY = rootY + 6 - lift * 6;
  cairo_curve_to(cr, tipX - 1, tipY + 8, tipX - 5, edgeY, tipX - 7, edgeY);
  cairo_curve_to(cr, tipX - 9, edgeY - 4, tipX - 13, edgeY - 3, tipX - 14, edgeY + 1);
  cairo_curve_to(cr, tipX - 16, edgeY - 3, rootX + 2, rootY + 2, rootX, rootY);
  cairo_close_path(cr);
  FillLit(cr, color);
}

void DrawWingMonster(cairo_t* cr, int frame) {
  double lift = frame == 0 ? 1 : -0.3;
  double bob = frame == 0 ? 0 : 1;
  // The far wing, behind the body and in its shade.
  Wing(cr, 40, 42 + bob, lift * 0.9, Tint(kWing, -0.2));
  Foot(cr, 34, kPaleBlue);
  Foot(cr, 52, kPaleBlue);
  Ear(cr, 44, 36 + bob, 2, kPaleBlue);
  EllipsePath(cr, 44, 57 + bob, 25, 22);
  FillLit(cr, kPaleBlue);
  // A curly tail at the back (the right).
  cairo_move_to(cr, 68, 60 + bob);
  cairo_curve_to(cr, 75, 58, 75, 66, 71, 65);
  InkLine(cr, 2.5);
  Shine(cr, 33, 43 + bob, 4, 2.4);
  // It looks left: eyes and snout sit on the left of the face.
  Eyes(cr, {28, 42}, 51 + bob, true);
  Beard(cr, 26, 62 + bob, 22);
  Snout(cr, 24, 59 + bob, 6.5, kPaleBlue);
  Wing(cr, 54, 50 + bob, lift, kWing);
}

void InCell(cairo_t* cr, int col, void (*draw)(cairo_t*, int), int frame) {
  EnterCell(cr, col, 0);
  draw(cr, frame);
  cairo_restore(cr);
}

}  // namespace

void Paint107(cairo_t* cr, int, int) {
  InCell(cr, 0, DrawBeardMonster, 0);
  InCell(cr, 1, DrawBeardMonster, 1);
  InCell(cr, 2, DrawWingMonster, 0);
  InCell(cr, 3, DrawWingMonster, 1);
}

}  // namespace playart
