// The studio logo (110).
#include <cmath>
#include <initializer_list>

#include "menu_art.h"
#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

// The studio's mark is the same in every language: its lettering keeps the Japanese face.
constexpr const char* kMarkFace = "IPAGothic";

using namespace style;

// The studio's mascot: a round lemon chick with a coral ribbon, singing "pipi" inside a sky badge.
void DrawStudioBadge(cairo_t* cr, double cx, double cy, double r) {
  // Badge: white ring, sky disc with a soft glow from the upper left.
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetColor(cr, kWhite);
  cairo_fill_preserve(cr);
  SetColor(cr, Mix(kSkyDeep, kInk, 0.25));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_pattern_t* sky =
      cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 0.88);
  AddStop(sky, 0, Mix(kSky, kWhite, 0.6));
  AddStop(sky, 1, Mix(kSkyDeep, kLavender, 0.3));
  cairo_set_source(cr, sky);
  cairo_arc(cr, cx, cy, r * 0.86, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);

  // A meadow hill at the bottom of the disc.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r * 0.86, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_arc(cr, cx, cy + r * 1.55, r * 1.0, 0, 2 * M_PI);
  SetColor(cr, kMint);
  cairo_fill(cr);
  DrawTwinkle(cr, cx - r * 0.5, cy - r * 0.45, r * 0.1, kWhite);
  DrawTwinkle(cr, cx + r * 0.55, cy - r * 0.2, r * 0.07, kWhite);
  DrawTwinkle(cr, cx + r * 0.35, cy - r * 0.55, r * 0.05, kWhite);
  cairo_restore(cr);

  // The chick: feet, round body, wing, beak, eye, ribbon.
  double bx = cx - r * 0.05, by = cy + r * 0.18, br = r * 0.42;
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int side : {-1, 1}) {
    double fx = bx + side * br * 0.38, fy = by + br * 0.92;
    cairo_new_path(cr);
    cairo_move_to(cr, fx - br * 0.2, fy + br * 0.16);
    cairo_line_to(cr, fx, fy - br * 0.08);
    cairo_line_to(cr, fx + br * 0.2, fy + br * 0.16);
    cairo_close_path(cr);
    SetColor(cr, Mix(kCoral, kGold, 0.4));
    cairo_fill_preserve(cr);
    SetColor(cr, kOutline);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
  }
  cairo_set_line_width(cr, 3);
  cairo_arc(cr, bx, by, br, 0, 2 * M_PI);
  cairo_pattern_t* body =
      cairo_pattern_create_radial(bx - br * 0.4, by - br * 0.5, br * 0.1, bx, by, br * 1.1);
  AddStop(body, 0, Mix(kLemon, kWhite, 0.6));
  AddStop(body, 1, Mix(kLemon, kGold, 0.6));
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  SetColor(cr, kOutline);
  cairo_stroke(cr);

  // Wing.
  cairo_save(cr);
  cairo_translate(cr, bx - br * 0.15, by + br * 0.2);
  cairo_rotate(cr, -0.5);
  cairo_scale(cr, br * 0.42, br * 0.26);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, kGold);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);

  // Beak, open as if singing.
  double kx = bx + br * 0.92, ky = by - br * 0.12;
  cairo_move_to(cr, kx - br * 0.1, ky - br * 0.2);
  cairo_line_to(cr, kx + br * 0.38, ky - br * 0.1);
  cairo_line_to(cr, kx - br * 0.05, ky + br * 0.02);
  cairo_line_to(cr, kx + br * 0.3, ky + br * 0.16);
  cairo_line_to(cr, kx - br * 0.1, ky + br * 0.2);
  cairo_close_path(cr);
  SetColor(cr, kCoral);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);

  // Eye with a highlight, and a blush.
  SetColor(cr, kOutline);
  cairo_arc(cr, bx + br * 0.45, by - br * 0.3, br * 0.12, 0, 2 * M_PI);
  cairo_fill(cr);
  SetColor(cr, kWhite);
  cairo_arc(cr, bx + br * 0.41, by - br * 0.35, br * 0.045, 0, 2 * M_PI);
  cairo_fill(cr);
  SetColor(cr, kRose, 0.7);
  cairo_arc(cr, bx + br * 0.35, by + br * 0.05, br * 0.11, 0, 2 * M_PI);
  cairo_fill(cr);

  // Ribbon on the crown: two loops and a knot.
  double rx = bx - br * 0.1, ry = by - br * 0.95;
  for (int side : {-1, 1}) {
    cairo_move_to(cr, rx, ry);
    cairo_curve_to(cr, rx + side * br * 0.2, ry - br * 0.45, rx + side * br * 0.6, ry - br * 0.3,
                   rx + side * br * 0.5, ry + br * 0.05);
    cairo_curve_to(cr, rx + side * br * 0.4, ry + br * 0.25, rx + side * br * 0.15, ry + br * 0.1,
                   rx, ry);
    cairo_close_path(cr);
    SetColor(cr, kRibbon);
    cairo_fill_preserve(cr);
    SetColor(cr, kOutline);
    cairo_stroke(cr);
  }
  cairo_arc(cr, rx, ry, br * 0.11, 0, 2 * M_PI);
  SetColor(cr, Mix(kRibbon, kCoral, 0.5));
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_stroke(cr);

  // Two little notes of song.
  LabelStyle note;
  note.sizePx = r * 0.26;
  note.family = kMarkFace;
  note.fill = kCoral;
  note.outline = kWhite;
  note.outlineWidth = 2;
  DrawLabel(cr, "♪", cx + r * 0.62, cy - r * 0.42, note);
  note.fill = Mix(kLilac, kInk, 0.2);
  note.sizePx = r * 0.2;
  DrawLabel(cr, "♪", cx + r * 0.4, cy - r * 0.66, note);
}

}  // namespace

void Paint110(cairo_t* cr, int width, int height) {
  // A soft paper field, lighter at the centre, with faint rings around the mark.
  cairo_pattern_t* field = cairo_pattern_create_radial(width / 2.0, height * 0.45, 40, width / 2.0,
                                                       height * 0.45, width * 0.7);
  AddStop(field, 0, kPaper);
  AddStop(field, 0.6, Mix(kPaper, kSky, 0.25));
  AddStop(field, 1, Mix(kSky, kLavender, 0.5));
  cairo_set_source(cr, field);
  cairo_paint(cr);
  cairo_pattern_destroy(field);

  double cx = width / 2.0, badgeY = height * 0.37;
  for (int ring = 0; ring < 4; ++ring) {
    cairo_arc(cr, cx, badgeY, 130 + ring * 42, 0, 2 * M_PI);
    SetColor(cr, kWhite, 0.35 - ring * 0.07);
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
  }
  DrawStudioBadge(cr, cx, badgeY, 105);

  // The name: "スタジオ" in ink, "ぴぴる" in coral, as one centred line.
  LabelStyle word;
  word.family = kMarkFace;
  word.sizePx = 66;
  word.outline = kWhite;
  word.outlineWidth = 4;
  const char* kStudio = "スタジオ";
  const char* kName = "ぴぴる";
  TextBox studio = MeasureLabel(cr, kStudio, word);
  TextBox name = MeasureLabel(cr, kName, word);
  double gap = 14, total = studio.width + gap + name.width;
  double left = cx - total / 2, nameY = height * 0.695;
  word.fill = kInk;
  DrawLabel(cr, kStudio, left + studio.width / 2, nameY, word);
  word.fill = Mix(kCoral, kRibbon, 0.4);
  DrawLabel(cr, kName, left + studio.width + gap + name.width / 2, nameY, word);

  // A rule with a star under the name, and the name in letters.
  double ruleY = nameY + 52;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Mix(kLilac, kWhite, 0.2));
  cairo_move_to(cr, cx - 190, ruleY);
  cairo_line_to(cr, cx - 26, ruleY);
  cairo_move_to(cr, cx + 26, ruleY);
  cairo_line_to(cr, cx + 190, ruleY);
  cairo_stroke(cr);
  DrawStar(cr, cx, ruleY, 15, kLemon);

  LabelStyle latin;
  latin.sizePx = 20;
  latin.family = kMarkFace;
  latin.fill = Mix(kLilac, kInk, 0.45);
  latin.outlineWidth = 0;
  latin.letterSpacingPx = 9;
  DrawLabel(cr, "STUDIO PIPIRU", cx, ruleY + 36, latin);
}

}  // namespace art
