// The common parts sheet (116) and the information / best-score / pause-logo sheet (117).
#include <cmath>

#include "menu_art.h"
#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

using namespace style;

// The menu plates of the how-to-play page, and the hidden difficulty items above them.
void DrawHowToItems(cairo_t* cr) {
  struct Item {
    double y;
    const char* label;
    Rgb face;
  };
  const Item kItems[] = {
      {0, Say(cr, "あまくち", "Mild"), kMint},      {48, Say(cr, "ちゅうから", "Medium"), kLemon},
      {96, Say(cr, "からくち", "Hot"), kCoral},     {144, Say(cr, "もどる", "Back"), kRose},
      {192, Say(cr, "ルール", "Rules"), kMint},     {240, Say(cr, "そうさ方法", "Controls"), kGem},
      {288, Say(cr, "ストーリー", "Story"), kLilac}};
  for (const Item& item : kItems)
    DrawMenuItem(cr, 0, item.y, 322, 48, item.label, item.face, false);
}

// Captions of the reading, option and room scenes, on transparent ground.
void DrawCaptions(cairo_t* cr) {
  struct Caption {
    double x, y, w, h;
    const char* text;
    Rgb accent;
  };
  const Caption kCentred[] = {{328, 296, 272, 48, Say(cr, "ゲームのルール", "Rules"), kMint},
                              {560, 248, 240, 48, Say(cr, "オプション", "Options"), kGem},
                              {576, 120, 224, 64, Say(cr, "操作方法", "Controls"), kCoral},
                              {576, 192, 208, 48, Say(cr, "ストーリー", "Story"), kLilac}};
  for (const Caption& c : kCentred) {
    double size = CaptionSize(cr, c.text, c.w, c.h);
    DrawCaption(cr, c.text, c.x + c.w / 2, c.y + c.h / 2, size, c.accent);
  }
  // The room captions are two cuts drawn side by side ("ＣＧ"+"ルーム", "ミュージック"+"ルーム"):
  // one size for all three, first words pushed right and "ルーム" pushed left so they meet.
  // English words keep a space between them, half on each side of the seam.
  const char* music = Say(cr, "ミュージック", "Music");
  double size = CaptionSize(cr, music, 208, 48);
  const double halfSpace = PictureLanguage(cr) == Language::English ? size * 0.15 : 0;
  DrawCaption(cr, Say(cr, "ＣＧ", "CG"), 368 + 96 - 1 - halfSpace, 352 + 24, size, kLemon, 1);
  DrawCaption(cr, music, 472 + 208 - 1 - halfSpace, 352 + 24, size, kLemon, 1);
  DrawCaption(cr, Say(cr, "ルーム", "Room"), 600 + 1 + halfSpace, 296 + 24, size, kLemon, -1);
}

// The four arrows, one per 48 x 48 cell.
void DrawArrows(cairo_t* cr) {
  DrawArrow(cr, 632 + 24, 8 + 24, 40, 0, 1, kCoral);    // down: more text below
  DrawArrow(cr, 632 + 24, 56 + 24, 40, 0, -1, kCoral);  // up: more text above
  DrawArrow(cr, 688 + 24, 8 + 24, 40, 1, 0, kLemon);    // right
  DrawArrow(cr, 736 + 24, 8 + 24, 40, -1, 0, kLemon);   // left
}

// The return button shared by the option scene and both rooms.
void DrawReturnButton(cairo_t* cr) {
  const double x = 324, y = 0, w = 248, h = 72;
  DrawPlate(cr, x + 2, y + 4, w - 4, h - 8,
            {Mix(kCoral, kPeach, 0.4), Mix(kCoral, kInk, 0.3), 30, 3});
  LabelStyle label;
  label.sizePx = 38;
  label.fill = kWhite;
  label.outline = kInk;
  label.outlineWidth = 3;
  DrawFittedLabel(cr, Say(cr, "もどる", "Back"), x + w / 2 + 14, y + h / 2, w - 90, h - 16, label);
  // A "turn back" arrow in front of the word: a hook ending in a head pointing left.
  double ax = x + 46, ay = y + h / 2;
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_move_to(cr, ax - 6, ay + 13);
    cairo_line_to(cr, ax + 6, ay + 13);
    cairo_arc_negative(cr, ax + 6, ay + 2, 11, M_PI / 2, -M_PI / 2);
    cairo_line_to(cr, ax - 4, ay - 9);
    SetColor(cr, pass == 0 ? kInk : kWhite);
    cairo_set_line_width(cr, pass == 0 ? 10 : 5);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  DrawArrow(cr, ax - 8, ay - 9, 20, -1, 0, kWhite);
}

// The pause logo, in the title logo's lettering, inside a 2-px transparent border: "paused" in
// big letters, and the game's name small above its end.
void DrawPauseLogo(cairo_t* cr) {
  if (PictureLanguage(cr) == Language::English) {
    static const char* const kGlyphs[] = {"P", "a", "u", "s", "e", "d"};
    static const Rgb kColors[] = {kGem, kLilac, kMint, kCoral, kLemon, kRose};
    BouncyWord word{kGlyphs, kColors, 6, 106};
    word.spacing = 0.02;
    word.onBaseline = true;
    DrawBouncyWord(cr, word, 300, 60 + 86);
    DrawGameName(cr, 540, 60 + 30, 34);
    return;
  }
  static const char* const kGlyphs[] = {"ポ", "ー", "ズ", "中"};
  static const Rgb kColors[] = {kGem, kLilac, kMint, kCoral};
  BouncyWord word{kGlyphs, kColors, 4, 104};
  DrawBouncyWord(cr, word, 300, 60 + 88);
  static const char* const kSmall[] = {"も", "ら", "び", "ん", "！"};
  static const Rgb kSmallColors[] = {kCoral, Mix(kLemon, kGold, 0.5), kMint, kGem, kRibbon};
  BouncyWord title{kSmall, kSmallColors, 5, 34};
  title.tilt = 0.12;
  DrawBouncyWord(cr, title, 548, 60 + 30);
}

void DrawCreditLines(cairo_t* cr) {
  LabelStyle credit;
  credit.sizePx = 13;
  credit.fill = kInk;
  credit.outline = kWhite;
  credit.outlineWidth = 1.5;
  DrawFittedLabel(cr, Say(cr, "イラスト：せいさくチーム", "Pictures: our team"), 331 + 100.5,
                  224 + 8, 199, 16, credit);
  DrawFittedLabel(cr, Say(cr, "おんがく：せいさくチーム", "Music: our team"), 331 + 105, 240 + 8.5,
                  208, 17, credit);
}

}  // namespace

void Paint116(cairo_t* cr, int width, int height) {
  DrawHowToItems(cr);
  DrawReturnButton(cr);
  DrawArrows(cr);
  DrawCaptions(cr);
  DrawCreditLines(cr);
  // The reading scenes' key help. Confirm does nothing there, so it is not offered.
  DrawKeyHelpBar(cr, 16, 416, 768, 80, 456,
                 Say(cr, "↑↓：スクロール　Ｘ・ＥＳＣ：もどる", "↑↓: scroll     X / Esc: back"));
  // One key-help strip serves the title's how-to footer (from row 502), the CG room (from
  // row 512) and the music room (from row 520): its pill and wording sit in rows all three see.
  // The band runs the full width so the title footer has no gaps at the screen's sides.
  DrawKeyHelpBar(cr, 0, 512, 800, 88, 556,
                 Say(cr, "方向キー：えらぶ　Ｚ：けってい　Ｘ：もどる",
                     "Arrow keys: choose     Z: OK     X: back"),
                 26);
}

void Paint117(cairo_t* cr, int width, int height) {
  // Top-menu item 6. Its last row stays transparent: it peeks out under its neighbours.
  // The English item says what its page's caption says.
  DrawMenuItem(cr, 0, 0, 320, 47, Say(cr, "インフォメーション", "News"), kLilac, false);

  const char* news = Say(cr, "おしらせ", "News");
  DrawCaption(cr, news, 320 + 100, 30, CaptionSize(cr, news, 200, 60), kLemon);

  LabelStyle best;
  best.sizePx = 22;
  best.fill = kLemon;
  best.outline = kInk;
  best.outlineWidth = 2.5;
  // In the words of the play's top bar ("Score", "Distance").
  DrawFittedLabel(cr, Say(cr, "ハイスコア", "Best Score"), 520 + 57.5, 13, 113, 26, best);

  DrawPauseLogo(cr);
  DrawStar(cr, 590, 60 + 118, 24, kLemon, 0.2);
  DrawTwinkle(cr, 48, 60 + 40, 10, kWhite);
}

}  // namespace art
