// The four reward pictures (101-104), shown with the rank's comment on the game over screen.
// The rank label covers their bottom-centre strip (x 180-380, y 395-420): nothing important
// is drawn there.
#include <cmath>
#include <initializer_list>

#include "menu_art.h"
#include "menu_heroine.h"
#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

using namespace style;

constexpr Rgb kTearBlue = rgb(0x8fd8ff);

// Deterministic scatter for stars and grass: a small fixed-seed generator.
struct Scatter {
  unsigned state;
  double Next() {
    state = state * 1103515245u + 12345u;
    return ((state >> 8) & 0xffff) / 65535.0;
  }
};

void DrawStarField(cairo_t* cr, int count, double width, double height, unsigned seed) {
  Scatter rng{seed};
  for (int i = 0; i < count; ++i) {
    double x = rng.Next() * width, y = rng.Next() * height, size = 1 + rng.Next() * 2.2;
    if (i % 7 == 0) {
      DrawTwinkle(cr, x, y, size * 3, kWhite, 0.9);
    } else {
      cairo_arc(cr, x, y, size * 0.6, 0, 2 * M_PI);
      SetColor(cr, Mix(kWhite, kLemon, rng.Next() * 0.5), 0.85);
      cairo_fill(cr);
    }
  }
}

void DrawGrassTufts(cairo_t* cr, double x0, double x1, double y0, double y1, int count, Rgb color,
                    unsigned seed) {
  Scatter rng{seed};
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, color);
  cairo_set_line_width(cr, 2);
  for (int i = 0; i < count; ++i) {
    double x = x0 + rng.Next() * (x1 - x0), y = y0 + rng.Next() * (y1 - y0);
    for (int blade = -1; blade <= 1; ++blade) {
      cairo_move_to(cr, x + blade * 2, y);
      cairo_curve_to(cr, x + blade * 3, y - 5, x + blade * 5, y - 8, x + blade * 7, y - 10);
    }
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void DrawZzz(cairo_t* cr, double x, double y) {
  LabelStyle z;
  z.fill = Mix(kLavender, kWhite, 0.5);
  z.outline = Mix(kLilac, kInk, 0.5);
  z.outlineWidth = 2;
  const double sizes[] = {20, 26, 34};
  for (int i = 0; i < 3; ++i) {
    z.sizePx = sizes[i];
    DrawLabel(cr, Say(cr, "Ｚ", "Z"), x + i * 24, y - i * 28, z);
  }
}

// A wooden signpost at the end of the road.
void DrawGoalSign(cairo_t* cr, double x, double groundY) {
  cairo_rectangle(cr, x - 4, groundY - 92, 8, 92);
  SetColor(cr, kBoot);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, x - 44, groundY - 112);
  cairo_line_to(cr, x + 36, groundY - 112);
  cairo_line_to(cr, x + 50, groundY - 96);
  cairo_line_to(cr, x + 36, groundY - 80);
  cairo_line_to(cr, x - 44, groundY - 80);
  cairo_close_path(cr);
  SetColor(cr, Mix(kStone, kBoot, 0.3));
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
  LabelStyle word;
  word.sizePx = 20;
  word.fill = kInk;
  word.outlineWidth = 0;
  DrawFittedLabel(cr, Say(cr, "ゴール", "GOAL"), x - 2, groundY - 96, 76, 28, word);
}

// Her backpack, used as a pillow.
void DrawBackpack(cairo_t* cr, double cx, double cy) {
  cairo_new_path(cr);
  RoundedRectPath(cr, cx - 38, cy - 26, 76, 50, 18);
  SetColor(cr, Mix(kBoot, kCoral, 0.3));
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  cairo_new_path(cr);
  RoundedRectPath(cr, cx - 24, cy - 8, 48, 24, 8);
  SetColor(cr, Mix(kBoot, kStone, 0.45));
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
}

// A patchwork blanket over her from the chest down, lying along the hill.
void DrawBlanket(cairo_t* cr, double x, double y, double w, double h) {
  cairo_new_path(cr);
  cairo_move_to(cr, x, y + 8);
  cairo_curve_to(cr, x + w * 0.3, y - 10, x + w * 0.7, y - 8, x + w, y + 6);
  cairo_curve_to(cr, x + w + 10, y + h * 0.5, x + w + 6, y + h, x + w - 6, y + h);
  cairo_line_to(cr, x + 4, y + h);
  cairo_curve_to(cr, x - 6, y + h, x - 8, y + h * 0.5, x, y + 8);
  cairo_close_path(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  const Rgb patches[] = {kPeach, kLemon, kMint, kRose, kSky, kLavender};
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 4; ++j) {
      cairo_rectangle(cr, x - 10 + i * (w + 20) / 8.0, y - 12 + j * (h + 12) / 3.0, (w + 20) / 8.0,
                      (h + 12) / 3.0);
      SetColor(cr, patches[(i + 2 * j) % 6]);
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

// A small grey bad-luck cloud raining on her.
void DrawRainCloud(cairo_t* cr, double cx, double cy) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Mix(kTearBlue, kInk, 0.2));
  cairo_set_line_width(cr, 3);
  for (int i = 0; i < 7; ++i) {
    double x = cx - 60 + i * 20, y = cy + 26 + (i % 3) * 14;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x - 4, y + 12);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  DrawCloud(cr, cx, cy, 170, 1.0, Mix(kLavender, kInk, 0.12));
}

// A ひげぶー: a round pink blob with a big white moustache, snickering.
void DrawBeardBlob(cairo_t* cr, double cx, double cy, double r) {
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_arc(cr, cx + side * r * 0.45, cy + r * 0.92, r * 0.2, 0, 2 * M_PI);
    SetColor(cr, Mix(kRose, kInk, 0.25));
    cairo_fill_preserve(cr);
    SetColor(cr, kOutline);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_pattern_t* body =
      cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.5, r * 0.1, cx, cy, r * 1.1);
  AddStop(body, 0, Mix(kRose, kWhite, 0.5));
  AddStop(body, 1, Mix(kRose, kCoral, 0.3));
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  // A pig snout, snickering eyes shut tight, and the moustache curling both ways.
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy + r * 0.1);
  cairo_scale(cr, r * 0.26, r * 0.17);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, Mix(kRose, kCoral, 0.5));
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  for (double side : {-1.0, 1.0}) {
    cairo_arc(cr, cx + side * r * 0.09, cy + r * 0.1, r * 0.045, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_arc(cr, cx + side * r * 0.35, cy - r * 0.12, r * 0.14, M_PI * 1.1, M_PI * 1.9);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy + r * 0.3);
    cairo_curve_to(cr, cx + side * r * 0.3, cy + r * 0.22, cx + side * r * 0.7, cy + r * 0.3,
                   cx + side * r * 0.85, cy + r * 0.08);
    cairo_curve_to(cr, cx + side * r * 0.9, cy + r * 0.55, cx + side * r * 0.4, cy + r * 0.75, cx,
                   cy + r * 0.5);
    cairo_close_path(cr);
    SetColor(cr, kWhite);
    cairo_fill_preserve(cr);
    SetColor(cr, kOutline);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  DrawTwinkle(cr, cx - r * 0.45, cy - r * 0.55, r * 0.16, kWhite);
}

// A sky gradient from `top` through `middle` to `horizon` at y = horizonY.
cairo_pattern_t* SkyPattern(double horizonY, Rgb top, Rgb middle, Rgb horizon) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizonY);
  AddStop(sky, 0, top);
  AddStop(sky, 0.55, middle);
  AddStop(sky, 1, horizon);
  return sky;
}

void PaintSky(cairo_t* cr, cairo_pattern_t* sky) {
  cairo_set_source(cr, sky);
  cairo_paint(cr);
}

void DrawRoad(cairo_t* cr, double farX, double farY, double nearX, double nearY, double nearW,
              Rgb color) {
  cairo_new_path(cr);
  cairo_move_to(cr, farX - 2, farY);
  cairo_curve_to(cr, farX - 40, farY + (nearY - farY) * 0.4, nearX + 120,
                 farY + (nearY - farY) * 0.6, nearX - nearW / 2, nearY);
  cairo_line_to(cr, nearX + nearW / 2, nearY);
  cairo_curve_to(cr, nearX + 150, farY + (nearY - farY) * 0.6, farX - 20,
                 farY + (nearY - farY) * 0.4, farX + 2, farY);
  cairo_close_path(cr);
  SetColor(cr, color);
  cairo_fill(cr);
}

}  // namespace

// Rank S, "お疲れ様でした…": asleep under the evening sky at the end of a long road.
void Paint101(cairo_t* cr, int width, int height) {
  cairo_pattern_t* sky = SkyPattern(280, rgb(0x7d80cf), rgb(0xc3a6e6), kPeach);
  PaintSky(cr, sky);
  DrawStarField(cr, 60, width, 170, 101);
  // A crescent moon: the lit disc with the sky painted back over an offset disc.
  cairo_save(cr);
  cairo_arc(cr, 470, 78, 34, 0, 2 * M_PI);
  cairo_clip(cr);
  SetColor(cr, Mix(kLemon, kWhite, 0.5));
  cairo_paint(cr);
  cairo_arc(cr, 486, 66, 30, 0, 2 * M_PI);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(sky);

  DrawHills(cr, width, 250, 14, 1.2, height, Mix(kLilac, kPeach, 0.3), Mix(kLilac, kSky, 0.3));
  DrawFloatingLine(cr, 60, 150, 4, 13, 0.55);
  DrawHills(cr, width, 300, 12, 2.6, height, Mix(kMint, kLilac, 0.35), Mix(kLeaf, kLilac, 0.4));
  DrawRoad(cr, 330, 262, 520, 420, 120, Mix(kStone, kLilac, 0.35));
  DrawGoalSign(cr, 470, 330);
  DrawGrassTufts(cr, 0, width, 320, height, 40, Mix(kLeaf, kInk, 0.25), 7);

  // She sleeps on her back along the hill, head on her backpack, under a patchwork blanket.
  DrawBackpack(cr, 168, 332);
  cairo_save(cr);
  cairo_translate(cr, 296, 330);
  cairo_rotate(cr, -M_PI / 2);
  HeroinePose pose;
  pose.face = HeroineFace::Asleep;
  pose.headTilt = 0.25;
  pose.leftArm = {-0.2, -0.1};
  pose.rightArm = {0.25, 0.05};
  DrawHeroineFigure(cr, pose);
  cairo_restore(cr);
  DrawBlanket(cr, 232, 300, 118, 62);
  // One arm resting on the blanket.
  cairo_save(cr);
  cairo_translate(cr, 296, 330);
  cairo_rotate(cr, -M_PI / 2);
  pose.rightArm = {1.9, 2.7};
  DrawHeroineArm(cr, pose, true);
  cairo_restore(cr);
  DrawZzz(cr, 226, 244);
}

// Rank A, "遠くまで来ました☆": waving from a far hilltop under a sky full of stars.
void Paint102(cairo_t* cr, int width, int height) {
  cairo_pattern_t* sky = SkyPattern(300, rgb(0x5f63b8), rgb(0x9a84d8), rgb(0xffb8a0));
  PaintSky(cr, sky);
  cairo_pattern_destroy(sky);
  DrawStarField(cr, 140, width, 240, 102);
  // A shooting star across the upper left.
  cairo_save(cr);
  cairo_pattern_t* trail = cairo_pattern_create_linear(40, 40, 170, 100);
  AddStop(trail, 0, kLemon, 0);
  AddStop(trail, 1, kLemon, 0.9);
  cairo_set_source(cr, trail);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 6);
  cairo_move_to(cr, 40, 40);
  cairo_line_to(cr, 170, 100);
  cairo_stroke(cr);
  cairo_pattern_destroy(trail);
  cairo_restore(cr);
  DrawStar(cr, 176, 103, 18, kLemon, 0.3);
  DrawStar(cr, 500, 60, 12, Mix(kLemon, kWhite, 0.3), -0.2);

  // The far horizon: hazy ridges and floating stone lines far away.
  DrawHills(cr, width, 292, 10, 0.4, height, Mix(kLilac, kPeach, 0.4), Mix(kLilac, kSkyDeep, 0.3));
  DrawFloatingLine(cr, 40, 212, 5, 10, 0.65);
  DrawFloatingLine(cr, 200, 248, 3, 8, 0.7);
  DrawFloatingLine(cr, 470, 200, 4, 11, 0.6);
  DrawHills(cr, width, 340, 26, 3.7, height, Mix(kMint, kLilac, 0.3), Mix(kLeaf, kInk, 0.3));

  // Her hilltop, with her waving from it.
  cairo_save(cr);
  cairo_translate(cr, 392, 306);
  cairo_scale(cr, 0.58, 0.58);
  HeroinePose pose;
  pose.face = HeroineFace::Smile;
  pose.rightArm = {2.1, 2.6};
  pose.leftArm = {-0.4, -0.1};
  pose.rightLeg = {0.18, 0.05};
  pose.leftLeg = {-0.15, -0.05};
  pose.headTilt = 0.1;
  DrawHeroineFigure(cr, pose);
  cairo_restore(cr);
  // Motion lines beside the waving hand.
  cairo_save(cr);
  SetColor(cr, kWhite, 0.9);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2.5);
  for (int i = 0; i < 3; ++i) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 424, 248, 16 + i * 7, -1.3, -0.3);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  DrawGrassTufts(cr, 0, width, 350, height, 50, Mix(kLeaf, kInk, 0.4), 12);
  DrawTwinkle(cr, 80, 380, 8, Mix(kLemon, kWhite, 0.4));
  DrawTwinkle(cr, 520, 370, 9, Mix(kLemon, kWhite, 0.4));
}

// Ranks B+ and B, "やったね！ウハウハだぁ！": hugging a pile of diamonds.
void Paint103(cairo_t* cr, int width, int height) {
  // Sun rays behind her, from her head outwards.
  SetColor(cr, Mix(kLemon, kPaper, 0.55));
  cairo_paint(cr);
  const double sx = 290, sy = 170;
  for (int i = 0; i < 24; i += 2) {
    double a0 = i * M_PI / 12, a1 = (i + 1) * M_PI / 12;
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, sx + 800 * std::cos(a0), sy + 800 * std::sin(a0));
    cairo_line_to(cr, sx + 800 * std::cos(a1), sy + 800 * std::sin(a1));
    cairo_close_path(cr);
  }
  SetColor(cr, kPaper, 0.8);
  cairo_fill(cr);
  DrawCloud(cr, 70, 70, 150, 0.9);
  DrawCloud(cr, 510, 60, 140, 0.9);

  // A meadow for the heap to stand on.
  DrawHills(cr, width, 330, 8, 1.0, height, Mix(kMeadow, kLemon, 0.3), Mix(kLeaf, kMeadow, 0.5));

  HeroinePose pose;
  pose.face = HeroineFace::Joy;
  pose.sitting = true;
  pose.leftLeg = {-0.9, -0.4};
  pose.rightLeg = {0.9, 0.4};
  pose.leftArm = {-0.5, 1.9};
  pose.rightArm = {0.5, -1.9};
  pose.headTilt = -0.12;
  const double herX = 290, herY = 282;
  cairo_save(cr);
  cairo_translate(cr, herX, herY);
  DrawHeroineFigure(cr, pose);
  cairo_restore(cr);

  // The heap in front of her: a golden mound studded with gems, back rows first.
  cairo_new_path(cr);
  cairo_move_to(cr, 40, 420);
  cairo_curve_to(cr, 90, 330, 190, 262, 290, 262);
  cairo_curve_to(cr, 390, 262, 490, 330, 540, 420);
  cairo_close_path(cr);
  cairo_pattern_t* mound = cairo_pattern_create_linear(0, 262, 0, 420);
  AddStop(mound, 0, Mix(kLemon, kWhite, 0.3));
  AddStop(mound, 1, Mix(kGold, kCoral, 0.25));
  cairo_set_source(cr, mound);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(mound);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  const Rgb colors[] = {kGem, Mix(kRose, kRibbon, 0.4), kMint, Mix(kLemon, kGold, 0.5), kLilac};
  struct Row {
    double y, x0, x1, size;
  };
  const Row rows[] = {
      {284, 200, 380, 50}, {312, 150, 430, 54}, {342, 110, 470, 58}, {374, 80, 500, 60}};
  Scatter rng{103};
  int k = 0;
  for (const Row& row : rows) {
    for (double x = row.x0; x <= row.x1 + 1; x += row.size * 0.82) {
      double jitter = (rng.Next() - 0.5) * 8, turn = (rng.Next() - 0.5) * 0.6;
      DrawGem(cr, x + jitter, row.y + jitter * 0.5, row.size, colors[k++ % 5], turn);
    }
  }

  // The big one in her arms, with her arms wrapped over it.
  DrawGem(cr, herX, herY - 40, 96, kGem, 0.08);
  cairo_save(cr);
  cairo_translate(cr, herX, herY);
  DrawHeroineArm(cr, pose, false);
  DrawHeroineArm(cr, pose, true);
  cairo_restore(cr);

  const double sparkles[][3] = {{120, 210, 14}, {464, 200, 16}, {190, 120, 10},
                                {400, 104, 12}, {540, 290, 10}, {40, 300, 12}};
  for (const auto& s : sparkles) DrawStar(cr, s[0], s[1], s[2], Mix(kLemon, kCoral, 0.2));
}

// Ranks C+ and C, "く…くじけないぞぉ！" / "うぅ、全然ダメェ～": in a puddle of her own tears,
// fist raised: she is not giving up.
void Paint104(cairo_t* cr, int width, int height) {
  cairo_pattern_t* sky = SkyPattern(260, rgb(0xa9a3d6), rgb(0xc9c4e6), rgb(0xe6e2f2));
  PaintSky(cr, sky);
  cairo_pattern_destroy(sky);
  DrawHills(cr, width, 250, 12, 2.0, height, Mix(kLavender, kSky, 0.3), Mix(kLavender, kInk, 0.1));
  DrawHills(cr, width, 290, 10, 4.1, height, Mix(kMint, kLavender, 0.4),
            Mix(kMeadow, kLavender, 0.4));
  DrawGrassTufts(cr, 0, width, 300, height, 36, Mix(kLeaf, kLavender, 0.3), 4);

  // The puddle of tears, with ripples.
  cairo_save(cr);
  cairo_translate(cr, 290, 350);
  cairo_scale(cr, 190, 42);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, Mix(kTearBlue, kWhite, 0.35));
  cairo_fill_preserve(cr);
  SetColor(cr, Mix(kTearBlue, kInk, 0.35));
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  for (int i = 1; i <= 2; ++i) {
    cairo_save(cr);
    cairo_translate(cr, 290, 352);
    cairo_scale(cr, 110 + i * 34, 20 + i * 8);
    cairo_arc(cr, 0, 0, 1, 0.1, M_PI - 0.1);
    cairo_restore(cr);
    SetColor(cr, kWhite, 0.7);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }

  HeroinePose pose;
  pose.face = HeroineFace::TearfulGrit;
  pose.sitting = true;
  pose.leftLeg = {-1.1, -0.5};
  pose.rightLeg = {1.1, 0.5};
  pose.rightArm = {2.0, 2.9};
  pose.leftArm = {-0.7, 0.4};
  pose.headTilt = 0.05;
  cairo_save(cr);
  cairo_translate(cr, 290, 322);
  cairo_scale(cr, 0.9, 0.9);
  DrawHeroineFigure(cr, pose);
  cairo_restore(cr);

  // Splashes of tears, and the bad-luck cloud over her.
  const double drops[][2] = {{216, 190}, {196, 230}, {404, 236}, {226, 156}};
  for (const auto& d : drops) {
    cairo_arc(cr, d[0], d[1], 6, 0, 2 * M_PI);
    SetColor(cr, kTearBlue);
    cairo_fill_preserve(cr);
    SetColor(cr, Mix(kTearBlue, kInk, 0.4));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  DrawRainCloud(cr, 270, 64);
  DrawBeardBlob(cr, 488, 300, 40);
  LabelStyle giggle;
  giggle.sizePx = 22;
  giggle.fill = kWhite;
  giggle.outline = Mix(kRose, kInk, 0.5);
  giggle.outlineWidth = 2;
  DrawLabel(cr, Say(cr, "ぷぷっ", "Tee-hee"), 500, 236, giggle);
  // Grit: a burning little spark by the raised fist.
  DrawStar(cr, 372, 200, 14, kCoral, 0.2);
}

}  // namespace art
