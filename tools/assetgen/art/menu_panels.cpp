// Panels of the reading, option, room and game-over scenes: 114, 123, 126, 111 and 127.
#include <cmath>

#include "menu_art.h"
#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

using namespace style;

// The pale paper panel at (16, 8, 768, 408) that the reading scenes write on. Its interior is
// one flat colour because it is placed at different heights in different scenes; the text area
// (32, 24, 736, 336) keeps 6 pixels of paper around it.
void DrawPaperPanel(cairo_t* cr) {
  const double x = 17, y = 9, w = 766, h = 406;
  RoundedRectPath(cr, x, y, w, h, 16);
  SetColor(cr, kPaper);
  cairo_fill_preserve(cr);
  SetColor(cr, Mix(kLilac, kInk, 0.2));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  RoundedRectPath(cr, x + 5, y + 5, w - 10, h - 10, 12);
  SetColor(cr, Mix(kLavender, kPaper, 0.3));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  // Little stars on the four corners, clear of the text area and its margin.
  DrawTwinkle(cr, x + 9, y + 8, 6, kLilac);
  DrawTwinkle(cr, x + w - 9, y + 8, 6, kLilac);
  DrawTwinkle(cr, x + 9, y + h - 8, 6, kLilac);
  DrawTwinkle(cr, x + w - 9, y + h - 8, 6, kLilac);
}

// Option labels: the panel's copy and the highlighted copy share size and placement exactly,
// and the highlight's thicker outline covers the plain one under it.
constexpr double kOptionLabelOutline = 2.5;
constexpr double kLitLabelOutline = 3.5;

// The three option labels, each exactly where its highlighted copy is laid over it.
const char* MusicLabel(cairo_t* cr) { return Say(cr, "おんがく", "Music"); }
const char* EffectsLabel(cairo_t* cr) { return Say(cr, "効果音", "Effects"); }
const char* ScreenLabel(cairo_t* cr) { return Say(cr, "がめん", "Screen"); }

// Every label cell is as wide as the widest label of both languages needs: up to the left arrow,
// which bobs from x 176 on the screen (the cells start at 56).
constexpr double kOptionLabelWidth = 128;
constexpr double kOptionLabelHeight = 48;
// The cells' places on the panel (y) and on the sheet's highlight row (x).
constexpr double kMusicLabelY = 104, kEffectsLabelY = 152, kScreenLabelY = 232;
constexpr double kLitLabelRow = 504;

void DrawOptionLabel(cairo_t* cr, const char* utf8, double x, double y, double w, double h,
                     double sizePx, bool lit) {
  LabelStyle label;
  label.sizePx = sizePx;
  label.fill = lit ? kLemon : kWhite;
  label.outline = lit ? Mix(kCoral, kInk, 0.4) : kInk;
  label.outlineWidth = lit ? kLitLabelOutline : kOptionLabelOutline;
  // English words differ in length: they line up on their left edge rather than centred.
  double cx = x + w / 2;
  if (PictureLanguage(cr) == Language::English)
    cx = x + kLitLabelOutline + 1 + MeasureLabel(cr, utf8, label).width / 2;
  DrawLabel(cr, utf8, cx, y + h / 2, label);
}

// An empty volume gauge whose inner well is exactly the given rectangle.
void DrawGaugeFrame(cairo_t* cr, double x, double y, double w, double h) {
  DrawPlate(cr, x - 6, y - 6, w + 12, h + 12,
            {Mix(kLavender, kPaper, 0.3), Mix(kLilac, kInk, 0.25), 10, 2});
  FillVertical(cr, x, y, w, h, Mix(kLavender, kInk, 0.25), Mix(kLavender, kPaper, 0.2));
  // Tick marks every tenth along the bottom of the well.
  SetColor(cr, kWhite, 0.7);
  for (int i = 1; i < 10; ++i) cairo_rectangle(cr, x + w * i / 10.0 - 0.5, y + h - 7, 1, 5);
  cairo_fill(cr);
}

void DrawOptionPanel(cairo_t* cr, double labelSize) {
  DrawPaperPanel(cr);
  LabelStyle heading;
  heading.sizePx = kOptionHeadingSize;
  heading.fill = kInk;
  heading.outline = kWhite;
  heading.outlineWidth = 2;
  DrawLabel(cr, Say(cr, "♪ おとのおおきさ", "♪ Volume"), 56 + 130, 56, heading);
  cairo_rectangle(cr, 48, 80, 320, 3);
  SetColor(cr, Mix(kLilac, kPaper, 0.3));
  cairo_fill(cr);

  DrawOptionLabel(cr, MusicLabel(cr), 56, kMusicLabelY, kOptionLabelWidth, kOptionLabelHeight,
                  labelSize, false);
  DrawOptionLabel(cr, EffectsLabel(cr), 56, kEffectsLabelY, kOptionLabelWidth, kOptionLabelHeight,
                  labelSize, false);
  DrawGaugeFrame(cr, 248, 112, 400, 32);
  DrawGaugeFrame(cr, 248, 160, 400, 32);

  DrawOptionLabel(cr, ScreenLabel(cr), 56, kScreenLabelY, kOptionLabelWidth, kOptionLabelHeight,
                  labelSize, false);
  cairo_rectangle(cr, 48, 282, 320, 3);
  SetColor(cr, Mix(kLilac, kPaper, 0.3));
  cairo_fill(cr);
  // The two display modes, right of where the pointing arrow bobs.
  LabelStyle choice;
  choice.sizePx = kOptionChoiceSize;
  choice.fill = kInk;
  choice.outline = kWhite;
  choice.outlineWidth = 2;
  DrawFittedLabel(cr, Say(cr, "ウィンドウ", "Window"), 230, 318, 220, 46, choice);
  DrawFittedLabel(cr, Say(cr, "フルスクリーン", "Full Screen"), 560, 318, 320, 46, choice);
}

// The volume gauge fill: scaled horizontally by the game, so it is uniform along x.
void DrawVolumeFill(cairo_t* cr) {
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 424, 0, 456);
  AddStop(fill, 0, Mix(kMint, kWhite, 0.6));
  AddStop(fill, 0.35, kMint);
  AddStop(fill, 0.8, Mix(kMint, kLeaf, 0.6));
  AddStop(fill, 1, Mix(kLeaf, kInk, 0.3));
  cairo_set_source(cr, fill);
  cairo_rectangle(cr, 8, 424, 400, 32);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
}

// A rank badge: a round medal with the grade, and the word "rank" on a ribbon plate.
void DrawRankBadge(cairo_t* cr, double y, const char* grade, Rgb color) {
  DrawPlate(cr, 2, y + 3, 196, 42, {Mix(color, kWhite, 0.35), Mix(color, kInk, 0.35), 21, 3});
  LabelStyle word;
  word.sizePx = 26;
  word.fill = kWhite;
  word.outline = kInk;
  word.outlineWidth = 2.5;
  DrawLabel(cr, Say(cr, "ランク", "Rank"), 72, y + 24, word);
  double mx = 152, my = y + 24;
  cairo_arc(cr, mx, my, 22, 0, 2 * M_PI);
  cairo_pattern_t* medal = cairo_pattern_create_radial(mx - 8, my - 8, 2, mx, my, 22);
  AddStop(medal, 0, Mix(color, kWhite, 0.7));
  AddStop(medal, 1, color);
  cairo_set_source(cr, medal);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(medal);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_stroke(cr);
  LabelStyle letter;
  letter.sizePx = 30;
  letter.fill = kWhite;
  letter.outline = Mix(color, kInk, 0.6);
  letter.outlineWidth = 2.5;
  DrawFittedLabel(cr, grade, mx, my, 40, 34, letter);
}

void DrawCommentBox(cairo_t* cr) {
  const double x = 16, y = 543, w = 768, h = 54;
  DrawPlate(cr, x, y, w, h, {kPaper, Mix(kLilac, kInk, 0.15), 20, 3});
  // The plate's gloss must not tint the comment's row: repaint the face flat and pale.
  RoundedRectPath(cr, x + 6, y + 6, w - 12, h - 12, 14);
  SetColor(cr, kPaper);
  cairo_fill(cr);
  DrawStar(cr, x + 30, y + h / 2, 13, kLemon, -0.2);
  DrawStar(cr, x + w - 30, y + h / 2, 13, kLemon, 0.2);
}

// A music room item: a plate with a note and the track title.
void DrawTrackItem(cairo_t* cr, double y, const char* title, Rgb face, const char* icon) {
  const double x = 222, w = 376, h = 60;
  DrawPlate(cr, x + 2, y + 4, w - 4, h - 8, {Mix(face, kWhite, 0.2), Mix(face, kInk, 0.3), 22, 3});
  LabelStyle label;
  label.sizePx = 30;
  label.fill = kWhite;
  label.outline = kInk;
  label.outlineWidth = 2.5;
  DrawFittedLabel(cr, title, x + w / 2 + 14, y + h / 2, w - 100, h - 14, label);
  LabelStyle note = label;
  note.fill = kLemon;
  DrawLabel(cr, icon, x + 36, y + h / 2, note);
}

}  // namespace

double OptionLabelSize(cairo_t* cr) {
  LabelStyle probe;
  probe.sizePx = kOptionChoiceSize;
  probe.outlineWidth = kLitLabelOutline;
  for (const char* label : {MusicLabel(cr), EffectsLabel(cr), ScreenLabel(cr)})
    probe.sizePx = FitLabelSize(cr, label, probe, kOptionLabelWidth, kOptionLabelHeight);
  return probe.sizePx;
}

const char* OptionBarHelp(cairo_t* cr) {
  return Say(cr, "↑↓：えらぶ　←→：へんこう　Ｚ：けってい　Ｘ：もどる",
             "↑↓: choose     ←→: change     Z: OK     X: back");
}

void Paint114(cairo_t* cr, int width, int height) {
  DrawPaperPanel(cr);
  DrawKeyHelpBar(cr, 16, 424, 768, 80, 464, OptionBarHelp(cr));
}

void Paint123(cairo_t* cr, int width, int height) {
  double labelSize = OptionLabelSize(cr);
  DrawOptionPanel(cr, labelSize);
  const char* labels[] = {MusicLabel(cr), EffectsLabel(cr), ScreenLabel(cr)};
  for (int i = 0; i < 3; ++i)
    DrawOptionLabel(cr, labels[i], i * kOptionLabelWidth, kLitLabelRow, kOptionLabelWidth,
                    kOptionLabelHeight, labelSize, true);
  DrawVolumeFill(cr);
}

void Paint126(cairo_t* cr, int width, int height) {
  struct Rank {
    const char* grade;
    Rgb color;
  };
  const Rank kRanks[] = {
      {Say(cr, "Ｓ", "S"), kGold},    {Say(cr, "Ａ", "A"), kCoral},
      {Say(cr, "Ｂ+", "B+"), kMint},  {Say(cr, "Ｂ", "B"), kGem},
      {Say(cr, "Ｃ+", "C+"), kLilac}, {Say(cr, "Ｃ", "C"), Mix(kSkyDeep, kInk, 0.2)}};
  for (int rank = 0; rank < 6; ++rank)
    DrawRankBadge(cr, rank * 48, kRanks[rank].grade, kRanks[rank].color);
  DrawCommentBox(cr);
}

void Paint111(cairo_t* cr, int width, int height) {
  struct Track {
    const char* title;
    Rgb face;
    const char* icon;
  };
  const Track kTracks[] = {{Say(cr, "もらびあのテーマ", "Moravia Theme"), kCoral, "♪"},
                           {Say(cr, "ぼうけんのうた", "Song of the Road"), kMint, "♪"},
                           {Say(cr, "ダイヤのワルツ", "Diamond Waltz"), kGem, "♪"},
                           {Say(cr, "おやすみぴぴる", "Good Night, Pipiru"), kLilac, "♪"},
                           {Say(cr, "ストップ", "Stop"), kRose, "■"}};
  for (int i = 0; i < 5; ++i)
    DrawTrackItem(cr, 82 + 60 * i, kTracks[i].title, kTracks[i].face, kTracks[i].icon);
}

void Paint127(cairo_t* cr, int width, int height) {
  DrawPlate(cr, 0, 0, width, height, {Mix(kSky, kPaper, 0.3), Mix(kSkyDeep, kInk, 0.3), 24, 3});
  LabelStyle prompt;
  prompt.sizePx = 32;
  prompt.fill = kWhite;
  prompt.outline = kInk;
  prompt.outlineWidth = 2.5;
  DrawFittedLabel(cr, Say(cr, "Ｚキーでタイトルへ", "Press Z for the title"), width / 2.0,
                  height / 2.0, width - 40, height - 16, prompt);
}

}  // namespace art
