// The stones of the three kinds of line and the monster egg (106), and the same sheet in
// evening colours (109). Each stone is lifted 8 px over its collision cell, so art rows 0-10
// are its top face (where characters stand) and the rest is its front face.
#include <cmath>
#include <initializer_list>

#include "menu_shapes.h"
#include "play_art.h"
#include "play_draw.h"

namespace playart {
namespace {

using namespace style;

struct StoneColors {
  Rgb niko;   // the stone the player moves: warm sandstone
  Rgb musu;   // the stone that never moves: iron grey
  Rgb rari;   // the stone that drifts: lilac
  Rgb cross;  // the "never" mark on the iron stone
  Rgb egg;
  Rgb cheek;
};

constexpr StoneColors kDayStones{rgb(0xf2c27e), rgb(0xa3acb8), rgb(0xc3a1f2),
                                 rgb(0xe2483e), rgb(0xfff0d0), kRose};
constexpr StoneColors kEveningStones{rgb(0xffa98a), rgb(0x7f8db0), rgb(0x8fd8c0),
                                     rgb(0xffd24a), rgb(0xfde6f0), rgb(0xff7f9e)};

// The block's outline runs 2.5 px inside the cell, so the outer pixel row and column stay
// transparent on every side and neighbouring blocks keep a thin seam between them.
constexpr double kBlockX = 2.5, kBlockY = 2.5, kBlockSize = 80;
constexpr double kTopFaceBottom = 11;

// The body every stone shares: a lit front face, a paler top face and a shaded foot.
void DrawBlock(cairo_t* cr, Rgb base, double radius) {
  art::RoundedRectPath(cr, kBlockX, kBlockY, kBlockSize, kBlockSize, radius);
  FillLit(cr, base, 0);

  cairo_save(cr);
  art::RoundedRectPath(cr, kBlockX, kBlockY, kBlockSize, kBlockSize, radius);
  cairo_clip(cr);
  SetColor(cr, Tint(base, 0.42));
  cairo_rectangle(cr, 0, 0, kCell, kTopFaceBottom);
  cairo_fill(cr);
  SetColor(cr, Tint(base, -0.2));
  cairo_rectangle(cr, 0, 76, kCell, kCell);
  cairo_fill(cr);
  // The edge between the top face and the front face.
  SetColor(cr, Tint(base, -0.35));
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, 0, kTopFaceBottom);
  cairo_line_to(cr, kCell, kTopFaceBottom);
  cairo_stroke(cr);
  cairo_restore(cr);

  art::RoundedRectPath(cr, kBlockX, kBlockY, kBlockSize, kBlockSize, radius);
  Outline(cr);
}

void Cheeks(cairo_t* cr, Rgb cheek, double y, double spread) {
  for (double x : {42 - spread, 42 + spread}) {
    EllipsePath(cr, x, y, 4.5, 2.6);
    SetColor(cr, cheek, 0.75);
    cairo_fill(cr);
  }
}

// "○": a round sandstone face in an embossed ring, smiling with closed happy eyes.
void DrawNikoStone(cairo_t* cr, const StoneColors& c) {
  DrawBlock(cr, c.niko, 18);

  // Grains of sand, fixed so that every stone of the line looks the same.
  static constexpr double kGrains[][2] = {{14, 20}, {70, 24}, {12, 66}, {73, 62},
                                          {22, 74}, {63, 75}, {40, 16}, {76, 42}};
  for (const auto& g : kGrains) {
    cairo_arc(cr, g[0], g[1], 1.2, 0, 2 * M_PI);
    SetColor(cr, Tint(c.niko, -0.22));
    cairo_fill(cr);
  }
  // The ring: a shadow line under a bright band.
  cairo_set_line_width(cr, 4.5);
  cairo_arc(cr, 43, 47, 24, 0, 2 * M_PI);
  SetColor(cr, Tint(c.niko, -0.25));
  cairo_stroke(cr);
  cairo_arc(cr, 42, 46, 24, 0, 2 * M_PI);
  SetColor(cr, Tint(c.niko, 0.55));
  cairo_stroke(cr);

  for (double x : {33.0, 51.0}) {
    cairo_arc(cr, x, 45, 4.2, M_PI * 1.05, M_PI * 1.95);
    InkLine(cr, 2.6);
  }
  cairo_arc(cr, 42, 50, 8, M_PI * 0.18, M_PI * 0.82);
  InkLine(cr, 2.6);
  Cheeks(cr, c.cheek, 52, 15);
  Shine(cr, 14, 18, 4, 2.5);
}

void Rivet(cairo_t* cr, double x, double y, Rgb base) {
  cairo_arc(cr, x, y, 3, 0, 2 * M_PI);
  FillLit(cr, Tint(base, 0.1), 1.2);
  Shine(cr, x - 1, y - 1, 1, 0.8);
}

// "×": a square iron block, riveted, frowning, stamped with a red cross.
void DrawMusuStone(cairo_t* cr, const StoneColors& c) {
  DrawBlock(cr, c.musu, 4);

  // A sunken plate with a bevel: dark upper-left edge, light lower-right edge.
  cairo_rectangle(cr, 14.5, 18.5, 56, 55);
  SetColor(cr, Tint(c.musu, -0.32));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_move_to(cr, 71.5, 19.5);
  cairo_line_to(cr, 71.5, 74.5);
  cairo_line_to(cr, 15.5, 74.5);
  SetColor(cr, Tint(c.musu, 0.45));
  cairo_stroke(cr);
  for (double x : {8.0, 77.0}) {
    for (double y : {19.0, 74.0}) Rivet(cr, x, y, c.musu);
  }

  // Sulky brows pulled down towards the middle, eyes half shut under flat lids.
  cairo_move_to(cr, 25, 29);
  cairo_line_to(cr, 37, 33.5);
  cairo_move_to(cr, 59, 29);
  cairo_line_to(cr, 47, 33.5);
  InkLine(cr, 3.2);
  for (double x : {32.0, 52.0}) {
    cairo_arc(cr, x, 38, 4, 0, M_PI);
    cairo_close_path(cr);
    FillFlat(cr, kOutline, 0);
    cairo_move_to(cr, x - 5.5, 38);
    cairo_line_to(cr, x + 5.5, 38);
    InkLine(cr, 2.2);
  }
  cairo_arc(cr, 42, 56, 8, M_PI * 1.2, M_PI * 1.8);
  InkLine(cr, 2.6);

  // The cross: outline first, then the red bar.
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, 35, 60);
    cairo_line_to(cr, 49, 71);
    cairo_move_to(cr, 49, 60);
    cairo_line_to(cr, 35, 71);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, pass == 0 ? kOutline : c.cross);
    cairo_set_line_width(cr, pass == 0 ? 8.5 : 5);
    cairo_stroke(cr);
  }
  Shine(cr, 11, 7, 4, 1.6);
}

void Triangle(cairo_t* cr, double cx, double tipY, double baseY, Rgb fill) {
  cairo_move_to(cr, cx, tipY);
  cairo_line_to(cr, cx + 7.5, baseY);
  cairo_line_to(cr, cx - 7.5, baseY);
  cairo_close_path(cr);
  FillFlat(cr, fill, 1.6);
}

void SpiralEye(cairo_t* cr, double cx, double cy, double radius, double turn) {
  constexpr int kSteps = 60;
  constexpr double kTurns = 2.3;
  for (int i = 0; i <= kSteps; ++i) {
    double t = static_cast<double>(i) / kSteps;
    double a = turn + t * kTurns * 2 * M_PI;
    double r = 0.6 + t * radius;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  InkLine(cr, 2);
}

// "△▽": a lilac block with a dizzy face, marked up and down because it drifts either way.
void DrawRariStone(cairo_t* cr, const StoneColors& c) {
  DrawBlock(cr, c.rari, 10);
  Rgb mark = Tint(c.rari, 0.65);
  Triangle(cr, 42, 15, 25, mark);
  Triangle(cr, 42, 76, 66, mark);
  SpiralEye(cr, 31, 42, 7, 0);
  SpiralEye(cr, 53, 42, 7, M_PI);
  for (int i = 0; i <= 20; ++i) {
    double x = 33 + i;
    cairo_line_to(cr, x, 55 + 2 * std::sin(i * M_PI / 3));
  }
  InkLine(cr, 2.4);
  Cheeks(cr, c.cheek, 51, 19);
  Shine(cr, 12, 18, 4, 2.5);
}

void EggPath(cairo_t* cr) {
  cairo_move_to(cr, 42, 5);
  cairo_curve_to(cr, 60, 5, 71, 35, 71, 56);
  cairo_curve_to(cr, 71, 73, 58, 83, 42, 83);
  cairo_curve_to(cr, 26, 83, 13, 73, 13, 56);
  cairo_curve_to(cr, 13, 35, 24, 5, 42, 5);
  cairo_close_path(cr);
}

// The monster egg, rocking on its base; its zigzag crack flips between the two frames.
void DrawEgg(cairo_t* cr, const StoneColors& c, int frame) {
  cairo_save(cr);
  cairo_translate(cr, 42, 83);
  cairo_rotate(cr, frame == 0 ? -0.05 : 0.06);
  cairo_translate(cr, -42, -83);

  EggPath(cr);
  FillLit(cr, c.egg, 0);
  cairo_save(cr);
  EggPath(cr);
  cairo_clip(cr);
  static constexpr double kSpots[][3] = {{30, 22, 2.5}, {52, 28, 3.2}, {24, 52, 3},   {58, 60, 2.6},
                                         {40, 70, 3.4}, {62, 43, 2},   {20, 66, 2.2}, {46, 54, 2}};
  for (int i = 0; i < 8; ++i) {
    EllipsePath(cr, kSpots[i][0], kSpots[i][1], kSpots[i][2], kSpots[i][2] * 0.8);
    SetColor(cr, i % 3 == 0 ? kMint : Mix(kCoral, c.egg, 0.35));
    cairo_fill(cr);
  }
  // The crack: a zigzag whose teeth swap sides between the frames.
  double sign = frame == 0 ? 1 : -1;
  for (int i = 0; i <= 8; ++i) {
    double x = 12 + i * 7.5;
    double y = 38 + (i % 2 == 0 ? -4 : 4) * sign + i * 0.4;
    cairo_line_to(cr, x, y);
  }
  InkLine(cr, 2.4);
  cairo_restore(cr);
  EggPath(cr);
  Outline(cr);
  cairo_restore(cr);
}

void PaintStoneSheet(cairo_t* cr, const StoneColors& colors) {
  EnterCell(cr, 0, 0);
  DrawMusuStone(cr, colors);
  cairo_restore(cr);
  EnterCell(cr, 1, 0);
  DrawNikoStone(cr, colors);
  cairo_restore(cr);
  EnterCell(cr, 2, 0);
  DrawRariStone(cr, colors);
  cairo_restore(cr);
  for (int frame = 0; frame < 2; ++frame) {
    EnterCell(cr, 4 + frame, 1);
    DrawEgg(cr, colors, frame);
    cairo_restore(cr);
  }
}

}  // namespace

void Paint106(cairo_t* cr, int, int) { PaintStoneSheet(cr, kDayStones); }
void Paint109(cairo_t* cr, int, int) { PaintStoneSheet(cr, kEveningStones); }

}  // namespace playart
