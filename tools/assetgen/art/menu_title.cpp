// The title background (118) and the title layout sheet (124).
#include <cmath>

#include "menu_art.h"
#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

using namespace style;

// Screen rows where the heroine's soles touch the meadow on the title screen.
constexpr double kTitleGroundY = 499;

void DrawTitleSky(cairo_t* cr, int width, int height) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 430);
  AddStop(sky, 0, Mix(kSkyDeep, kSky, 0.35));
  AddStop(sky, 0.55, kSky);
  AddStop(sky, 1, Mix(kLavender, kPaper, 0.45));
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  // Warm sunlight from the upper left, where the light of every picture comes from.
  cairo_pattern_t* sun = cairo_pattern_create_radial(90, 40, 10, 90, 40, 320);
  AddStop(sun, 0, kPaper, 0.9);
  AddStop(sun, 0.3, Mix(kLemon, kPaper, 0.6), 0.45);
  AddStop(sun, 1, kLemon, 0);
  cairo_set_source(cr, sun);
  cairo_paint(cr);
  cairo_pattern_destroy(sun);
}

void DrawTitleLand(cairo_t* cr, int width, int height) {
  // Far lavender ridges, then mint hills, then the meadow the heroine walks on.
  DrawHills(cr, width, 410, 22, 0.8, height, Mix(kLavender, kSkyDeep, 0.25), kLavender);
  DrawHills(cr, width, 455, 16, 2.1, height, Mix(kMint, kSky, 0.35), Mix(kMint, kLeaf, 0.2));
  cairo_pattern_t* meadow = cairo_pattern_create_linear(0, kTitleGroundY, 0, height);
  AddStop(meadow, 0, Mix(kMeadow, kLemon, 0.2));
  AddStop(meadow, 1, Mix(kLeaf, kMeadow, 0.4));
  cairo_set_source(cr, meadow);
  cairo_pattern_destroy(meadow);
  cairo_move_to(cr, 0, kTitleGroundY);
  cairo_curve_to(cr, 300, kTitleGroundY - 2, 500, kTitleGroundY + 10, width, kTitleGroundY - 6);
  cairo_line_to(cr, width, height);
  cairo_line_to(cr, 0, height);
  cairo_close_path(cr);
  cairo_fill(cr);
  // The sandy road along the meadow's edge.
  SetColor(cr, Mix(kStone, kPaper, 0.35));
  cairo_move_to(cr, 0, kTitleGroundY + 4);
  cairo_curve_to(cr, 300, kTitleGroundY + 2, 500, kTitleGroundY + 14, width, kTitleGroundY - 2);
  cairo_line_to(cr, width, kTitleGroundY + 22);
  cairo_curve_to(cr, 500, kTitleGroundY + 34, 300, kTitleGroundY + 22, 0, kTitleGroundY + 26);
  cairo_close_path(cr);
  cairo_fill(cr);
}

// Flowers and grass tufts on the foreground meadow, away from the menu column.
void DrawMeadowFlowers(cairo_t* cr, int width, int height) {
  static const double kFlowers[][2] = {{24, 548},  {70, 590},  {128, 560}, {300, 620},
                                       {410, 575}, {520, 640}, {640, 600}, {770, 560},
                                       {720, 630}, {210, 650}, {40, 640},  {780, 610}};
  static const Rgb kPetals[] = {kCoral, kLemon, kWhite, kRose};
  int i = 0;
  for (const auto& f : kFlowers) {
    Rgb petal = kPetals[i++ % 4];
    for (int p = 0; p < 5; ++p) {
      double a = p * 2 * M_PI / 5;
      cairo_arc(cr, f[0] + 5 * std::cos(a), f[1] + 5 * std::sin(a), 4, 0, 2 * M_PI);
      SetColor(cr, petal);
      cairo_fill(cr);
    }
    cairo_arc(cr, f[0], f[1], 3, 0, 2 * M_PI);
    SetColor(cr, kGold);
    cairo_fill(cr);
  }
}

void DrawTitleSkyLife(cairo_t* cr) {
  DrawCloud(cr, 150, 130, 170, 0.95);
  DrawCloud(cr, 660, 175, 210, 0.9);
  DrawCloud(cr, 420, 60, 140, 0.8);
  DrawCloud(cr, 40, 330, 120, 0.85);
  DrawCloud(cr, 790, 300, 130, 0.85);
  // Floating stone lines: far and hazy, nearer and clearer at the sides. None under the best
  // score strip (221-582 x 0-32).
  DrawFloatingLine(cr, 604, 34, 4, 14, 0.55);
  DrawFloatingLine(cr, 8, 196, 4, 24, 0.2);
  DrawFloatingLine(cr, 680, 226, 4, 26, 0.15);
  DrawTwinkle(cr, 330, 40, 8, kWhite, 0.9);
  DrawTwinkle(cr, 760, 70, 10, kWhite, 0.9);
  DrawTwinkle(cr, 22, 60, 7, kWhite, 0.8);
  DrawTwinkle(cr, 24, 252, 6, kWhite, 0.8);
}

// 「もらびん！」 with a star, as big as the 800 x 210 cell allows inside its 2-px border. The
// English logo keeps the name and spells it under it, so the word is smaller and higher.
void DrawTitleLogo(cairo_t* cr) {
  static const char* const kGlyphs[] = {"も", "ら", "び", "ん", "！"};
  static const Rgb kColors[] = {kCoral, Mix(kLemon, kGold, 0.5), kMint, kGem, kRibbon};
  const bool spelt = PictureLanguage(cr) == Language::English;
  BouncyWord word{kGlyphs, kColors, 5, spelt ? 118.0 : 146.0};
  word.tilt = 0.1;
  word.lift = 0.07;
  DrawBouncyWord(cr, word, 392, spelt ? 82 : 104);
  if (spelt) DrawGameName(cr, 392, 168, 48);
  // The star sits on the exclamation mark's shoulder, and a smaller one by the first letter.
  DrawStar(cr, 690, 52, 36, kLemon, 0.25);
  DrawStar(cr, 92, 44, 20, Mix(kLemon, kCoral, 0.3), -0.3);
  DrawTwinkle(cr, 740, 128, 12, kWhite);
  DrawTwinkle(cr, 60, 150, 9, kWhite);
}

// The speech balloon behind the typed description. Its tail points down to the heroine's head
// but stays left of her cell, so the cell's top rows stay transparent.
void DrawDescriptionBalloon(cairo_t* cr) {
  const double x = 50, y = 250, w = 348, h = 162, r = 22;
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_new_path(cr);
  RoundedRectPath(cr, x, y, w, h, r);
  cairo_new_sub_path(cr);
  // Traced clockwise like the rounded box, so the winding rule fills their overlap.
  cairo_move_to(cr, 164, y + h - 6);
  cairo_curve_to(cr, 164, y + h + 2, 166, y + h + 8, 177, 433);
  cairo_curve_to(cr, 160, y + h + 18, 140, y + h + 10, 132, y + h - 6);
  cairo_close_path(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2 * kOutlineWidth);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* paper = cairo_pattern_create_linear(0, y, 0, y + h);
  AddStop(paper, 0, kPaper);
  AddStop(paper, 1, Mix(kPaper, kLavender, 0.35));
  cairo_set_source(cr, paper);
  cairo_fill(cr);
  cairo_pattern_destroy(paper);
  // A pale lilac inner rim and a corner flourish, kept clear of the text rows. The rim's corners
  // are tighter than the outline's, so that they stay 6 pixels from the first line's ends too.
  RoundedRectPath(cr, x + 6, y + 6, w - 12, h - 12, r - 8);
  SetColor(cr, Mix(kLavender, kLilac, 0.3));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  DrawStar(cr, x + w - 22, y + h - 22, 10, kLemon);
  cairo_restore(cr);
}

}  // namespace

void Paint118(cairo_t* cr, int width, int height) {
  DrawTitleSky(cr, width, height);
  DrawTitleSkyLife(cr);
  DrawTitleLand(cr, width, height);
  DrawMeadowFlowers(cr, width, height);
}

const char* TopFooterHelp(cairo_t* cr) {
  return Say(cr, "↑↓：えらぶ　Ｚ：けってい", "↑↓: choose     Z: OK");
}

void Paint124(cairo_t* cr, int width, int height) {
  DrawTitleLogo(cr);
  DrawDescriptionBalloon(cr);

  struct Item {
    double y;
    const char* label;
    Rgb face;
  };
  const Item kItems[] = {{253, Say(cr, "ゲームスタート", "Start"), kCoral},
                         {301, Say(cr, "あそびかた", "How to Play"), kMint},
                         {349, Say(cr, "オプション", "Options"), kGem},
                         {397, Say(cr, "ＣＧルーム", "CG Room"), kLilac},
                         {445, Say(cr, "ミュージックルーム", "Music Room"), kLemon},
                         {493, Say(cr, "しゅーりょー", "Quit"), kRose}};
  for (const Item& item : kItems)
    DrawMenuItem(cr, 430, item.y, 322, 48, item.label, item.face, false);

  // The top menu's key help.
  DrawFooterPlate(cr, 164, 546);
  DrawFittedLabel(cr, TopFooterHelp(cr), 414, 573, 460, 40, FooterLettering());
}

}  // namespace art
