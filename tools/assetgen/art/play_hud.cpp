// The digit strip and top bar (121 in play colours, 125 in results colours) and the start and
// finish banners (119).
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "menu_shapes.h"
#include "play_art.h"
#include "play_draw.h"
#include "play_lettering.h"
#include "text.h"

namespace playart {
namespace {

using namespace style;

constexpr int kDigitW = 24, kDigitH = 32;
constexpr int kBarTop = 32;  // the bar's first row in the bitmap; it is drawn at screen y 0

// Where the game draws the digits, in screen (= bar) coordinates: score right-aligned to 248,
// distance to 792, both on rows 56-88.
constexpr double kWellTop = 53, kWellBottom = 89;
constexpr double kScoreWellLeft = 26, kScoreWellRight = 254;
constexpr double kDistanceWellLeft = 664, kDistanceWellRight = 797;

struct BarColors {
  Rgb top, bottom;  // the bar's gradient
  Rgb plate;        // the plates behind labels and wells
  Rgb well;         // the plain digit wells
  Rgb label;        // label fill
  Rgb trim;         // the stripe along the bottom edge
};

constexpr BarColors kPlayBar{rgb(0x8ccaf6), rgb(0x6fa8e8), rgb(0xd9d0ff),
                             rgb(0x2f2a57), kLemon,        kLemon};
constexpr BarColors kResultsBar{rgb(0xffb98e), rgb(0xf08a7a), rgb(0xffe3c4),
                                rgb(0x4a2f55), kWhite,        kMint};

void DrawDigits(cairo_t* cr) {
  Lettering look{kWhite, Mix(kLemon, kWhite, 0.3), 2.2, 0, kWhite, kDigitFamily};
  // One size for all ten, the largest at which every digit keeps a clear column on both
  // sides of its cell, so the digits line up and never touch.
  const char* digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  double size = kDigitH;
  for (const char* d : digits) {
    size = std::min(size, FitLettering(cr, d, kDigitW - 3, kDigitH - 2, look));
  }
  for (int d = 0; d < 10; ++d) {
    DrawLettering(cr, digits[d], d * kDigitW + kDigitW / 2.0, kDigitH / 2.0, size, look);
  }
}

void DrawLabelPlate(cairo_t* cr, double left, double right, const char* label, const BarColors& c) {
  art::PlateStyle plate{c.plate, Tint(c.plate, -0.25), 12, 2};
  art::DrawPlate(cr, left - 8, 4, right - left + 16, 88, plate);
  GradientLabel(cr, label, left + 56, 29, 110, 34, {c.label, Tint(c.label, -0.1), 2.5});
  art::RoundedRectPath(cr, left, kWellTop, right - left, kWellBottom - kWellTop, 7);
  SetColor(cr, c.well);
  cairo_fill_preserve(cr);
  Outline(cr, 2);
}

void DrawBar(cairo_t* cr, const BarColors& c) {
  cairo_save(cr);
  cairo_translate(cr, 0, kBarTop);
  cairo_rectangle(cr, 0, 0, 800, 90);
  cairo_clip(cr);
  art::FillVertical(cr, 0, 0, 800, 90, c.top, c.bottom);
  // Gloss along the top and a trim stripe along the bottom edge.
  SetColor(cr, Mix(c.top, kWhite, 0.35));
  cairo_rectangle(cr, 0, 0, 800, 5);
  cairo_fill(cr);
  SetColor(cr, kOutline);
  cairo_rectangle(cr, 0, 87, 800, 3);
  cairo_fill(cr);
  SetColor(cr, c.trim);
  cairo_rectangle(cr, 0, 84, 800, 3);
  cairo_fill(cr);
  // A row of small diamonds between the two plates.
  for (int i = 0; i < 7; ++i) {
    double x = 300 + i * 54;
    double y = 46 + 8 * std::sin(i * 1.3);
    art::DrawTwinkle(cr, x, y, i % 2 == 0 ? 7 : 5, Mix(kWhite, c.top, 0.2));
  }
  GradientLabel(cr, art::Say(cr, "もらびん！", "Moravin"), 462, 45, 300, 52,
                {kWhite, Mix(kCoral, kLemon, 0.35), 2.5, 2.5, Tint(kCoral, -0.25)});
  DrawLabelPlate(cr, kScoreWellLeft, kScoreWellRight, art::Say(cr, "スコア", "Score"), c);
  DrawLabelPlate(cr, kDistanceWellLeft, kDistanceWellRight, art::Say(cr, "きょり", "Distance"), c);
  cairo_restore(cr);
}

}  // namespace

void Paint121(cairo_t* cr, int, int) {
  DrawDigits(cr);
  DrawBar(cr, kPlayBar);
}

void Paint125(cairo_t* cr, int, int) {
  DrawDigits(cr);
  DrawBar(cr, kResultsBar);
}

namespace {

constexpr double kBannerW = 400, kBannerH = 80;

struct Banner {
  const char* text;
  Lettering look;
  Rgb star;
};

// Frame k (0-3) grows the letters a little and moves a ring of stars round them; the game
// plays the frames 0,1,2,3,2,1, so frame 3 is the peak of the pulse.
void DrawBannerFrame(cairo_t* cr, const Banner& b, double left, double top, int frame,
                     double baseSize) {
  const double cx = left + kBannerW / 2, cy = top + kBannerH / 2;
  for (int i = 0; i < 4; ++i) {
    double a = i * M_PI / 2 + frame * M_PI / 8 + M_PI / 4;
    double x = cx + std::cos(a) * (kBannerW / 2 - 16);
    double y = cy + std::sin(a) * (kBannerH / 2 - 12);
    art::DrawStar(cr, x, y, 8 + (frame % 2), b.star, frame * 0.3);
  }
  DrawLettering(cr, b.text, cx, cy, baseSize * (1 + 0.04 * frame), b.look);
}

}  // namespace

void Paint119(cairo_t* cr, int, int) {
  // The start banner fills the left column, the finish banner the right one.
  const Banner banners[] = {
      {art::Say(cr, "スタート！", "Start!"), {kWhite, kCoral, 3, 3, Tint(kLemon, -0.05)}, kLemon},
      {art::Say(cr, "ゲームオーバー", "Game Over"),
       {kWhite, rgb(0x9a78f2), 3, 3, Mix(kLavender, kWhite, 0.4)},
       kRose},
  };
  for (int column = 0; column < 2; ++column) {
    const Banner& b = banners[column];
    // Sized so that the largest frame still fits the cell with room for its stars.
    double size = FitLettering(cr, b.text, (kBannerW - 28) / 1.12, (kBannerH - 10) / 1.12, b.look);
    for (int frame = 0; frame < 4; ++frame) {
      DrawBannerFrame(cr, b, column * kBannerW, frame * kBannerH, frame, size);
    }
  }
}

}  // namespace playart
