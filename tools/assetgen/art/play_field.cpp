// The play field's backdrop (105) and the cursor column (108).
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "menu_shapes.h"
#include "play_art.h"
#include "play_draw.h"

namespace playart {
namespace {

using namespace style;

constexpr int kWrap = 800;  // the backdrop repeats every 800 px

// Calls draw(dx) for the three copies that can reach the picture, so that everything drawn
// through it repeats exactly every kWrap pixels.
template <typename Draw>
void Wrapped(Draw draw) {
  for (int dx : {-kWrap, 0, kWrap}) draw(dx);
}

// A ridge line that repeats every kWrap pixels: whole numbers of waves fit the width.
struct Wave {
  int cycles;
  double amplitude;
  double phase;
};

template <size_t N>
double RidgeHeight(const Wave (&waves)[N], double base, double x) {
  double y = base;
  for (const Wave& w : waves) {
    y += w.amplitude * std::sin(2 * M_PI * w.cycles * x / kWrap + w.phase);
  }
  return y;
}

template <size_t N>
void FillRidge(cairo_t* cr, const Wave (&waves)[N], double base, int height, Rgb top, Rgb bottom) {
  cairo_move_to(cr, 0, height);
  for (int x = 0; x <= kWrap; x += 2) cairo_line_to(cr, x, RidgeHeight(waves, base, x));
  cairo_line_to(cr, kWrap, height);
  cairo_close_path(cr);
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, base - 40, 0, height);
  AddStop(shade, 0, top);
  AddStop(shade, 1, bottom);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

void DrawSky(cairo_t* cr, int height) {
  art::FillVertical(cr, 0, 0, kWrap, height, rgb(0xa9d6fa), Mix(kLavender, kWhite, 0.3));
  // A soft glow of the sun above the right half.
  Wrapped([&](int dx) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(560 + dx, 60, 0, 560 + dx, 60, 220);
    AddStop(glow, 0, kWhite, 0.75);
    AddStop(glow, 1, kWhite, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
  });
}

// A far floating island: a pale rock that tapers to a point, a lawn on top and a little stone
// line standing on it, the shape the whole world is made of.
void DrawIsland(cairo_t* cr, double cx, double top, double width) {
  Rgb rock = Mix(kLavender, rgb(0x9f96cc), 0.35);
  Rgb lawn = Mix(kMint, kSky, 0.45);
  double half = width / 2;
  cairo_move_to(cr, cx - half, top);
  cairo_curve_to(cr, cx - half * 0.7, top + width * 0.35, cx - half * 0.2, top + width * 0.45, cx,
                 top + width * 0.6);
  cairo_curve_to(cr, cx + half * 0.25, top + width * 0.42, cx + half * 0.75, top + width * 0.3,
                 cx + half, top);
  cairo_close_path(cr);
  SetColor(cr, rock);
  cairo_fill(cr);
  // A little line of stone blocks on its back: a distant piece of the field.
  const double block = width * 0.13;
  static constexpr int kStack[] = {1, 2, 1};
  for (int i = 0; i < 3; ++i) {
    double bx = cx + (i - 1) * block * 1.15 - block / 2;
    for (int k = 0; k < kStack[i]; ++k) {
      art::RoundedRectPath(cr, bx, top - block * (k + 1) - 1, block, block, block * 0.3);
      SetColor(cr, Mix(rock, kWhite, 0.25));
      cairo_fill(cr);
    }
  }
  EllipsePath(cr, cx, top, half * 1.02, width * 0.06);
  SetColor(cr, lawn);
  cairo_fill(cr);
}

void DrawClouds(cairo_t* cr) {
  struct Puff {
    double x, y, width;
  };
  static constexpr Puff kPuffs[] = {{70, 70, 150},  {300, 40, 110}, {470, 120, 190},
                                    {690, 60, 130}, {210, 170, 90}, {770, 190, 120}};
  Wrapped([&](int dx) {
    for (const Puff& p : kPuffs) art::DrawCloud(cr, p.x + dx, p.y, p.width, 0.8);
  });
}

void DrawIslands(cairo_t* cr) {
  struct Island {
    double x, top, width;
  };
  static constexpr Island kIslands[] = {{150, 250, 70}, {420, 215, 46}, {620, 270, 90}};
  Wrapped([&](int dx) {
    for (const Island& i : kIslands) DrawIsland(cr, i.x + dx, i.top, i.width);
  });
}

// Tiny flowers in the near meadow, placed by a fixed little generator so the picture is the
// same on every build.
void DrawFlowers(cairo_t* cr, int height) {
  static constexpr Wave kNear[] = {{2, 10, 0.3}, {5, 6, 2.0}, {9, 3, 4.1}};
  uint32_t seed = 2024;
  auto next = [&seed]() {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / 16777216.0;
  };
  const Rgb colors[] = {kWhite, Mix(kLemon, kWhite, 0.4), Mix(kRose, kWhite, 0.4)};
  for (int i = 0; i < 70; ++i) {
    double x = next() * kWrap;
    double ground = RidgeHeight(kNear, 430, x);
    double y = ground + 8 + next() * (height - ground - 12);
    Rgb c = colors[i % 3];
    Wrapped([&](int dx) {
      cairo_arc(cr, x + dx, y, 1.6, 0, 2 * M_PI);
      SetColor(cr, c, 0.9);
      cairo_fill(cr);
    });
  }
}

}  // namespace

void Paint105(cairo_t* cr, int, int height) {
  static constexpr Wave kFar[] = {{1, 18, 0.5}, {3, 12, 1.7}, {7, 5, 0.2}};
  static constexpr Wave kMid[] = {{2, 16, 2.4}, {4, 9, 0.9}, {11, 3, 3.3}};
  static constexpr Wave kNear[] = {{2, 10, 0.3}, {5, 6, 2.0}, {9, 3, 4.1}};
  DrawSky(cr, height);
  DrawClouds(cr);
  DrawIslands(cr);
  FillRidge(cr, kFar, 330, height, Mix(kLavender, rgb(0xaab6ee), 0.4), Mix(kLavender, kWhite, 0.3));
  FillRidge(cr, kMid, 385, height, Mix(kMint, rgb(0xb5d8ee), 0.55), Mix(kMint, kWhite, 0.55));
  FillRidge(cr, kNear, 430, height, Mix(kMeadow, kMint, 0.5), Mix(kMeadow, kWhite, 0.4));
  DrawFlowers(cr, height);
}

namespace {

constexpr int kColumnWidth = 85;
constexpr int kColumnHeight = 510;

// A chevron pointing up (dir -1) or down (dir +1) with its tip at (cx, tipY).
void Chevron(cairo_t* cr, double cx, double tipY, int dir) {
  cairo_move_to(cr, cx - 13, tipY - dir * 10);
  cairo_line_to(cr, cx, tipY);
  cairo_line_to(cr, cx + 13, tipY - dir * 10);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, kCoral);
  cairo_set_line_width(cr, 9);
  cairo_stroke_preserve(cr);
  SetColor(cr, kLemon);
  cairo_set_line_width(cr, 4.5);
  cairo_stroke(cr);
}

// One frame of the cursor: a lemon frame with a coral rim round the column, chevrons that
// bob towards the ends, and white lights that run down both rails (one light every 128 px,
// moved 32 px per frame, so the four frames loop).
void DrawCursorFrame(cairo_t* cr, int frame) {
  const double inset = 4.5;
  art::RoundedRectPath(cr, inset, inset, kColumnWidth - 2 * inset, kColumnHeight - 2 * inset, 10);
  SetColor(cr, kCoral);
  cairo_set_line_width(cr, 9);
  cairo_stroke_preserve(cr);
  SetColor(cr, kLemon);
  cairo_set_line_width(cr, 4.5);
  cairo_stroke(cr);

  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, kWhite);
  cairo_set_line_width(cr, 4.5);
  for (int y = 24 + frame * 32; y < kColumnHeight - 24; y += 128) {
    for (double x : {inset, kColumnWidth - inset}) {
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x, y + 14);
    }
  }
  cairo_stroke(cr);

  static constexpr double kBob[] = {0, 1.5, 3, 1.5};
  Chevron(cr, kColumnWidth / 2.0, 18 - kBob[frame], -1);
  Chevron(cr, kColumnWidth / 2.0, kColumnHeight - 18 + kBob[frame], 1);
}

}  // namespace

void Paint108(cairo_t* cr, int, int) {
  for (int frame = 0; frame < 4; ++frame) {
    cairo_save(cr);
    cairo_translate(cr, frame * kColumnWidth, 0);
    DrawCursorFrame(cr, frame);
    cairo_restore(cr);
  }
}

}  // namespace playart
