// The pointer sheet (129): the key-help bars again with touch and mouse hints, shown while the
// player uses a pointer, and the play's on-screen speed-up and pause controls.
#include "menu_art.h"
#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

using namespace style;

// Two chevrons pointing right: the field running faster.
void DrawFastIcon(cairo_t* cr, double cx, double cy, double size, Rgb fill) {
  for (double dx : {-size * 0.28, size * 0.22}) {
    cairo_move_to(cr, cx + dx - size * 0.3, cy - size * 0.42);
    cairo_line_to(cr, cx + dx + size * 0.22, cy);
    cairo_line_to(cr, cx + dx - size * 0.3, cy + size * 0.42);
    cairo_close_path(cr);
  }
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

// Two upright bars: the game held.
void DrawPauseIcon(cairo_t* cr, double cx, double cy, double size, Rgb fill) {
  for (double dx : {-size * 0.3, size * 0.08})
    RoundedRectPath(cr, cx + dx, cy - size * 0.42, size * 0.22, size * 0.84, size * 0.06);
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, kOutline);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

enum class Icon { Fast, Pause };

// One on-screen button: a plate with its icon on the left and its word beside it. A held
// button is lit and pressed in by two pixels.
void DrawControlButton(cairo_t* cr, double x, double y, double w, double h, Icon icon,
                       const char* word, Rgb face, bool held) {
  const double sink = held ? 2 : 0;
  const Rgb lit = held ? Mix(face, kWhite, 0.45) : face;
  DrawPlate(cr, x, y + sink, w, h - 2, {lit, Mix(face, kInk, 0.35), 16, 3, true});
  const double iconX = x + 36, cy = y + sink + h / 2 - 1;
  if (icon == Icon::Fast) {
    DrawFastIcon(cr, iconX, cy, 34, kWhite);
  } else {
    DrawPauseIcon(cr, iconX, cy, 34, kWhite);
  }
  LabelStyle label;
  label.sizePx = 28;
  label.fill = kWhite;
  label.outline = kInk;
  label.outlineWidth = 2.5;
  DrawFittedLabel(cr, word, x + 36 + (w - 36) / 2, cy, w - 84, h - 20, label);
}

}  // namespace

void Paint129(cairo_t* cr, int width, int height) {
  // The title's how-to footer: drawn at (0, 500) like the key strip it covers.
  DrawKeyHelpBar(cr, 0, 10, 800, 88, 54,
                 Say(cr, "タップ・クリック：えらぶ", "Tap or click: choose"), 26);
  // The reading scenes' bar: a drag scrolls, a tap on the bar goes back.
  DrawKeyHelpBar(cr, 0, 96, 768, 80, 136,
                 Say(cr, "ドラッグ：スクロール　このバーをタップ：もどる",
                     "Drag: scroll     Tap this bar: back"));
  DrawKeyHelpBar(cr, 0, 176, 768, 80, 216,
                 Say(cr, "左・右をタップ：へんこう　バーをドラッグ：おんりょう",
                     "Tap left / right: change     Drag a bar: volume"));
  // The rooms' bar.
  DrawKeyHelpBar(cr, 0, 256, 768, 80, 296,
                 Say(cr, "タップ・クリック：えらぶ", "Tap or click: choose"));
  // The title's top-menu footer, a plate like the key help it covers.
  DrawFooterPlate(cr, 0, 336);
  DrawFittedLabel(cr, Say(cr, "タップ・クリック：けってい", "Tap or click: choose"), 250, 363, 460,
                  40, FooterLettering());

  // The play's controls on one plate that covers the top bar's name between the score and
  // the distance, then each button again, held.
  DrawPlate(cr, 0, 392, 388, 88,
            {Mix(kSkyDeep, kPaper, 0.3), Mix(kSkyDeep, kInk, 0.3), 14, 3, true});
  const char* faster = Say(cr, "はやく", "Faster");
  const char* pause = Say(cr, "ポーズ", "Pause");
  DrawControlButton(cr, 6, 398, 182, 76, Icon::Fast, faster, kCoral, false);
  DrawControlButton(cr, 200, 398, 182, 76, Icon::Pause, pause, kMint, false);
  DrawControlButton(cr, 400, 398, 182, 76, Icon::Fast, faster, kCoral, true);
  DrawControlButton(cr, 600, 398, 182, 76, Icon::Pause, pause, kMint, true);
}

}  // namespace art
