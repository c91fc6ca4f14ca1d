// Chunky title lettering shared by the title logo and the pause logo.
#include <cmath>
#include <string>
#include <vector>

#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

using namespace style;

struct PlacedGlyph {
  double x, y, angle;
};

LabelStyle GlyphStyle(const BouncyWord& word) {
  LabelStyle glyph;
  glyph.sizePx = word.sizePx;
  glyph.outlineWidth = 0;
  return glyph;
}

// Each glyph's centre relative to the word's centre, with its tilt.
std::vector<PlacedGlyph> PlaceGlyphs(cairo_t* cr, const BouncyWord& word) {
  std::vector<double> widths, drops;
  std::string whole;
  for (int i = 0; i < word.count; ++i) whole += word.glyphs[i];
  const TextBox wordInk = MeasureLabel(cr, whole.c_str(), GlyphStyle(word));
  double total = 0, gap = word.spacing * word.sizePx;
  for (int i = 0; i < word.count; ++i) {
    const TextBox ink = MeasureLabel(cr, word.glyphs[i], GlyphStyle(word));
    widths.push_back(ink.width);
    // How far the glyph's ink centre lies below the word's, when they share a baseline.
    drops.push_back(word.onBaseline ? (ink.y + ink.height / 2) - (wordInk.y + wordInk.height / 2)
                                    : 0);
    total += widths.back() + (i > 0 ? gap + word.sizePx * 0.08 : 0);
  }
  std::vector<PlacedGlyph> placed;
  double x = -total / 2;
  for (int i = 0; i < word.count; ++i) {
    double wave = std::sin(i * 1.9 + 0.4) * word.lift * word.sizePx + drops[i];
    double angle = (i % 2 == 0 ? -1 : 1) * word.tilt;
    placed.push_back({x + widths[i] / 2, wave, angle});
    x += widths[i] + gap + word.sizePx * 0.08;
  }
  return placed;
}

void AddGlyphPath(cairo_t* cr, const BouncyWord& word, int i, const PlacedGlyph& g, double cx,
                  double cy) {
  cairo_save(cr);
  cairo_translate(cr, cx + g.x, cy + g.y);
  cairo_rotate(cr, g.angle);
  AddLabelPath(cr, word.glyphs[i], 0, 0, GlyphStyle(word));
  cairo_restore(cr);
}

void AddWordPath(cairo_t* cr, const BouncyWord& word, const std::vector<PlacedGlyph>& placed,
                 double cx, double cy) {
  for (int i = 0; i < word.count; ++i) AddGlyphPath(cr, word, i, placed[i], cx, cy);
}

void StrokeWord(cairo_t* cr, const BouncyWord& word, const std::vector<PlacedGlyph>& placed,
                double cx, double cy, Rgb color, double width) {
  cairo_new_path(cr);
  AddWordPath(cr, word, placed, cx, cy);
  SetColor(cr, color);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
}

}  // namespace

void DrawGameName(cairo_t* cr, double cx, double cy, double sizePx) {
  static const char* const kLetters[] = {"M", "o", "r", "a", "v", "i", "n"};
  static const Rgb kColors[] = {kCoral,  Mix(kLemon, kGold, 0.5), kMint, kGem,
                                kRibbon, Mix(kLilac, kGem, 0.3),  kCoral};
  BouncyWord name{kLetters, kColors, 7, sizePx};
  name.tilt = 0.06;
  name.lift = 0.05;
  name.spacing = 0.02;
  name.onBaseline = true;
  DrawBouncyWord(cr, name, cx, cy);
}

void DrawBouncyWord(cairo_t* cr, const BouncyWord& word, double cx, double cy) {
  std::vector<PlacedGlyph> placed = PlaceGlyphs(cr, word);
  double rim = word.sizePx * 0.07, line = word.sizePx * 0.035 + 1;
  cairo_save(cr);
  // A solid lavender shadow down-right, away from the light.
  double drop = word.sizePx * 0.05;
  StrokeWord(cr, word, placed, cx + drop, cy + drop * 1.3, Mix(kLilac, kInk, 0.45),
             2 * (rim + line));
  StrokeWord(cr, word, placed, cx, cy, kOutline, 2 * (rim + line));
  StrokeWord(cr, word, placed, cx, cy, kWhite, 2 * rim);
  for (int i = 0; i < word.count; ++i) {
    cairo_new_path(cr);
    AddGlyphPath(cr, word, i, placed[i], cx, cy);
    double top = cy + placed[i].y - word.sizePx / 2, bottom = top + word.sizePx;
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, bottom);
    AddStop(fill, 0.1, Mix(word.colors[i], kWhite, 0.5));
    AddStop(fill, 0.5, word.colors[i]);
    AddStop(fill, 0.95, Mix(word.colors[i], kInk, 0.22));
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    // A thin dark line around each glyph keeps the strokes of its counters readable.
    SetColor(cr, Mix(word.colors[i], kInk, 0.55));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

}  // namespace art
