// The CG room's tile sheet (120): a thumbnail of each grade's reward picture, per difficulty.
#include <cstdio>

#include "menu_art.h"
#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

using namespace style;

constexpr int kTileW = 180, kTileH = 120;
constexpr int kRewardW = 580, kRewardH = 420;

// Reward pictures by grade column: C, B, A, S.
using RewardPainter = void (*)(cairo_t*, int, int);
constexpr RewardPainter kRewardByGrade[] = {Paint104, Paint103, Paint102, Paint101};

// The reward picture in the language of the sheet that shows it.
cairo_surface_t* RenderReward(int grade, Language language) {
  cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kRewardW, kRewardH);
  cairo_t* cr = cairo_create(picture);
  SetPictureLanguage(cr, language);
  kRewardByGrade[grade](cr, kRewardW, kRewardH);
  cairo_destroy(cr);
  return picture;
}

// One tile: a frame in the difficulty's colour, the thumbnail and the label band at the top
// (the return button may cover the bottom rows of the middle tiles of the last row).
void DrawTile(cairo_t* cr, double x, double y, cairo_surface_t* picture, Rgb frame,
              const char* label) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, kTileW, kTileH);
  SetColor(cr, Mix(frame, kInk, 0.25));
  cairo_fill(cr);
  cairo_rectangle(cr, x + 1, y + 1, kTileW - 2, kTileH - 2);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);

  const double inset = 5;
  double innerW = kTileW - 2 * inset, innerH = kTileH - 2 * inset;
  cairo_save(cr);
  RoundedRectPath(cr, x + inset, y + inset, innerW, innerH, 6);
  cairo_clip(cr);
  double scale = innerW / kRewardW;
  cairo_translate(cr, x + inset, y + inset + innerH / 2);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, picture, 0, -kRewardH / 2.0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);

  // The label band across the top of the picture.
  RoundedRectPath(cr, x + inset + 4, y + inset + 3, innerW - 8, 24, 12);
  SetColor(cr, Mix(frame, kPaper, 0.55));
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  LabelStyle text;
  text.sizePx = 18;
  text.fill = kInk;
  text.outlineWidth = 0;
  DrawFittedLabel(cr, label, x + kTileW / 2.0, y + inset + 15, innerW - 24, 20, text);
  cairo_restore(cr);
}

}  // namespace

void Paint120(cairo_t* cr, int width, int height) {
  const char* const kDifficulty[] = {Say(cr, "あまくち", "Mild"), Say(cr, "ちゅうから", "Medium"),
                                     Say(cr, "からくち", "Hot")};
  const char* const kGrade[] = {Say(cr, "Ｃ", "C"), Say(cr, "Ｂ", "B"), Say(cr, "Ａ", "A"),
                                Say(cr, "Ｓ", "S")};
  static const Rgb kFrame[] = {kMint, kLemon, kCoral};
  cairo_surface_t* pictures[4];
  for (int grade = 0; grade < 4; ++grade)
    pictures[grade] = RenderReward(grade, PictureLanguage(cr));
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) {
      char label[64];
      snprintf(label, sizeof label, "%s %s", kDifficulty[row], kGrade[col]);
      DrawTile(cr, col * kTileW, row * kTileH, pictures[col], kFrame[row], label);
    }
  }
  for (cairo_surface_t* picture : pictures) cairo_surface_destroy(picture);
}

}  // namespace art
